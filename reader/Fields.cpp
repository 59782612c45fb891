#include "reader/Fields.h"

namespace corvane {

namespace {
constexpr std::string_view kNull = "NULL";

// The joined text of a value shown with a final "$", or false when the
// value is to be kept as it is. The "$" signs become "_", then the tokens
// that follow are added, each without its double quotes and the next after
// a "_", up to the first that holds a double quote (the value's closing
// quote) or the record's last token. The first following token is always
// added, even above the record's count (the slot then holds what an
// earlier record left there, or nothing).
bool Joined(const TokenStore& tokens, int position, const FieldValue& v, std::string* out) {
    const bool endsInMarker = v.quoted || (!v.text.empty() && v.text.back() == '$');
    if (!v.hasValue || !endsInMarker) return false;
    out->assign(v.text);
    if (v.quoted) out->push_back('$');
    for (char& c : *out)
        if (c == '$') c = '_';
    for (long k = static_cast<long>(position) + 1;; ++k) {
        const TokenStore::Token& t = tokens.token(k);
        for (char c : t.text())
            if (c != '"') out->push_back(c);
        if (t.quote || k >= tokens.Count()) break;
        out->push_back('_');
    }
    return true;
}

}  // namespace

FieldValue ValueOf(const TokenStore::Token& token) {
    if (token.eq < 0) return {};
    const std::size_t from = static_cast<std::size_t>(token.eq) + 1 + (token.quote ? 1 : 0);
    const std::string_view text = from < token.size ? std::string_view(token.data + from, token.size - from) : std::string_view();
    return {text, token.quote, true};
}

Cell ValueCell(Table& table, const TokenStore& tokens, int position) {
    if (position < 0) return Cell::Absent();
    const FieldValue v = ValueOf(tokens.token(position));
    if (!v.hasValue) return table.TextCell(kNull);
    return table.InputCell(v.text, v.quoted);
}

Cell JoinedCell(Table& table, const TokenStore& tokens, int position) {
    if (position < 0) return Cell::Absent();
    const FieldValue v = ValueOf(tokens.token(position));
    std::string joined;
    if (Joined(tokens, position, v, &joined)) return table.TextCell(joined);
    if (!v.hasValue) return table.TextCell(kNull);
    return table.InputCell(v.text, v.quoted);
}

Cell PlainValueCell(Table& table, const TokenStore& tokens, int position) {
    if (position < 0) return Cell::Absent();
    const TokenStore::Token& token = tokens.token(position);
    if (token.eq < 0) return table.TextCell(kNull);
    std::string_view v = token.text().substr(static_cast<std::size_t>(token.eq) + 1);
    if (v.empty() || v.front() != '"') return table.InputCell(v);
    v.remove_prefix(1);
    if (!v.empty() && v.back() == '"') {
        v.remove_suffix(1);
        return table.InputCell(v);
    }
    std::string joined(v);
    for (long k = static_cast<long>(position) + 1; k <= tokens.Count(); ++k) {
        std::string_view next = tokens[k];
        joined += ' ';
        if (!next.empty() && next.back() == '"') {
            next.remove_suffix(1);
            joined.append(next);
            break;
        }
        joined.append(next);
    }
    return table.TextCell(joined);
}

Cell CharsFromCell(Table& table, std::string_view token, std::size_t from) {
    return table.InputCell(token.size() >= from ? token.substr(from - 1) : std::string_view());
}

std::string ValueText(const TokenStore& tokens, int position) {
    if (position < 0) return std::string(kNull);
    const FieldValue v = ValueOf(tokens.token(position));
    if (!v.hasValue) return std::string(kNull);
    std::string s(v.text);
    if (v.quoted) s.push_back('$');
    return s;
}

std::string JoinedText(const TokenStore& tokens, int position) {
    if (position < 0) return std::string(kNull);
    const FieldValue v = ValueOf(tokens.token(position));
    std::string joined;
    if (Joined(tokens, position, v, &joined)) return joined;
    return ValueText(tokens, position);
}

}  // namespace corvane
