#include "text/TsvText.h"

namespace corvane {

namespace {

constexpr std::string_view kSpecial = "\t\n\r\\";

char EscapeLetter(char c) {
    switch (c) {
        case '\t': return 't';
        case '\n': return 'n';
        case '\r': return 'r';
        default: return '\\';
    }
}

}  // namespace

void AppendTsvText(std::string& out, std::string_view text) {
    for (std::size_t at = 0;;) {
        const std::size_t special = text.find_first_of(kSpecial, at);
        out.append(text.substr(at, special - at));
        if (special == std::string_view::npos) return;
        out += '\\';
        out += EscapeLetter(text[special]);
        at = special + 1;
    }
}

void EscapeTsvTail(std::string& out, std::size_t from) {
    if (out.find_first_of(kSpecial, from) == std::string::npos) return;
    const std::string tail = out.substr(from);
    out.resize(from);
    AppendTsvText(out, tail);
}

}  // namespace corvane
