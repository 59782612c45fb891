// Walks the records of one table: from the item after its header to its
// first empty item, or to the end of the file when the table is cut off.
#pragma once

#include "model/History.h"
#include "model/Memory.h"
#include "model/Report.h"
#include "model/Tables.h"
#include "reader/Fields.h"
#include "reader/InputText.h"
#include "reader/ItemReader.h"

#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane {

class TableCursor {
public:
    TableCursor(const InputText& input, std::size_t afterHeader)
        : reader_(input.bytes(), afterHeader), current_("header"), start_(afterHeader) {}

    // Reads items until one has at least one token; false when the table
    // has ended.
    bool NextRecord(TokenStore& tokens);

    // Continuation rule: when the last token is "_", the record's further
    // lines are read and thrown away; the last of them stays the current
    // item. When `lines` is given, the lines passed over are kept there.
    void SkipContinuation(const TokenStore& tokens, std::vector<std::string_view>* lines = nullptr);

    // Reads one item whatever it holds (for readers that treat every item).
    bool NextItem(std::string_view* item);

    std::size_t Start() const { return start_; }
    bool Cut() const { return cut_; }

private:
    ItemReader reader_;
    std::string_view current_;
    bool cut_ = false;
    std::size_t start_;
};

// The opening every table reader shares: its start line (when it has one),
// the search for its table, and ".......... Not Found" when it is missing.
std::optional<TableCursor> BeginTable(const InputText& input, HistoryLog& history, const char* startLine, const char* table);

// Makes room for about as many rows as the table has lines, so that long
// tables are not copied again and again while they grow.
inline void ReserveRows(const InputText& input, std::size_t afterHeader, std::initializer_list<Column*> columns) {
    const std::size_t rows = input.EstimateRows(afterHeader);
    for (Column* c : columns) {
        c->reserve(rows + 1);
        AdviseHugePages(c->data(), c->capacity() * sizeof(std::string));
    }
}

// Reports a table that ran to the end of the file, when a report is kept.
void NoteCut(Report* report, const TableCursor& cursor, std::string_view table);

}  // namespace corvane
