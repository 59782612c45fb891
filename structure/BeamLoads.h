// The joint loads that give a prismatic beam's end displacements exactly
// what a load along it gives: the work of the load on the displacement
// fields of a shear-flexible beam due to each unit end displacement.
#pragma once

#include "structure/Geometry.h"
#include "structure/Structure.h"

#include <array>

namespace corvane {

struct BeamStiffness {
    double length = 0;
    double bending2 = 0, bending3 = 0;  // E I22, E I33
    double shear2 = 0, shear3 = 0;      // G AS2, G AS3; 0 for no shear deformation
};

// Loads at the ends in the beam's axes: F1 F2 F3 M1 M2 M3 at I, then at J.
using EndLoads = std::array<double, 12>;

// A load along the beam in its axes: a force or a moment per length from
// `a` to `b` (distances from I) varying linearly from qa to qb, or, when
// `concentrated`, a force or moment qa at `a`. Parts beyond the ends are
// left out.
EndLoads EquivalentEndLoads(const BeamStiffness& beam, bool moment, bool concentrated, Vec3 qa, Vec3 qb, double a, double b);

// A load direction in a member's axes, per length of the member: a
// projected load scaled by the sine of the member's angle with it.
Vec3 DirectionInMember(const Member& m, const Direction& d);

}  // namespace corvane
