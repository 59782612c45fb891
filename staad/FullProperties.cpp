// The full conversion's member properties: SAP2000's own torsion constant
// and shear areas beside the dimensions, and members with stiffness
// modifiers, which get a property of their own.
#include "staad/FullBlocks.h"
#include "staad/Lists.h"
#include "text/NumberText.h"

namespace corvane {

namespace {

// A computed property of a section row, or false when it is missing or no
// number.
bool Property(const Table& s, std::size_t row, int col, double* value) {
    if (s.Absent(row, col)) return false;
    const std::string text = s.Text(row, col);
    if (!IsFiniteDecimal(text)) return false;
    *value = TextToNumber(text);
    return true;
}

// The section properties in the order AX IX IY IZ AY AZ: Area, TorsConst,
// I22, I33, AS2, AS3 (STAAD.Pro's y is SAP2000's 2).
constexpr int kPropertyCols[6] = {FrameSectionFullCol::Area, FrameSectionFullCol::TorsConst, FrameSectionFullCol::I22,
                                  FrameSectionFullCol::I33,  FrameSectionFullCol::AS2,       FrameSectionFullCol::AS3};
constexpr const char* kPropertyWords[6] = {"AX", "IX", "IY", "IZ", "AY", "AZ"};
// The section's modifiers of the same properties, and the member's.
constexpr int kSectionMods[6] = {FrameSectionFullCol::AMod,  FrameSectionFullCol::JMod,  FrameSectionFullCol::I2Mod,
                                 FrameSectionFullCol::I3Mod, FrameSectionFullCol::A2Mod, FrameSectionFullCol::A3Mod};
constexpr int kMemberMods[6] = {FrameModifierCol::AMod,   FrameModifierCol::JMod,   FrameModifierCol::I22Mod,
                                FrameModifierCol::I33Mod, FrameModifierCol::AS2Mod, FrameModifierCol::AS3Mod};

// All six properties of a section, when its four main ones are there
// (shear areas that are missing count as 0: no shear deformation).
bool Properties(const Table& s, std::size_t row, double (&p)[6]) {
    for (int k = 0; k < 6; ++k)
        if (!Property(s, row, kPropertyCols[k], &p[k])) {
            if (k < 4) return false;
            p[k] = 0;
        }
    return true;
}

// The PRIS text of six properties; shear areas of 0 are left out.
std::string Prismatic(const double (&p)[6]) {
    std::string text = " PRIS";
    for (int k = 0; k < 6; ++k) {
        if (k >= 4 && p[k] == 0) continue;
        text += std::string(" ") + kPropertyWords[k] + " " + NumberToText(p[k]);
    }
    return text;
}

// The six stiffness modifiers of a member: its section's times its own.
void Modifiers(const StaadContext& c, std::size_t assignRow, double (&mod)[6]) {
    const Table& assigns = c.model[TableId::FrameAssigns];
    const Table& sections = c.model[TableId::FrameSections];
    const Table& members = c.model[TableId::FrameModifiers];
    const std::int64_t s = c.links.frameSections.Find(assigns, assignRow, FrameAssignCol::AnalSect);
    const std::int64_t m = c.links.full.frameModifiers.Find(assigns, assignRow, FrameAssignCol::Frame);
    for (int k = 0; k < 6; ++k) {
        mod[k] = 1;
        double v;
        if (s != NameIndex::kNone && Property(sections, static_cast<std::size_t>(s), kSectionMods[k], &v)) mod[k] *= v;
        if (m != NameIndex::kNone && Property(members, static_cast<std::size_t>(m), kMemberMods[k], &v)) mod[k] *= v;
    }
}

bool AnyModifier(const double (&mod)[6]) {
    for (double v : mod)
        if (v != 1) return true;
    return false;
}

}  // namespace

bool HasStiffnessModifiers(const StaadContext& c, std::size_t assignRow) {
    double mod[6], p[6];
    Modifiers(c, assignRow, mod);
    if (!AnyModifier(mod)) return false;
    const std::int64_t s = c.links.frameSections.Find(c.model[TableId::FrameAssigns], assignRow, FrameAssignCol::AnalSect);
    return s != NameIndex::kNone && Properties(c.model[TableId::FrameSections], static_cast<std::size_t>(s), p);
}

std::string FullSectionTail(const StaadContext& c, std::size_t section, const std::string& classicTail) {
    const Table& s = c.model[TableId::FrameSections];
    double p[6];
    switch (c.links.sectionShapes[section]) {
        case SectionShape::Rectangular:
        case SectionShape::Circle: {
            // STAAD.Pro would derive its own torsion constant and shear
            // areas from the dimensions; SAP2000's are given.
            std::string tail = classicTail;
            for (int k : {1, 4, 5}) {  // IX, AY, AZ
                double v;
                if (Property(s, section, kPropertyCols[k], &v) && v != 0) tail += std::string(" ") + kPropertyWords[k] + " " + s.Text(section, kPropertyCols[k]);
            }
            return tail;
        }
        case SectionShape::IWide:
            // A tapered section has no shear deformation in STAAD.Pro; its
            // computed properties carry SAP2000's.
            if (classicTail.rfind(" TAPERED", 0) == 0 && Properties(s, section, p)) return Prismatic(p);
            return classicTail;
        case SectionShape::Other:
            break;
    }
    return classicTail;
}

void WriteModifiedMembers(StaadContext& c) {
    const Table& assigns = c.model[TableId::FrameAssigns];
    const Table& sections = c.model[TableId::FrameSections];
    TextGroups groups;
    for (std::size_t r = 0; r < assigns.rows(); ++r) {
        double mod[6], p[6];
        Modifiers(c, r, mod);
        if (!AnyModifier(mod)) continue;
        const std::int64_t s = c.links.frameSections.Find(assigns, r, FrameAssignCol::AnalSect);
        if (s == NameIndex::kNone) continue;
        if (!Properties(sections, static_cast<std::size_t>(s), p)) {
            if (c.report)
                c.report->Add(ReportKind::ModifierWithoutProperties, "FRAME PROPERTY MODIFIERS", assigns.Text(r, FrameAssignCol::Frame),
                              assigns.Text(r, FrameAssignCol::AnalSect));
            continue;
        }
        for (int k = 0; k < 6; ++k) p[k] *= mod[k];
        groups.Add(static_cast<std::uint32_t>(r), Prismatic(p));
    }
    groups.Finish();
    if (groups.size() == 0) return;
    c.out.Line("MEMBER PROPERTY");
    std::string line;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        line.clear();
        if (!AppendNameList(line, c.links, NameKind::Member, assigns, FrameAssignCol::Frame, groups.Rows(g))) continue;
        line.pop_back();
        c.out.Line(line + std::string(groups.Text(g)));
    }
}

}  // namespace corvane
