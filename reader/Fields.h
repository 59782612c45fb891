// The values of a record's fields, as cells of a table or as text.
//
// The value of a field token is the text after its first "="; when the
// token holds a double quote anywhere, the character after the "=" (the
// opening quote) is dropped and the value is marked as quoted, shown with
// "$" after it. A token without "=" has the value "NULL".
#pragma once

#include "model/Table.h"
#include "reader/Tokens.h"

#include <string>
#include <string_view>

namespace corvane {

struct FieldValue {
    std::string_view text;
    bool quoted = false;
    bool hasValue = false;  // the token has an "="
};
FieldValue ValueOf(const TokenStore::Token& token);

// The value of the token at `position` as a cell; a missing field
// (position -1) is an absent cell.
Cell ValueCell(Table& table, const TokenStore& tokens, int position);

// The quoted-value rule: a value shown with a final "$" (a quoted value cut
// by the blank split) has every "$" turned into "_" and is followed by the
// next token without its double quotes; any other value is kept as it is.
Cell JoinedCell(Table& table, const TokenStore& tokens, int position);

// The value of a field as the export meant it, for the full conversion's
// fields: a quoted value whole, its words joined by one blank, without its
// quotes and without a marker.
Cell PlainValueCell(Table& table, const TokenStore& tokens, int position);

// A token from its 1-based character `from` on ("" when it is shorter), as
// the positional readers cut their fields.
Cell CharsFromCell(Table& table, std::string_view token, std::size_t from);

// The same rules giving text (with the "$" marker, "NULL" for no "=").
std::string ValueText(const TokenStore& tokens, int position);
std::string JoinedText(const TokenStore& tokens, int position);

}  // namespace corvane
