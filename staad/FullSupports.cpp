// The full conversion's supports (restraints with springs, inclined
// supports, inactive directions, springs under plates), member releases
// with partial fixity, rigid end offsets and constraints.
#include "staad/FullBlocks.h"

#include <cmath>

namespace corvane {

namespace {

// STAAD.Pro's release and spring words in its order FX FY FZ MX MY MZ;
// rotational springs are per degree.
constexpr const char* kSpring[6] = {"KFX", "KFY", "KFZ", "KMX", "KMY", "KMZ"};
constexpr double kPerDegree = kRadiansPerDegree;

// The support condition from held directions and springs (both in
// STAAD.Pro's order); empty when the joint is not supported at all.
std::string Condition(const DofFlags& held, const DofValues& spring) {
    bool any = false, all = true, springs = false;
    for (int d = 0; d < 6; ++d) {
        any = any || held[d] || spring[d] != 0;
        all = all && held[d];
        springs = springs || (!held[d] && spring[d] != 0);
    }
    if (!any) return {};
    if (all) return "FIXED";
    if (!springs && held[0] && held[1] && held[2] && !held[3] && !held[4] && !held[5]) return "PINNED";
    std::string text = "FIXED BUT";
    for (int d = 0; d < 6; ++d)
        if (!held[d] && spring[d] == 0) text += std::string(" ") + kDofWords[d];
    for (int d = 0; d < 6; ++d)
        if (!held[d] && spring[d] != 0) text += std::string(" ") + kSpring[d] + " " + NumberToText(spring[d]);
    return text;
}

// A component of a unit vector, to 12 decimals: enough for any direction,
// and the same text for values that differ only by round-off.
std::string Component(double v) { return Number(std::round(v * 1e12) / 1e12); }

// The support text of a joint, or empty when it has none; a second line
// when the joint's moved directions are enforced and it has springs too
// (an enforced support takes no springs).
std::string SupportOf(const FullContext& c, const Joint& j, std::string* springLine) {
    DofFlags held = j.held;
    DofValues spring;
    for (int d = 0; d < 6; ++d) spring[d] = d >= 3 ? j.spring[d] * kPerDegree : j.spring[d];
    if (c.holdInactive)
        for (int d = 0; d < 6; ++d) held[d] = held[d] || !c.s.active[d];
    DofFlags staadHeld{};
    DofValues staadSpring{};
    if (!j.rotated) {
        for (int d = 0; d < 6; ++d) {
            staadHeld[kStaadDof[d].index] = held[d];
            staadSpring[kStaadDof[d].index] = spring[d];
        }
        const std::size_t k = static_cast<std::size_t>(&j - c.s.joints.data());
        if (k < c.enforced.size() && c.enforced[k]) {
            std::string text = "ENFORCED", free;
            bool any = false;
            for (int d = 0; d < 6; ++d) {
                if (!staadHeld[d]) free += std::string(" ") + kDofWords[d];
                any = any || staadSpring[d] != 0;
            }
            if (any) *springLine = Condition(DofFlags{}, staadSpring);
            return free.empty() ? text : text + " BUT" + free;
        }
        return Condition(staadHeld, staadSpring);
    }
    // STAAD.Pro's inclined support: x toward the reference vector (the
    // joint's local 1), y and z as for a member along it.
    const Vec3 x = ToStaad(j.axes[0]);
    const Axes3 yz = StaadCrossAxes(x);
    int order[6] = {0, 1, 2, 3, 4, 5};
    if (!Parallel(j.axes[1], FromStaad(yz[1]))) {
        if (Parallel(j.axes[1], FromStaad(yz[2]))) {
            order[1] = 2, order[2] = 1, order[4] = 5, order[5] = 4;
        } else if (held[1] != held[2] || held[4] != held[5] || spring[1] != spring[2] || spring[4] != spring[5]) {
            c.Add(ReportKind::InclinedAxesDiffer, "JOINT LOCAL AXES ASSIGNMENTS 1 - TYPICAL", std::string(j.name), "restraints or springs");
        }
    }
    for (int d = 0; d < 6; ++d) {
        staadHeld[order[d]] = held[d];
        staadSpring[order[d]] = spring[d];
    }
    const std::string condition = Condition(staadHeld, staadSpring);
    if (condition.empty()) return {};
    return "INCLINED " + Component(x.x) + " " + Component(x.y) + " " + Component(x.z) + " " + condition;
}

}  // namespace

void WriteFullSupports(FullContext& c) {
    const Structure& s = c.s;
    c.history.Append("Writing Support Information..........");
    c.out.Line("SUPPORTS");
    TextGroups groups;
    for (std::uint32_t k = 0; k < s.joints.size(); ++k) {
        std::string springs;
        const std::string text = SupportOf(c, s.joints[k], &springs);
        if (!text.empty()) groups.Add(k, text);
        if (!springs.empty()) groups.Add(k, springs);
    }
    WriteGroupLines(
        c, groups, [&](std::string& out, const Groups::Range& rows) { return AppendJoints(out, c, rows.size(), [&](std::size_t i) { return rows.begin()[i]; }); },
        nullptr, false);

    // Springs under a horizontal plate: a subgrade modulus.
    for (std::uint32_t k = 0; k < s.shellSprings.size(); ++k) {
        const ShellSpring& spring = s.shellSprings[k];
        const Shell& shell = s.shells[spring.shell];
        bool horizontal = shell.corners >= 3;
        Vec3 p[3];
        for (int i = 0; i < 3 && horizontal; ++i) {
            horizontal = shell.joints[i] != kNoItem;
            if (horizontal) {
                const Joint& j = s.joints[shell.joints[i]];
                p[i] = Position(j);
            }
        }
        if (horizontal) {
            const Vec3 n = Cross(p[1] - p[0], p[2] - p[0]);
            horizontal = Norm(n) > 0 && std::hypot(n.x, n.y) / Norm(n) < 1e-3;
        }
        if (!horizontal) {
            c.Add(ReportKind::AreaSpringUnsupported, "AREA SPRING ASSIGNMENTS", std::string(shell.name), "not horizontal");
            continue;
        }
        groups.Add(k, "PLATE MAT DIR Y SUBGRADE " + NumberToText(spring.stiffness));
    }
    WriteGroupLines(
        c, groups,
        [&](std::string& out, const Groups::Range& rows) {
            return AppendElements(out, c, rows.size(), [&](std::size_t i) { return s.shellSprings[rows.begin()[i]].shell; });
        },
        nullptr, false);
    c.history.Append(".......... Done ");
}

void WriteFullReleases(FullContext& c) {
    const Structure& s = c.s;
    c.history.Append("Writing Member Release Data..........");
    c.out.Line("MEMBER RELEASE");
    // The model's P V2 V3 T M2 M3 are STAAD.Pro's FX FY FZ MX MY MZ: its
    // member axes are the model's once BETA is written.
    static constexpr const char* kEnds[2] = {"START", "END"};
    const auto members = [&](std::string& out, const Groups::Range& rows) {
        return AppendMembers(out, c, rows.size(), [&](std::size_t i) { return rows.begin()[i]; });
    };
    TextGroups groups;
    // A truss's members are axial alone: they take no releases.
    for (int end = 0; end < 2 && c.type != StructureType::Truss; ++end) {
        for (std::uint32_t k = 0; k < s.members.size(); ++k) {
            const MemberEnd& e = s.members[k].ends[end];
            std::string released, springs;
            for (int d = 0; d < 6; ++d) {
                if (!e.released[d]) continue;
                const double spring = EndSpring(s, e, d);
                if (spring != 0) springs += std::string(" ") + kSpring[d] + " " + NumberToText(d >= 3 ? spring * kPerDegree : spring);
                else released += std::string(" ") + kDofWords[d];
            }
            if (released.empty() && springs.empty()) continue;
            groups.Add(k, kEnds[end] + released + springs);
        }
        WriteGroupLines(c, groups, members, nullptr, false);
    }

    // The rigid part of each end offset, along the member.
    TextGroups ends;
    for (std::uint32_t k = 0; k < s.members.size(); ++k) {
        const double i = s.members[k].ends[0].rigidLength, j = s.members[k].ends[1].rigidLength;
        // LOCAL comes before the distances: the member's axes at BETA 0,
        // so the offset lies along the member.
        if (i != 0) groups.Add(k, "START LOCAL " + NumberToText(i) + " 0 0");
        if (j != 0) ends.Add(k, "END LOCAL " + NumberToText(-j) + " 0 0");
    }
    groups.Finish();
    ends.Finish();
    if (groups.size() + ends.size() != 0) {
        c.out.Line("MEMBER OFFSET");
        WriteGroupLines(c, groups, members, nullptr, false);
        WriteGroupLines(c, ends, members, nullptr, false);
    }
    groups.Clear();
    ends.Clear();

    // Constraints: SLAVE RIGID for a whole body, a plane for a diaphragm,
    // else the tied directions.
    static constexpr struct {
        Vec3 axis;
        const char* plane;
    } kPlanes[] = {{{0, 0, 1}, "ZX"}, {{1, 0, 0}, "YZ"}, {{0, 1, 0}, "XY"}};
    std::string line;
    for (const Constraint& x : s.constraints) {
        std::string directions;
        bool all = true;
        for (bool t : x.tied) all = all && t;
        if (x.diaphragm) {
            for (const auto& p : kPlanes)
                if (Dot(p.axis, x.axis) == 1) directions = p.plane;
        } else if (all) {
            directions = "RIGID";
        } else {
            for (int staad = 0; staad < 6; ++staad)
                for (int d = 0; d < 6; ++d)
                    if (kStaadDof[d].index == staad && x.tied[d]) directions += std::string(directions.empty() ? "" : " ") + kDofWords[staad];
        }
        // STAAD.Pro takes no slave that is supported in a slaved direction:
        // such a joint keeps its support and stays out of the list.
        std::vector<std::uint32_t> slaves;
        for (std::uint32_t j : x.slaves) {
            bool supported = false;
            for (int d = 0; d < 6; ++d) supported = supported || (x.tied[d] && (s.joints[j].held[d] || s.joints[j].spring[d] != 0));
            if (!supported) slaves.push_back(j);
            else c.Add(ReportKind::ConstraintSupportedJoint, "JOINT CONSTRAINT ASSIGNMENTS", std::string(s.joints[j].name), directions);
        }
        line = "SLAVE " + directions + " MASTER " + std::to_string(s.joints[x.master].number) + " JOINT ";
        if (!AppendJoints(line, c, slaves.size(), [&](std::size_t i) { return slaves[i]; })) continue;
        while (!line.empty() && line.back() == ' ') line.pop_back();
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

}  // namespace corvane
