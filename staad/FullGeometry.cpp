// The full conversion's file, its numbering and structure type, and its
// geometry: joints, members, shell and solid elements.
#include "staad/FullBlocks.h"
#include "text/SafeNames.h"
#include "staad/StaadText.h"

#include <algorithm>
#include <cmath>

namespace corvane {

bool StaadAxis(Vec3 d, char* letter, bool* negate) {
    const Vec3 s = ToStaad(d);
    const double parts[3] = {s.x, s.y, s.z};
    for (int k = 0; k < 3; ++k)
        if (std::fabs(std::fabs(parts[k]) - 1) < 1e-12 && std::fabs(parts[(k + 1) % 3]) < 1e-12 && std::fabs(parts[(k + 2) % 3]) < 1e-12) {
            *letter = kAxisLetters[k];
            *negate = parts[k] < 0;
            return true;
        }
    return false;
}

int StaadSolidFace(int face) {
    // STAAD.Pro's face table, by the positions (1 to 8) of its incidence.
    static constexpr int kStaadFaces[6][4] = {{1, 4, 3, 2}, {1, 2, 6, 5}, {1, 5, 8, 4}, {4, 8, 7, 3}, {2, 3, 7, 6}, {5, 6, 7, 8}};
    for (int f = 0; f < 6; ++f) {
        int corners[4];
        for (int k = 0; k < 4; ++k) corners[k] = kStaadSolidCorners[kStaadFaces[f][k] - 1];
        if (SolidFaceOf(corners) == face) return f + 1;
    }
    return 0;
}

Axes3 StaadCrossAxes(Vec3 x) {
    x = Unit(x);
    if (std::hypot(x.x, x.z) < 1e-3) {
        const Vec3 z{0, 0, 1};
        return {x, Cross(z, x), z};
    }
    const Vec3 up{0, 1, 0};
    const Vec3 y = Unit(up - Dot(up, x) * x);
    return {x, y, Cross(x, y)};
}

std::string StaadName(std::string_view name) { return SafeName(NameFormat::Staad, name); }

std::string Number(double value) { return NumberToText(std::fabs(value) < 1e-12 ? 0.0 : value); }

void AppendValue(std::string& out, const Value& v) {
    if (!v.text.empty()) out.append(v.text);
    else out.append(Number(v.value));
}

void AppendSigned(std::string& out, const Value& v, bool negate) { AppendNumber(out, negate ? -v.value : v.value); }

namespace {

// STAAD.Pro's structure types by the directions they let move (UX..RZ).
constexpr struct {
    DofFlags active;
    StructureType type;
    const char* line;
} kStructureTypes[] = {
    {{{true, true, true, true, true, true}}, StructureType::Space, "STAAD SPACE"},
    {{{true, false, true, false, true, false}}, StructureType::Plane, "STAAD PLANE"},
    {{{false, false, true, true, true, false}}, StructureType::Floor, "STAAD FLOOR"},
    {{{true, true, true, false, false, false}}, StructureType::Truss, "STAAD TRUSS"},
};
constexpr const char* kDofNames[6] = {"UX", "UY", "UZ", "RX", "RY", "RZ"};
constexpr const char* kStaadDirection[6] = {"FX", "FZ", "FY", "MX", "MZ", "MY"};

// Whether every member carries axial force alone (its moments released at
// both ends) and nothing else bends: only then does STAAD.Pro's truss,
// whose members have no bending stiffness, give the same stiffness as
// frames whose joints cannot turn.
bool AxialOnly(const Structure& s) {
    if (!s.shells.empty() || !s.solids.empty()) return false;
    for (const Member& m : s.members)
        for (const MemberEnd& e : m.ends)
            if (!e.released[4] || !e.released[5] || EndSpring(s, e, 4) != 0 || EndSpring(s, e, 5) != 0) return false;
    return true;
}

}  // namespace

void PrepareFull(FullContext& c) {
    const Structure& s = c.s;
    c.memberNumbers.resize(s.members.size());
    for (std::size_t k = 0; k < s.members.size(); ++k) c.memberNumbers[k] = s.members[k].number;
    bool typed = false;
    for (const auto& t : kStructureTypes)
        if (t.active == s.active && (t.type != StructureType::Truss || AxialOnly(s))) {
            c.type = t.type;
            typed = true;
        }
    if (!typed) {
        c.holdInactive = true;
        std::string active, held;
        for (int k = 0; k < 6; ++k) {
            std::string& into = s.active[k] ? active : held;
            if (!into.empty()) into += ' ';
            into += s.active[k] ? kDofNames[k] : kStaadDirection[k];
        }
        c.Add(ReportKind::InactiveDofsRestrained, "ACTIVE DEGREES OF FREEDOM", "", active.empty() ? "none" : active, held);
    }
    // STAAD.Pro's load mode takes support displacements in four load cases
    // at most, and no finite elements; else the moved supports are enforced.
    std::size_t displacing = 0;
    std::vector<bool> moved(s.joints.size(), false);
    for (const LoadPattern& p : s.patterns) {
        bool any = false;
        for (const GroundDisplacement& g : p.displacements)
            for (int d = 0; d < 6; ++d)
                if (g.given[d] && HeldRigidly(c, s.joints[g.joint], d)) any = moved[g.joint] = true;
        displacing += any;
    }
    if (displacing > 4 || (displacing > 0 && (!s.shells.empty() || !s.solids.empty()))) c.enforced = std::move(moved);
    c.numbers = NumberElements(s);
    for (std::uint32_t k = 0; k < s.solids.size(); ++k)
        if (c.numbers.Solid(k) > 999999) c.Add(ReportKind::NumberOutOfRange, "CONNECTIVITY - SOLID", c.SolidNumber(k), "Solid element");
}

void WriteFullStaadFile(const Structure& s, LineSink& file, HistoryLog& history, Report* report, const std::function<void()>& stepDone) {
    WrappedLines out(file);
    FullContext c(s, out, history, report);
    PrepareFull(c);
    history.Append("Start Writing Staad File .......");
    for (const auto& t : kStructureTypes)
        if (t.type == c.type) out.Line(t.line);
    out.Line("START JOB INFORMATION");
    out.Line("END JOB INFORMATION");
    out.Line(UnitsLine({s.forceUnit, s.lengthUnit}));
    WriteFullAnalysisSettings(c);
    void (*const blocks[kFullStaadBlockCount])(FullContext&) = {
        WriteFullJoints,     WriteFullMembers,  WriteFullElements, WriteFullMaterials,    WriteFullSupports,
        WriteFullProperties, WriteFullReleases, WriteFullLoads,    WriteFullCombinations,
    };
    for (auto block : blocks) {
        block(c);
        if (stepDone) stepDone();
    }
    out.Line("FINISH");
}

void WriteFullJoints(FullContext& c) {
    c.history.Append("Writing Joint Coordinates..........");
    c.out.Line("JOINT COORDINATES");
    std::string line;
    for (const Joint& j : c.s.joints) {
        // A joint whose coordinates are no numbers has no line (the report
        // names them).
        if (!j.valid) continue;
        line = std::to_string(j.number);
        line += ' ';
        AppendValue(line, j.at[0]);
        line += ' ';
        AppendValue(line, j.at[2]);
        line += ' ';
        AppendSigned(line, j.at[1], true);
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

void WriteFullMembers(FullContext& c) {
    c.history.Append("Writing Frame Elements..........");
    c.out.Line("MEMBER INCIDENCES");
    std::string line;
    for (const Member& m : c.s.members) {
        if (m.i == kNoItem || m.j == kNoItem) continue;
        line = std::to_string(m.number) + ' ' + std::to_string(c.s.joints[m.i].number) + ' ' + std::to_string(c.s.joints[m.j].number);
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

void WriteFullElements(FullContext& c) {
    const Structure& s = c.s;
    c.history.Append("Writing Shell Elements..........");
    // A model of solids alone has its solid incidences right after the
    // members, without an empty shell block.
    if (!s.shells.empty() || s.solids.empty()) c.out.Line("ELEMENT INCIDENCES SHELL");
    std::string line;
    for (const Shell& sh : s.shells) {
        if (sh.corners == 0) continue;
        bool complete = true;
        for (int k = 0; k < sh.corners; ++k) complete = complete && sh.joints[k] != kNoItem;
        if (!complete) continue;
        line.clear();
        c.AppendElement(line, static_cast<std::uint32_t>(&sh - s.shells.data()));
        for (int k = 0; k < sh.corners; ++k) line += ' ' + std::to_string(s.joints[sh.joints[k]].number);
        c.out.Line(line);
    }
    if (!s.solids.empty()) {
        c.out.Line("ELEMENT INCIDENCES SOLID");
        for (std::uint32_t k = 0; k < s.solids.size(); ++k) {
            const Solid& x = s.solids[k];
            // A solid with a corner that is no joint is left out (the report
            // names the joint).
            if (!x.complete) continue;
            line = c.SolidNumber(k);
            for (int corner : kStaadSolidCorners) line += ' ' + std::to_string(s.joints[x.joints[corner]].number);
            c.out.Line(line);
        }
    }
    c.history.Append(".......... Done ");
}

namespace {

// BETA of a member: the angle about its x axis from STAAD.Pro's y at BETA 0
// to the model's local 2, in (-180, 180]. It is the member's own angle plus
// the turn between the two programs' default axes (0, or 180 degrees for a
// vertical member that points up).
bool Beta(const Member& m, double* beta) {
    if (!m.hasAxes) return false;
    Axes3 neutral;
    if (!FrameAxes({0, 0, 0}, m.axes[0], 0, &neutral)) return false;
    const Axes3 staad = StaadCrossAxes(ToStaad(m.axes[0]));
    const Vec3 local2 = ToStaad(neutral[1]);
    double turn = std::atan2(Dot(local2, staad[2]), Dot(local2, staad[1])) / kRadiansPerDegree;
    // The default axes of both programs differ by a multiple of a right angle.
    const double right = std::round(turn / 90) * 90;
    if (std::fabs(turn - right) < 1e-6) turn = right;
    double b = m.angle + turn;
    b = std::fmod(b, 360.0);
    if (b > 180) b -= 360;
    if (b <= -180) b += 360;
    if (std::fabs(b) < 1e-9) return false;
    *beta = b;
    return true;
}

}  // namespace

namespace {

// The values of a material that is not isotropic which its isotropic form
// leaves out, as "E2 15000, G23 6600".
std::string LeftOut(const Material& m) {
    static constexpr const char* kNames[Material::kDirectionalCount] = {"E2", "E3", "G12", "G13", "G23", "U13", "U23", "A2"};
    std::string out;
    for (int k = 0; k < Material::kDirectionalCount; ++k) {
        if (k == Material::kG12 || m.directional[k].text.empty()) continue;
        if (!out.empty()) out += ", ";
        out += kNames[k];
        out += ' ';
        AppendValue(out, m.directional[k]);
    }
    return out.empty() ? "its directions" : out;
}

// The orthotropic materials STAAD.Pro can take as they are: those only
// plates use, each with its material axis 1 along the plate's local x (the
// edge from its first corner to its second, either way), where the plate
// form's two directions are the material's 1 and 2.
std::vector<bool> PlateOrthotropic(const Structure& s) {
    std::vector<bool> plate(s.materials.size(), false), other(s.materials.size(), false);
    for (const Member& m : s.members)
        if (m.material != kNoItem) other[m.material] = true;
    for (const Structure::Assignment& a : s.memberAssignments)
        if (a.material != kNoItem) other[a.material] = true;
    for (const Solid& x : s.solids)
        if (x.material != kNoItem) other[x.material] = true;
    for (const Shell& sh : s.shells) {
        if (sh.section == kNoItem || sh.corners == 0) continue;
        const ShellSection& section = s.shellSections[sh.section];
        if (section.material == kNoItem || s.materials[section.material].symmetry != MaterialSymmetry::Orthotropic) continue;
        Vec3 p[4];
        bool valid = true;
        for (int k = 0; k < sh.corners; ++k) {
            valid = valid && sh.joints[k] != kNoItem && s.joints[sh.joints[k]].valid;
            if (valid) p[k] = Position(s.joints[sh.joints[k]]);
        }
        Axes3 axes;
        const bool along = valid && ShellAxes(p, sh.corners, sh.angle + section.materialAngle, &axes) && Parallel(axes[0], p[1] - p[0]);
        if (along) plate[section.material] = true;
        else other[section.material] = true;
    }
    for (std::size_t k = 0; k < plate.size(); ++k) plate[k] = plate[k] && !other[k];
    return plate;
}

}  // namespace

void WriteFullMaterials(FullContext& c) {
    const Structure& s = c.s;
    c.history.Append("Writing Material Data..........");
    c.out.Line("DEFINE MATERIAL START");
    std::string line;
    const std::vector<bool> plateOrthotropic = PlateOrthotropic(s);
    for (std::size_t i = 0; i < s.materials.size(); ++i) {
        const Material& m = s.materials[i];
        const Value& g12 = m.directional[Material::kG12];
        const bool isotropic = m.symmetry == MaterialSymmetry::Isotropic || m.symmetry == MaterialSymmetry::Uniaxial;
        if (plateOrthotropic[i]) {
            // E along the plate's x and y, G in its plane, then across
            // its thickness in y-z and z-x (the material's 2-3 and 1-3).
            c.out.Line("2DORTHOTROPIC " + StaadName(m.name));
            line = "E ";
            AppendValue(line, m.elasticity);
            if (!m.directional[Material::kE2].text.empty()) {
                line += ' ';
                AppendValue(line, m.directional[Material::kE2]);
            }
            c.out.Line(line);
            if (!g12.text.empty()) {
                line = "G ";
                AppendValue(line, g12);
                for (int k : {Material::kG23, Material::kG13}) {
                    if (m.directional[k].text.empty()) break;
                    line += ' ';
                    AppendValue(line, m.directional[k]);
                }
                c.out.Line(line);
            }
        } else {
            c.out.Line("ISOTROPIC " + StaadName(m.name));
            line = "E ";
            AppendValue(line, m.elasticity);
            c.out.Line(line);
            // The isotropic form of a material that is not: E1 with G12,
            // the stiffness a member takes along and across its axis.
            if (!isotropic) {
                if (!g12.text.empty()) {
                    line = "G ";
                    AppendValue(line, g12);
                    c.out.Line(line);
                }
                c.Add(ReportKind::MaterialAnisotropic, "MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", m.name, "the STAAD.Pro file (E1, G12, U12)",
                      LeftOut(m));
            }
        }
        line = "POISSON ";
        if (m.poissonGiven) AppendValue(line, m.poisson);
        else line += "0.2";
        c.out.Line(line);
        line = "DENSITY ";
        AppendValue(line, m.weightDensity);
        c.out.Line(line);
        // The coefficient of thermal expansion, for temperature loads.
        if (m.expansionGiven) {
            line = "ALPHA ";
            AppendValue(line, m.expansion);
            if (plateOrthotropic[i] && !m.directional[Material::kA2].text.empty()) {
                line += ' ';
                AppendValue(line, m.directional[Material::kA2]);
            }
            c.out.Line(line);
        }
    }
    c.out.Line("END DEFINE MATERIAL");
    c.out.Line("CONSTANTS");

    c.history.Append("Writing Frame Material Assignments..........");
    // Members by material, in the order of their assignments.
    std::vector<std::int64_t> keys(s.memberAssignments.size());
    for (std::size_t k = 0; k < keys.size(); ++k)
        keys[k] = s.memberAssignments[k].material == kNoItem ? NameIndex::kNone : s.memberAssignments[k].material;
    const Groups byMaterial(s.materials.size(), keys);
    for (std::size_t i = 0; i < s.materials.size(); ++i) {
        const auto rows = byMaterial[static_cast<std::int64_t>(i)];
        line = "MATERIAL " + StaadName(s.materials[i].name) + " MEMB ";
        if (AppendMembers(line, c, rows.size(), [&](std::size_t k) { return s.memberAssignments[rows.begin()[k]].item; })) c.out.Line(line);
    }
    c.history.Append(".......... Done ");

    c.history.Append("Writing Shell Material Assignments..........");
    keys.assign(s.shellAssignments.size(), NameIndex::kNone);
    for (std::size_t k = 0; k < keys.size(); ++k)
        if (s.shellAssignments[k].section != kNoItem) keys[k] = s.shellAssignments[k].section;
    const Groups bySection(s.shellSections.size(), keys);
    for (std::size_t i = 0; i < s.shellSections.size(); ++i) {
        const auto rows = bySection[static_cast<std::int64_t>(i)];
        line = "MATERIAL " + StaadName(s.shellSections[i].materialName) + " MEMB ";
        if (AppendElements(line, c, rows.size(), [&](std::size_t k) { return s.shellAssignments[rows.begin()[k]].item; })) c.out.Line(line);
    }
    if (!s.solids.empty()) {
        keys.assign(s.solids.size(), NameIndex::kNone);
        for (std::size_t k = 0; k < keys.size(); ++k)
            if (s.solids[k].complete && s.solids[k].material != kNoItem) keys[k] = s.solids[k].material;
        const Groups solidsOf(s.materials.size(), keys);
        for (std::size_t i = 0; i < s.materials.size(); ++i) {
            const auto rows = solidsOf[static_cast<std::int64_t>(i)];
            line = "MATERIAL " + StaadName(s.materials[i].name) + " MEMB ";
            if (AppendSolids(line, c, rows.size(), [&](std::size_t k) { return rows.begin()[k]; })) c.out.Line(line);
        }
    }

    // Member orientation.
    TextGroups groups;
    for (std::uint32_t k = 0; k < s.members.size(); ++k) {
        double beta;
        if (Beta(s.members[k], &beta)) groups.Add(k, Number(beta));
    }
    groups.Finish();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        line = "BETA ";
        line += groups.Text(g);
        line += " MEMB ";
        const auto rows = groups.Rows(g);
        if (!AppendMembers(line, c, rows.size(), [&](std::size_t k) { return rows.begin()[k]; })) continue;
        line.pop_back();
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

}  // namespace corvane
