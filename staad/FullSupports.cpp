// The full conversion's supports (restraints with springs, inclined
// supports, inactive directions, area springs), member releases with
// partial fixity, rigid end offsets and constraints.
#include "staad/FullBlocks.h"
#include "staad/Lists.h"
#include "text/NumberText.h"

namespace corvane {

namespace {

constexpr double kPerDegree = 3.14159265358979323846 / 180;

// STAAD.Pro's degrees of freedom in its order, their release and spring
// words.
constexpr const char* kFree[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};
constexpr const char* kSpring[6] = {"KFX", "KFY", "KFZ", "KMX", "KMY", "KMZ"};
// Where each SAP2000 global direction (UX UY UZ RX RY RZ) lands among
// STAAD.Pro's: Y and Z exchange places.
constexpr int kGlobalToStaad[6] = {0, 2, 1, 3, 5, 4};

// The support condition from held directions and springs (both in
// STAAD.Pro's order); empty when the joint is not supported at all.
std::string Condition(const std::array<bool, 6>& held, const std::array<double, 6>& spring) {
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
        if (!held[d] && spring[d] == 0) text += std::string(" ") + kFree[d];
    for (int d = 0; d < 6; ++d)
        if (!held[d] && spring[d] != 0) text += std::string(" ") + kSpring[d] + " " + NumberToText(spring[d]);
    return text;
}

// A component of a unit vector, to 12 decimals: enough for any direction,
// and the same text for values that differ only by round-off.
std::string Component(double v) { return Number(std::round(v * 1e12) / 1e12); }

bool Parallel(Vec3 a, Vec3 b) { return std::fabs(Dot(Unit(a), Unit(b))) > 1 - 1e-6; }

}  // namespace

void WriteFullSupports(StaadContext& c) {
    const Model& m = c.model;
    const FullLinks& f = c.links.full;
    const Table& joints = m[TableId::Joints];
    const Table& restraints = m[TableId::Restraints];
    const Table& springs = m[TableId::JointSprings];
    const Table& axes = m[TableId::JointLocalAxes];
    TextGroups groups;
    for (std::size_t j = 0; j < joints.rows(); ++j) {
        if (c.links.joints.Find(joints, j, JointCol::Joint) != static_cast<std::int64_t>(j)) continue;
        // In SAP2000's order UX UY UZ RX RY RZ, in the joint's own axes.
        std::array<bool, 6> held{};
        std::array<double, 6> spring{};
        const std::int64_t r = f.restraints.Find(joints, j, JointCol::Joint);
        for (int d = 0; r != NameIndex::kNone && d < 6; ++d) held[d] = restraints.Is(static_cast<std::size_t>(r), RestraintCol::ux + d, "Yes");
        const std::int64_t s = f.jointSprings.Find(joints, j, JointCol::Joint);
        if (s != NameIndex::kNone) {
            const std::size_t row = static_cast<std::size_t>(s);
            const std::string system = Word(springs, row, JointSpringCol::CoordSys);
            if (system == "GLOBAL" || system == "LOCAL") {
                for (int d = 0; d < 6; ++d) {
                    const double k = TextToNumber(springs.View(row, JointSpringCol::U1 + d));
                    spring[d] = std::isfinite(k) ? (d >= 3 ? k * kPerDegree : k) : 0;
                }
            } else if (c.report) {
                c.report->Add(ReportKind::CoordinateSystemUnsupported, "JOINT SPRING ASSIGNMENTS 1 - UNCOUPLED",
                              "joint " + springs.Text(row, JointSpringCol::Joint), springs.Text(row, JointSpringCol::CoordSys));
            }
        }
        if (f.holdInactive)
            for (int d = 0; d < 6; ++d) held[d] = held[d] || !f.active[d];

        std::array<Vec3, 3> local{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
        bool inclined = false;
        const std::int64_t a = f.jointLocalAxes.Find(joints, j, JointCol::Joint);
        if (a != NameIndex::kNone) {
            const std::size_t row = static_cast<std::size_t>(a);
            const double angles[3] = {TextToNumber(axes.View(row, JointLocalAxesCol::AngleA)),
                                      TextToNumber(axes.View(row, JointLocalAxesCol::AngleB)),
                                      TextToNumber(axes.View(row, JointLocalAxesCol::AngleC))};
            inclined = (angles[0] != 0 || angles[1] != 0 || angles[2] != 0) && std::isfinite(angles[0] + angles[1] + angles[2]);
            if (inclined) local = JointAxes(angles[0], angles[1], angles[2]);
        }

        std::array<bool, 6> staadHeld{};
        std::array<double, 6> staadSpring{};
        std::string text;
        if (inclined) {
            // STAAD.Pro's inclined support: x toward the reference vector (the
            // joint's local 1), y and z as for a member along it.
            const Vec3 x = ToStaad(local[0]);
            const auto yz = StaadCrossAxes(x);
            int order[6] = {0, 1, 2, 3, 4, 5};
            if (!Parallel(local[1], FromStaad(yz[0]))) {
                if (Parallel(local[1], FromStaad(yz[1]))) {
                    order[1] = 2, order[2] = 1, order[4] = 5, order[5] = 4;
                } else if ((held[1] != held[2] || held[4] != held[5] || spring[1] != spring[2] || spring[4] != spring[5]) && c.report) {
                    c.report->Add(ReportKind::InclinedAxesDiffer, "JOINT LOCAL AXES ASSIGNMENTS 1 - TYPICAL", joints.Text(j, JointCol::Joint),
                                  "restraints or springs");
                }
            }
            for (int d = 0; d < 6; ++d) {
                staadHeld[order[d]] = held[d];
                staadSpring[order[d]] = spring[d];
            }
            const std::string condition = Condition(staadHeld, staadSpring);
            if (condition.empty()) continue;
            text = "INCLINED " + Component(x.x) + " " + Component(x.y) + " " + Component(x.z) + " " + condition;
        } else {
            for (int d = 0; d < 6; ++d) {
                staadHeld[kGlobalToStaad[d]] = held[d];
                staadSpring[kGlobalToStaad[d]] = spring[d];
            }
            text = Condition(staadHeld, staadSpring);
            if (text.empty()) continue;
        }
        groups.Add(static_cast<std::uint32_t>(j), text);
    }
    groups.Finish();
    std::string line;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        line.clear();
        if (AppendNameList(line, c.links, NameKind::Joint, joints, JointCol::Joint, groups.Rows(g))) c.out.Line(line + std::string(groups.Text(g)));
    }

    // Area springs normal to a horizontal area: a subgrade modulus.
    const Table& areaSprings = m[TableId::AreaSprings];
    const Table& areas = m[TableId::Areas];
    TextGroups subgrade;
    for (std::size_t r = 0; r < areaSprings.rows(); ++r) {
        const std::string face = Word(areaSprings, r, AreaSpringCol::Face), dir = Word(areaSprings, r, AreaSpringCol::Dir),
                          type = Word(areaSprings, r, AreaSpringCol::Type), simple = Word(areaSprings, r, AreaSpringCol::SimpleType);
        bool normal = (face.empty() || face == "TOP" || face == "BOTTOM") &&
                      (dir.empty() || dir == "INWARD" || dir == "OUTWARD" || dir.find("NORMAL") != std::string::npos) &&
                      (type.empty() || type == "SIMPLE") && simple.find("ONLY") == std::string::npos;
        const std::int64_t area = c.links.areas.Find(areaSprings, r, AreaSpringCol::Area);
        if (normal && area != NameIndex::kNone) {
            Vec3 p[3];
            for (int k = 0; k < 3 && normal; ++k) normal = JointOf(c, areas, static_cast<std::size_t>(area), AreaCol::Joint1 + k, &p[k]);
            if (normal) {
                const Vec3 n = Cross(p[1] - p[0], p[2] - p[0]);
                normal = Norm(n) > 0 && std::hypot(n.x, n.y) / Norm(n) < 1e-3;
            }
        }
        const double k = TextToNumber(areaSprings.View(r, AreaSpringCol::Stiffness));
        if (!normal || area == NameIndex::kNone || !std::isfinite(k)) {
            if (c.report)
                c.report->Add(ReportKind::AreaSpringUnsupported, "AREA SPRING ASSIGNMENTS", areaSprings.Text(r, AreaSpringCol::Area),
                              areaSprings.Text(r, AreaSpringCol::Face) + " " + areaSprings.Text(r, AreaSpringCol::Dir));
            continue;
        }
        subgrade.Add(static_cast<std::uint32_t>(r), "PLATE MAT DIR Y SUBGRADE " + NumberToText(k));
    }
    subgrade.Finish();
    for (std::size_t g = 0; g < subgrade.size(); ++g) {
        line.clear();
        if (AppendElementList(line, c.links, areaSprings, AreaSpringCol::Area, subgrade.Rows(g))) c.out.Line(line + std::string(subgrade.Text(g)));
    }
}

void WriteFullReleases(StaadContext& c) {
    const Table& r = c.model[TableId::Releases];
    const Table& partial = c.model[TableId::ReleasePartial];
    // SAP2000's P V2 V3 T M2 M3 are STAAD.Pro's FX FY FZ MX MY MZ: its
    // member axes are SAP2000's once BETA is written.
    static constexpr struct {
        int first, partialFirst;
        const char* word;
    } kEnds[2] = {{ReleaseFullCol::PI, ReleasePartialCol::PI, "START"}, {ReleaseFullCol::PJ, ReleasePartialCol::PJ, "END"}};
    // Release columns of one end in the order P V2 V3 T M2 M3.
    const auto columnOf = [](int end, int d) {
        static constexpr int kI[6] = {ReleaseFullCol::PI, ReleaseFullCol::V2I, ReleaseFullCol::V3I, ReleaseFullCol::TI, ReleaseCol::M2I, ReleaseCol::M3I};
        static constexpr int kJ[6] = {ReleaseFullCol::PJ, ReleaseFullCol::V2J, ReleaseFullCol::V3J, ReleaseFullCol::TJ, ReleaseCol::M2J, ReleaseCol::M3J};
        return end == 0 ? kI[d] : kJ[d];
    };
    std::string line;
    for (int end = 0; end < 2; ++end) {
        TextGroups groups;
        for (std::size_t i = 0; i < r.rows(); ++i) {
            const std::int64_t p = c.links.full.partialFixity.Find(r, i, ReleaseCol::Frame);
            std::string released, springs;
            for (int d = 0; d < 6; ++d) {
                if (!r.Is(i, columnOf(end, d), "Yes")) continue;
                double k = 0;
                if (p != NameIndex::kNone) k = TextToNumber(partial.View(static_cast<std::size_t>(p), kEnds[end].partialFirst + d));
                if (k != 0 && std::isfinite(k)) springs += std::string(" ") + kSpring[d] + " " + NumberToText(d >= 3 ? k * kPerDegree : k);
                else released += std::string(" ") + kFree[d];
            }
            if (released.empty() && springs.empty()) continue;
            groups.Add(static_cast<std::uint32_t>(i), kEnds[end].word + released + springs);
        }
        groups.Finish();
        for (std::size_t g = 0; g < groups.size(); ++g) {
            line.clear();
            if (AppendNameList(line, c.links, NameKind::Member, r, ReleaseCol::Frame, groups.Rows(g))) c.out.Line(line + std::string(groups.Text(g)));
        }
    }
}

void WriteMemberOffsets(StaadContext& c) {
    const Table& o = c.model[TableId::FrameOffsets];
    TextGroups starts, ends;
    for (std::size_t r = 0; r < o.rows(); ++r) {
        if (Word(o, r, FrameOffsetCol::Type) != "USER") continue;
        // The rigid part of each end offset, along the member.
        const double factor = TextToNumber(o.View(r, FrameOffsetCol::RigidFactor));
        const double i = factor * TextToNumber(o.View(r, FrameOffsetCol::LengthI));
        const double j = factor * TextToNumber(o.View(r, FrameOffsetCol::LengthJ));
        if (i != 0 && std::isfinite(i)) starts.Add(static_cast<std::uint32_t>(r), "START " + NumberToText(i) + " 0 0 LOCAL");
        if (j != 0 && std::isfinite(j)) ends.Add(static_cast<std::uint32_t>(r), "END " + NumberToText(-j) + " 0 0 LOCAL");
    }
    starts.Finish();
    ends.Finish();
    if (starts.size() + ends.size() == 0) return;
    c.out.Line("MEMBER OFFSET");
    std::string line;
    for (TextGroups* groups : {&starts, &ends})
        for (std::size_t g = 0; g < groups->size(); ++g) {
            line.clear();
            if (AppendNameList(line, c.links, NameKind::Member, o, FrameOffsetCol::Frame, groups->Rows(g)))
                c.out.Line(line + std::string(groups->Text(g)));
        }
}

void WriteSlaves(StaadContext& c) {
    const Table& assigns = c.model[TableId::JointConstraints];
    const Table& joints = c.model[TableId::Joints];
    std::string line, scratch;
    for (const SlaveGroup& g : c.links.full.slaves) {
        line = "SLAVE " + g.directions + " MASTER ";
        line += c.links.OwnName(NameKind::Joint, joints, g.master, JointCol::Joint, scratch);
        line += " JOINT ";
        if (!AppendNameList(line, c.links, NameKind::Joint, assigns, JointConstraintCol::Joint, g.slaves)) continue;
        while (!line.empty() && line.back() == ' ') line.pop_back();
        c.out.Line(line);
    }
}

}  // namespace corvane
