#include "abaqus/AbaqusDeck.h"
#include "abaqus/DeckParts.h"

#include "model/ShellNumbers.h"
#include "text/NumberText.h"
#include "text/SafeNames.h"

#include <cmath>

namespace corvane {

namespace {

// The deck numbers its elements as the STAAD.Pro file did before offsets
// moved with the member numbers: always from 100000.
constexpr double kDeckOffset = ShellNumberOffset;

bool IsTriangle(const Table& a, std::size_t row) { return std::floor(TextToNumber(a.Text(row, AreaCol::NumJoints))) == 3; }

// Names and labels come from the links, which give every joint and area a
// whole number and every other name the deck's spelling. A joint a line
// names that has no label (it is not in the joint table, and its name is
// not a whole number) leaves the line out: the deck writes no other label.
bool AppendJointLabel(std::string& line, const Links& k, const Table& t, std::size_t row, int col, std::string& scratch) {
    const std::string_view label = k.NameOf(NameKind::Joint, t, row, col, scratch);
    if (!IsDigits(label)) return false;
    line += label;
    return true;
}

// A value at the start of a data line: a text that is no number (the
// report names it) is written in the deck's spelling, so that it never
// makes a keyword or a comment.
std::string DataValue(const Table& t, std::size_t row, int col) {
    std::string text = t.Text(row, col);
    return IsFiniteDecimal(text) ? text : SafeName(NameFormat::Abaqus, text);
}

// One line per element of the area section, each ending in a comma.
void WriteElementNumbers(const Model& m, const Links& k, LineSink& out, std::size_t section, std::string& line) {
    const Table& assigns = m[TableId::AreaAssigns];
    const Table& sections = m[TableId::AreaSections];
    std::string scratch;
    for (std::uint32_t r : k.areasOfSection[k.areaSections.Find(sections, section, AreaSectionCol::Section)]) {
        line.clear();
        AppendElementNumber(line, k.NameOf(NameKind::Area, assigns, r, AreaAssignCol::Area, scratch), kDeckOffset);
        line += ',';
        out.Line(line);
    }
}

}  // namespace

void WriteAbaqusDeck(const Model& m, const Links& k, LineSink& out) {
    std::string line, scratch;
    out.Line("*Heading");
    out.Line("*Preprint, echo=NO, model=NO, history=NO, contact=NO");
    out.Line("*Part, name=Part-1");
    out.Line("*Node");
    const Table& j = m[TableId::Joints];
    for (std::size_t i = 0; i < j.rows(); ++i) {
        line.assign(k.OwnName(NameKind::Joint, j, i, JointCol::Joint, scratch));
        for (int col = JointCol::GlobalX; col <= JointCol::GlobalZ; ++col) {
            line += ", ";
            j.AppendText(line, i, col);
        }
        out.Line(line);
    }

    // Four-node shells first, then three-node shells under their own header.
    const Table& a = m[TableId::Areas];
    const auto element = [&](std::size_t i, int lastCorner) {
        line.clear();
        AppendElementNumber(line, k.OwnName(NameKind::Area, a, i, AreaCol::Area, scratch), kDeckOffset);
        for (int col = AreaCol::Joint1; col <= lastCorner; ++col) {
            line += ", ";
            if (!AppendJointLabel(line, k, a, i, col, scratch)) return;
        }
        out.Line(line);
    };
    out.Line("*Element, type=S4R");
    bool anyTriangle = false;
    for (std::size_t i = 0; i < a.rows(); ++i) {
        if (IsTriangle(a, i)) anyTriangle = true;
        else element(i, AreaCol::Joint4);
    }
    if (anyTriangle) {
        out.Line("*Element, type=S3");
        for (std::size_t i = 0; i < a.rows(); ++i)
            if (IsTriangle(a, i)) element(i, AreaCol::Joint3);
    }

    const Table& s = m[TableId::AreaSections];
    for (std::size_t sec = 0; sec < s.rows(); ++sec) {
        out.Line("*Elset, elset=" + std::string(k.SafeNameOf(NameSet::AreaSection, s, sec, AreaSectionCol::Section, scratch)));
        WriteElementNumbers(m, k, out, sec, line);
    }
    for (std::size_t sec = 0; sec < s.rows(); ++sec) {
        line = "*Shell Section, elset=";
        line += k.SafeNameOf(NameSet::AreaSection, s, sec, AreaSectionCol::Section, scratch);
        line += ", material=";
        line += k.SafeNameOf(NameSet::Material, s, sec, AreaSectionCol::Material, scratch);
        out.Line(line);
        out.Line(DataValue(s, sec, AreaSectionCol::Thickness) + ", 5");
    }
    out.Line("*End Part");
    for (const char* l : kAssembly) out.Line(l);

    // A node set without nodes stops the solver: a model without supports
    // has neither the set nor the boundary condition on it.
    const Table& r = m[TableId::Restraints];
    const bool supported = !r.empty();
    if (supported) out.Line("*Nset, nset=_PickedSet4, internal, instance=Part-1-1");
    for (std::size_t i = 0; i < r.rows(); ++i) {
        line.clear();
        if (AppendJointLabel(line, k, r, i, RestraintCol::Joint, scratch)) out.Line(line);
    }
    {
        out.Line("*Elset, elset=__PickedSurf5_SNEG, internal, instance=PART-1-1");
        for (std::size_t sec = 0; sec < s.rows(); ++sec) WriteElementNumbers(m, k, out, sec, line);
        out.Line("*Surface, type=ELEMENT, name=_PickedSurf5, internal");
        out.Line("__PickedSurf5_SNEG, SNEG");
    }
    out.Line("*End Assembly");
    out.Line("**");

    const Table& mat = m[TableId::Materials];
    for (std::size_t i = 0; i < mat.rows(); ++i) {
        out.Line("*Material, name= " + std::string(k.SafeNameOf(NameSet::Material, mat, i, MaterialCol::Material, scratch)));
        out.Line("*DENSITY ");
        out.Line(DataValue(mat, i, MaterialCol::UnitWeight));
        out.Line("*Elastic ");
        out.Line(FormatOneDecimal(TextToNumber(mat.View(i, MaterialCol::E1))) + " , " + DataValue(mat, i, MaterialCol::U12));
    }
    for (const char* l : kStep) {
        const std::string_view line = l;
        if (!supported && (line == "*Boundary" || line.substr(0, 12) == "_PickedSet4,")) continue;
        out.Line(line);
    }
}

}  // namespace corvane
