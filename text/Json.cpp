#include "text/Json.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

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

namespace {

// Whether eight bytes are all plain: none below 0x20 or from 0x7F up, no
// '"' and no '\\' (exact tests for a byte below a bound or equal to zero).
bool PlainWord(std::uint64_t x) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
    const auto hasZero = [](std::uint64_t v) { return ((v - kOnes) & ~v & kHigh) != 0; };
    const bool below = ((x - kOnes * 0x20) & ~x & kHigh) != 0;
    return !((x & kHigh) || below || hasZero(x ^ (kOnes * 0x7F)) || hasZero(x ^ (kOnes * '"')) || hasZero(x ^ (kOnes * '\\')));
}

template <class Word>
std::uint64_t Load(const char* p) {
    Word w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Whether no byte of the text needs escaping. Cells are short: words read
// from both ends (overlapping, never beyond the text) instead of a byte
// loop whose end the processor cannot predict.
bool AllPlain(std::string_view s) {
    const char* p = s.data();
    const std::size_t n = s.size();
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            if (!PlainWord(Load<std::uint64_t>(p + i))) return false;
        return PlainWord(Load<std::uint64_t>(p + n - 8));
    }
    if (n >= 4) return PlainWord(Load<std::uint32_t>(p) | Load<std::uint32_t>(p + n - 4) << 32);
    if (n >= 2) return PlainWord(Load<std::uint16_t>(p) | Load<std::uint16_t>(p + n - 2) << 16 | 0x4141414100000000ull);
    return n == 0 || Plain(static_cast<unsigned char>(p[0]));
}

// Appends the quoted texts (at most two) when no byte needs escaping, in one
// growth of `out`; false, with nothing appended, otherwise. Nearly every
// cell of a table takes this way.
bool AppendPlainQuoted(std::string& out, std::string_view s, std::string_view suffix = {}) {
    if (!AllPlain(s) || !AllPlain(suffix)) return false;
    const std::size_t at = out.size();
    out.resize(at + s.size() + suffix.size() + 2);
    char* p = out.data() + at;
    *p++ = '"';
    if (!s.empty()) std::memcpy(p, s.data(), s.size());
    p += s.size();
    if (!suffix.empty()) std::memcpy(p, suffix.data(), suffix.size());
    p[suffix.size()] = '"';
    return true;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view s) {
    if (AppendPlainQuoted(out, s)) return;
    out += '"';
    AppendEscaped(out, s);
    out += '"';
}

void AppendJsonString(std::string& out, std::string_view s, std::string_view suffix) {
    if (AppendPlainQuoted(out, s, suffix)) return;
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
