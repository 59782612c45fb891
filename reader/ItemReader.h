// Reads the input item by item: an item is a line, or a piece of a line
// ended by a comma. CR LF, lone LF and lone CR each end a line.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace corvane {

class ItemReader {
public:
    ItemReader(std::string_view data, std::size_t pos) : data_(data), pos_(pos) {}

    // The next item, a view into the input. Leading blanks are skipped; an
    // item that starts with a double quote is the text up to the next
    // double quote (or to the end of its line when there is none), and the
    // rest of that piece is passed over; any other item runs up to the next
    // comma or line end, without its trailing blanks.
    std::string_view ReadItem();

    // The same item, split on the way into its blank-separated tokens:
    // onToken(token, eq, quote) runs for each, eq being the index of the
    // first "=" in the token (or -1) and quote whether it holds a double
    // quote. An item that starts with a double quote is read first and
    // split afterwards by the caller: returns false for it (with the item).
    template <class OnToken>
    bool ReadItemTokens(std::string_view* item, OnToken onToken);

    // True as soon as nothing is left to read.
    bool AtEnd() const { return pos_ >= data_.size(); }
    std::size_t Position() const { return pos_; }
    // Whether the item read last was ended by a line end (or the file end)
    // rather than by a comma.
    bool EndedLine() const { return endedLine_; }

private:
    // What a byte is to the scanner: part of a token, a blank, "=", a
    // double quote, or the end of the item (comma, CR, LF).
    enum ByteClass : unsigned char { kPlain, kBlank, kEquals, kQuote, kEnd };
    static constexpr std::array<unsigned char, 256> ClassTable();
    static const std::array<unsigned char, 256> kClass;

    void ConsumeTerminator(std::size_t at);

    std::string_view data_;
    std::size_t pos_;
    bool endedLine_ = false;
};

template <class OnToken>
bool ItemReader::ReadItemTokens(std::string_view* item, OnToken onToken) {
    const std::size_t n = data_.size();
    const char* const d = data_.data();
    std::size_t p = pos_;
    while (p < n && d[p] == ' ') ++p;
    if (p < n && d[p] == '"') {
        pos_ = p;
        *item = ReadItem();
        return false;
    }
    const std::size_t start = p;
    std::size_t lastEnd = p;
    while (p < n) {
        unsigned char cls = kClass[static_cast<unsigned char>(d[p])];
        if (cls == kBlank) {
            ++p;
            continue;
        }
        if (cls == kEnd) break;
        const std::size_t tokenStart = p;
        long eq = -1;
        bool quote = false;
        for (;;) {
            if (cls == kEquals) {
                if (eq < 0) eq = static_cast<long>(p - tokenStart);
            } else if (cls == kQuote) {
                quote = true;
            }
            ++p;
            if (p >= n) break;
            cls = kClass[static_cast<unsigned char>(d[p])];
            if (cls == kBlank || cls == kEnd) break;
        }
        onToken(std::string_view(d + tokenStart, p - tokenStart), eq, quote);
        lastEnd = p;
    }
    *item = std::string_view(d + start, lastEnd - start);
    ConsumeTerminator(p);
    return true;
}

}  // namespace corvane
