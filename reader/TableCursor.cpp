#include "reader/TableCursor.h"

#include <string>

namespace corvane {

bool TableCursor::NextRecord(TokenStore& tokens) {
    for (;;) {
        if (current_.empty()) return false;
        if (reader_.AtEnd()) {
            cut_ = true;
            return false;
        }
        current_ = reader_.ReadItem();
        tokens.SplitTokens(current_);
        if (tokens.Count() >= 1) return true;
    }
}

bool TableCursor::NextItem(std::string_view* item) {
    if (current_.empty()) return false;
    if (reader_.AtEnd()) {
        cut_ = true;
        return false;
    }
    current_ = reader_.ReadItem();
    *item = current_;
    return true;
}

void TableCursor::SkipContinuation(const TokenStore& tokens, std::vector<std::string_view>* lines) {
    if (tokens[tokens.Count()] != "_") return;
    while (!reader_.AtEnd()) {
        current_ = reader_.ReadItem();
        if (lines) lines->push_back(current_);
        if (current_.empty() || current_.back() != '_') break;
    }
}

std::optional<TableCursor> BeginTable(const InputText& input, HistoryLog& history, const char* startLine, const char* table) {
    if (startLine) history.append(startLine);
    const auto at = input.FindTable(table);
    if (!at) {
        history.append(".......... Not Found");
        return std::nullopt;
    }
    return TableCursor(input, *at);
}

void NoteCut(Report* report, const TableCursor& cursor, std::string_view table) {
    if (report && cursor.Cut())
        report->Add("table-cut", std::string(table), "",
                    "The table \"" + std::string(table) + "\" runs to the end of the file without an empty line; the records up to the end were read.");
}

}  // namespace corvane
