// The structure builder's joints, materials, sections, members, shells,
// solids, constraints and springs.
#include "structure/Build.h"

#include "structure/BuildSupport.h"
#include "structure/Mesh.h"
#include "structure/NoStiffness.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace corvane {

std::string Word(const Table& t, std::size_t row, int col) {
    std::string out = t.Text(row, col);
    while (!out.empty() && (out.back() == '$' || out.back() == ' ')) out.pop_back();
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool IsYes(const Table& t, std::size_t row, int col) { return Word(t, row, col) == "YES"; }

std::string_view BuildContext::Shown(const Table& t, std::size_t row, int col) {
    const Cell cell = t.cell(row, col);
    if (cell.absent()) return t.descriptor().columns[col].absentText;
    if (!cell.quoted()) return t.View(cell);
    s.texts.push_back(t.Text(row, col));
    return s.texts.back();
}

Value BuildContext::ValueAt(const Table& t, std::size_t row, int col) {
    const std::string_view text = Shown(t, row, col);
    return {TextToNumber(text), text};
}

bool BuildContext::Finite(const Table& t, std::size_t row, int col, double* value) const {
    if (t.Absent(row, col)) return false;
    const std::string text = t.Text(row, col);
    if (!IsFiniteDecimal(text)) return false;
    *value = TextToNumber(text);
    return true;
}

double BuildContext::Modifier(const Table& t, std::int64_t row, int col) const {
    if (row == NameIndex::kNone) return 1;
    const std::string text = t.Text(static_cast<std::size_t>(row), col);
    return IsFiniteDecimal(text) ? TextToNumber(text) : 1;
}

std::uint32_t BuildContext::NumberOf(NameKind kind, const Table& t, std::size_t row, int col, bool* renumbered) const {
    const auto& numbers = links.newNumbers[static_cast<int>(kind)];
    *renumbered = row < numbers.size() && numbers[row] != 0;
    if (*renumbered) return numbers[row];
    // A kept name is one to six digits.
    std::uint32_t n = 0;
    for (char ch : t.View(row, col)) n = n * 10 + static_cast<std::uint32_t>(ch - '0');
    return n;
}

namespace {

void BuildJoints(BuildContext& c) {
    const Model& m = c.model;
    const Table& joints = m[TableId::Joints];
    const Table& restraints = m[TableId::Restraints];
    const Table& springs = m[TableId::JointSprings];
    const Table& axes = m[TableId::JointLocalAxes];
    const NameIndex restraintOf(restraints, RestraintCol::Joint), springOf(springs, JointSpringCol::Joint),
        axesOf(axes, JointLocalAxesCol::Joint);
    c.s.joints.resize(joints.rows());
    for (std::size_t r = 0; r < joints.rows(); ++r) {
        Joint& j = c.s.joints[r];
        j.origin = {TableId::Joints, static_cast<std::uint32_t>(r)};
        j.name = c.Shown(joints, r, JointCol::Joint);
        j.number = c.NumberOf(NameKind::Joint, joints, r, JointCol::Joint, &j.renumbered);
        for (int k = 0; k < 3; ++k) {
            j.at[k] = c.ValueAt(joints, r, JointCol::GlobalX + k);
            j.valid = j.valid && IsFiniteDecimal(j.at[k].text);
        }
        // A repeated name is one joint: the support goes to its first row.
        if (c.links.joints.Find(joints, r, JointCol::Joint) != static_cast<std::int64_t>(r)) continue;
        if (const std::int64_t x = restraintOf.Find(joints, r, JointCol::Joint); x != NameIndex::kNone)
            for (int d = 0; d < 6; ++d) j.held[d] = IsYes(restraints, static_cast<std::size_t>(x), RestraintCol::ux + d);
        if (const std::int64_t x = springOf.Find(joints, r, JointCol::Joint); x != NameIndex::kNone) {
            const std::size_t row = static_cast<std::size_t>(x);
            const std::string system = Word(springs, row, JointSpringCol::CoordSys);
            if (system == "GLOBAL" || system == "LOCAL") {
                for (int d = 0; d < 6; ++d) {
                    const double k = TextToNumber(springs.View(row, JointSpringCol::U1 + d));
                    j.spring[d] = std::isfinite(k) ? k : 0;
                }
            } else {
                c.Add(ReportKind::CoordinateSystemUnsupported, "JOINT SPRING ASSIGNMENTS 1 - UNCOUPLED",
                      "joint " + springs.Text(row, JointSpringCol::Joint), springs.Text(row, JointSpringCol::CoordSys));
            }
        }
        if (const std::int64_t x = axesOf.Find(joints, r, JointCol::Joint); x != NameIndex::kNone) {
            const std::size_t row = static_cast<std::size_t>(x);
            const double a = TextToNumber(axes.View(row, JointLocalAxesCol::AngleA)), b = TextToNumber(axes.View(row, JointLocalAxesCol::AngleB)),
                         g = TextToNumber(axes.View(row, JointLocalAxesCol::AngleC));
            j.rotated = (a != 0 || b != 0 || g != 0) && std::isfinite(a + b + g);
            if (j.rotated) j.axes = JointAxes(a, b, g);
        }
    }
}

void BuildActiveDofs(BuildContext& c) {
    const Table& dof = c.model[TableId::ActiveDof];
    if (dof.rows() == 0) return;
    for (int k = 0; k < 6; ++k) c.s.active[k] = IsYes(dof, 0, k);
}

// The material kinds of the general material table.
constexpr std::pair<std::string_view, MaterialSymmetry> kSymmetries[] = {{"ISOTROPIC", MaterialSymmetry::Isotropic},
                                                                         {"ORTHOTROPIC", MaterialSymmetry::Orthotropic},
                                                                         {"ANISOTROPIC", MaterialSymmetry::Anisotropic},
                                                                         {"UNIAXIAL", MaterialSymmetry::Uniaxial}};

void BuildMaterials(BuildContext& c) {
    const Table& m = c.model[TableId::Materials];
    const Table& general = c.model[TableId::MaterialGeneral];
    const NameIndex kindOf(general, MaterialGeneralCol::Material);
    c.s.materials.resize(m.rows());
    for (std::size_t r = 0; r < m.rows(); ++r) {
        Material& x = c.s.materials[r];
        x.origin = {TableId::Materials, static_cast<std::uint32_t>(r)};
        x.name = m.Text(r, MaterialCol::Material);
        x.elasticity = c.ValueAt(m, r, MaterialCol::E1);
        x.poissonGiven = !m.Is(r, MaterialCol::U12, "");
        x.poisson = c.ValueAt(m, r, MaterialCol::U12);
        x.weightDensity = c.ValueAt(m, r, MaterialCol::UnitWeight);
        x.expansionGiven = !m.Absent(r, MaterialFullCol::A1) && IsFiniteDecimal(m.View(r, MaterialFullCol::A1));
        if (x.expansionGiven) x.expansion = c.ValueAt(m, r, MaterialFullCol::A1);
        for (int k = 0; k < Material::kDirectionalCount; ++k) {
            const int col = MaterialFullCol::E2 + k;
            if (!m.Absent(r, col) && IsFiniteDecimal(m.View(r, col))) x.directional[k] = c.ValueAt(m, r, col);
        }
        // The material's kind as its general table names it; without that
        // table a second modulus apart from the first makes it orthotropic.
        const std::int64_t g = kindOf.Find(m, r, MaterialCol::Material);
        const std::string kind = g == NameIndex::kNone ? std::string() : Word(general, static_cast<std::size_t>(g), MaterialGeneralCol::SymType);
        bool known = false;
        for (const auto& [word, symmetry] : kSymmetries)
            if (kind == word) x.symmetry = symmetry, known = true;
        const Value& e2 = x.directional[Material::kE2];
        if (!known && !e2.text.empty() && e2.value != x.elasticity.value) x.symmetry = MaterialSymmetry::Orthotropic;
    }
}

// The section properties and their modifiers, in the order of
// SectionProperty.
constexpr int kPropertyCols[6] = {FrameSectionFullCol::Area, FrameSectionFullCol::TorsConst, FrameSectionFullCol::I22,
                                  FrameSectionFullCol::I33,  FrameSectionFullCol::AS2,       FrameSectionFullCol::AS3};
constexpr int kSectionMods[6] = {FrameSectionFullCol::AMod,  FrameSectionFullCol::JMod,  FrameSectionFullCol::I2Mod,
                                 FrameSectionFullCol::I3Mod, FrameSectionFullCol::A2Mod, FrameSectionFullCol::A3Mod};
constexpr int kMemberMods[6] = {FrameModifierCol::AMod,   FrameModifierCol::JMod,   FrameModifierCol::I22Mod,
                                FrameModifierCol::I33Mod, FrameModifierCol::AS2Mod, FrameModifierCol::AS3Mod};

void BuildFrameSections(BuildContext& c) {
    const Table& s = c.model[TableId::FrameSections];
    static constexpr struct {
        SectionShape link;
        Profile profile;
    } kProfiles[] = {{SectionShape::Rectangular, Profile::Rectangle},
                     {SectionShape::Circle, Profile::Circle},
                     {SectionShape::IWide, Profile::ISection},
                     {SectionShape::Other, Profile::General}};
    c.s.frameSections.resize(s.rows());
    for (std::size_t r = 0; r < s.rows(); ++r) {
        FrameSection& x = c.s.frameSections[r];
        x.origin = {TableId::FrameSections, static_cast<std::uint32_t>(r)};
        x.name = s.Text(r, FrameSectionCol::SectionName);
        x.material = ItemOf(c.links.materials.Find(s, r, FrameSectionCol::Material));
        for (const auto& p : kProfiles)
            if (p.link == c.links.sectionShapes[r]) x.profile = p.profile;
        x.dimensions = s.Text(r, FrameSectionCol::Dim1);
        x.depth = c.ValueAt(s, r, FrameSectionCol::Dim1);
        x.width = c.ValueAt(s, r, FrameSectionCol::Dim2);
        x.hasProperties = true;
        for (int k = 0; k < 6; ++k) {
            double v;
            if (c.Finite(s, r, kPropertyCols[k], &v)) {
                x.properties[k] = c.ValueAt(s, r, kPropertyCols[k]);
            } else {
                // Shear areas that are missing count as 0: no shear deformation.
                if (k < 4) x.hasProperties = false;
                x.properties[k] = {};
            }
            x.modifiers[k] = c.Finite(s, r, kSectionMods[k], &v) ? v : 1;
        }
        double mass;
        if (c.Finite(s, r, FrameSectionFullCol::MMod, &mass) && mass != 1)
            c.Add(ReportKind::MassModifier, "FRAME SECTION PROPERTIES 01 - GENERAL", s.Text(r, FrameSectionCol::SectionName), "Frame section",
                  s.Text(r, FrameSectionFullCol::MMod));
    }
}

void BuildMembers(BuildContext& c) {
    const Model& m = c.model;
    const Table& frames = m[TableId::Frames];
    const Table& assigns = m[TableId::FrameAssigns];
    const Table& sections = m[TableId::FrameSections];
    const Table& mods = m[TableId::FrameModifiers];
    const Table& axes = m[TableId::FrameLocalAxes];
    const NameIndex assignOf(assigns, FrameAssignCol::Frame), axesOf(axes, FrameLocalAxesCol::Frame), modsOf(mods, FrameModifierCol::Frame);
    c.s.members.resize(frames.rows());
    for (std::size_t r = 0; r < frames.rows(); ++r) {
        Member& x = c.s.members[r];
        x.origin = {TableId::Frames, static_cast<std::uint32_t>(r)};
        x.name = c.Shown(frames, r, FrameCol::Frame);
        x.number = c.NumberOf(NameKind::Member, frames, r, FrameCol::Frame, &x.renumbered);
        x.i = ItemOf(c.links.joints.Find(frames, r, FrameCol::JointI));
        x.j = ItemOf(c.links.joints.Find(frames, r, FrameCol::JointJ));
        const std::int64_t a = assignOf.Find(frames, r, FrameCol::Frame);
        const std::int64_t sec = a == NameIndex::kNone ? NameIndex::kNone : c.links.frameSections.Find(assigns, static_cast<std::size_t>(a), FrameAssignCol::AnalSect);
        x.section = ItemOf(sec);
        if (a != NameIndex::kNone) x.material = ItemOf(c.links.materials.Find(assigns, static_cast<std::size_t>(a), FrameAssignCol::Material));
        const std::int64_t own = modsOf.Find(frames, r, FrameCol::Frame);
        for (int k = 0; k < 6; ++k) {
            double v;
            x.modifiers[k] = own != NameIndex::kNone && c.Finite(mods, static_cast<std::size_t>(own), kMemberMods[k], &v) ? v : 1;
        }
        // The model weighs a member as its section's area times the weight
        // modifiers; an output program as the area it is given.
        const double area = c.Modifier(sections, sec, FrameSectionFullCol::AMod) * c.Modifier(mods, own, FrameModifierCol::AMod);
        const double weight = c.Modifier(sections, sec, FrameSectionFullCol::WMod) * c.Modifier(mods, own, FrameModifierCol::WeightMod);
        x.massScale = c.Modifier(sections, sec, FrameSectionFullCol::MMod) * c.Modifier(mods, own, FrameModifierCol::MassMod);
        // Without area (a member without stiffness) the scale is of the
        // section's own area.
        x.weightScale = area != 0 ? weight / area : weight;
        if (const std::int64_t l = axesOf.Find(frames, r, FrameCol::Frame); l != NameIndex::kNone)
            x.angle = TextToNumber(axes.View(static_cast<std::size_t>(l), FrameLocalAxesCol::Angle));
        if (x.i != kNoItem && x.j != kNoItem && c.s.joints[x.i].valid && c.s.joints[x.j].valid) {
            x.hasAxes = FrameAxes(Position(c.s.joints[x.i]), Position(c.s.joints[x.j]), x.angle, &x.axes);
        }
    }
    for (std::size_t r = 0; r < mods.rows(); ++r) {
        double mass;
        if (c.Finite(mods, r, FrameModifierCol::MassMod, &mass) && mass != 1)
            c.Add(ReportKind::MassModifier, "FRAME PROPERTY MODIFIERS", mods.Text(r, FrameModifierCol::Frame), "Member",
                  mods.Text(r, FrameModifierCol::MassMod));
    }

    // Section assignments in their order, for the lists of the output.
    for (std::size_t r = 0; r < assigns.rows(); ++r) {
        const std::int64_t member = c.links.frames.Find(assigns, r, FrameAssignCol::Frame);
        if (member == NameIndex::kNone) continue;
        c.s.memberAssignments.push_back({static_cast<std::uint32_t>(member), ItemOf(c.links.frameSections.Find(assigns, r, FrameAssignCol::AnalSect)),
                                         ItemOf(c.links.materials.Find(assigns, r, FrameAssignCol::Material))});
    }
}

void BuildEnds(BuildContext& c) {
    const Model& m = c.model;
    const Table& releases = m[TableId::Releases];
    const Table& partial = m[TableId::ReleasePartial];
    const NameIndex partialOf(partial, ReleasePartialCol::Frame);
    // Release columns of each end in the order P V2 V3 T M2 M3.
    static constexpr int kColumns[2][6] = {
        {ReleaseFullCol::PI, ReleaseFullCol::V2I, ReleaseFullCol::V3I, ReleaseFullCol::TI, ReleaseCol::M2I, ReleaseCol::M3I},
        {ReleaseFullCol::PJ, ReleaseFullCol::V2J, ReleaseFullCol::V3J, ReleaseFullCol::TJ, ReleaseCol::M2J, ReleaseCol::M3J}};
    static constexpr int kPartialFirst[2] = {ReleasePartialCol::PI, ReleasePartialCol::PJ};
    for (std::size_t r = 0; r < releases.rows(); ++r) {
        const std::int64_t member = c.links.frames.Find(releases, r, ReleaseCol::Frame);
        if (member == NameIndex::kNone) continue;
        Member& x = c.s.members[static_cast<std::size_t>(member)];
        const std::int64_t p = partialOf.Find(releases, r, ReleaseCol::Frame);
        for (int end = 0; end < 2; ++end)
            for (int d = 0; d < 6; ++d) {
                if (!IsYes(releases, r, kColumns[end][d])) continue;
                x.ends[end].released[d] = true;
                const double k = p == NameIndex::kNone ? 0 : TextToNumber(partial.View(static_cast<std::size_t>(p), kPartialFirst[end] + d));
                if (!std::isfinite(k) || k == 0) continue;
                if (x.ends[end].springs == kNoItem) {
                    x.ends[end].springs = static_cast<std::uint32_t>(c.s.endSprings.size());
                    c.s.endSprings.emplace_back();
                }
                c.s.endSprings[x.ends[end].springs][d] = k;
            }
    }

    const Table& offsets = m[TableId::FrameOffsets];
    for (std::size_t r = 0; r < offsets.rows(); ++r) {
        if (Word(offsets, r, FrameOffsetCol::Type) != "USER") {
            if (TextToNumber(offsets.View(r, FrameOffsetCol::RigidFactor)) != 0)
                c.Add(ReportKind::OffsetNotConverted, "FRAME OFFSET ALONG LENGTH ASSIGNMENTS", offsets.Text(r, FrameOffsetCol::Frame),
                      offsets.Text(r, FrameOffsetCol::Type));
            continue;
        }
        const std::int64_t member = c.links.frames.Find(offsets, r, FrameOffsetCol::Frame);
        if (member == NameIndex::kNone) continue;
        // The rigid part of each end offset, along the member.
        const double factor = TextToNumber(offsets.View(r, FrameOffsetCol::RigidFactor));
        const double i = factor * TextToNumber(offsets.View(r, FrameOffsetCol::LengthI));
        const double j = factor * TextToNumber(offsets.View(r, FrameOffsetCol::LengthJ));
        Member& x = c.s.members[static_cast<std::size_t>(member)];
        if (std::isfinite(i)) x.ends[0].rigidLength = i;
        if (std::isfinite(j)) x.ends[1].rigidLength = j;
    }

    const Table& insertion = m[TableId::FrameInsertion];
    for (std::size_t r = 0; r < insertion.rows(); ++r) {
        // Cardinal points 10 and 10-something are the centroid.
        const std::string point = Word(insertion, r, FrameInsertionCol::CardinalPt);
        if (point.rfind("10", 0) != 0 || (point.size() > 2 && std::isdigit(static_cast<unsigned char>(point[2]))))
            c.Add(ReportKind::InsertionPoint, "FRAME INSERTION POINT ASSIGNMENTS", insertion.Text(r, FrameInsertionCol::Frame),
                  insertion.Text(r, FrameInsertionCol::CardinalPt));
    }
}

ShellKind KindOf(const Table& s, std::size_t r) {
    const std::string areaType = Word(s, r, AreaSectionFullCol::AreaType);
    const std::string type = Word(s, r, AreaSectionFullCol::Type);
    if (areaType == "ASOLID") return ShellKind::Axisymmetric;
    if (areaType == "PLANE") return type == "PLANE-STRAIN" ? ShellKind::PlaneStrain : ShellKind::PlaneStress;
    if (type == "MEMBRANE") return ShellKind::Membrane;
    if (type.rfind("PLATE", 0) == 0) return ShellKind::Plate;
    return ShellKind::Shell;
}

bool NotOne(const BuildContext& c, const Table& t, std::size_t row, int col) {
    double v;
    return c.Finite(t, row, col, &v) && v != 1;
}

void BuildShells(BuildContext& c) {
    const Model& m = c.model;
    const Table& s = m[TableId::AreaSections];
    c.s.shellSections.resize(s.rows());
    const char* const kSections = "AREA SECTION PROPERTIES";
    for (std::size_t r = 0; r < s.rows(); ++r) {
        ShellSection& x = c.s.shellSections[r];
        x.origin = {TableId::AreaSections, static_cast<std::uint32_t>(r)};
        x.name = s.Text(r, AreaSectionCol::Section);
        x.materialName = s.Text(r, AreaSectionCol::Material);
        x.material = ItemOf(c.links.materials.Find(s, r, AreaSectionCol::Material));
        x.kind = KindOf(s, r);
        x.thickness = c.ValueAt(s, r, AreaSectionCol::Thickness);
        x.materialAngle = TextToNumber(s.View(r, AreaSectionFullCol::MatAng));
        if (!std::isfinite(x.materialAngle)) x.materialAngle = 0;
        if (x.kind == ShellKind::PlaneStrain || x.kind == ShellKind::Axisymmetric)
            c.Add(ReportKind::AreaTypeUnsupported, kSections, x.name,
                  s.Text(r, x.kind == ShellKind::Axisymmetric ? AreaSectionFullCol::AreaType : AreaSectionFullCol::Type));
        bool stiffness = false;
        for (int col = AreaSectionFullCol::F11Mod; col <= AreaSectionFullCol::V23Mod; ++col) stiffness = stiffness || NotOne(c, s, r, col);
        if (stiffness) c.Add(ReportKind::AreaModifier, kSections, x.name, "Area section");
        if (NotOne(c, s, r, AreaSectionFullCol::MMod))
            c.Add(ReportKind::MassModifier, kSections, x.name, "Area section", s.Text(r, AreaSectionFullCol::MMod));
    }
    const Table& mods = m[TableId::AreaModifiers];
    for (std::size_t r = 0; r < mods.rows(); ++r) {
        bool stiffness = false;
        for (int col = AreaModifierCol::f11; col <= AreaModifierCol::v23; ++col) stiffness = stiffness || NotOne(c, mods, r, col);
        if (stiffness) c.Add(ReportKind::AreaModifier, "AREA STIFFNESS MODIFIERS", mods.Text(r, AreaModifierCol::Area), "Area");
        if (NotOne(c, mods, r, AreaModifierCol::MMod))
            c.Add(ReportKind::MassModifier, "AREA STIFFNESS MODIFIERS", mods.Text(r, AreaModifierCol::Area), "Area", mods.Text(r, AreaModifierCol::MMod));
    }

    const Table& areas = m[TableId::Areas];
    const Table& assigns = m[TableId::AreaAssigns];
    const Table& axes = m[TableId::AreaLocalAxes];
    const NameIndex assignOf(assigns, AreaAssignCol::Area), modsOf(mods, AreaModifierCol::Area), axesOf(axes, AreaLocalAxesCol::Area);
    c.s.shells.resize(areas.rows());
    for (std::size_t r = 0; r < areas.rows(); ++r) {
        Shell& x = c.s.shells[r];
        x.origin = {TableId::Areas, static_cast<std::uint32_t>(r)};
        x.name = c.Shown(areas, r, AreaCol::Area);
        x.number = c.NumberOf(NameKind::Area, areas, r, AreaCol::Area, &x.renumbered);
        // The corner count decides the element: a count written "4.0" is four.
        const double count = std::floor(TextToNumber(areas.View(r, AreaCol::NumJoints)));
        x.corners = count == 4 ? 4 : count == 3 ? 3 : 0;
        for (int k = 0; k < x.corners; ++k) x.joints[k] = ItemOf(c.links.joints.Find(areas, r, AreaCol::Joint1 + k));
        const std::int64_t a = assignOf.Find(areas, r, AreaCol::Area);
        const std::int64_t sec = a == NameIndex::kNone ? NameIndex::kNone : c.links.areaSections.Find(assigns, static_cast<std::size_t>(a), AreaAssignCol::Section);
        x.section = ItemOf(sec);
        const std::int64_t own = modsOf.Find(areas, r, AreaCol::Area);
        x.weightScale = c.Modifier(s, sec, AreaSectionFullCol::WMod) * c.Modifier(mods, own, AreaModifierCol::WMod);
        x.massScale = c.Modifier(s, sec, AreaSectionFullCol::MMod) * c.Modifier(mods, own, AreaModifierCol::MMod);
        if (const std::int64_t l = axesOf.Find(areas, r, AreaCol::Area); l != NameIndex::kNone) {
            const double angle = TextToNumber(axes.View(static_cast<std::size_t>(l), AreaLocalAxesCol::Angle));
            if (std::isfinite(angle)) x.angle = angle;
        }
    }
    for (std::size_t r = 0; r < assigns.rows(); ++r) {
        const std::int64_t shell = c.links.areas.Find(assigns, r, AreaAssignCol::Area);
        if (shell == NameIndex::kNone) continue;
        c.s.shellAssignments.push_back({static_cast<std::uint32_t>(shell), ItemOf(c.links.areaSections.Find(assigns, r, AreaAssignCol::Section)), kNoItem});
    }
}

// SAP2000 numbers a solid's corners in binary order (j1 -,-,-  j2 +,-,-
// j3 -,+,-  j4 +,+,- ...); the structure goes round one face, then the
// opposite one.
constexpr int kSolidCorners[8] = {SolidCol::Joint1, SolidCol::Joint2, SolidCol::Joint4, SolidCol::Joint3,
                                  SolidCol::Joint5, SolidCol::Joint6, SolidCol::Joint8, SolidCol::Joint7};

}  // namespace

int SolidCornerOf(int j) {
    for (int k = 0; k < 8; ++k)
        if (kSolidCorners[k] == SolidCol::Joint1 + j - 1) return k;
    return -1;
}

namespace {

void BuildSolids(BuildContext& c) {
    const Model& m = c.model;
    const Table& solids = m[TableId::Solids];
    const Table& assigns = m[TableId::SolidAssigns];
    const Table& props = m[TableId::SolidProperties];
    const NameIndex assignOf(assigns, SolidAssignCol::Solid), propertyOf(props, SolidPropertyCol::SolidProp);
    c.s.solids.resize(solids.rows());
    for (std::size_t r = 0; r < solids.rows(); ++r) {
        Solid& x = c.s.solids[r];
        x.origin = {TableId::Solids, static_cast<std::uint32_t>(r)};
        x.name = c.Shown(solids, r, SolidCol::Solid);
        x.complete = true;
        for (int k = 0; k < 8; ++k) {
            x.joints[k] = ItemOf(c.links.joints.Find(solids, r, kSolidCorners[k]));
            x.complete = x.complete && x.joints[k] != kNoItem;
        }
        const std::int64_t a = assignOf.Find(solids, r, SolidCol::Solid);
        const std::int64_t p = a == NameIndex::kNone ? NameIndex::kNone : propertyOf.Find(assigns, static_cast<std::size_t>(a), SolidAssignCol::SolidProp);
        if (p != NameIndex::kNone) x.material = ItemOf(c.links.materials.Find(props, static_cast<std::size_t>(p), SolidPropertyCol::Material));
        if (x.material == kNoItem)
            c.Add(ReportKind::SolidWithoutMaterial, "SOLID PROPERTY ASSIGNMENTS", solids.Text(r, SolidCol::Solid),
                  a == NameIndex::kNone ? std::string("(none)") : assigns.Text(static_cast<std::size_t>(a), SolidAssignCol::SolidProp));
        for (int col = SolidCol::Joint1; col <= SolidCol::Joint8; ++col)
            if (c.links.joints.Find(solids, r, col) == NameIndex::kNone)
                c.Add(ReportKind::MissingJoint, "CONNECTIVITY - SOLID", solids.Text(r, SolidCol::Solid), "Solid", solids.Text(r, col));
    }
}

// Body and diaphragm constraints: the joints of each, one of them the
// master.
void BuildConstraints(BuildContext& c) {
    const Model& m = c.model;
    const Table& assigns = m[TableId::JointConstraints];
    if (assigns.empty()) return;
    const Table& bodies = m[TableId::BodyConstraints];
    const Table& diaphragms = m[TableId::DiaphragmConstraints];
    const NameIndex byName(assigns, JointConstraintCol::Constraint), bodyIndex(bodies, BodyConstraintCol::Name),
        diaphragmIndex(diaphragms, DiaphragmConstraintCol::Name);
    std::vector<std::int64_t> keys(assigns.rows());
    for (std::size_t r = 0; r < assigns.rows(); ++r) keys[r] = byName.Find(assigns, r, JointConstraintCol::Constraint);
    const Groups groups(assigns.rows(), keys);
    const char* const table = "JOINT CONSTRAINT ASSIGNMENTS";
    // A diaphragm about an axis ties the two translations across it and the
    // rotation about it.
    static constexpr struct {
        std::string_view axis;
        Vec3 normal;
        int dofs[3];
    } kDiaphragms[] = {{"Z", {0, 0, 1}, {0, 1, 5}}, {"X", {1, 0, 0}, {1, 2, 3}}, {"Y", {0, 1, 0}, {0, 2, 4}}};
    for (std::size_t first = 0; first < assigns.rows(); ++first) {
        if (keys[first] != static_cast<std::int64_t>(first)) continue;
        const std::string name = assigns.Text(first, JointConstraintCol::Constraint);
        Constraint x;
        x.origin = {TableId::JointConstraints, static_cast<std::uint32_t>(first)};
        std::string problem;
        if (const std::int64_t b = bodyIndex.Find(assigns, first, JointConstraintCol::Constraint); b != NameIndex::kNone) {
            const std::size_t row = static_cast<std::size_t>(b);
            bool any = false;
            for (int d = 0; d < 6; ++d) any = (x.tied[d] = IsYes(bodies, row, BodyConstraintCol::UX + d)) || any;
            if (Word(bodies, row, BodyConstraintCol::CoordSys) != "GLOBAL") problem = "body constraint in " + bodies.Text(row, BodyConstraintCol::CoordSys);
            else if (!any) problem = "body constraint of no direction";
        } else if (const std::int64_t d = diaphragmIndex.Find(assigns, first, JointConstraintCol::Constraint); d != NameIndex::kNone) {
            const std::size_t row = static_cast<std::size_t>(d);
            const std::string axis = Word(diaphragms, row, DiaphragmConstraintCol::Axis);
            for (const auto& p : kDiaphragms)
                if (p.axis == axis) {
                    x.diaphragm = true;
                    x.axis = p.normal;
                    for (int k : p.dofs) x.tied[k] = true;
                }
            if (Word(diaphragms, row, DiaphragmConstraintCol::CoordSys) != "GLOBAL")
                problem = "diaphragm in " + diaphragms.Text(row, DiaphragmConstraintCol::CoordSys);
            else if (IsYes(diaphragms, row, DiaphragmConstraintCol::MultiLevel)) problem = "multi-level diaphragm";
            else if (!x.diaphragm) problem = "diaphragm about " + diaphragms.Text(row, DiaphragmConstraintCol::Axis);
        } else {
            problem = "no body or diaphragm constraint of this name";
        }
        if (!problem.empty()) {
            c.Add(ReportKind::ConstraintNotConverted, table, name, problem);
            continue;
        }
        // The master: the first joint with a support, else the first joint.
        const auto supported = [&](std::uint32_t joint) {
            for (bool h : c.s.joints[joint].held)
                if (h) return true;
            return false;
        };
        std::uint32_t masterRow = kNoItem;
        bool masterSupported = false;
        for (std::uint32_t r : groups[keys[first]]) {
            const std::int64_t joint = c.links.joints.Find(assigns, r, JointConstraintCol::Joint);
            if (joint == NameIndex::kNone) {
                c.Add(ReportKind::MissingJoint, table, name, "Constraint", assigns.Text(r, JointConstraintCol::Joint));
                continue;
            }
            const bool held = supported(static_cast<std::uint32_t>(joint));
            if (x.master != kNoItem && (masterSupported || !held)) continue;
            x.master = static_cast<std::uint32_t>(joint);
            masterRow = r;
            masterSupported = held;
        }
        if (x.master == kNoItem) continue;
        for (std::uint32_t r : groups[keys[first]]) {
            const std::int64_t joint = c.links.joints.Find(assigns, r, JointConstraintCol::Joint);
            if (r == masterRow || joint == NameIndex::kNone || static_cast<std::uint32_t>(joint) == x.master) continue;
            x.slaves.push_back(static_cast<std::uint32_t>(joint));
        }
        if (!x.slaves.empty()) c.s.constraints.push_back(std::move(x));
    }
}

// Springs under areas: simple springs normal to the face, by unit area.
void BuildShellSprings(BuildContext& c) {
    const Table& springs = c.model[TableId::AreaSprings];
    for (std::size_t r = 0; r < springs.rows(); ++r) {
        const std::string face = Word(springs, r, AreaSpringCol::Face), dir = Word(springs, r, AreaSpringCol::Dir),
                          type = Word(springs, r, AreaSpringCol::Type), simple = Word(springs, r, AreaSpringCol::SimpleType);
        const bool normal = (face.empty() || face == "TOP" || face == "BOTTOM") &&
                            (dir.empty() || dir == "INWARD" || dir == "OUTWARD" || dir.find("NORMAL") != std::string::npos) &&
                            (type.empty() || type == "SIMPLE") && simple.find("ONLY") == std::string::npos;
        const std::int64_t shell = c.links.areas.Find(springs, r, AreaSpringCol::Area);
        const double k = TextToNumber(springs.View(r, AreaSpringCol::Stiffness));
        if (!normal || shell == NameIndex::kNone || !std::isfinite(k)) {
            c.Add(ReportKind::AreaSpringUnsupported, "AREA SPRING ASSIGNMENTS", springs.Text(r, AreaSpringCol::Area),
                  springs.Text(r, AreaSpringCol::Face) + " " + springs.Text(r, AreaSpringCol::Dir));
            continue;
        }
        c.s.shellSprings.push_back({{TableId::AreaSprings, static_cast<std::uint32_t>(r)}, static_cast<std::uint32_t>(shell), k});
    }
}

}  // namespace

void BuildElements(BuildContext& c) {
    BuildJoints(c);
    BuildActiveDofs(c);
    BuildMaterials(c);
    BuildFrameSections(c);
    BuildMembers(c);
    BuildEnds(c);
    BuildShells(c);
    BuildSolids(c);
    BuildConstraints(c);
    BuildShellSprings(c);
}

Structure BuildStructure(const Model& model, const Links& links, Report* report) {
    Structure s;
    s.forceUnit = model.units.force;
    s.lengthUnit = model.units.length;
    s.elementOffset = links.shellOffset;
    // The model's length unit in metres, for what needs the acceleration
    // of gravity.
    static constexpr struct {
        std::string_view word;
        double metres;
    } kLengths[] = {{"m", 1}, {"M", 1}, {"mm", 0.001}, {"MM", 0.001}, {"cm", 0.01}, {"CM", 0.01},
                    {"in", 0.0254}, {"IN", 0.0254}, {"ft", 0.3048}, {"FT", 0.3048}};
    for (const auto& l : kLengths)
        if (l.word == s.lengthUnit) s.metresPerLength = l.metres;
    BuildContext c{model, links, report, s};
    BuildElements(c);
    BuildLoads(c);
    BuildDynamics(c);
    BuildSpectra(c);
    BuildMeshRequests(c);
    MeshStructure(s, report);
    BuildEdgePressures(c);
    LeaveOutMembersWithoutStiffness(s, report);
    return s;
}

}  // namespace corvane
