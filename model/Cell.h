// One cell of a model table in eight bytes: a view of bytes held elsewhere
// (the loaded input, or the table's own arena for texts a reader builds),
// with explicit flags for a missing field and for a value whose token held a
// double quote. Nothing is copied out of the input for a plain value.
#pragma once

#include <cstdint>

namespace corvane {

class Cell {
public:
    // Lengths up to this fit in the cell; a longer text lives in the arena
    // with its length in the eight bytes before it.
    static constexpr std::uint64_t kLongLength = (std::uint64_t(1) << 21) - 1;
    static constexpr std::uint64_t kMaxOffset = (std::uint64_t(1) << 40) - 1;

    Cell() = default;

    static Cell Absent() { return Cell(); }
    static Cell At(std::uint64_t offset, std::uint64_t length, bool inArena, bool quoted) {
        Cell c;
        c.bits_ = (offset & kMaxOffset) | (length << 40) | (inArena ? kArenaBit : 0) | (quoted ? kQuotedBit : 0);
        return c;
    }

    bool absent() const { return (bits_ & kAbsentBit) != 0; }
    // The token held a double quote: the text is shown with "$" after it.
    bool quoted() const { return (bits_ & kQuotedBit) != 0; }
    bool inArena() const { return (bits_ & kArenaBit) != 0; }
    std::uint64_t offset() const { return bits_ & kMaxOffset; }
    std::uint64_t shortLength() const { return (bits_ >> 40) & kLongLength; }
    Cell WithQuoted(bool quoted) const {
        Cell c = *this;
        c.bits_ = quoted ? (c.bits_ | kQuotedBit) : (c.bits_ & ~kQuotedBit);
        return c;
    }
    bool operator==(const Cell& other) const { return bits_ == other.bits_; }

private:
    static constexpr std::uint64_t kAbsentBit = std::uint64_t(1) << 63;
    static constexpr std::uint64_t kQuotedBit = std::uint64_t(1) << 62;
    static constexpr std::uint64_t kArenaBit = std::uint64_t(1) << 61;
    std::uint64_t bits_ = kAbsentBit;
};

static_assert(sizeof(Cell) == 8, "a cell is eight bytes");

}  // namespace corvane
