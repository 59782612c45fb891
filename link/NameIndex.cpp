#include "link/NameIndex.h"

#include <algorithm>
#include <cstring>

namespace corvane {

namespace {

// A hash of short texts, eight bytes at a time.
std::uint64_t HashBytes(std::string_view s) {
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = s.size() * kMul;
    const char* p = s.data();
    std::size_t n = s.size();
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * kMul;
        h ^= h >> 29;
    }
    std::uint64_t w = 0;
    for (std::size_t i = 0; i < n; ++i) w |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    h = (h ^ w) * kMul;
    return h ^ (h >> 32);
}

// A text shown with a final "$" hashes as the rest with a mark, so that a
// quoted cell and the same text written out hash alike.
constexpr std::uint64_t kMarked = 0x5bd1e9955bd1e995ull;

std::uint64_t HashShown(std::string_view bytes, bool marked) {
    if (!marked && !bytes.empty() && bytes.back() == '$') {
        bytes.remove_suffix(1);
        marked = true;
    }
    return marked ? HashBytes(bytes) ^ kMarked : HashBytes(bytes);
}

// A whole number as SAP2000 writes names: digits, no leading zero, small
// enough for an array index. Returns -1 for anything else.
std::int64_t SmallNumber(std::string_view s) {
    if (s.empty() || s.size() > 9 || (s[0] == '0' && s.size() > 1)) return -1;
    std::int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

// The shown text of a cell when it can be a small number (neither absent
// nor quoted), else an empty view.
std::string_view PlainText(const Table& t, std::size_t row, int col) {
    const Cell c = t.cell(row, col);
    if (c.quoted()) return {};
    if (c.absent()) return t.descriptor().columns[col].absentText;
    return t.View(c);
}

}  // namespace

std::uint64_t ShownHash(std::string_view shown) { return HashShown(shown, false); }

std::uint64_t ShownHash(const Table& t, std::size_t row, int col) {
    const Cell c = t.cell(row, col);
    if (c.absent()) return HashShown(t.descriptor().columns[col].absentText, false);
    return HashShown(t.View(c), c.quoted());
}

bool ShownEqual(const Table& a, std::size_t ra, int ca, const Table& b, std::size_t rb, int cb) {
    const Cell x = a.cell(ra, ca), y = b.cell(rb, cb);
    const std::string_view vx = x.absent() ? a.descriptor().columns[ca].absentText : a.View(x);
    const std::string_view vy = y.absent() ? b.descriptor().columns[cb].absentText : b.View(y);
    const bool qx = !x.absent() && x.quoted(), qy = !y.absent() && y.quoted();
    if (qx == qy) return vx == vy;
    // One shows a "$" the other holds as its last byte.
    const std::string_view withMarker = qx ? vy : vx, bare = qx ? vx : vy;
    return withMarker.size() == bare.size() + 1 && withMarker.back() == '$' && withMarker.substr(0, bare.size()) == bare;
}

void NameIndex::Build(const Table& table, int col) {
    table_ = &table;
    col_ = col;
    repeats_.clear();
    byNumber_.clear();
    slots_.clear();
    hashes_.clear();
    const std::size_t rows = table.rows();

    // One pass fills the plain array while every name is a small number
    // and the numbers stay within a few times the row count; the first name
    // that is not gives up the array for the hash table.
    dense_ = true;
    const std::size_t limit = 4 * rows + 1024;
    for (std::size_t r = 0; r < rows; ++r) {
        const std::int64_t v = SmallNumber(PlainText(table, r, col));
        if (v < 0 || static_cast<std::size_t>(v) >= limit) {
            dense_ = false;
            break;
        }
        if (static_cast<std::size_t>(v) >= byNumber_.size())
            byNumber_.resize(std::min(limit, std::max<std::size_t>(2 * byNumber_.size(), static_cast<std::size_t>(v) + 1)), -1);
        auto& at = byNumber_[static_cast<std::size_t>(v)];
        if (at < 0) at = static_cast<std::int32_t>(r);
        else repeats_.push_back(static_cast<std::uint32_t>(r));
    }
    if (dense_) return;
    byNumber_.clear();
    byNumber_.shrink_to_fit();
    repeats_.clear();

    std::size_t capacity = 16;
    while (capacity < rows * 2) capacity *= 2;
    slots_.assign(capacity, 0);
    hashes_.assign(capacity, 0);
    mask_ = capacity - 1;
    for (std::size_t r = 0; r < rows; ++r) {
        const std::uint64_t h = ShownHash(table, r, col);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            if (slots_[i] == 0) {
                slots_[i] = static_cast<std::uint32_t>(r + 1);
                hashes_[i] = static_cast<std::uint32_t>(h);
                break;
            }
            if (hashes_[i] == static_cast<std::uint32_t>(h) && ShownEqual(table, slots_[i] - 1, col, table, r, col)) {
                repeats_.push_back(static_cast<std::uint32_t>(r));
                break;
            }
        }
    }
}

std::int64_t NameIndex::FindDense(std::string_view digits) const {
    const std::int64_t v = SmallNumber(digits);
    if (v < 0 || v >= static_cast<std::int64_t>(byNumber_.size())) return kNone;
    return byNumber_[static_cast<std::size_t>(v)];
}

std::int64_t NameIndex::FindHashed(std::uint64_t h, const Table& table, std::size_t row, int col) const {
    if (slots_.empty()) return kNone;
    for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
        if (slots_[i] == 0) return kNone;
        if (hashes_[i] == static_cast<std::uint32_t>(h) && ShownEqual(*table_, slots_[i] - 1, col_, table, row, col))
            return slots_[i] - 1;
    }
}

std::int64_t NameIndex::Find(const Table& table, std::size_t row, int col) const {
    if (!table_) return kNone;
    if (dense_) return FindDense(PlainText(table, row, col));
    return FindHashed(ShownHash(table, row, col), table, row, col);
}

std::int64_t NameIndex::Find(std::string_view shown) const {
    if (!table_) return kNone;
    if (dense_) return FindDense(shown);
    if (slots_.empty()) return kNone;
    const std::uint64_t h = ShownHash(shown);
    for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
        if (slots_[i] == 0) return kNone;
        if (hashes_[i] == static_cast<std::uint32_t>(h) && table_->Is(slots_[i] - 1, col_, shown)) return slots_[i] - 1;
    }
}

void TextGroups::Clear() {
    texts_.clear();
    spans_.clear();
    std::fill(slotGroup_.begin(), slotGroup_.end(), 0);
    rows_.clear();
    rowGroup_.clear();
}

void TextGroups::Add(std::uint32_t row, std::string_view text) {
    if (slotGroup_.size() < 2 * (spans_.size() + 1)) {
        // Keep the table at most half full: rebuild it twice as large.
        const std::size_t capacity = std::max<std::size_t>(64, slotGroup_.size() * 2);
        slotHash_.assign(capacity, 0);
        slotGroup_.assign(capacity, 0);
        for (std::uint32_t g = 0; g < spans_.size(); ++g) {
            const std::uint64_t h = ShownHash(Text(g));
            std::size_t i = h & (capacity - 1);
            while (slotGroup_[i] != 0) i = (i + 1) & (capacity - 1);
            slotHash_[i] = h;
            slotGroup_[i] = g + 1;
        }
    }
    const std::size_t mask = slotGroup_.size() - 1;
    const std::uint64_t h = ShownHash(text);
    std::size_t i = h & mask;
    std::uint32_t group;
    for (;; i = (i + 1) & mask) {
        if (slotGroup_[i] == 0) {
            group = static_cast<std::uint32_t>(spans_.size());
            spans_.push_back({texts_.size(), text.size()});
            texts_.append(text);
            slotHash_[i] = h;
            slotGroup_[i] = group + 1;
            break;
        }
        if (slotHash_[i] == h && Text(slotGroup_[i] - 1) == text) {
            group = slotGroup_[i] - 1;
            break;
        }
    }
    rows_.push_back(row);
    rowGroup_.push_back(group);
}

void TextGroups::Finish() {
    start_.assign(spans_.size() + 1, 0);
    for (std::uint32_t g : rowGroup_) ++start_[g + 1];
    for (std::size_t g = 0; g < spans_.size(); ++g) start_[g + 1] += start_[g];
    sorted_.resize(rows_.size());
    std::vector<std::uint32_t> next(start_.begin(), start_.end() - 1);
    for (std::size_t k = 0; k < rows_.size(); ++k) sorted_[next[rowGroup_[k]]++] = rows_[k];
}

Groups::Groups(std::size_t groupCount, const std::vector<std::int64_t>& keys) : start_(groupCount + 1, 0) {
    for (std::int64_t k : keys)
        if (k >= 0) ++start_[static_cast<std::size_t>(k) + 1];
    for (std::size_t g = 0; g < groupCount; ++g) start_[g + 1] += start_[g];
    rows_.resize(start_[groupCount]);
    std::vector<std::uint32_t> next(start_.begin(), start_.end() - 1);
    for (std::size_t r = 0; r < keys.size(); ++r)
        if (keys[r] >= 0) rows_[next[static_cast<std::size_t>(keys[r])]++] = static_cast<std::uint32_t>(r);
}

Groups::Range Groups::operator[](std::int64_t group) const {
    if (group < 0 || static_cast<std::size_t>(group) + 1 >= start_.size()) return {nullptr, nullptr};
    const std::uint32_t* base = rows_.data();
    return {base + start_[static_cast<std::size_t>(group)], base + start_[static_cast<std::size_t>(group) + 1]};
}

}  // namespace corvane
