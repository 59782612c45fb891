// The numbers of elements in the output files: shell elements after the
// members (an offset plus the area's number), solids after both.
#pragma once

#include "model/ShellNumbers.h"
#include "structure/Structure.h"

#include <algorithm>
#include <string>

namespace corvane {

struct ElementNumbers {
    double shellOffset = ShellNumberOffset;
    double solidBase = 0;
    double Shell(const Structure& s, std::uint32_t shell) const { return shellOffset + static_cast<double>(s.shells[shell].number); }
    double Solid(std::uint32_t solid) const { return solidBase + static_cast<double>(solid) + 1; }
};

inline ElementNumbers NumberElements(const Structure& s) {
    ElementNumbers n;
    std::uint32_t largest = 0;
    for (const Member& m : s.members) largest = std::max(largest, m.number);
    n.shellOffset = s.elementOffset;
    double base = largest;
    for (const Shell& sh : s.shells) base = std::max(base, n.shellOffset + sh.number);
    n.solidBase = base;
    return n;
}

}  // namespace corvane
