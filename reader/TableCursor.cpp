#include "reader/TableCursor.h"

namespace corvane {

bool TableCursor::NextRecord(TokenStore& tokens, const KeySet* keys, int* positions) {
    for (;;) {
        if (current_.empty()) return false;
        if (reader_.AtEnd()) {
            cut_ = endsFile_;
            return false;
        }
        tokens.Begin(keys, positions);
        if (!reader_.ReadItemTokens(&current_, [&tokens](std::string_view token, long eq, bool quote) { tokens.Add(token, eq, quote); }))
            tokens.Split(current_, keys, positions);
        if (tokens.Count() >= 1) return true;
    }
}

bool TableCursor::NextItem(std::string_view* item) {
    if (current_.empty()) return false;
    if (reader_.AtEnd()) {
        cut_ = endsFile_;
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

}  // namespace corvane
