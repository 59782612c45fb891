// Materials with their assignments, and member and element properties.
#include "staad/Blocks.h"
#include "staad/NumberList.h"

#include <unordered_map>
#include "model/TextSet.h"

namespace corvane {

namespace {

// Rows of `keys` grouped by their exact text, each group in row order.
using Groups = std::unordered_map<std::string_view, std::vector<std::string>>;

Groups GroupBy(const Column& keys, const Column& values) {
    Groups groups;
    const std::size_t n = std::min(keys.size(), values.size());
    for (std::size_t j = 0; j < n; ++j) groups[keys[j]].push_back(values[j]);
    return groups;
}

const std::vector<std::string>& GroupOf(const Groups& groups, const std::string& key) {
    static const std::vector<std::string> none;
    const auto it = groups.find(key);
    return it == groups.end() ? none : it->second;
}

// The shell elements of each area section, as one line each:
// joinArray(list) + tail(k), when the list is not empty.
template <class Tail>
void WriteAreaSectionLines(WriteContext& c, Tail tail) {
    const auto& s = c.tables.areaSections;
    for (std::size_t k = 0; k < s.Section.size(); ++k) {
        shortList(c.areas.FindSectionAreas(s.Section[k]), c.runList);
        if (!c.runList.front().empty()) c.out.Line(tail(k, joinArray(c.runList)));
    }
}

}  // namespace

void WriteMaterialsBlock(WriteContext& c) {
    const auto& m = c.tables.materials;
    c.history.append("Writing Material Data..........");
    c.out.Line("DEFINE MATERIAL START");
    for (std::size_t i = 0; i < m.Material.size(); ++i) {
        c.out.Line("ISOTROPIC " + m.Material[i]);
        c.out.Line("E " + m.E1[i]);
        c.out.Line(m.U12[i].empty() ? std::string("POISSON 0.2") : "POISSON " + m.U12[i]);
        c.out.Line("DENSITY " + m.UnitWeight[i]);
    }
    c.out.Line("END DEFINE MATERIAL");
    c.out.Line("CONSTANTS");

    c.history.append("Writing Frame Material Assignments..........");
    const auto& a = c.tables.frameAssigns;
    const Groups framesOf = GroupBy(a.Material, a.Frame);
    for (std::size_t i = 0; i < m.Material.size(); ++i) {
        const auto& frames = GroupOf(framesOf, m.Material[i]);
        if (frames.empty()) continue;
        shortList(frames, c.runList);
        if (!c.runList.front().empty()) c.out.Line("MATERIAL " + m.Material[i] + " MEMB " + joinArray(c.runList));
    }
    if (c.report) {
        const TextSet known(m.Material);
        for (std::size_t j = 0; j < a.Frame.size() && j < a.Material.size(); ++j)
            if (!known.Contains(a.Material[j]))
                c.report->Add("member-without-material", "FRAME SECTION ASSIGNMENTS", a.Frame[j],
                              "Member " + a.Frame[j] + " gets no material: its section " + a.AnalSect[j] +
                                  " has no material row.");
    }
    c.history.append(".......... Done ");

    c.history.append("Writing Shell Material Assignments..........");
    WriteAreaSectionLines(c, [&](std::size_t k, const std::string& list) {
        return "MATERIAL " + c.tables.areaSections.Material[k] + " MEMB " + list;
    });
    c.history.append(".......... Done ");
}

namespace {

struct PropertyLines {
    const char* header;
    std::string tail;
};

// The property lines of a frame section, chosen by its shape.
PropertyLines PropertyFor(const FrameSectionTable& s, std::size_t i) {
    const std::string& shape = s.Shape[i];
    const std::string& name = s.SectionName[i];
    if (shape == "Rectangular") return {"MEMBER PROPERTY", " PRIS YD " + s.Dim1[i] + " ZD " + s.Dim2[i]};
    if (shape == "Circle") return {"MEMBER PROPERTY", " PRIS YD " + s.Dim1[i]};
    if (shape == "I/Wide$") {
        if (!name.empty() && name[0] == 'W') return {"MEMBER PROPERTY AMERICAN", " TABLE ST " + name};
        if (!name.empty() && name[0] == 'U') return {"MEMBER PROPERTY BRITISH", " TABLE ST " + name};
        return {"MEMBER PROPERTY", " TAPERED " + s.Dim1[i]};
    }
    // Any other shape carries its computed properties in Dim1.
    return {"MEMBER PROPERTY", " PRIS " + s.Dim1[i]};
}

}  // namespace

void WritePropertiesBlock(WriteContext& c) {
    const auto& s = c.tables.frameSections;
    const auto& a = c.tables.frameAssigns;
    c.history.append("Writing Frame Section Assignments..........");
    const Groups framesOf = GroupBy(a.AnalSect, a.Frame);
    for (std::size_t i = 0; i < s.SectionName.size(); ++i) {
        shortList(GroupOf(framesOf, s.SectionName[i]), c.runList);
        if (c.runList.front().empty()) continue;
        const PropertyLines lines = PropertyFor(s, i);
        c.out.Line(lines.header);
        c.out.Line(joinArray(c.runList) + lines.tail);
    }
    if (c.report) {
        const TextSet known(s.SectionName);
        for (std::size_t j = 0; j < a.Frame.size() && j < a.AnalSect.size(); ++j)
            if (!known.Contains(a.AnalSect[j]))
                c.report->Add("member-without-property", "FRAME SECTION ASSIGNMENTS", a.Frame[j],
                              "Member " + a.Frame[j] + " gets no property: its section " + a.AnalSect[j] +
                                  " is not converted.",
                              a.AnalSect[j]);
    }
    c.history.append(".......... Done ");

    c.history.append("Writing Shell Section Assignments..........");
    c.out.Line("ELEMENT PROPERTY");
    WriteAreaSectionLines(c, [&](std::size_t k, const std::string& list) {
        return list + " THICKNESS " + c.tables.areaSections.Thickness[k];
    });
    c.history.append(".......... Done ");
}

}  // namespace corvane
