#include "structure/Masses.h"

#include <cmath>

namespace corvane {

namespace {

Vec3 At(const Structure& s, std::uint32_t joint) {
    const Joint& j = s.joints[joint];
    return Position(j);
}

bool Valid(const Structure& s, std::uint32_t joint) { return joint != kNoItem && s.joints[joint].valid; }

// The area each corner of a shell carries: the integral of its shape
// function (bilinear for four corners), by Gauss points.
void CornerAreas(const Structure& s, const Shell& shell, double (&share)[4]) {
    Vec3 p[4];
    for (int k = 0; k < shell.corners; ++k) p[k] = At(s, shell.joints[k]);
    if (shell.corners == 3) {
        const double area = Norm(Cross(p[1] - p[0], p[2] - p[0])) / 2;
        for (int k = 0; k < 3; ++k) share[k] = area / 3;
        share[3] = 0;
        return;
    }
    static constexpr double kXi[4] = {-1, 1, 1, -1}, kEta[4] = {-1, -1, 1, 1};
    const double g = 1 / std::sqrt(3.0);
    for (double& a : share) a = 0;
    for (double xi : {-g, g})
        for (double eta : {-g, g}) {
            Vec3 dXi, dEta;
            for (int k = 0; k < 4; ++k) {
                dXi = dXi + (kXi[k] * (1 + eta * kEta[k]) / 4) * p[k];
                dEta = dEta + (kEta[k] * (1 + xi * kXi[k]) / 4) * p[k];
            }
            const double jacobian = Norm(Cross(dXi, dEta));
            for (int k = 0; k < 4; ++k) share[k] += (1 + xi * kXi[k]) * (1 + eta * kEta[k]) / 4 * jacobian;
        }
}

// The volume each corner of a solid carries.
void CornerVolumes(const Structure& s, const Solid& solid, double (&share)[8]) {
    static constexpr double kXi[8] = {-1, 1, 1, -1, -1, 1, 1, -1}, kEta[8] = {-1, -1, 1, 1, -1, -1, 1, 1},
                            kZeta[8] = {-1, -1, -1, -1, 1, 1, 1, 1};
    Vec3 p[8];
    for (int k = 0; k < 8; ++k) p[k] = At(s, solid.joints[k]);
    const double g = 1 / std::sqrt(3.0);
    for (double& v : share) v = 0;
    for (double xi : {-g, g})
        for (double eta : {-g, g})
            for (double zeta : {-g, g}) {
                Vec3 d[3];
                for (int k = 0; k < 8; ++k) {
                    d[0] = d[0] + (kXi[k] * (1 + eta * kEta[k]) * (1 + zeta * kZeta[k]) / 8) * p[k];
                    d[1] = d[1] + (kEta[k] * (1 + xi * kXi[k]) * (1 + zeta * kZeta[k]) / 8) * p[k];
                    d[2] = d[2] + (kZeta[k] * (1 + xi * kXi[k]) * (1 + eta * kEta[k]) / 8) * p[k];
                }
                const double jacobian = std::fabs(Dot(Cross(d[0], d[1]), d[2]));
                for (int k = 0; k < 8; ++k) share[k] += (1 + xi * kXi[k]) * (1 + eta * kEta[k]) * (1 + zeta * kZeta[k]) / 8 * jacobian;
            }
}

void AddTranslation(std::vector<DofValues>& out, std::uint32_t joint, double mass) {
    for (int d = 0; d < 3; ++d) out[joint][d] += mass;
}

}  // namespace

double SectionArea(const FrameSection& section) {
    if (!section.properties[kArea].text.empty()) return section.properties[kArea].value;
    if (section.profile == Profile::Rectangle) return section.depth.value * section.width.value;
    if (section.profile == Profile::Circle) return kPi * section.depth.value * section.depth.value / 4;
    return 0;
}

namespace {

// The masses of the members, shells and solids lumped at their joints:
// their own (when `elements`; per volume `density` of their material,
// times the item's `memberScale` or `shellScale`) and their added masses
// (when `added`); half a member's to each end, a shell's or solid's by the
// area or volume each corner carries.
template <class Density, class MemberScale, class ShellScale>
void AddItemMasses(const Structure& s, bool elements, bool added, Density density, MemberScale memberScale, ShellScale shellScale,
                   std::vector<DofValues>& out) {
    for (const Member& m : s.members) {
        if (!Valid(s, m.i) || !Valid(s, m.j)) continue;
        double perLength = added ? m.addedMass : 0;
        if (elements && m.section != kNoItem) perLength += density(m.material) * SectionArea(s.frameSections[m.section]) * memberScale(m);
        const double half = perLength * Norm(At(s, m.j) - At(s, m.i)) / 2;
        AddTranslation(out, m.i, half);
        AddTranslation(out, m.j, half);
    }
    for (const Shell& shell : s.shells) {
        if (shell.corners == 0) continue;
        bool complete = true;
        for (int k = 0; k < shell.corners; ++k) complete = complete && Valid(s, shell.joints[k]);
        if (!complete) continue;
        double perArea = added ? shell.addedMass : 0;
        if (elements && shell.section != kNoItem) {
            const ShellSection& section = s.shellSections[shell.section];
            perArea += density(section.material) * section.thickness.value * shellScale(shell);
        }
        if (perArea == 0) continue;
        double share[4];
        CornerAreas(s, shell, share);
        for (int k = 0; k < shell.corners; ++k) AddTranslation(out, shell.joints[k], perArea * share[k]);
    }
    for (const Solid& solid : s.solids) {
        if (!elements || !solid.complete || density(solid.material) == 0) continue;
        double share[8];
        CornerVolumes(s, solid, share);
        for (int k = 0; k < 8; ++k) AddTranslation(out, solid.joints[k], density(solid.material) * share[k]);
    }
}

// The weight along gravity (-Z) of one load pattern's loads, lumped at the
// joints, added to `out` as mass (weight over g) times the factor.
void AddPatternMass(const Structure& s, const LoadPattern& p, double scale, std::vector<DofValues>& out) {
    const auto down = [](const Direction& d, const Member* m) {
        Vec3 v = d.vector;
        if (d.axes == LoadAxes::Local && m) v = d.vector.x * m->axes[0] + d.vector.y * m->axes[1] + d.vector.z * m->axes[2];
        else if (d.axes == LoadAxes::Local) return 0.0;
        return -v.z;
    };
    if (p.selfWeightGiven) {
        // The weight the model counts: unit weight times the weight
        // modifiers over the area STAAD.Pro is given.
        std::vector<DofValues> w(s.joints.size(), DofValues{});
        AddItemMasses(
            s, true, false,
            [&](std::uint32_t material) { return material == kNoItem ? 0.0 : s.materials[material].weightDensity.value * p.selfWeight.value; },
            [&](const Member& m) { return m.weightScale * (m.section == kNoItem ? 1 : s.frameSections[m.section].modifiers[kArea]) * m.modifiers[kArea]; },
            [](const Shell& sh) { return sh.weightScale; }, w);
        for (std::size_t k = 0; k < out.size(); ++k) AddTranslation(out, static_cast<std::uint32_t>(k), w[k][0] * scale);
    }
    for (const JointLoad& x : p.jointLoads) AddTranslation(out, x.joint, -x.components[2].value * scale);
    for (const MemberLoad& x : p.memberLoads) {
        const Member& m = s.members[x.member];
        if (x.kind != LoadKind::Force || !Valid(s, m.i) || !Valid(s, m.j) || !m.hasAxes) continue;
        const double length = Norm(At(s, m.j) - At(s, m.i));
        const double along = down(x.direction, &m);
        if (length == 0 || along == 0) continue;
        // Simple-beam reactions of the load.
        double total, moment;
        if (x.concentrated) {
            total = x.qa.value;
            moment = x.qa.value * x.a.value;
        } else {
            const double a = x.a.value, b = x.b.value;
            total = (x.qa.value + x.qb.value) / 2 * (b - a);
            moment = (b - a) * (x.qa.value * (2 * a + b) + x.qb.value * (a + 2 * b)) / 6;
        }
        double perLength = 1;
        if (x.direction.axes == LoadAxes::Projected) perLength = std::sqrt(std::max(0.0, 1 - Dot(m.axes[0], x.direction.vector) * Dot(m.axes[0], x.direction.vector)));
        AddTranslation(out, m.j, moment / length * along * perLength * scale);
        AddTranslation(out, m.i, (total - moment / length) * along * perLength * scale);
    }
    for (const ShellLoad& x : p.shellLoads) {
        const Shell& sh = s.shells[x.shell];
        if (x.direction.axes != LoadAxes::Global || sh.corners == 0) continue;
        bool complete = true;
        for (int k = 0; k < sh.corners; ++k) complete = complete && Valid(s, sh.joints[k]);
        if (!complete) continue;
        double share[4];
        CornerAreas(s, sh, share);
        for (int k = 0; k < sh.corners; ++k) AddTranslation(out, sh.joints[k], x.value.value * down(x.direction, nullptr) * share[k] * scale);
    }
}

}  // namespace

std::vector<DofValues> LumpedMasses(const Structure& s, double g) {
    std::vector<DofValues> out(s.joints.size(), DofValues{});
    AddItemMasses(
        s, s.mass.elements, s.mass.added, [&](std::uint32_t material) { return material == kNoItem ? 0.0 : s.materials[material].massDensity; },
        [](const Member& m) { return m.massScale; }, [](const Shell& sh) { return sh.massScale; }, out);
    for (const JointMass& x : s.jointMasses)
        if (x.element ? s.mass.elements : s.mass.added)
            for (int d = 0; d < 6; ++d) out[x.joint][d] += x.mass[d];
    if (g > 0) {
        std::vector<DofValues> weights(s.joints.size(), DofValues{});
        for (const auto& [pattern, factor] : s.mass.patterns) AddPatternMass(s, s.patterns[pattern], factor, weights);
        // A joint's weight, summed over its loads, is its mass along every
        // direction.
        for (std::size_t k = 0; k < out.size(); ++k) AddTranslation(out, static_cast<std::uint32_t>(k), std::fabs(weights[k][0]) / g);
    }
    return out;
}

}  // namespace corvane
