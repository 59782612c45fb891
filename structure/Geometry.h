// Vectors and rotations of the structural model, in the model's own axes
// (X, Y horizontal, Z up).
#pragma once

#include <array>
#include <cmath>

namespace corvane {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Norm(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Unit(Vec3 a) {
    const double n = Norm(a);
    return n > 0 ? (1.0 / n) * a : a;
}
inline bool Parallel(Vec3 a, Vec3 b) { return std::fabs(Dot(Unit(a), Unit(b))) > 1 - 1e-6; }

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadiansPerDegree = kPi / 180;

// Three unit axes 1, 2, 3 (a right-handed frame) in the model's axes.
using Axes3 = std::array<Vec3, 3>;
constexpr Axes3 kGlobalAxes{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

// A joint's local axes from its angles a, b, c (degrees): turned by a about
// Z, then by -b about the new 2, then by c about the new 1.
Axes3 JointAxes(double a, double b, double c);

// A frame's local axes by SAP2000's rule: 1 from I to J; 2 in the vertical
// plane through 1, pointing up, or along +X when the frame is vertical
// (the sine of its angle with Z below 1e-3); 3 = 1 x 2; then 2 and 3 turned
// by `angle` degrees about 1. False for a frame of no length.
bool FrameAxes(Vec3 from, Vec3 to, double angle, Axes3* axes);

// Whether a frame along `d` counts as vertical by that rule.
bool IsVertical(Vec3 d);

// A shell's local axes by SAP2000's rule for corners p[0..count-1]: 3
// normal to its plane by the right-hand rule on the corner order; 2 up in
// the vertical plane through 3, or along +Y when the shell is horizontal
// (3 within 1e-3 of Z); 1 = 2 x 3, horizontal; then 1 and 2 turned by
// `angle` degrees about 3. False for corners that span no plane.
bool ShellAxes(const Vec3* p, int count, double angle, Axes3* axes);

}  // namespace corvane
