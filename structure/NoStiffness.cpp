// Members whose stiffness modifiers are all 0. The model analyses such a
// member (a dummy that only carries loads to its joints) with no stiffness
// at all: its loads reach its joints as the end forces of the loaded beam,
// its weight and mass go to its ends. An output program takes no member
// without stiffness (a zero property is rejected or makes the structure
// singular), so the member is left out and what it carries becomes joint
// loads and joint masses.
#include "structure/NoStiffness.h"

#include "structure/BeamLoads.h"
#include "structure/Masses.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvane {

namespace {

constexpr TableId kFrames = TableId::Frames;

bool WithoutStiffness(const Structure& s, const Member& m) {
    if (m.section == kNoItem) return false;
    const Modifiers& section = s.frameSections[m.section].modifiers;
    for (int k = 0; k < 6; ++k)
        if (m.modifiers[k] * section[k] != 0) return false;
    return true;
}

// A unit prismatic beam without shear deformation: its end forces of a
// load do not depend on how stiff it is, only on its length, and stay
// those of the beam however small its stiffness becomes.
BeamStiffness UnitBeam(double length) {
    BeamStiffness b;
    b.length = length;
    b.bending2 = b.bending3 = 1;
    return b;
}

// The 12 x 12 stiffness of that beam in its axes (E A = G J = E I = 1),
// ends I then J, each F1 F2 F3 M1 M2 M3.
std::array<std::array<double, 12>, 12> UnitStiffness(double L) {
    std::array<std::array<double, 12>, 12> k{};
    const auto put = [&k](int a, int b, double v) {
        k[a][b] += v;
        if (a != b) k[b][a] += v;
    };
    for (int d : {0, 3}) {
        put(d, d, 1 / L);
        put(d + 6, d + 6, 1 / L);
        put(d, d + 6, -1 / L);
    }
    // Plane 1-2: deflection 1/7, rotation 5/11; plane 1-3: deflection 2/8,
    // rotation 4/10 with the opposite sense.
    for (int plane = 0; plane < 2; ++plane) {
        const int v = plane == 0 ? 1 : 2, r = plane == 0 ? 5 : 4;
        const double s = plane == 0 ? 1 : -1;
        const double L2 = L * L, L3 = L2 * L;
        put(v, v, 12 / L3);
        put(v + 6, v + 6, 12 / L3);
        put(v, v + 6, -12 / L3);
        put(v, r, s * 6 / L2);
        put(v, r + 6, s * 6 / L2);
        put(v + 6, r, -s * 6 / L2);
        put(v + 6, r + 6, -s * 6 / L2);
        put(r, r, 4 / L);
        put(r + 6, r + 6, 4 / L);
        put(r, r + 6, 2 / L);
    }
    return k;
}

// The end forces with the released directions condensed out: what a
// released end cannot take goes to the directions that hold (static
// condensation, Gauss elimination over the released directions).
EndLoads Condensed(EndLoads f, const Member& m, double length) {
    std::array<int, 12> released{};
    int count = 0;
    for (int e = 0; e < 2; ++e)
        for (int d = 0; d < 6; ++d)
            if (m.ends[e].released[d]) released[count++] = 6 * e + d;
    if (count == 0) return f;
    auto k = UnitStiffness(length);
    for (int n = 0; n < count; ++n) {
        const int r = released[n];
        const double pivot = k[r][r];
        if (std::fabs(pivot) < 1e-12) continue;  // a mechanism: nothing moves through it
        for (int i = 0; i < 12; ++i) {
            if (i == r || k[i][r] == 0) continue;
            const double factor = k[i][r] / pivot;
            for (int j = 0; j < 12; ++j) k[i][j] -= factor * k[r][j];
            f[i] -= factor * f[r];
        }
        for (int j = 0; j < 12; ++j) k[r][j] = 0;
        f[r] = 0;
    }
    return f;
}

class Dropper {
public:
    Dropper(Structure& s, Report* report) : s_(s), report_(report) {}

    void Run() {
        drop_.assign(s_.members.size(), false);
        bool any = false;
        for (std::uint32_t k = 0; k < s_.members.size(); ++k) {
            const Member& m = s_.members[k];
            drop_[k] = WithoutStiffness(s_, m) && m.i != kNoItem && m.j != kNoItem && s_.joints[m.i].valid && s_.joints[m.j].valid && m.hasAxes;
            any = any || drop_[k];
        }
        if (!any) return;
        for (LoadPattern& p : s_.patterns) CarryLoads(p);
        CarryMasses();
        Tell();
        Remove();
    }

private:
    double Length(const Member& m) const { return Norm(Position(s_.joints[m.j]) - Position(s_.joints[m.i])); }

    // The end forces of a load on the member, in global axes, added to
    // what its joints take in the pattern.
    void AddEnds(const Member& m, const EndLoads& local, Origin origin) {
        const EndLoads f = Condensed(local, m, Length(m));
        for (int e = 0; e < 2; ++e) {
            const auto global = [&](int at) { return f[at] * m.axes[0] + f[at + 1] * m.axes[1] + f[at + 2] * m.axes[2]; };
            const Vec3 force = global(6 * e), moment = global(6 * e + 3);
            const std::uint32_t joint = e == 0 ? m.i : m.j;
            auto [at, added] = pending_.try_emplace(joint, order_.size());
            if (added) order_.push_back({origin, joint, {}});
            std::array<double, 6>& sum = order_[at->second].sum;
            const double v[6] = {force.x, force.y, force.z, moment.x, moment.y, moment.z};
            for (int d = 0; d < 6; ++d) sum[d] += v[d];
        }
    }

    // One joint load per joint, in the order the joints were first loaded;
    // what rounding leaves of a force that cancels is no force.
    void Flush(LoadPattern& p) {
        for (const Pending& x : order_) {
            JointLoad load;
            load.origin = x.origin;
            load.joint = x.joint;
            double largest = 0;
            for (double v : x.sum) largest = std::max(largest, std::fabs(v));
            bool any = false;
            for (int d = 0; d < 6; ++d) {
                const double v = std::fabs(x.sum[d]) <= 1e-12 * largest ? 0.0 : x.sum[d];
                load.components[d] = {v, {}};
                any = any || v != 0;
            }
            if (any) p.jointLoads.push_back(load);
        }
        pending_.clear();
        order_.clear();
    }

    // The weight of a member per length, as the model weighs it.
    double WeightPerLength(const Member& m) const {
        if (m.material == kNoItem) return 0;
        return s_.materials[m.material].weightDensity.value * SectionArea(s_.frameSections[m.section]) * m.weightScale;
    }

    void Uniform(const Member& m, Vec3 perLength, Origin origin) {
        const double L = Length(m);
        const Vec3 q = DirectionInMember(m, {LoadAxes::Global, perLength});
        AddEnds(m, EquivalentEndLoads(UnitBeam(L), false, false, q, q, 0, L), origin);
    }

    void CarryLoads(LoadPattern& p) {
        std::vector<MemberLoad> kept;
        kept.reserve(p.memberLoads.size());
        for (const MemberLoad& x : p.memberLoads) {
            if (!drop_[x.member]) {
                kept.push_back(x);
                continue;
            }
            const Member& m = s_.members[x.member];
            const double L = Length(m);
            const Vec3 dir = DirectionInMember(m, x.direction);
            const double a = x.whole ? 0 : x.a.value, b = x.whole ? L : x.b.value;
            // Positions that are no numbers were reported when read; such a
            // load reaches no joint rather than making its joints' sums no
            // numbers.
            if (!std::isfinite(a) || !std::isfinite(b)) continue;
            AddEnds(m, EquivalentEndLoads(UnitBeam(L), x.kind == LoadKind::Moment, x.concentrated, x.qa.value * dir, x.qb.value * dir, a, b),
                    x.origin);
        }
        p.memberLoads.swap(kept);

        // Self weight: of the whole model along -Z, and of single members
        // along given multipliers.
        if (p.selfWeightGiven && p.selfWeight.value != 0)
            for (std::uint32_t k = 0; k < s_.members.size(); ++k) {
                if (!drop_[k]) continue;
                const double w = WeightPerLength(s_.members[k]) * p.selfWeight.value;
                if (w != 0) Uniform(s_.members[k], {0, 0, -w}, p.origin);
            }
        std::vector<GravityLoad> gravity;
        for (const GravityLoad& g : p.gravity) {
            if (g.shell || !drop_[g.item]) {
                gravity.push_back(g);
                continue;
            }
            const double w = WeightPerLength(s_.members[g.item]);
            const Vec3 q = {w * g.multipliers[0].value, w * g.multipliers[1].value, w * g.multipliers[2].value};
            if (w != 0) Uniform(s_.members[g.item], q, g.origin);
        }
        p.gravity.swap(gravity);
        // A temperature change of a member without stiffness makes no force.
        p.temperatures.erase(std::remove_if(p.temperatures.begin(), p.temperatures.end(),
                                            [this](const TemperatureLoad& t) { return !t.shell && drop_[t.item]; }),
                             p.temperatures.end());
        Flush(p);
    }

    // The member's mass, half to each end, as joint masses that count as
    // the member's did.
    void CarryMasses() {
        for (std::uint32_t k = 0; k < s_.members.size(); ++k) {
            if (!drop_[k]) continue;
            const Member& m = s_.members[k];
            const double density = m.material == kNoItem ? 0 : s_.materials[m.material].massDensity;
            const double own = density * SectionArea(s_.frameSections[m.section]) * m.massScale;
            const double L = Length(m);
            for (bool element : {true, false}) {
                const double half = (element ? own : m.addedMass) * L / 2;
                if (half == 0) continue;
                for (std::uint32_t joint : {m.i, m.j}) {
                    JointMass x;
                    x.origin = m.origin;
                    x.joint = joint;
                    x.mass[0] = x.mass[1] = x.mass[2] = half;
                    x.element = element;
                    s_.jointMasses.push_back(x);
                }
            }
        }
    }

    void Tell() {
        if (!report_) return;
        const std::string_view table = Describe(kFrames).sapName;
        for (std::uint32_t k = 0; k < s_.members.size(); ++k)
            if (drop_[k]) report_->Add(ReportKind::MemberWithoutStiffness, table, std::string(s_.members[k].name));
    }

    // Takes the members out, and renumbers the items that point at the
    // others.
    void Remove() {
        std::vector<std::uint32_t> moved(s_.members.size(), kNoItem);
        std::uint32_t next = 0;
        for (std::uint32_t k = 0; k < s_.members.size(); ++k) {
            if (drop_[k]) continue;
            moved[k] = next;
            if (next != k) s_.members[next] = std::move(s_.members[k]);
            ++next;
        }
        s_.members.resize(next);
        for (LoadPattern& p : s_.patterns) {
            for (MemberLoad& x : p.memberLoads) x.member = moved[x.member];
            for (GravityLoad& g : p.gravity)
                if (!g.shell) g.item = moved[g.item];
            for (TemperatureLoad& t : p.temperatures)
                if (!t.shell) t.item = moved[t.item];
        }
        const auto keep = [&](std::vector<Structure::Assignment>& list) {
            std::vector<Structure::Assignment> out;
            out.reserve(list.size());
            for (Structure::Assignment a : list)
                if (moved[a.item] != kNoItem) out.push_back({moved[a.item], a.section, a.material});
            list.swap(out);
        };
        keep(s_.memberAssignments);
        std::vector<FrameMesh> meshes;
        for (FrameMesh x : s_.frameMeshes) {
            if (moved[x.member] == kNoItem) continue;
            x.member = moved[x.member];
            meshes.push_back(x);
        }
        s_.frameMeshes.swap(meshes);
    }

    struct Pending {
        Origin origin;
        std::uint32_t joint;
        std::array<double, 6> sum;
    };

    Structure& s_;
    Report* report_;
    std::vector<bool> drop_;
    std::unordered_map<std::uint32_t, std::size_t> pending_;  // joint -> its place in order_
    std::vector<Pending> order_;
};

}  // namespace

void LeaveOutMembersWithoutStiffness(Structure& s, Report* report) { Dropper(s, report).Run(); }

}  // namespace corvane
