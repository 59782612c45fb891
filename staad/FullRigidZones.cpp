// Member loads on members with rigid end zones, as STAAD.Pro measures them.
// SAP2000 measures a load from joint I over the whole length; STAAD.Pro
// from the start offset over the flexible length, and clips what lies
// beyond. So the positions are shifted by the start zone, and the part of a
// load that lies on a rigid zone goes to the joint it reaches through the
// zone, as the force and the moment it gives there.
#include "staad/FullBlocks.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {


// The load's direction in global axes, and what one unit of intensity
// along the member gives along it (a projected load acts on the length
// seen across its direction).
Vec3 GlobalDirection(const Member& m, const Direction& d, double* perLength) {
    *perLength = 1;
    if (d.axes == LoadAxes::Local) return d.vector.x * m.axes[0] + d.vector.y * m.axes[1] + d.vector.z * m.axes[2];
    if (d.axes == LoadAxes::Projected) {
        const double along = Dot(m.axes[0], d.vector);
        *perLength = std::sqrt(std::max(0.0, 1 - along * along));
    }
    return d.vector;
}

// A joint load of a force and a moment.
void AddJointLoad(std::vector<JointLoad>& joints, std::uint32_t joint, Vec3 force, Vec3 moment) {
    JointLoad load;
    load.joint = joint;
    const double parts[6] = {force.x, force.y, force.z, moment.x, moment.y, moment.z};
    for (int k = 0; k < 6; ++k) load.components[k] = {parts[k], {}};
    joints.push_back(load);
}

}  // namespace

void SplitAtRigidZones(const Structure& s, const std::vector<MemberLoad>& in, std::vector<MemberLoad>* out, std::vector<JointLoad>* joints) {
    out->clear();
    joints->clear();
    for (const MemberLoad& x : in) {
        const Member& m = s.members[x.member];
        const double ri = m.ends[0].rigidLength, rj = m.ends[1].rigidLength;
        if ((ri == 0 && rj == 0) || !m.hasAxes) {
            out->push_back(x);
            continue;
        }
        const double length = Norm(Position(s.joints[m.j]) - Position(s.joints[m.i]));
        const double flexEnd = length - rj;
        double perLength;
        const Vec3 dir = GlobalDirection(m, x.direction, &perLength);
        const Vec3 axis = m.axes[0];
        const bool moment = x.kind == LoadKind::Moment;
        if (x.concentrated) {
            const double a = x.a.value;
            if (a < ri || a > flexEnd) {
                const bool start = a < ri;
                const Vec3 load = x.qa.value * dir;
                if (moment) AddJointLoad(*joints, start ? m.i : m.j, {}, load);
                else AddJointLoad(*joints, start ? m.i : m.j, load, Cross((start ? a : a - length) * axis, load));
                continue;
            }
            MemberLoad shifted = x;
            shifted.a = shifted.b = {a - ri, {}};
            out->push_back(shifted);
            continue;
        }
        const double a = x.a.value, b = x.b.value;
        // The intensity at a point of the load, by its straight course.
        const auto q = [&](double p) { return b == a ? x.qa.value : x.qa.value + (x.qb.value - x.qa.value) * (p - a) / (b - a); };
        // The part on each rigid zone: its resultant and its moment about the joint.
        const auto zone = [&](double from, double to, std::uint32_t joint, double origin) {
            if (to <= from) return;
            const double q0 = q(from), q1 = q(to), span = to - from;
            const double total = (q0 + q1) / 2 * span * perLength;
            const double firstMoment = span * (q0 * (2 * from + to) + q1 * (from + 2 * to)) / 6 * perLength - origin * total;
            if (moment) AddJointLoad(*joints, joint, {}, total * dir);
            else AddJointLoad(*joints, joint, total * dir, Cross(axis, firstMoment * dir));
        };
        zone(a, std::min(b, ri), m.i, 0);
        zone(std::max(a, flexEnd), b, m.j, length);
        const double from = std::max(a, ri), to = std::min(b, flexEnd);
        if (to <= from) continue;
        MemberLoad flexible = x;
        if (from != a || to != b) {
            flexible.qa = {q(from), {}};
            flexible.qb = {q(to), {}};
        }
        flexible.a = {from - ri, {}};
        flexible.b = {to - ri, {}};
        out->push_back(flexible);
    }
}

}  // namespace corvane
