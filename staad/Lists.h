// The member, element and joint lists of the STAAD.Pro blocks, folded into
// runs, from rows of a table.
#pragma once

#include "link/Link.h"
#include "text/NumberList.h"

#include <string>

namespace corvane {

// The STAAD.Pro names of what one column names over the given rows.
template <class Rows>
bool AppendNameList(std::string& out, const Links& links, NameKind kind, const Table& t, int col, const Rows& rows) {
    std::string scratch;
    return AppendFoldedList(out, rows.size(), [&](std::size_t i) -> std::string_view {
        return links.NameOf(kind, t, rows.begin()[i], col, scratch);
    });
}

// The element numbers of the areas named in one column over the given rows.
template <class Rows>
bool AppendElementList(std::string& out, const Links& links, const Table& t, int areaCol, const Rows& rows) {
    std::string scratch;
    return AppendFoldedList(out, rows.size(), [&](std::size_t i) -> std::string_view {
        scratch.clear();
        links.AppendElementOf(scratch, t, rows.begin()[i], areaCol);
        return scratch;
    });
}

}  // namespace corvane
