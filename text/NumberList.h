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

// The value of a label that can stand in a run: a whole number written in
// digits alone, of at most 999999 (the largest number STAAD.Pro takes);
// -1 for any other label.
inline long RunValue(std::string_view label) {
    while (label.size() > 1 && label[0] == '0') label.remove_prefix(1);
    if (label.empty() || label.size() > 6) return -1;
    long v = 0;
    for (char c : label) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

// Folds the n labels given by textAt(i) (a view that needs to stay valid
// only until the next call), in their given order, and hands each item to
// emit: each run of two or more ascending consecutive whole numbers becomes
// first, "TO", last; every other label is one item, its text unchanged. A
// label that is no whole number, or above 999999, is never part of a run.
template <class TextAt, class Emit>
void FoldNumbers(std::size_t n, TextAt textAt, Emit emit) {
    long last = -1;
    bool inRun = false;
    const auto closeRun = [&] {
        emit(std::string_view("TO"));
        const std::string end = std::to_string(last);
        emit(std::string_view(end));
        inRun = false;
    };
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view text = textAt(i);
        const long cur = RunValue(text);
        if (cur >= 0 && last >= 0 && cur == last + 1) {
            last = cur;
            inRun = true;
            continue;
        }
        if (inRun) closeRun();
        emit(text);
        last = cur;
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
