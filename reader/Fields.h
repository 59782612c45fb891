// Tokens of a record and the field functions every reader shares.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The tokens of the current record, numbered from 1; slot 0 is always the
// empty text. Slots above the current count keep the tokens an earlier,
// longer record of the same reader run left there. Tokens are views into
// the input, which outlives the store.
class TokenStore {
public:
    void SplitTokens(std::string_view item);
    void Reset() {
        slots_.assign(1, std::string_view());
        keyEnds_.assign(1, kNoKey);
        n_ = 0;
    }
    int Count() const { return n_; }
    std::string_view operator[](long k) const {
        return k >= 0 && static_cast<std::size_t>(k) < slots_.size() ? slots_[static_cast<std::size_t>(k)] : std::string_view();
    }
    // The key of token k (1..Count()), found once when the record is split;
    // false when the token has no "=".
    bool Key(int k, std::string_view* key) const {
        const std::size_t end = keyEnds_[static_cast<std::size_t>(k)];
        if (end == kNoKey) return false;
        *key = slots_[static_cast<std::size_t>(k)].substr(0, end);
        return true;
    }

private:
    static constexpr std::size_t kNoKey = static_cast<std::size_t>(-1);
    std::vector<std::string_view> slots_{std::string_view()};
    std::vector<std::size_t> keyEnds_{kNoKey};
    int n_ = 0;
};

// 1-based position of the first "=" (double quote) in s, or -1.
int FindEqual(std::string_view s);
int FindInvCom(std::string_view s);
// The key of a field, or "NULL" when the token has no "=".
std::string BeforeE(std::string_view s);
// The value of a field, with "$" appended when the token holds a double
// quote anywhere (and the character after "=" dropped), or "NULL".
std::string AfterE(std::string_view s);

// Position of the last token among 1..n whose key is `key`, or -1.
int FieldPosition(const TokenStore& t, std::string_view key);
// The same for the last token whose key is either of two keys.
int FieldPosition(const TokenStore& t, std::string_view key, std::string_view otherKey);

// The value of the field at `position` with the quoted-value rule: a value
// ending in "$" has every "$" turned into "_" and is followed by the next
// token without its double quotes.
std::string JoinQuotedValue(const TokenStore& t, int position);

// AfterE of the token at `position`, or `absent` when the position is -1.
std::string ValueOr(const TokenStore& t, int position, std::string_view absent);
// JoinQuotedValue at `position`, or `absent` when the position is -1.
std::string JoinedOr(const TokenStore& t, int position, std::string_view absent);

// A token from its 1-based character `from` on ("" when it is shorter).
std::string_view MidFrom(std::string_view token, std::size_t from);

}  // namespace corvane
