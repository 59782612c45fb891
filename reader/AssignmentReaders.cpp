// Frame and area section assignments.
#include "reader/Readers.h"
#include "reader/TableCursor.h"

#include <unordered_map>

namespace corvane {

void ReadFrameSectionAssigns(ReadContext& c) {
    auto& a = c.tables.frameAssigns;
    a.Frame.clear(); a.AnalSect.clear(); a.Material.clear();
    auto cursorOrNone = BeginTable(c.input, c.history, "Reacdion Frame Section Assign data .....", "FRAME SECTION ASSIGNMENTS");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    // The material of a section is that of the first section row of its name.
    const auto& sections = c.tables.frameSections;
    std::unordered_map<std::string_view, std::size_t> firstRow;
    firstRow.reserve(sections.SectionName.size());
    for (std::size_t i = 0; i < sections.SectionName.size(); ++i) firstRow.try_emplace(sections.SectionName[i], i);

    ReserveRows(c.input, cursor.Start(), {&a.Frame, &a.AnalSect, &a.Material});
    TokenStore t;
    while (cursor.NextRecord(t)) {
        std::string section = JoinedOr(t, FieldPosition(t, "AnalSect"), "NULL");
        a.Frame.push_back(ValueOr(t, FieldPosition(t, "Frame"), "NULL"));
        const auto it = firstRow.find(section);
        // A frame whose section is not a known row gets an empty material,
        // so that Material(j) always belongs to Frame(j).
        a.Material.push_back(it == firstRow.end() || it->second >= sections.Material.size() ? std::string()
                                                                                           : sections.Material[it->second]);
        a.AnalSect.push_back(std::move(section));
    }
    NoteCut(c.report, cursor, "FRAME SECTION ASSIGNMENTS");
    c.history.append(".......... Done");
}

void ReadAreaSectionAssigns(ReadContext& c) {
    auto& a = c.tables.areaAssigns;
    a.Area.clear(); a.Section.clear();
    auto cursorOrNone = BeginTable(c.input, c.history, "Reading Area Section Assignment .....", "AREA SECTION ASSIGNMENTS");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    ReserveRows(c.input, cursor.Start(), {&a.Area, &a.Section});
    TokenStore t;
    while (cursor.NextRecord(t)) {
        a.Area.push_back(ValueOr(t, FieldPosition(t, "Area"), "NULL"));
        a.Section.push_back(JoinedOr(t, FieldPosition(t, "Section"), "NULL"));
    }
    NoteCut(c.report, cursor, "AREA SECTION ASSIGNMENTS");
    c.history.append(".......... Done");
}

}  // namespace corvane
