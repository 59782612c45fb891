// Texts as fields of tab-separated output (the report's TSV, the tables
// listing): a tab, a line break or a backslash inside a field would split
// its column or its row, so each is written as an escape instead.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Appends the text with tab, LF, CR and backslash written as \t, \n, \r
// and \\; every other byte as it is.
void AppendTsvText(std::string& out, std::string_view text);

// Escapes, in place, what was appended to `out` from `from` on.
void EscapeTsvTail(std::string& out, std::size_t from);

}  // namespace corvane
