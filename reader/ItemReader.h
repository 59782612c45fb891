// Reads the input item by item: an item is a line, or a piece of a line
// ended by a comma. A lone LF ends a line, and so do one or more CRs
// followed by an LF (line ends converted more than once); a CR that no LF
// follows ends a line alone.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

    // The first byte at or after p that is not part of a token's text (a
    // blank, "=", a double quote, a comma or a line end), or n. Sixteen
    // bytes at a time where the processor offers it.
    std::size_t NextSpecial(std::size_t p, std::size_t n) const {
        const char* const d = data_.data();
#if defined(__SSE2__)
        const __m128i blank = _mm_set1_epi8(' '), equals = _mm_set1_epi8('='), quote = _mm_set1_epi8('"'),
                      comma = _mm_set1_epi8(','), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
        for (; p + 16 <= n; p += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + p));
            const __m128i hit = _mm_or_si128(
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, blank), _mm_cmpeq_epi8(v, equals)), _mm_cmpeq_epi8(v, quote)),
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, comma), _mm_cmpeq_epi8(v, cr)), _mm_cmpeq_epi8(v, lf)));
            const int mask = _mm_movemask_epi8(hit);
            if (mask) return p + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        }
#endif
        while (p < n && kClass[static_cast<unsigned char>(d[p])] == kPlain) ++p;
        return p;
    }

    std::string_view data_;
    std::size_t pos_;
    // The CRs before this position belong to a run that no LF follows:
    // each ends a line alone, and the run is not looked through again.
    std::size_t loneCrUntil_ = 0;
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
            p = NextSpecial(p + 1, n);
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
