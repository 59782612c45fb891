// Lists of member, element and joint numbers as STAAD.Pro writes them:
// runs of consecutive numbers folded into "a TO b", every item followed by
// one blank.
#pragma once

#include "text/NumberText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Folds the n numbers given by textAt(i) (a view that needs to stay valid
// only until the next call), in their given order, and hands each item to
// emit: each run of two or more ascending consecutive numbers becomes
// first, "TO", last; every other number is one item, its text unchanged.
template <class TextAt, class Emit>
void FoldNumbers(std::size_t n, TextAt textAt, Emit emit) {
    if (n == 0) return;
    const std::string_view first = textAt(std::size_t(0));
    emit(first);
    double last = TextToNumber(first);
    bool inRun = false;
    std::string lastText;
    const auto closeRun = [&] {
        lastText.clear();
        AppendNumber(lastText, last);
        emit(std::string_view("TO"));
        emit(std::string_view(lastText));
    };
    for (std::size_t i = 1; i < n; ++i) {
        const std::string_view text = textAt(i);
        const double cur = TextToNumber(text);
        if (last + 1 == cur) {
            last = cur;
            inRun = true;
            continue;
        }
        if (inRun) closeRun();
        emit(text);
        last = cur;
        inRun = false;
    }
    if (inRun) closeRun();
}

// Appends the folded list with a blank after every item. Appends nothing
// and returns false when the list is empty or its first text is empty (no
// line is written for such a list).
template <class TextAt>
bool AppendFoldedList(std::string& out, std::size_t n, TextAt textAt) {
    if (n == 0 || textAt(std::size_t(0)).empty()) return false;
    FoldNumbers(n, textAt, [&out](std::string_view item) {
        out.append(item);
        out += ' ';
    });
    return true;
}

// The folded items of a list ("1", "TO", "4", "7"); an empty list gives
// one empty item.
std::vector<std::string> FoldRuns(const std::vector<std::string>& numbers);

// Every item followed by one blank.
std::string JoinItems(const std::vector<std::string>& items);

}  // namespace corvane
