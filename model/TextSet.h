// A set of texts for membership questions over large tables: open
// addressing in one flat array, so that a million joint names cost one
// allocation and lookups touch one cache line. The texts are views; the
// table that owns them must outlive the set.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace corvane {

class TextSet {
public:
    template <class Texts>
    explicit TextSet(const Texts& texts) {
        std::size_t capacity = 16;
        while (capacity < texts.size() * 2) capacity *= 2;
        slots_.resize(capacity);
        mask_ = capacity - 1;
        for (const auto& t : texts) Insert(t);
    }

    bool Contains(std::string_view text) const {
        const std::size_t h = Hash(text);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            const Slot& s = slots_[i];
            if (!s.used) return false;
            if (s.hash == h && s.text == text) return true;
        }
    }

private:
    struct Slot {
        std::size_t hash = 0;
        std::string_view text;
        bool used = false;
    };
    static std::size_t Hash(std::string_view text) { return std::hash<std::string_view>()(text); }
    void Insert(std::string_view text) {
        const std::size_t h = Hash(text);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            Slot& s = slots_[i];
            if (!s.used) {
                s = {h, text, true};
                return;
            }
            if (s.hash == h && s.text == text) return;
        }
    }
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

}  // namespace corvane
