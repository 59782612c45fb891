#include "abaqus/AbaqusDeck.h"
#include "abaqus/DeckParts.h"

#include "model/ShellNumbers.h"
#include "text/NumberText.h"

#include <cmath>

namespace corvane {

namespace {

// The deck numbers its elements as the STAAD.Pro file did before offsets
// moved with the member numbers: always from 100000.
constexpr double kDeckOffset = ShellNumberOffset;

bool IsTriangle(const Table& a, std::size_t row) { return std::floor(TextToNumber(a.Text(row, AreaCol::NumJoints))) == 3; }

// One line per element of the area section, each ending in a comma.
void WriteElementNumbers(const Model& m, const Links& k, LineSink& out, std::size_t section, std::string& line) {
    const Table& assigns = m[TableId::AreaAssigns];
    const Table& sections = m[TableId::AreaSections];
    for (std::uint32_t r : k.areasOfSection[k.areaSections.Find(sections, section, AreaSectionCol::Section)]) {
        line.clear();
        AppendElementNumber(line, assigns.View(r, AreaAssignCol::Area), kDeckOffset);
        line += ',';
        out.Line(line);
    }
}

}  // namespace

void WriteAbaqusDeck(const Model& m, const Links& k, LineSink& out) {
    std::string line;
    out.Line("*Heading");
    out.Line("*Preprint, echo=NO, model=NO, history=NO, contact=NO");
    out.Line("*Part, name=Part-1");
    out.Line("*Node");
    const Table& j = m[TableId::Joints];
    for (std::size_t i = 0; i < j.rows(); ++i) {
        line.clear();
        j.AppendText(line, i, JointCol::Joint);
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
        AppendElementNumber(line, a.View(i, AreaCol::Area), kDeckOffset);
        for (int col = AreaCol::Joint1; col <= lastCorner; ++col) {
            line += ", ";
            a.AppendText(line, i, col);
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
        out.Line("*Elset, elset=" + s.Text(sec, AreaSectionCol::Section));
        WriteElementNumbers(m, k, out, sec, line);
    }
    for (std::size_t sec = 0; sec < s.rows(); ++sec) {
        out.Line("*Shell Section, elset=" + s.Text(sec, AreaSectionCol::Section) + ", material=" + s.Text(sec, AreaSectionCol::Material));
        out.Line(s.Text(sec, AreaSectionCol::Thickness) + ", 5");
    }
    out.Line("*End Part");
    for (const char* l : kAssembly) out.Line(l);

    // A node set without nodes stops the solver: a model without supports
    // has neither the set nor the boundary condition on it.
    const Table& r = m[TableId::Restraints];
    const bool supported = !r.empty();
    if (supported) out.Line("*Nset, nset=_PickedSet4, internal, instance=Part-1-1");
    for (std::size_t i = 0; i < r.rows(); ++i) out.Line(r.Text(i, RestraintCol::Joint));
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
        out.Line("*Material, name= " + mat.Text(i, MaterialCol::Material));
        out.Line("*DENSITY ");
        out.Line(mat.Text(i, MaterialCol::UnitWeight));
        out.Line("*Elastic ");
        out.Line(FormatOneDecimal(TextToNumber(mat.View(i, MaterialCol::E1))) + " , " + mat.Text(i, MaterialCol::U12));
    }
    for (const char* l : kStep) {
        const std::string_view line = l;
        if (!supported && (line == "*Boundary" || line.substr(0, 12) == "_PickedSet4,")) continue;
        out.Line(line);
    }
}

}  // namespace corvane
