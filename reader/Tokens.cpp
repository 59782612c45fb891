#include "reader/Tokens.h"

#include <utility>

namespace corvane {

const TokenStore::Token TokenStore::kEmpty{};

KeySet::KeySet(std::vector<Key> keys) : keys_(std::move(keys)), next_(keys_.size(), kNone) {
    std::memset(first_, kNone, sizeof first_);
    // Chained per key length, in reverse so that the chains keep the order
    // the keys were given in.
    for (std::size_t i = keys_.size(); i-- > 0;) {
        const std::size_t n = keys_[i].text.size();
        if (n >= kBuckets) continue;
        next_[i] = first_[n];
        first_[n] = static_cast<std::uint8_t>(i);
        if (keys_[i].slot + 1 > slots_) slots_ = keys_[i].slot + 1;
    }
}

void TokenStore::Split(std::string_view item, const KeySet* keys, int* positions) {
    Begin(keys, positions);
    const char* p = item.data();
    const char* const end = p + item.size();
    while (p < end) {
        while (p < end && *p == ' ') ++p;
        if (p >= end) break;
        const char* const start = p;
        long eq = -1;
        bool quote = false;
        for (; p < end && *p != ' '; ++p) {
            if (*p == '=') {
                if (eq < 0) eq = p - start;
            } else if (*p == '"') {
                quote = true;
            }
        }
        Add(std::string_view(start, static_cast<std::size_t>(p - start)), eq, quote);
    }
}

int TokenStore::Position(std::string_view key) const {
    std::string_view tk;
    for (int k = n_; k >= 1; --k)
        if (Key(k, &tk) && tk == key) return k;
    return -1;
}

}  // namespace corvane
