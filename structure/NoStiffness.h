// Members without stiffness (every stiffness modifier 0) left out of the
// structure, what they carry moved to their joints.
#pragma once

#include "model/Report.h"
#include "structure/Structure.h"

namespace corvane {

// Takes out every member whose stiffness modifiers (its own times its
// section's) are all 0. Its loads (member loads, self weight, gravity)
// become joint loads at its ends: the end forces of the loaded beam, with
// its releases; its mass becomes joint masses, half at each end; a
// temperature change, which makes no force without stiffness, goes. Each
// member left out is reported.
void LeaveOutMembersWithoutStiffness(Structure& s, Report* report);

}  // namespace corvane
