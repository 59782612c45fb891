// How shell elements are numbered in the STAAD.Pro file: the number of the
// area's name plus an offset that keeps them apart from member numbers.
#pragma once

namespace corvane {

// The offset every shell element number starts from.
constexpr double ShellNumberOffset = 100000;

}  // namespace corvane
