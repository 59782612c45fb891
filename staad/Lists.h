// The member, element and joint lists of the STAAD.Pro blocks, folded into
// runs, from rows of a table.
#pragma once

#include "link/Link.h"
#include "text/NumberList.h"

#include <string>

namespace corvane {

// The shown texts of one column over the given rows.
template <class Rows>
bool AppendRowList(std::string& out, const Table& t, int col, const Rows& rows) {
    std::string scratch;
    return AppendFoldedList(out, rows.size(), [&](std::size_t i) -> std::string_view {
        const std::size_t row = rows.begin()[i];
        const Cell c = t.cell(row, col);
        if (!c.absent() && !c.quoted()) return t.View(c);
        scratch.clear();
        t.AppendText(scratch, row, col);
        return scratch;
    });
}

// The element numbers of the areas named in one column over the given rows.
template <class Rows>
bool AppendElementList(std::string& out, const Table& t, int areaCol, const Rows& rows, double offset) {
    std::string scratch;
    return AppendFoldedList(out, rows.size(), [&](std::size_t i) -> std::string_view {
        scratch.clear();
        AppendElementNumber(scratch, t.View(rows.begin()[i], areaCol), offset);
        return scratch;
    });
}

}  // namespace corvane
