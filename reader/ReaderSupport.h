// What every table reader shares: the opening (start line, the table
// emptied and tied to this input, the header search with its not-found
// line), room for the rows, and the report of a table cut off by the end
// of the file.
#pragma once

#include "reader/Fields.h"
#include "reader/Readers.h"
#include "reader/TableCursor.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

// Empties the table, appends the start line (when there is one) and looks
// for the table's header; appends `notFound` when it is missing.
std::optional<TableCursor> BeginTable(ReadContext& c, TableId id, const char* startLine,
                                      const char* notFound = ".......... Not Found");

// Reserves room for about as many rows as the table has lines, judged from
// the length of its first lines, so that long tables are not copied again
// and again while they grow.
void ReserveRows(const ReadContext& c, Table& table, const TableCursor& cursor);

// Reports a table that ran to the end of the file, when a report is kept.
void NoteCut(ReadContext& c, const TableCursor& cursor, TableId id);

// ".......... Done (" + label + count + ")".
std::string DoneLine(const char* label, std::size_t count);

// The full conversion's columns of a classic table (those after its classic
// ones), found by their keys among the tokens of the record's first line and
// of its continuation lines, if given; a later line's field replaces an
// earlier one. Nothing when the table has only its classic columns.
void FillFullColumns(Table& table, Cell* row, const TokenStore& tokens,
                     const std::vector<std::string_view>* continuation = nullptr);

// The value of the last token carrying `key` over a record's first line and
// its continuation lines, or nothing.
struct RecordFields {
    std::vector<TokenStore> lines;
    bool Find(std::string_view key, std::string* value) const;
};

// True when the field at `position` is there and its value is `text`.
bool ValueIs(const TokenStore& tokens, int position, std::string_view text);

}  // namespace corvane
