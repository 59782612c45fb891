#include "reader/ReaderSupport.h"

#include <algorithm>

namespace corvane {

std::optional<TableCursor> BeginTable(ReadContext& c, TableId id, const char* startLine, const char* notFound) {
    Table& table = c.model[id];
    table.Reset(c.options.full);
    table.SetSource(c.input.source());
    if (startLine) c.history.Append(startLine);
    const TableDescriptor& d = Describe(id);
    const auto at = c.input.FindTable(d.sapName, d.sapOther);
    if (!at) {
        c.history.Append(notFound);
        return std::nullopt;
    }
    table.SetFound(true);
    return TableCursor(c.input, *at);
}

void ReserveRows(const ReadContext& c, Table& table, const TableCursor& cursor) {
    const std::string_view bytes = c.input.bytes();
    const std::size_t from = cursor.Start();
    const std::size_t limit = c.input.TableLimit(from);
    if (limit <= from) return;
    // The average length of the first lines stands for all of them.
    std::size_t at = from, lines = 0;
    while (lines < 16 && at < limit) {
        const auto lf = bytes.find('\n', at);
        if (lf == std::string_view::npos || lf >= limit) break;
        at = lf + 1;
        ++lines;
    }
    if (lines == 0) return;
    const std::size_t perLine = std::max<std::size_t>(1, (at - from) / lines);
    table.Reserve((limit - from) / perLine + 16);
}

void NoteCut(ReadContext& c, const TableCursor& cursor, TableId id) {
    if (c.report && cursor.Cut()) c.report->Add(ReportKind::TableCut, Describe(id).sapName);
}

std::string DoneLine(const char* label, std::size_t count) {
    return std::string(".......... Done (") + label + std::to_string(count) + ")";
}

namespace {

void FillFromLine(Table& table, Cell* row, const TokenStore& tokens) {
    const TableDescriptor& d = table.descriptor();
    for (std::size_t k = d.classicColumns; k < table.columns(); ++k) {
        int p = tokens.Position(d.columns[k].name);
        if (p == -1 && !d.columns[k].alias.empty()) p = tokens.Position(d.columns[k].alias);
        if (p != -1) row[k] = PlainValueCell(table, tokens, p);
    }
}

}  // namespace

void FillFullColumns(Table& table, Cell* row, const TokenStore& tokens, const std::vector<std::string_view>* continuation) {
    if (table.columns() <= table.descriptor().classicColumns) return;
    FillFromLine(table, row, tokens);
    if (!continuation) return;
    TokenStore line;
    for (std::string_view text : *continuation) {
        line.Split(text);
        FillFromLine(table, row, line);
    }
}

bool RecordFields::Find(std::string_view key, std::string* value) const {
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const int p = line->Position(key);
        if (p != -1) {
            *value = ValueText(*line, p);
            return true;
        }
    }
    return false;
}

bool ValueIs(const TokenStore& tokens, int position, std::string_view text) {
    if (position < 0) return false;
    const FieldValue v = ValueOf(tokens.token(position));
    if (!v.hasValue) return text == "NULL";
    if (v.quoted) {
        if (text.empty() || text.back() != '$') return false;
        text.remove_suffix(1);
    }
    return v.text == text;
}

}  // namespace corvane
