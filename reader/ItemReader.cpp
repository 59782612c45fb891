#include "reader/ItemReader.h"

namespace corvane {

namespace {
inline bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
}  // namespace

constexpr std::array<unsigned char, 256> ItemReader::ClassTable() {
    std::array<unsigned char, 256> c{};
    c[static_cast<unsigned char>(' ')] = kBlank;
    c[static_cast<unsigned char>('=')] = kEquals;
    c[static_cast<unsigned char>('"')] = kQuote;
    c[static_cast<unsigned char>(',')] = kEnd;
    c[static_cast<unsigned char>('\r')] = kEnd;
    c[static_cast<unsigned char>('\n')] = kEnd;
    return c;
}

const std::array<unsigned char, 256> ItemReader::kClass = ItemReader::ClassTable();

void ItemReader::ConsumeTerminator(std::size_t at) {
    const std::size_t n = data_.size();
    if (at >= n) {
        pos_ = n;
        endedLine_ = true;
        return;
    }
    const char c = data_[at];
    if (c == ',') {
        pos_ = at + 1;
        endedLine_ = false;
    } else if (c == '\r') {
        // CRs followed by one LF are one line end (line ends converted more
        // than once); a CR without an LF after its run ends a line alone.
        if (at < loneCrUntil_) {
            pos_ = at + 1;
        } else {
            std::size_t end = at + 1;
            while (end < n && data_[end] == '\r') ++end;
            if (end < n && data_[end] == '\n') {
                pos_ = end + 1;
            } else {
                loneCrUntil_ = end;
                pos_ = at + 1;
            }
        }
        endedLine_ = true;
    } else {
        pos_ = at + 1;
        endedLine_ = true;
    }
}

std::string_view ItemReader::ReadItem() {
    const std::size_t n = data_.size();
    const char* d = data_.data();
    std::size_t p = pos_;
    while (p < n && d[p] == ' ') ++p;
    if (p >= n) {
        pos_ = n;
        endedLine_ = true;
        return {};
    }
    if (d[p] == '"') {
        std::size_t e = p + 1;
        while (e < n && d[e] != '"' && !IsLineEnd(d[e])) ++e;
        std::string_view item(d + p + 1, e - p - 1);
        if (e < n && d[e] == '"') {
            // Pass over the rest of this piece of the line.
            std::size_t r = e + 1;
            while (r < n && d[r] != ',' && !IsLineEnd(d[r])) ++r;
            ConsumeTerminator(r);
        } else {
            ConsumeTerminator(e);  // an unclosed quote ends with its line
        }
        return item;
    }
    std::size_t e = p;
    while (e < n) {
        const char c = d[e];
        if (c == ',' || c == '\r' || c == '\n') break;
        ++e;
    }
    std::size_t end = e;
    while (end > p && d[end - 1] == ' ') --end;
    ConsumeTerminator(e);
    return std::string_view(d + p, end - p);
}

}  // namespace corvane
