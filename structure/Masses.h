// The structure's masses lumped at its joints, as a dynamic analysis of a
// model with masses at joints takes them.
#pragma once

#include "structure/Structure.h"

#include <vector>

namespace corvane {

// Per joint, the masses along and moments of inertia about the global
// axes: the elements' own mass (when the mass source takes it) shared
// among their corners by the area or volume each corner carries, half of
// a member's to each end, and the added masses.
// With g, the acceleration of gravity in the model's units, the mass source's
// load patterns count too: the weight of their loads along gravity (self
// weight, joint, member and shell loads), lumped the same way, over g.
std::vector<DofValues> LumpedMasses(const Structure& s, double g = 0);

// A frame section's area: its computed area, or the area of its shape.
double SectionArea(const FrameSection& section);

}  // namespace corvane
