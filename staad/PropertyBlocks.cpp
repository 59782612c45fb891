// Materials with their assignments, and member and element properties.
#include "staad/Blocks.h"
#include "staad/Lists.h"
#include "text/NumberText.h"

namespace corvane {

namespace {

// The shell elements of each area section, as one line each: the list,
// then tail(k), when the list is not empty.
template <class Tail>
void WriteAreaSectionLines(StaadContext& c, Tail tail) {
    const Table& s = c.model[TableId::AreaSections];
    const Table& assigns = c.model[TableId::AreaAssigns];
    std::string list;
    for (std::size_t k = 0; k < s.rows(); ++k) {
        list.clear();
        const auto rows = c.links.areasOfSection[c.links.areaSections.Find(s, k, AreaSectionCol::Section)];
        if (AppendElementList(list, c.links, assigns, AreaAssignCol::Area, rows)) c.out.Line(tail(k, list));
    }
}

}  // namespace

void WriteMaterialsBlock(StaadContext& c) {
    const Table& m = c.model[TableId::Materials];
    c.history.Append("Writing Material Data..........");
    c.out.Line("DEFINE MATERIAL START");
    std::string scratch;
    for (std::size_t i = 0; i < m.rows(); ++i) {
        c.out.Line("ISOTROPIC " + std::string(c.links.SafeNameOf(NameSet::Material, m, i, MaterialCol::Material, scratch)));
        c.out.Line("E " + m.Text(i, MaterialCol::E1));
        c.out.Line(m.Is(i, MaterialCol::U12, "") ? std::string("POISSON 0.2") : "POISSON " + m.Text(i, MaterialCol::U12));
        c.out.Line("DENSITY " + m.Text(i, MaterialCol::UnitWeight));
    }
    c.out.Line("END DEFINE MATERIAL");
    c.out.Line("CONSTANTS");

    c.history.Append("Writing Frame Material Assignments..........");
    const Table& assigns = c.model[TableId::FrameAssigns];
    std::string line;
    for (std::size_t i = 0; i < m.rows(); ++i) {
        const auto rows = c.links.membersOfMaterial[c.links.materials.Find(m, i, MaterialCol::Material)];
        line = "MATERIAL ";
        line += c.links.SafeNameOf(NameSet::Material, m, i, MaterialCol::Material, scratch);
        line += " MEMB ";
        if (AppendNameList(line, c.links, NameKind::Member, assigns, FrameAssignCol::Frame, rows)) c.out.Line(line);
    }
    c.history.Append(".......... Done ");

    c.history.Append("Writing Shell Material Assignments..........");
    const Table& sections = c.model[TableId::AreaSections];
    WriteAreaSectionLines(c, [&](std::size_t k, const std::string& list) {
        return "MATERIAL " + std::string(c.links.SafeNameOf(NameSet::Material, sections, k, AreaSectionCol::Material, scratch)) + " MEMB " + list;
    });
    c.history.Append(".......... Done ");
}

namespace {

struct PropertyLines {
    const char* header;
    std::string tail;
};

// The property lines of a frame section, chosen by its shape; `written` is
// its name as the file writes it.
PropertyLines PropertyFor(const Table& s, std::size_t i, SectionShape shape, std::string_view written) {
    const std::string name = s.Text(i, FrameSectionCol::SectionName);
    switch (shape) {
        case SectionShape::Rectangular:
            return {"MEMBER PROPERTY", " PRIS YD " + s.Text(i, FrameSectionCol::Dim1) + " ZD " + s.Text(i, FrameSectionCol::Dim2)};
        case SectionShape::Circle:
            return {"MEMBER PROPERTY", " PRIS YD " + s.Text(i, FrameSectionCol::Dim1)};
        case SectionShape::IWide:
            if (!name.empty() && name[0] == 'W') return {"MEMBER PROPERTY AMERICAN", " TABLE ST " + std::string(written)};
            if (!name.empty() && name[0] == 'U') return {"MEMBER PROPERTY BRITISH", " TABLE ST " + std::string(written)};
            return {"MEMBER PROPERTY", " TAPERED " + s.Text(i, FrameSectionCol::Dim1)};
        case SectionShape::Other:
            break;
    }
    // Any other shape carries its computed properties in Dim1.
    return {"MEMBER PROPERTY", " PRIS " + s.Text(i, FrameSectionCol::Dim1)};
}

}  // namespace

void WritePropertiesBlock(StaadContext& c) {
    const Table& s = c.model[TableId::FrameSections];
    const Table& assigns = c.model[TableId::FrameAssigns];
    c.history.Append("Writing Frame Section Assignments..........");
    std::string line, scratch;
    for (std::size_t i = 0; i < s.rows(); ++i) {
        const auto rows = c.links.membersOfSection[c.links.frameSections.Find(s, i, FrameSectionCol::SectionName)];
        line.clear();
        if (!AppendNameList(line, c.links, NameKind::Member, assigns, FrameAssignCol::Frame, rows)) continue;
        const PropertyLines lines =
            PropertyFor(s, i, c.links.sectionShapes[i], c.links.SafeNameOf(NameSet::FrameSection, s, i, FrameSectionCol::SectionName, scratch));
        c.out.Line(lines.header);
        c.out.Line(line + lines.tail);
    }
    c.history.Append(".......... Done ");

    c.history.Append("Writing Shell Section Assignments..........");
    c.out.Line("ELEMENT PROPERTY");
    const Table& sections = c.model[TableId::AreaSections];
    WriteAreaSectionLines(c, [&](std::size_t k, const std::string& list) {
        return list + " THICKNESS " + sections.Text(k, AreaSectionCol::Thickness);
    });
    c.history.Append(".......... Done ");
}

}  // namespace corvane
