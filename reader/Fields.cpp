#include "reader/Fields.h"

#include <cstring>

namespace corvane {

void TokenStore::SplitTokens(std::string_view item) {
    int k = 0;
    std::size_t i = 0;
    const std::size_t n = item.size();
    while (i < n) {
        while (i < n && item[i] == ' ') ++i;
        if (i >= n) break;
        std::size_t e = i;
        while (e < n && item[e] != ' ') ++e;
        ++k;
        const auto slot = static_cast<std::size_t>(k);
        if (slot >= slots_.size()) {
            slots_.resize(slot + 1);
            keyEnds_.resize(slot + 1, kNoKey);
        }
        slots_[slot] = item.substr(i, e - i);
        const void* eq = std::memchr(item.data() + i, '=', e - i);
        keyEnds_[slot] = eq ? static_cast<std::size_t>(static_cast<const char*>(eq) - (item.data() + i)) : kNoKey;
        i = e;
    }
    n_ = k;
}

int FindEqual(std::string_view s) {
    const auto p = s.find('=');
    return p == std::string_view::npos ? -1 : static_cast<int>(p) + 1;
}

int FindInvCom(std::string_view s) {
    const auto p = s.find('"');
    return p == std::string_view::npos ? -1 : static_cast<int>(p) + 1;
}

std::string BeforeE(std::string_view s) {
    const auto p = s.find('=');
    if (p == std::string_view::npos) return "NULL";
    return std::string(s.substr(0, p));
}

std::string AfterE(std::string_view s) {
    const auto p = s.find('=');
    if (p == std::string_view::npos) return "NULL";
    const bool quoted = s.find('"') != std::string_view::npos;
    const std::size_t from = p + 1 + (quoted ? 1 : 0);
    std::string v = from < s.size() ? std::string(s.substr(from)) : std::string();
    if (quoted) v += '$';
    return v;
}

int FieldPosition(const TokenStore& t, std::string_view key) {
    std::string_view tk;
    for (int k = t.Count(); k >= 1; --k)
        if (t.Key(k, &tk) && tk == key) return k;
    return -1;
}

int FieldPosition(const TokenStore& t, std::string_view key, std::string_view otherKey) {
    std::string_view tk;
    for (int k = t.Count(); k >= 1; --k)
        if (t.Key(k, &tk) && (tk == key || tk == otherKey)) return k;
    return -1;
}

std::string JoinQuotedValue(const TokenStore& t, int position) {
    std::string v = AfterE(t[position]);
    if (v.empty() || v.back() != '$') return v;
    for (char& c : v)
        if (c == '$') c = '_';
    for (char c : t[static_cast<long>(position) + 1])
        if (c != '"') v += c;
    return v;
}

std::string ValueOr(const TokenStore& t, int position, std::string_view absent) {
    return position == -1 ? std::string(absent) : AfterE(t[position]);
}

std::string JoinedOr(const TokenStore& t, int position, std::string_view absent) {
    return position == -1 ? std::string(absent) : JoinQuotedValue(t, position);
}

std::string_view MidFrom(std::string_view token, std::size_t from) {
    return token.size() >= from ? token.substr(from - 1) : std::string_view();
}

}  // namespace corvane
