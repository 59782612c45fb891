#include "text/Json.h"

#include <cstdio>

namespace corvane {

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0 when there is none.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t len = 0;
    unsigned min = 0;
    if (c >= 0xC2 && c <= 0xDF) { len = 2; min = 0x80; }
    else if (c >= 0xE0 && c <= 0xEF) { len = 3; min = 0x800; }
    else if (c >= 0xF0 && c <= 0xF4) { len = 4; min = 0x10000; }
    else return 0;
    if (i + len > s.size()) return 0;
    unsigned cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

}  // namespace

namespace {

// Bytes that stand in a JSON string as they are.
struct PlainBytes {
    bool plain[256] = {};
    constexpr PlainBytes() {
        for (int c = 0x20; c < 0x7F; ++c) plain[c] = c != '"' && c != '\\';
    }
};
constexpr PlainBytes kPlain;

bool Plain(unsigned char c) { return kPlain.plain[c]; }

void AppendEscaped(std::string& out, std::string_view s) {
    char esc[8];
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (Plain(c)) {
            // Runs of plain characters are copied at once.
            std::size_t e = i + 1;
            while (e < s.size() && Plain(static_cast<unsigned char>(s[e]))) ++e;
            out.append(s.data() + i, e - i);
            i = e;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x80) {
            switch (c) {
                case '\n': out += "\\n"; break;
                case '\r': out += "\\r"; break;
                case '\t': out += "\\t"; break;
                default:
                    std::snprintf(esc, sizeof esc, "\\u%04X", c);
                    out += esc;
            }
            ++i;
        } else if (const std::size_t len = Utf8Length(s, i)) {
            out.append(s.substr(i, len));
            i += len;
        } else {
            std::snprintf(esc, sizeof esc, "\\u%04X", c);
            out += esc;
            ++i;
        }
    }
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view s) {
    out += '"';
    AppendEscaped(out, s);
    out += '"';
}

void AppendJsonString(std::string& out, std::string_view s, std::string_view suffix) {
    out += '"';
    AppendEscaped(out, s);
    AppendEscaped(out, suffix);
    out += '"';
}

std::string JsonString(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    AppendJsonString(out, s);
    return out;
}

}  // namespace corvane
