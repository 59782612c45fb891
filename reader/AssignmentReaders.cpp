// Frame and area section assignments.
#include "reader/ReaderSupport.h"

#include <unordered_map>

namespace corvane {

namespace {
enum FrameAssignKey { kFrame, kAnalSect };
const KeySet kFrameAssignKeys{{"Frame", kFrame}, {"AnalSect", kAnalSect}};
enum AreaAssignKey { kArea, kSection };
const KeySet kAreaAssignKeys{{"Area", kArea}, {"Section", kSection}};
}  // namespace

void ReadFrameSectionAssigns(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::FrameAssigns, "Reacdion Frame Section Assign data .....");
    if (!cursor) return;
    Table& a = c.model[TableId::FrameAssigns];
    // The material of a section is that of the first section row of its name.
    const Table& sections = c.model[TableId::FrameSections];
    std::unordered_map<std::string, std::size_t> firstRow;
    firstRow.reserve(sections.rows());
    for (std::size_t i = 0; i < sections.rows(); ++i) firstRow.try_emplace(sections.Text(i, FrameSectionCol::SectionName), i);

    ReserveRows(c, a, *cursor);
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    std::string name;
    while (cursor->NextRecord(t, &kFrameAssignKeys, pos)) {
        Cell* row = a.AppendRow();
        row[FrameAssignCol::Frame] = JoinedCell(a, t, pos[kFrame]);
        row[FrameAssignCol::AnalSect] = JoinedCell(a, t, pos[kAnalSect]);
        name.clear();
        a.AppendText(name, a.rows() - 1, FrameAssignCol::AnalSect);
        // A frame whose section is not a known row keeps an absent (empty)
        // material, so that its material always belongs to its frame.
        const auto it = firstRow.find(name);
        if (it == firstRow.end()) continue;
        const Cell material = sections.cell(it->second, FrameSectionCol::Material);
        a.at(a.rows() - 1, FrameAssignCol::Material) =
            material.absent() ? a.TextCell("NULL") : a.CopyCell(sections, material);
    }
    NoteCut(c, *cursor, TableId::FrameAssigns);
    c.history.Append(".......... Done");
}

void ReadAreaSectionAssigns(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::AreaAssigns, "Reading Area Section Assignment .....");
    if (!cursor) return;
    Table& a = c.model[TableId::AreaAssigns];
    ReserveRows(c, a, *cursor);
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    while (cursor->NextRecord(t, &kAreaAssignKeys, pos)) {
        Cell* row = a.AppendRow();
        row[AreaAssignCol::Area] = JoinedCell(a, t, pos[kArea]);
        row[AreaAssignCol::Section] = JoinedCell(a, t, pos[kSection]);
    }
    NoteCut(c, *cursor, TableId::AreaAssigns);
    c.history.Append(".......... Done");
}

}  // namespace corvane
