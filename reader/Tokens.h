// The tokens of one record and the keys a reader looks for, found in the
// same pass that splits the record.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace corvane {

// The keys one reader asks for, each under a small number (its slot); a
// slot may have two keys (LoadPat or LoadCase).
class KeySet {
public:
    static constexpr int kMaxSlots = 24;
    struct Key {
        std::string_view text;
        int slot;
    };
    KeySet(std::initializer_list<Key> keys) : KeySet(std::vector<Key>(keys)) {}
    explicit KeySet(std::vector<Key> keys);
    int slots() const { return slots_; }
    // The slot of a key, or -1.
    int Find(std::string_view key) const {
        const std::size_t n = key.size();
        if (n >= kBuckets) return -1;
        for (std::uint8_t i = first_[n]; i != kNone; i = next_[i])
            if (Same(keys_[i].text.data(), key.data(), n)) return keys_[i].slot;
        return -1;
    }

private:
    // Keys are short: words compared from both ends (overlapping, never
    // beyond the n bytes) beat both a byte loop, whose exit the processor
    // cannot predict, and a library call.
    template <class Word>
    static bool SameEnds(const char* a, const char* b, std::size_t n) {
        Word a0, b0, a1, b1;
        std::memcpy(&a0, a, sizeof a0);
        std::memcpy(&b0, b, sizeof b0);
        std::memcpy(&a1, a + n - sizeof a1, sizeof a1);
        std::memcpy(&b1, b + n - sizeof b1, sizeof b1);
        return ((a0 ^ b0) | (a1 ^ b1)) == 0;
    }
    static bool Same(const char* a, const char* b, std::size_t n) {
        if (n >= 8) {
            for (std::size_t i = 0; i + 8 < n; i += 8)
                if (!SameEnds<std::uint64_t>(a + i, b + i, 8)) return false;
            return SameEnds<std::uint64_t>(a + n - 8, b + n - 8, 8);
        }
        if (n >= 4) return SameEnds<std::uint32_t>(a, b, n);
        if (n >= 2) return SameEnds<std::uint16_t>(a, b, n);
        return n == 0 || a[0] == b[0];
    }
    static constexpr std::size_t kBuckets = 32;
    static constexpr std::uint8_t kNone = 0xFF;
    std::vector<Key> keys_;
    std::uint8_t first_[kBuckets];
    std::vector<std::uint8_t> next_;
    int slots_ = 0;
};

// The tokens of the current record, numbered from 1; slot 0 is always the
// empty text. Slots above the current count keep the tokens an earlier,
// longer record of the same reader run left there. Tokens are views into
// the input, which outlives the store.
class TokenStore {
public:
    struct Token {
        const char* data = nullptr;
        std::size_t size = 0;
        std::int64_t eq = -1;  // index of the first "=", or -1
        bool quote = false;    // the token holds a double quote
        std::string_view text() const { return std::string_view(data, size); }
    };

    TokenStore() : tokens_(1) {}

    // Splits an item at every blank; when keys are given, positions[slot]
    // becomes the number of the last token carrying a key of that slot
    // (-1 when none does).
    void Split(std::string_view item, const KeySet* keys = nullptr, int* positions = nullptr);

    // The same, one token at a time, for a reader that finds the tokens
    // itself while it reads the item.
    void Begin(const KeySet* keys, int* positions) {
        keys_ = keys;
        positions_ = positions;
        if (positions)
            for (int s = 0; s < keys->slots(); ++s) positions[s] = -1;
        n_ = 0;
        anyQuote_ = false;
    }
    void Add(std::string_view token, long eq, bool quote) {
        const std::size_t k = static_cast<std::size_t>(++n_);
        if (k >= tokens_.size()) tokens_.resize(k + 1);
        Token& t = tokens_[k];
        t.data = token.data();
        t.size = token.size();
        t.eq = eq;
        t.quote = quote;
        anyQuote_ = anyQuote_ || quote;
        if (positions_ && eq >= 0) {
            const int slot = keys_->Find(token.substr(0, static_cast<std::size_t>(eq)));
            if (slot >= 0) positions_[slot] = n_;
        }
    }
    // Forgets every token, stale ones included.
    void Reset() {
        tokens_.assign(1, Token());
        n_ = 0;
    }

    int Count() const { return n_; }
    // Whether a token of the current record holds a double quote.
    bool AnyQuote() const { return anyQuote_; }
    const Token& token(long k) const { return k >= 0 && static_cast<std::size_t>(k) < tokens_.size() ? tokens_[static_cast<std::size_t>(k)] : kEmpty; }
    std::string_view operator[](long k) const { return token(k).text(); }
    // The key of token k, or false when it has no "=".
    bool Key(long k, std::string_view* key) const {
        const Token& t = token(k);
        if (t.eq < 0) return false;
        *key = std::string_view(t.data, static_cast<std::size_t>(t.eq));
        return true;
    }
    // Position of the last token whose key is `key`, or -1.
    int Position(std::string_view key) const;

private:
    static const Token kEmpty;
    std::vector<Token> tokens_;
    int n_ = 0;
    const KeySet* keys_ = nullptr;
    int* positions_ = nullptr;
    bool anyQuote_ = false;
};

}  // namespace corvane
