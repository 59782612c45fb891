// A set of texts for membership questions over large tables: open
// addressing in one flat array of small slots, so that a million joint
// names cost one allocation and a lookup touches one cache line. The set
// refers to the column it was made from, which must outlive it.
#pragma once

#include "model/Tables.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace corvane {

class TextSet {
public:
    explicit TextSet(const Column& texts) : texts_(texts) {
        std::size_t capacity = 16;
        while (capacity < texts.size() * 2) capacity *= 2;
        slots_.resize(capacity);
        mask_ = capacity - 1;
        for (std::size_t i = 0; i < texts.size(); ++i) Insert(i);
    }

    bool Contains(std::string_view text) const {
        const std::size_t h = Hash(text);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            const Slot& s = slots_[i];
            if (s.row == 0) return false;
            if (s.hash == static_cast<std::uint32_t>(h) && texts_[s.row - 1] == text) return true;
        }
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t row = 0;  // row + 1 of the text; 0 for an empty slot
    };
    static std::size_t Hash(std::string_view text) { return std::hash<std::string_view>()(text); }
    void Insert(std::size_t row) {
        const std::string_view text = texts_[row];
        const std::size_t h = Hash(text);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            Slot& s = slots_[i];
            if (s.row == 0) {
                s = {static_cast<std::uint32_t>(h), static_cast<std::uint32_t>(row + 1)};
                return;
            }
            if (s.hash == static_cast<std::uint32_t>(h) && texts_[s.row - 1] == text) return;
        }
    }
    const Column& texts_;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

}  // namespace corvane
