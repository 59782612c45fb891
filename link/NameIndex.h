// Finding a row by the text of one of its cells, and grouping rows, without
// comparing texts over and over: the two tools the link pass is built on.
#pragma once

#include "model/Table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The first row of each distinct text of one column (compared as the cells
// are shown: absent text, "$" of quoted values). Names that are small whole
// numbers, as SAP2000 usually writes them, are found by their value in a
// plain array; any other names by hash. The index refers to the table it
// was built on, which must outlive it.
class NameIndex {
public:
    static constexpr std::int64_t kNone = -1;

    NameIndex() = default;
    NameIndex(const Table& table, int col) { Build(table, col); }
    void Build(const Table& table, int col);

    std::int64_t Find(std::string_view shown) const;
    // The row whose text equals that of another table's cell.
    std::int64_t Find(const Table& table, std::size_t row, int col) const;
    // Rows that repeat the text of an earlier row, in row order.
    const std::vector<std::uint32_t>& repeats() const { return repeats_; }

private:
    std::int64_t FindHashed(std::uint64_t hash, const Table& table, std::size_t row, int col) const;
    std::int64_t FindDense(std::string_view digits) const;

    const Table* table_ = nullptr;
    int col_ = 0;
    bool dense_ = false;
    std::vector<std::int32_t> byNumber_;  // dense: row of each number, or -1
    std::vector<std::uint32_t> slots_;    // hashed: row + 1, 0 for an empty slot
    std::vector<std::uint32_t> hashes_;
    std::size_t mask_ = 0;
    std::vector<std::uint32_t> repeats_;
};

// Rows grouped by a key: the rows of group g, in row order.
class Groups {
public:
    struct Range {
        const std::uint32_t* first;
        const std::uint32_t* last;
        const std::uint32_t* begin() const { return first; }
        const std::uint32_t* end() const { return last; }
        std::size_t size() const { return static_cast<std::size_t>(last - first); }
        bool empty() const { return first == last; }
    };
    Groups() = default;
    // keys[row] is the group of the row, or -1 for none.
    Groups(std::size_t groupCount, const std::vector<std::int64_t>& keys);
    Range operator[](std::int64_t group) const;
    std::size_t groups() const { return start_.empty() ? 0 : start_.size() - 1; }

private:
    std::vector<std::uint32_t> start_;
    std::vector<std::uint32_t> rows_;
};

// Rows grouped by a text that a writer made for each of them, the texts in
// order of first appearance and the rows of each in the order they came.
class TextGroups {
public:
    void Clear();
    void Add(std::uint32_t row, std::string_view text);
    // Sorts the rows into their groups; call before Rows().
    void Finish();
    std::size_t size() const { return spans_.size(); }
    std::string_view Text(std::size_t group) const {
        return std::string_view(texts_.data() + spans_[group].offset, spans_[group].size);
    }
    Groups::Range Rows(std::size_t group) const {
        return {sorted_.data() + start_[group], sorted_.data() + start_[group + 1]};
    }

private:
    struct Span {
        std::size_t offset, size;
    };
    std::string texts_;
    std::vector<Span> spans_;
    std::vector<std::uint64_t> slotHash_;
    std::vector<std::uint32_t> slotGroup_;  // group + 1, 0 for an empty slot
    std::vector<std::uint32_t> rows_, rowGroup_;
    std::vector<std::uint32_t> sorted_, start_;
};

// The hash of a text as shown, equal for a cell and for its shown text.
std::uint64_t ShownHash(const Table& table, std::size_t row, int col);
std::uint64_t ShownHash(std::string_view shown);
// Whether two cells are shown alike.
bool ShownEqual(const Table& a, std::size_t ra, int ca, const Table& b, std::size_t rb, int cb);

}  // namespace corvane
