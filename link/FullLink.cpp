#include "link/FullLink.h"

#include "link/Link.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <unordered_map>

namespace corvane {

std::string Word(const Table& t, std::size_t row, int col) {
    std::string out = t.Text(row, col);
    while (!out.empty() && (out.back() == '$' || out.back() == ' ')) out.pop_back();
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool IsYes(const Table& t, std::size_t row, int col) { return Word(t, row, col) == "YES"; }

std::string FullLinks::SolidNumber(std::size_t row) const { return NumberToText(solidBase + static_cast<double>(row) + 1); }

bool SolidCornersFound(const Links& links, const Table& solids, std::size_t row) {
    for (int col : kSolidCorners)
        if (links.joints.Find(solids, row, col) == NameIndex::kNone) return false;
    return true;
}

namespace {

// A number cell that is not 1 (a modifier that changes something).
bool NotOne(const Table& t, std::size_t row, int col) {
    const std::string text = t.Text(row, col);
    return IsFiniteDecimal(text) && TextToNumber(text) != 1;
}

// A modifier's value: 1 when it is missing or no number.
double Modifier(const Table& t, std::int64_t row, int col) {
    if (row == NameIndex::kNone) return 1;
    const std::string text = t.Text(static_cast<std::size_t>(row), col);
    return IsFiniteDecimal(text) ? TextToNumber(text) : 1;
}

// The structure type an active set makes, in SAP2000's order UX..RZ.
struct StructureSet {
    std::array<bool, 6> active;
    StructureType type;
};
constexpr StructureSet kStructureSets[] = {
    {{{true, true, true, true, true, true}}, StructureType::Space},
    {{{true, false, true, false, true, false}}, StructureType::Plane},
    {{{false, false, true, true, true, false}}, StructureType::Floor},
    {{{true, true, true, false, false, false}}, StructureType::Truss},
};
constexpr const char* kDofNames[6] = {"UX", "UY", "UZ", "RX", "RY", "RZ"};

void LinkStructure(const Model& m, FullLinks& f, Report* report) {
    const Table& dof = m[TableId::ActiveDof];
    if (dof.rows() == 0) return;
    for (int k = 0; k < 6; ++k) f.active[k] = IsYes(dof, 0, k);
    for (const StructureSet& s : kStructureSets)
        if (s.active == f.active) {
            f.structure = s.type;
            return;
        }
    f.structure = StructureType::Space;
    f.holdInactive = true;
    if (!report) return;
    std::string active, held;
    for (int k = 0; k < 6; ++k) {
        std::string& into = f.active[k] ? active : held;
        if (!into.empty()) into += ' ';
        into += f.active[k] ? kDofNames[k] : kStaadDirection[k];
    }
    report->Add(ReportKind::InactiveDofsRestrained, "ACTIVE DEGREES OF FREEDOM", "", active.empty() ? "none" : active, held);
}

AreaKind KindOf(const Table& s, std::size_t r) {
    const std::string areaType = Word(s, r, AreaSectionFullCol::AreaType);
    const std::string type = Word(s, r, AreaSectionFullCol::Type);
    if (areaType == "ASOLID") return AreaKind::Axisymmetric;
    if (areaType == "PLANE") return type == "PLANE-STRAIN" ? AreaKind::PlaneStrain : AreaKind::PlaneStress;
    if (type == "MEMBRANE") return AreaKind::Membrane;
    if (type.rfind("PLATE", 0) == 0) return AreaKind::Plate;
    return AreaKind::Shell;
}

void LinkAreas(const Model& m, Links& k, Report* report) {
    FullLinks& f = k.full;
    const Table& s = m[TableId::AreaSections];
    f.areaKinds.resize(s.rows());
    for (std::size_t r = 0; r < s.rows(); ++r) f.areaKinds[r] = KindOf(s, r);
    f.areaModifiers.Build(m[TableId::AreaModifiers], AreaModifierCol::Area);
    const Table& areas = m[TableId::Areas];
    const Table& assigns = m[TableId::AreaAssigns];
    const NameIndex assignOf(assigns, AreaAssignCol::Area);
    f.areaWeight.assign(areas.rows(), 1.0);
    for (std::size_t r = 0; r < areas.rows(); ++r) {
        const std::int64_t a = assignOf.Find(areas, r, AreaCol::Area);
        const std::int64_t sec = a == NameIndex::kNone ? NameIndex::kNone : k.areaSections.Find(assigns, static_cast<std::size_t>(a), AreaAssignCol::Section);
        f.areaWeight[r] = Modifier(s, sec, AreaSectionFullCol::WMod) *
                          Modifier(m[TableId::AreaModifiers], f.areaModifiers.Find(areas, r, AreaCol::Area), AreaModifierCol::WMod);
    }
    if (!report) return;
    const char* const kSections = "AREA SECTION PROPERTIES";
    for (std::size_t r = 0; r < s.rows(); ++r) {
        const AreaKind kind = f.areaKinds[r];
        if (kind == AreaKind::PlaneStrain || kind == AreaKind::Axisymmetric ||
            (kind == AreaKind::Plate && f.structure != StructureType::Floor))
            report->Add(ReportKind::AreaTypeUnsupported, kSections, s.Text(r, AreaSectionCol::Section),
                        s.Text(r, kind == AreaKind::Axisymmetric ? AreaSectionFullCol::AreaType : AreaSectionFullCol::Type));
        bool stiffness = false;
        for (int col = AreaSectionFullCol::F11Mod; col <= AreaSectionFullCol::V23Mod; ++col) stiffness = stiffness || NotOne(s, r, col);
        if (stiffness) report->Add(ReportKind::AreaModifier, kSections, s.Text(r, AreaSectionCol::Section), "Area section");
        if (NotOne(s, r, AreaSectionFullCol::MMod))
            report->Add(ReportKind::MassModifier, kSections, s.Text(r, AreaSectionCol::Section), "Area section", s.Text(r, AreaSectionFullCol::MMod));
    }
    const Table& mods = m[TableId::AreaModifiers];
    for (std::size_t r = 0; r < mods.rows(); ++r) {
        bool stiffness = false;
        for (int col = AreaModifierCol::f11; col <= AreaModifierCol::v23; ++col) stiffness = stiffness || NotOne(mods, r, col);
        if (stiffness) report->Add(ReportKind::AreaModifier, "AREA STIFFNESS MODIFIERS", mods.Text(r, AreaModifierCol::Area), "Area");
        for (int col : {AreaModifierCol::MMod})
            if (NotOne(mods, r, col))
                report->Add(ReportKind::MassModifier, "AREA STIFFNESS MODIFIERS", mods.Text(r, AreaModifierCol::Area), "Area",
                            mods.Text(r, col));
    }
}

void LinkFrames(const Model& m, Links& k, Report* report) {
    FullLinks& f = k.full;
    f.localAxesOfFrame.Build(m[TableId::FrameLocalAxes], FrameLocalAxesCol::Frame);
    f.partialFixity.Build(m[TableId::ReleasePartial], ReleasePartialCol::Frame);
    f.frameModifiers.Build(m[TableId::FrameModifiers], FrameModifierCol::Frame);
    // SAP2000 weighs a frame as its section's area times the weight
    // modifiers; STAAD.Pro as the area it is given, the area modifiers in.
    const Table& frames = m[TableId::Frames];
    const Table& assigns = m[TableId::FrameAssigns];
    const Table& sectionTable = m[TableId::FrameSections];
    const Table& memberMods = m[TableId::FrameModifiers];
    const NameIndex assignOf(assigns, FrameAssignCol::Frame);
    f.memberWeight.assign(frames.rows(), 1.0);
    for (std::size_t r = 0; r < frames.rows(); ++r) {
        const std::int64_t a = assignOf.Find(frames, r, FrameCol::Frame);
        const std::int64_t s = a == NameIndex::kNone ? NameIndex::kNone : k.frameSections.Find(assigns, static_cast<std::size_t>(a), FrameAssignCol::AnalSect);
        const std::int64_t mm = f.frameModifiers.Find(frames, r, FrameCol::Frame);
        const double area = Modifier(sectionTable, s, FrameSectionFullCol::AMod) * Modifier(memberMods, mm, FrameModifierCol::AMod);
        const double weight = Modifier(sectionTable, s, FrameSectionFullCol::WMod) * Modifier(memberMods, mm, FrameModifierCol::WeightMod);
        if (area != 0) f.memberWeight[r] = weight / area;
    }
    f.frameOffsets.Build(m[TableId::FrameOffsets], FrameOffsetCol::Frame);
    f.frameInsertion.Build(m[TableId::FrameInsertion], FrameInsertionCol::Frame);
    if (!report) return;
    const Table& sections = m[TableId::FrameSections];
    for (std::size_t r = 0; r < sections.rows(); ++r)
        for (int col : {FrameSectionFullCol::MMod})
            if (NotOne(sections, r, col))
                report->Add(ReportKind::MassModifier, "FRAME SECTION PROPERTIES 01 - GENERAL",
                            sections.Text(r, FrameSectionCol::SectionName), "Frame section", sections.Text(r, col));
    const Table& mods = m[TableId::FrameModifiers];
    for (std::size_t r = 0; r < mods.rows(); ++r)
        for (int col : {FrameModifierCol::MassMod})
            if (NotOne(mods, r, col))
                report->Add(ReportKind::MassModifier, "FRAME PROPERTY MODIFIERS", mods.Text(r, FrameModifierCol::Frame), "Member",
                            mods.Text(r, col));
    const Table& offsets = m[TableId::FrameOffsets];
    for (std::size_t r = 0; r < offsets.rows(); ++r)
        if (Word(offsets, r, FrameOffsetCol::Type) != "USER" && TextToNumber(offsets.View(r, FrameOffsetCol::RigidFactor)) != 0)
            report->Add(ReportKind::OffsetNotConverted, "FRAME OFFSET ALONG LENGTH ASSIGNMENTS", offsets.Text(r, FrameOffsetCol::Frame),
                        offsets.Text(r, FrameOffsetCol::Type));
    const Table& insertion = m[TableId::FrameInsertion];
    for (std::size_t r = 0; r < insertion.rows(); ++r) {
        const std::string point = Word(insertion, r, FrameInsertionCol::CardinalPt);
        if (point.rfind("10", 0) != 0 || (point.size() > 2 && std::isdigit(static_cast<unsigned char>(point[2]))))
            report->Add(ReportKind::InsertionPoint, "FRAME INSERTION POINT ASSIGNMENTS", insertion.Text(r, FrameInsertionCol::Frame),
                        insertion.Text(r, FrameInsertionCol::CardinalPt));
    }
}

void LinkSolids(const Model& m, Links& k, Report* report) {
    FullLinks& f = k.full;
    const Table& solids = m[TableId::Solids];
    const Table& assigns = m[TableId::SolidAssigns];
    const Table& props = m[TableId::SolidProperties];
    f.solids.Build(solids, SolidCol::Solid);
    f.solidAssigns.Build(assigns, SolidAssignCol::Solid);
    f.solidProperties.Build(props, SolidPropertyCol::SolidProp);
    f.solidMaterial.assign(solids.rows(), NameIndex::kNone);
    for (std::size_t r = 0; r < solids.rows(); ++r) {
        const std::int64_t a = f.solidAssigns.Find(solids, r, SolidCol::Solid);
        const std::int64_t p = a == NameIndex::kNone ? NameIndex::kNone : f.solidProperties.Find(assigns, static_cast<std::size_t>(a), SolidAssignCol::SolidProp);
        if (p != NameIndex::kNone) f.solidMaterial[r] = k.materials.Find(props, static_cast<std::size_t>(p), SolidPropertyCol::Material);
        if (f.solidMaterial[r] == NameIndex::kNone && report)
            report->Add(ReportKind::SolidWithoutMaterial, "SOLID PROPERTY ASSIGNMENTS", solids.Text(r, SolidCol::Solid),
                        a == NameIndex::kNone ? std::string("(none)") : assigns.Text(static_cast<std::size_t>(a), SolidAssignCol::SolidProp));
        for (int col = SolidCol::Joint1; col <= SolidCol::Joint8 && report; ++col)
            if (k.joints.Find(solids, r, col) == NameIndex::kNone)
                report->Add(ReportKind::MissingJoint, "CONNECTIVITY - SOLID", solids.Text(r, SolidCol::Solid), "Solid", solids.Text(r, col));
    }

    // Solid numbers follow the largest member and shell element number.
    double largest = 0;
    std::string scratch, element;
    const Table& frames = m[TableId::Frames];
    for (std::size_t r = 0; r < frames.rows(); ++r) {
        const std::string_view name = k.OwnName(NameKind::Member, frames, r, FrameCol::Frame, scratch);
        if (IsDigits(name)) largest = std::max(largest, TextToNumber(name));
    }
    const Table& areas = m[TableId::Areas];
    for (std::size_t r = 0; r < areas.rows(); ++r) {
        element.clear();
        k.AppendOwnElement(element, areas, r);
        const double n = TextToNumber(element);
        if (std::isfinite(n)) largest = std::max(largest, n);
    }
    f.solidBase = largest;
    if (report)
        for (std::size_t r = 0; r < solids.rows(); ++r)
            if (largest + static_cast<double>(r) + 1 > 999999)
                report->Add(ReportKind::NumberOutOfRange, "CONNECTIVITY - SOLID", NumberToText(largest + static_cast<double>(r) + 1),
                            "Solid element");
}

void LinkLoads(const Model& m, Links& k, Report* report) {
    FullLinks& f = k.full;
    const std::size_t patterns = m[TableId::LoadPatterns].rows();
    for (std::size_t t = 0; t < kFullLoadTables.size(); ++t) {
        const Table& loads = m[kFullLoadTables[t]];
        std::vector<std::int64_t> keys(loads.rows());
        for (std::size_t r = 0; r < loads.rows(); ++r) {
            keys[r] = k.patterns.Find(loads, r, 1);
            if (keys[r] == NameIndex::kNone && report)
                report->Add(ReportKind::LoadPatternUnknown, Describe(kFullLoadTables[t]).sapName, loads.Text(r, 0), loads.Text(r, 1));
        }
        f.loadsOfPattern[t] = Groups(patterns, keys);
    }
    if (!report) return;
    // Only uniform temperatures are carried across.
    for (TableId id : {TableId::FrameTemperature, TableId::AreaTemperature}) {
        const Table& t = m[id];
        for (std::size_t r = 0; r < t.rows(); ++r) {
            const bool pattern = !t.Absent(r, TemperatureLoadCol::JointPattern) && !t.Is(r, TemperatureLoadCol::JointPattern, "None") &&
                                 !t.Is(r, TemperatureLoadCol::JointPattern, "");
            if (Word(t, r, TemperatureLoadCol::Type) != "TEMPERATURE" || pattern)
                report->Add(ReportKind::TemperatureNotUniform, Describe(id).sapName, t.Text(r, 0), t.Text(r, TemperatureLoadCol::LoadPat),
                            pattern ? "joint pattern " + t.Text(r, TemperatureLoadCol::JointPattern) : t.Text(r, TemperatureLoadCol::Type));
        }
    }
}

// Combinations: their cases, combinations named in them multiplied out.
class CombinationLinker {
public:
    CombinationLinker(const Model& m, Links& k, Report* report) : m_(m), k_(k), report_(report), t_(m[TableId::CombinationDefinitions]) {
        names_.Build(t_, CombinationDefinitionCol::ComboName);
        std::vector<std::int64_t> keys(t_.rows());
        for (std::size_t r = 0; r < t_.rows(); ++r) keys[r] = names_.Find(t_, r, CombinationDefinitionCol::ComboName);
        rows_ = Groups(t_.rows(), keys);
        state_.assign(t_.rows(), 0);
        expanded_.resize(t_.rows());
    }

    void Run() {
        for (std::size_t r = 0; r < t_.rows(); ++r) {
            if (names_.Find(t_, r, CombinationDefinitionCol::ComboName) != static_cast<std::int64_t>(r)) continue;
            const CombinationKind kind = KindOf(r);
            if (kind == CombinationKind::Other) {
                if (report_)
                    report_->Add(ReportKind::CombinationNotConverted, "COMBINATION DEFINITIONS", Name(r), TypeText(r));
                continue;
            }
            const std::vector<CombinationTerm>& terms = Expand(r, true);
            if (terms.empty()) continue;
            k_.full.combinations.push_back({static_cast<std::uint32_t>(r), kind, terms});
        }
    }

private:
    std::string Name(std::size_t r) const { return t_.Text(r, CombinationDefinitionCol::ComboName); }

    // The type is written on a combination's first record only.
    std::string TypeText(std::size_t first) const {
        for (std::uint32_t r : rows_[static_cast<std::int64_t>(first)])
            if (!t_.Absent(r, CombinationDefinitionCol::ComboType)) return t_.Text(r, CombinationDefinitionCol::ComboType);
        return "Linear Add";
    }

    CombinationKind KindOf(std::size_t first) const {
        std::string word = TypeText(first);
        for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        static constexpr struct {
            std::string_view word;
            CombinationKind kind;
        } kKinds[] = {{"LINEAR ADD", CombinationKind::Add}, {"SRSS", CombinationKind::Srss}, {"ABS ADD", CombinationKind::Abs}};
        for (const auto& k : kKinds)
            if (k.word == word) return k.kind;
        return CombinationKind::Other;
    }

    void Unknown(std::size_t first, std::size_t r) {
        if (report_)
            report_->Add(ReportKind::CombinationCaseUnknown, "COMBINATION DEFINITIONS", Name(first),
                         t_.Text(r, CombinationDefinitionCol::CaseName));
    }

    // The terms of a combination, nested linear combinations multiplied
    // out; `top` when the terms are written as they stand.
    const std::vector<CombinationTerm>& Expand(std::size_t first, bool top) {
        if (state_[first] == 2 || state_[first] == 1) return expanded_[first];
        state_[first] = 1;
        std::vector<CombinationTerm> terms;
        const bool additive = KindOf(first) == CombinationKind::Add;
        for (std::uint32_t r : rows_[static_cast<std::int64_t>(first)]) {
            const std::string factorText = t_.Text(r, CombinationDefinitionCol::ScaleFactor);
            if (!IsFiniteDecimal(factorText)) {
                if (report_ && top)
                    report_->Add(ReportKind::NumberInvalid, "COMBINATION DEFINITIONS", Name(first), "ScaleFactor", factorText);
                continue;
            }
            const double factor = TextToNumber(factorText);
            const bool comboCase = Word(t_, r, CombinationDefinitionCol::CaseType) == "RESPONSE COMBO";
            const std::int64_t pattern = k_.patterns.Find(t_, r, CombinationDefinitionCol::CaseName);
            const std::int64_t nested = names_.Find(t_, r, CombinationDefinitionCol::CaseName);
            if (pattern != NameIndex::kNone && !(comboCase && nested != NameIndex::kNone)) {
                Add(terms, static_cast<std::uint32_t>(pattern) + 1, factor, factorText);
                continue;
            }
            if (nested == NameIndex::kNone || !additive || state_[nested] == 1 || KindOf(static_cast<std::size_t>(nested)) != CombinationKind::Add) {
                if (top) Unknown(first, r);
                continue;
            }
            for (const CombinationTerm& term : Expand(static_cast<std::size_t>(nested), false))
                Add(terms, term.load, factor * term.factor, {});
        }
        state_[first] = 2;
        expanded_[first] = std::move(terms);
        return expanded_[first];
    }

    // Adds a term; a load that is already there gets the sum of the two.
    static void Add(std::vector<CombinationTerm>& terms, std::uint32_t load, double factor, std::string text) {
        for (CombinationTerm& t : terms)
            if (t.load == load) {
                t.factor += factor;
                t.text.clear();
                return;
            }
        terms.push_back({load, factor, std::move(text)});
    }

    const Model& m_;
    Links& k_;
    Report* report_;
    const Table& t_;
    NameIndex names_;
    Groups rows_;
    std::vector<int> state_;  // 0 not seen, 1 being expanded, 2 done
    std::vector<std::vector<CombinationTerm>> expanded_;
};

// Constraints: the joints of each body or diaphragm constraint, slaved to
// one of them.
void LinkConstraints(const Model& m, Links& k, Report* report) {
    const Table& assigns = m[TableId::JointConstraints];
    if (assigns.empty()) return;
    const Table& bodies = m[TableId::BodyConstraints];
    const Table& diaphragms = m[TableId::DiaphragmConstraints];
    const Table& restraints = m[TableId::Restraints];
    NameIndex byName(assigns, JointConstraintCol::Constraint), bodyIndex(bodies, BodyConstraintCol::Name),
        diaphragmIndex(diaphragms, DiaphragmConstraintCol::Name);
    std::vector<std::int64_t> keys(assigns.rows());
    for (std::size_t r = 0; r < assigns.rows(); ++r) keys[r] = byName.Find(assigns, r, JointConstraintCol::Constraint);
    const Groups groups(assigns.rows(), keys);
    const char* const table = "JOINT CONSTRAINT ASSIGNMENTS";
    for (std::size_t first = 0; first < assigns.rows(); ++first) {
        if (keys[first] != static_cast<std::int64_t>(first)) continue;
        const std::string name = assigns.Text(first, JointConstraintCol::Constraint);
        std::string directions, problem;
        if (const std::int64_t b = bodyIndex.Find(assigns, first, JointConstraintCol::Constraint); b != NameIndex::kNone) {
            const std::size_t row = static_cast<std::size_t>(b);
            bool all = true;
            std::array<bool, 6> tied{};
            for (int d = 0; d < 6; ++d) {
                tied[d] = IsYes(bodies, row, BodyConstraintCol::UX + d);
                all = all && tied[d];
            }
            // STAAD.Pro's words in its own order FX FY FZ MX MY MZ.
            static constexpr int kStaadOrder[6] = {0, 2, 1, 3, 5, 4};
            if (all) directions = "RIGID";
            else
                for (int d : kStaadOrder)
                    if (tied[d]) directions += std::string(directions.empty() ? "" : " ") + kStaadDirection[d];
            if (Word(bodies, row, BodyConstraintCol::CoordSys) != "GLOBAL") problem = "body constraint in " + bodies.Text(row, BodyConstraintCol::CoordSys);
            else if (directions.empty()) problem = "body constraint of no direction";
        } else if (const std::int64_t d = diaphragmIndex.Find(assigns, first, JointConstraintCol::Constraint); d != NameIndex::kNone) {
            const std::size_t row = static_cast<std::size_t>(d);
            static constexpr struct {
                std::string_view axis, plane;
            } kPlanes[] = {{"Z", "ZX"}, {"X", "YZ"}, {"Y", "XY"}};
            const std::string axis = Word(diaphragms, row, DiaphragmConstraintCol::Axis);
            for (const auto& p : kPlanes)
                if (p.axis == axis) directions = std::string(p.plane);
            if (Word(diaphragms, row, DiaphragmConstraintCol::CoordSys) != "GLOBAL")
                problem = "diaphragm in " + diaphragms.Text(row, DiaphragmConstraintCol::CoordSys);
            else if (IsYes(diaphragms, row, DiaphragmConstraintCol::MultiLevel)) problem = "multi-level diaphragm";
            else if (directions.empty()) problem = "diaphragm about " + diaphragms.Text(row, DiaphragmConstraintCol::Axis);
        } else {
            problem = "no body or diaphragm constraint of this name";
        }
        if (!problem.empty()) {
            if (report) report->Add(ReportKind::ConstraintNotConverted, table, name, problem);
            continue;
        }
        // The master: the first joint with a restraint, else the first joint.
        const auto restrained = [&](std::uint32_t r) {
            const std::int64_t row = k.full.restraints.Find(assigns, r, JointConstraintCol::Joint);
            for (int d = 0; row != NameIndex::kNone && d < 6; ++d)
                if (restraints.Is(static_cast<std::size_t>(row), RestraintCol::ux + d, "Yes")) return true;
            return false;
        };
        SlaveGroup group{directions, 0, {}};
        std::int64_t master = NameIndex::kNone, masterRow = NameIndex::kNone;
        bool masterRestrained = false;
        for (std::uint32_t r : groups[keys[first]]) {
            const std::int64_t joint = k.joints.Find(assigns, r, JointConstraintCol::Joint);
            if (joint == NameIndex::kNone) {
                if (report) report->Add(ReportKind::MissingJoint, table, name, "Constraint", assigns.Text(r, JointConstraintCol::Joint));
                continue;
            }
            if (master != NameIndex::kNone && (masterRestrained || !restrained(r))) continue;
            master = joint;
            masterRow = r;
            masterRestrained = restrained(r);
        }
        if (master == NameIndex::kNone) continue;
        group.master = static_cast<std::uint32_t>(master);
        for (std::uint32_t r : groups[keys[first]])
            if (static_cast<std::int64_t>(r) != masterRow && k.joints.Find(assigns, r, JointConstraintCol::Joint) != NameIndex::kNone &&
                k.joints.Find(assigns, r, JointConstraintCol::Joint) != master)
                group.slaves.push_back(r);
        if (!group.slaves.empty()) k.full.slaves.push_back(std::move(group));
    }
}

}  // namespace

void LinkFull(const Model& m, Links& k, Report* report, bool staad) {
    FullLinks& f = k.full;
    f.restraints.Build(m[TableId::Restraints], RestraintCol::Joint);
    if (!staad) {
        // The Abaqus deck takes the solids only.
        LinkSolids(m, k, report);
        return;
    }
    f.jointSprings.Build(m[TableId::JointSprings], JointSpringCol::Joint);
    f.jointLocalAxes.Build(m[TableId::JointLocalAxes], JointLocalAxesCol::Joint);
    LinkStructure(m, f, report);
    LinkFrames(m, k, report);
    LinkAreas(m, k, report);
    LinkSolids(m, k, report);
    LinkLoads(m, k, report);
    CombinationLinker(m, k, report).Run();
    LinkConstraints(m, k, report);
}

}  // namespace corvane
