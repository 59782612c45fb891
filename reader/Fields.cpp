#include "reader/Fields.h"

#include <cstring>

namespace corvane {

void TokenStore::Split(std::string_view item) {
    int k = 0;
    std::size_t i = 0;
    const std::size_t n = item.size();
    while (i < n) {
        while (i < n && item[i] == ' ') ++i;
        if (i >= n) break;
        std::size_t e = i;
        while (e < n && item[e] != ' ') ++e;
        ++k;
        if (static_cast<std::size_t>(k) >= slots_.size()) slots_.resize(static_cast<std::size_t>(k) + 1);
        slots_[static_cast<std::size_t>(k)] = item.substr(i, e - i);
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

std::string_view KeyOf(std::string_view token, bool* hasKey) {
    const auto p = token.find('=');
    *hasKey = p != std::string_view::npos;
    return *hasKey ? token.substr(0, p) : std::string_view();
}

int FieldPosition(const TokenStore& t, std::string_view key) {
    int pos = -1;
    for (int k = 1; k <= t.Count(); ++k) {
        bool hasKey = false;
        if (KeyOf(t[k], &hasKey) == key && hasKey) pos = k;
    }
    return pos;
}

int FieldPosition(const TokenStore& t, std::string_view key, std::string_view otherKey) {
    int pos = -1;
    for (int k = 1; k <= t.Count(); ++k) {
        bool hasKey = false;
        const std::string_view tk = KeyOf(t[k], &hasKey);
        if (hasKey && (tk == key || tk == otherKey)) pos = k;
    }
    return pos;
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
