// How shell elements are numbered in the STAAD.Pro file: the number of the
// area's name plus an offset that keeps them apart from member numbers.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace corvane {

// The offset every shell element number starts from.
constexpr double ShellNumberOffset = 100000;

// The offset of a model whose largest member number has `digits`
// significant digits: the smallest power of ten above every member number,
// but at least 100000, so that no shell element gets the number of a
// member.
inline double ElementOffset(std::size_t digits) {
    if (digits < 6) return ShellNumberOffset;
    return std::pow(10.0, static_cast<double>(std::min<std::size_t>(digits, 300)));
}

}  // namespace corvane
