// The full conversion's loads: load types, gravity by direction, surface
// pressures, solid face pressures, temperatures, support displacements,
// joint loads in joint axes, and combinations of every additive kind.
#include "staad/FullBlocks.h"
#include "staad/Lists.h"
#include "text/NumberText.h"

namespace corvane {

namespace {

constexpr double kDegreesPerRadian = 180 / 3.14159265358979323846;

// SAP2000's design types and STAAD.Pro's load types; any other is None.
constexpr struct {
    std::string_view design, loadType;
} kLoadTypes[] = {
    {"DEAD", "Dead"},        {"SUPER DEAD", "Dead"},  {"LIVE", "Live"}, {"REDUCE LIVE", "Live REDUCIBLE"},
    {"ROOF LIVE", "Roof Live"}, {"WIND", "Wind"},     {"QUAKE", "Seismic-H"}, {"SNOW", "Snow"},
    {"TEMPERATURE", "Temperature"},
};

// SAP2000's gravity multipliers (X, Y, Z) as STAAD.Pro's self weight
// directions: X stays, Y is STAAD.Pro's -Z, Z is its Y.
constexpr struct {
    int col;
    const char* word;
    bool negate;
} kGravityParts[] = {{GravityLoadCol::MultiplierX, "X", false},
                     {GravityLoadCol::MultiplierY, "Z", true},
                     {GravityLoadCol::MultiplierZ, "Y", false}};

// The STAAD.Pro face of a SAP2000 solid face (both counted 1 to 6; both
// take a positive pressure as pushing into the solid).
constexpr int kSolidFaces[7] = {0, 6, 5, 3, 4, 1, 2};

// SAP2000's displacement components U1..R3 (global) as STAAD.Pro's
// directions; rotations are written in degrees.
constexpr struct {
    int col;
    const char* word;
    bool negate, rotation;
    int restraint;  // the restraint column that must hold the joint
} kDisplacements[] = {
    {GroundDisplacementCol::U1, "FX", false, false, RestraintCol::ux}, {GroundDisplacementCol::U2, "FZ", true, false, RestraintCol::uy},
    {GroundDisplacementCol::U3, "FY", false, false, RestraintCol::uz}, {GroundDisplacementCol::R1, "MX", false, true, RestraintCol::rx},
    {GroundDisplacementCol::R2, "MZ", true, true, RestraintCol::ry},   {GroundDisplacementCol::R3, "MY", false, true, RestraintCol::rz},
};

// Writes one line per text of the groups: the list (without its last
// blank), then the text.
template <class AppendList>
void WriteListLines(StaadContext& c, TextGroups& groups, AppendList appendList, const char* header = nullptr) {
    groups.Finish();
    std::string line;
    bool first = true;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        line.clear();
        if (!appendList(line, groups.Rows(g))) continue;
        if (first && header) c.out.Line(header);
        first = false;
        line.pop_back();
        line.append(groups.Text(g));
        c.out.Line(line);
    }
    groups.Clear();
}

}  // namespace

std::string LoadTypeWord(const Table& patterns, std::size_t row) {
    const std::string design = Word(patterns, row, LoadPatternCol::DesignType);
    for (const auto& t : kLoadTypes)
        if (t.design == design) return std::string(t.loadType);
    return "None";
}

namespace {

// The weight scale of the member or element a load row names.
double WeightScale(const StaadContext& c, int t, const Table& loads, std::size_t row) {
    const FullLinks& f = c.links.full;
    const std::int64_t owner = t == 0 ? c.links.frames.Find(loads, row, 0) : c.links.areas.Find(loads, row, 0);
    if (owner == NameIndex::kNone) return 1;
    return t == 0 ? f.memberWeight[static_cast<std::size_t>(owner)] : f.areaWeight[static_cast<std::size_t>(owner)];
}

// " SELFWEIGHT Y f LIST ..." lines, one per value, for members (t 0) or
// elements (t 1) of a table.
void WriteSelfweightLines(StaadContext& c, int t, const Table& table, const char* direction, TextGroups& byValue) {
    byValue.Finish();
    std::string line;
    for (std::size_t g = 0; g < byValue.size(); ++g) {
        line = std::string(" SELFWEIGHT ") + direction + " ";
        line.append(byValue.Text(g));
        line += " LIST ";
        const bool any = t == 0 ? AppendNameList(line, c.links, NameKind::Member, table, 0, byValue.Rows(g))
                                : AppendElementList(line, c.links, table, 0, byValue.Rows(g));
        if (!any) continue;
        line.pop_back();
        c.out.Line(line);
    }
    byValue.Clear();
}

}  // namespace

void WriteSelfweightCorrections(StaadContext& c, double multiplier) {
    // STAAD.Pro weighs the area it is given; members whose area is
    // modified, and members and elements with weight modifiers, get the
    // difference to SAP2000's weight as a self weight of their own.
    const FullLinks& f = c.links.full;
    TextGroups byValue;
    for (int t = 0; t < 2; ++t) {
        const std::vector<double>& scale = t == 0 ? f.memberWeight : f.areaWeight;
        for (std::size_t r = 0; r < scale.size(); ++r)
            if (scale[r] != 1) byValue.Add(static_cast<std::uint32_t>(r), Number(-multiplier * (scale[r] - 1)));
        WriteSelfweightLines(c, t, c.model[t == 0 ? TableId::Frames : TableId::Areas], "Y", byValue);
    }
}

void WriteGravityLoads(StaadContext& c, std::int64_t pattern) {
    const Groups* groups[2] = {&c.links.full.loadsOfPattern[0], &c.links.full.loadsOfPattern[1]};
    const TableId ids[2] = {TableId::FrameGravity, TableId::AreaGravity};
    for (int t = 0; t < 2; ++t) {
        const Table& loads = c.model[ids[t]];
        for (const auto& part : kGravityParts) {
            TextGroups byValue;
            for (std::uint32_t r : (*groups[t])[pattern]) {
                if (Word(loads, r, GravityLoadCol::CoordSys) != "GLOBAL") {
                    if (c.report && part.col == GravityLoadCol::MultiplierX)
                        c.report->Add(ReportKind::CoordinateSystemUnsupported, Describe(ids[t]).sapName, loads.Text(r, 0),
                                      loads.Text(r, GravityLoadCol::CoordSys));
                    continue;
                }
                const std::string_view v = loads.View(r, part.col);
                if (loads.Absent(r, part.col) || IsZeroNumber(v) || !IsFiniteDecimal(v)) continue;
                std::string text;
                const double scale = WeightScale(c, t, loads, r);
                if (scale == 1) AppendSignedNumber(text, v, part.negate);
                else text = Number((part.negate ? -1 : 1) * scale * TextToNumber(v));
                byValue.Add(r, text);
            }
            WriteSelfweightLines(c, t, loads, part.word, byValue);
        }
    }
}

void WriteSurfacePressures(StaadContext& c, std::int64_t pattern) {
    // Area faces: a pressure on the top face pushes along -3 (STAAD.Pro's
    // -z, the same normal by the same corner order), on the bottom face
    // along +3.
    const Table& areas = c.model[TableId::AreaPressure];
    TextGroups groups;
    for (std::uint32_t r : c.links.full.loadsOfPattern[4][pattern]) {
        const std::string face = Word(areas, r, SurfacePressureCol::Face);
        const std::string_view p = areas.View(r, SurfacePressureCol::Pressure);
        if ((face != "TOP" && face != "BOTTOM") || !IsFiniteDecimal(p)) {
            if (c.report && face != "TOP" && face != "BOTTOM")
                c.report->Add(ReportKind::PressureFaceUnsupported, "AREA LOADS - SURFACE PRESSURE", areas.Text(r, 0),
                              areas.Text(r, SurfacePressureCol::LoadPat), areas.Text(r, SurfacePressureCol::Face));
            continue;
        }
        std::string text = " PR   ";
        AppendSignedNumber(text, p, face == "TOP");
        groups.Add(r, text);
    }
    WriteListLines(c, groups, [&](std::string& out, const Groups::Range& rows) { return AppendElementList(out, c.links, areas, 0, rows); });

    const Table& solids = c.model[TableId::SolidPressure];
    for (std::uint32_t r : c.links.full.loadsOfPattern[5][pattern]) {
        const double face = TextToNumber(solids.View(r, SurfacePressureCol::Face));
        const std::string_view p = solids.View(r, SurfacePressureCol::Pressure);
        const std::int64_t solid = c.links.full.solids.Find(solids, r, 0);
        if (face < 1 || face > 6 || face != std::floor(face) || !IsFiniteDecimal(p) || solid == NameIndex::kNone) {
            if (c.report && (face < 1 || face > 6 || face != std::floor(face)))
                c.report->Add(ReportKind::PressureFaceUnsupported, "SOLID LOADS - SURFACE PRESSURE", solids.Text(r, 0),
                              solids.Text(r, SurfacePressureCol::LoadPat), solids.Text(r, SurfacePressureCol::Face));
            continue;
        }
        std::string text = " FACE " + std::to_string(kSolidFaces[static_cast<int>(face)]) + " PRESSURE ";
        AppendSignedNumber(text, p, false);
        groups.Add(static_cast<std::uint32_t>(solid), text);
    }
    std::string number;
    WriteListLines(
        c, groups,
        [&](std::string& out, const Groups::Range& rows) {
            return AppendFoldedList(out, rows.size(), [&](std::size_t k) -> std::string_view {
                number = c.links.full.SolidNumber(rows.begin()[k]);
                return number;
            });
        },
        "ELEMENT LOAD SOLIDS");
}

void WriteTemperatureLoads(StaadContext& c, std::int64_t pattern) {
    // Uniform temperature changes (the others are reported by the link
    // pass), members and elements in one list per value.
    const Table& frames = c.model[TableId::FrameTemperature];
    const Table& areas = c.model[TableId::AreaTemperature];
    const auto uniform = [](const Table& t, std::uint32_t r) {
        return Word(t, r, TemperatureLoadCol::Type) == "TEMPERATURE" &&
               (t.Absent(r, TemperatureLoadCol::JointPattern) || t.Is(r, TemperatureLoadCol::JointPattern, "None") ||
                t.Is(r, TemperatureLoadCol::JointPattern, "")) &&
               IsFiniteDecimal(t.View(r, TemperatureLoadCol::Temp)) && !IsZeroNumber(t.View(r, TemperatureLoadCol::Temp));
    };
    TextGroups members, elements;
    for (std::uint32_t r : c.links.full.loadsOfPattern[2][pattern])
        if (uniform(frames, r)) members.Add(r, " TEMP " + frames.Text(r, TemperatureLoadCol::Temp));
    for (std::uint32_t r : c.links.full.loadsOfPattern[3][pattern])
        if (uniform(areas, r)) elements.Add(r, " TEMP " + areas.Text(r, TemperatureLoadCol::Temp));
    if (members.size() + elements.size() == 0) {
        members.Clear();
        elements.Clear();
        return;
    }
    c.out.Line("TEMPERATURE LOAD");
    WriteListLines(c, members, [&](std::string& out, const Groups::Range& rows) { return AppendNameList(out, c.links, NameKind::Member, frames, 0, rows); });
    WriteListLines(c, elements, [&](std::string& out, const Groups::Range& rows) { return AppendElementList(out, c.links, areas, 0, rows); });
}

void WriteSupportDisplacements(StaadContext& c, std::int64_t pattern) {
    const Table& g = c.model[TableId::GroundDisplacement];
    const Table& restraints = c.model[TableId::Restraints];
    const FullLinks& f = c.links.full;
    TextGroups groups;
    for (std::uint32_t r : f.loadsOfPattern[6][pattern]) {
        const std::int64_t restraint = f.restraints.Find(g, r, GroundDisplacementCol::Joint);
        const std::int64_t spring = f.jointSprings.Find(g, r, GroundDisplacementCol::Joint);
        const std::int64_t axes = f.jointLocalAxes.Find(g, r, GroundDisplacementCol::Joint);
        if (Word(g, r, GroundDisplacementCol::CoordSys) != "GLOBAL" || axes != NameIndex::kNone) {
            if (c.report)
                c.report->Add(ReportKind::CoordinateSystemUnsupported, "JOINT LOADS - GROUND DISPLACEMENT", "joint " + g.Text(r, 0),
                              axes != NameIndex::kNone ? std::string("of the joint's local axes") : g.Text(r, GroundDisplacementCol::CoordSys));
            continue;
        }
        for (const auto& part : kDisplacements) {
            const std::string_view v = g.View(r, part.col);
            if (g.Absent(r, part.col) || IsZeroNumber(v) || !IsFiniteDecimal(v)) continue;
            const bool held = (restraint != NameIndex::kNone && restraints.Is(static_cast<std::size_t>(restraint), part.restraint, "Yes")) ||
                              (spring != NameIndex::kNone &&
                               TextToNumber(c.model[TableId::JointSprings].View(static_cast<std::size_t>(spring),
                                                                                JointSpringCol::U1 + (part.restraint - RestraintCol::ux))) != 0) ||
                              (f.holdInactive && !f.active[part.restraint - RestraintCol::ux]);
            if (!held) {
                if (c.report)
                    c.report->Add(ReportKind::GroundDisplacementUnsupported, "JOINT LOADS - GROUND DISPLACEMENT", g.Text(r, 0),
                                  g.Text(r, GroundDisplacementCol::LoadPat), std::string(g.descriptor().columns[part.col].name));
                continue;
            }
            std::string text = std::string(" ") + part.word + " ";
            if (part.rotation) text += NumberToText((part.negate ? -1 : 1) * TextToNumber(v) * kDegreesPerRadian);
            else AppendSignedNumber(text, v, part.negate);
            groups.Add(r, text);
        }
    }
    groups.Finish();
    if (groups.size() == 0) {
        groups.Clear();
        return;
    }
    c.out.Line("SUPPORT DISPLACEMENT");
    WriteListLines(c, groups, [&](std::string& out, const Groups::Range& rows) { return AppendNameList(out, c.links, NameKind::Joint, g, 0, rows); });
}

bool LocalJointLoad(const StaadContext& c, std::size_t row, std::string* text) {
    const Table& loads = c.model[TableId::JointLoads];
    if (loads.columns() <= JointLoadFullCol::CoordSys) return false;
    const std::string system = Word(loads, row, JointLoadFullCol::CoordSys);
    if (system == "GLOBAL") return false;
    text->clear();
    const std::int64_t a = c.links.full.jointLocalAxes.Find(loads, row, JointLoadCol::Joint);
    if (system != "LOCAL") {
        if (c.report)
            c.report->Add(ReportKind::CoordinateSystemUnsupported, "JOINT LOADS - FORCE", "joint " + loads.Text(row, JointLoadCol::Joint),
                          loads.Text(row, JointLoadFullCol::CoordSys));
        return true;
    }
    if (a == NameIndex::kNone) return false;  // the joint's axes are the global ones
    const Table& axes = c.model[TableId::JointLocalAxes];
    const std::size_t ar = static_cast<std::size_t>(a);
    const auto local = JointAxes(TextToNumber(axes.View(ar, JointLocalAxesCol::AngleA)), TextToNumber(axes.View(ar, JointLocalAxesCol::AngleB)),
                                 TextToNumber(axes.View(ar, JointLocalAxesCol::AngleC)));
    Vec3 force, moment;
    for (int k = 0; k < 3; ++k) {
        force = force + TextToNumber(loads.View(row, JointLoadCol::F1 + k)) * local[k];
        moment = moment + TextToNumber(loads.View(row, JointLoadCol::M1 + k)) * local[k];
    }
    const Vec3 f = ToStaad(force), m = ToStaad(moment);
    // The order the classic joint loads use: FX FZ FY MX MZ MY.
    const struct {
        const char* word;
        double value;
    } parts[] = {{" FX ", f.x}, {" FZ ", f.z}, {" FY ", f.y}, {" MX ", m.x}, {" MZ ", m.z}, {" MY ", m.y}};
    for (const auto& p : parts) {
        if (!std::isfinite(p.value)) {
            text->clear();
            return true;
        }
        const std::string v = Number(p.value);
        if (v == "0") continue;
        *text += p.word;
        *text += v;
    }
    return true;
}

void WriteFullCombinations(StaadContext& c) {
    const Table& k = c.model[TableId::CombinationDefinitions];
    const auto& combos = c.links.full.combinations;
    if (combos.empty()) return;
    c.history.Append("Writing Load Combinations (Only Static Add)..........");
    static constexpr struct {
        CombinationKind kind;
        const char* head;
    } kHeads[] = {{CombinationKind::Add, "LOAD COMB "}, {CombinationKind::Srss, "LOAD COMBINATION SRSS "}, {CombinationKind::Abs, "LOAD COMBINATION ABS "}};
    const std::size_t patterns = c.model[TableId::LoadPatterns].rows();
    std::string line;
    for (std::size_t i = 0; i < combos.size(); ++i) {
        const FullCombination& combo = combos[i];
        const char* head = "LOAD COMB ";
        for (const auto& h : kHeads)
            if (h.kind == combo.kind) head = h.head;
        c.out.Line(head + std::to_string(patterns + 1 + i) + " " + k.Text(combo.row, CombinationDefinitionCol::ComboName));
        line.clear();
        for (const CombinationTerm& t : combo.terms) {
            line += std::to_string(t.load);
            line += ' ';
            line += t.text.empty() ? NumberToText(t.factor) : t.text;
            line += ' ';
        }
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

}  // namespace corvane
