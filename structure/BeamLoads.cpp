#include "structure/BeamLoads.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// Deflection (n) and rotation (r) of the shear-flexible beam at xi = x / L
// for unit end values (deflection I, rotation I, deflection J, rotation J)
// in one plane, phi = 12 EI / (G As L^2).
struct Shapes {
    double n[4], r[4];
};

Shapes ShapesAt(double xi, double phi, double length) {
    const double mu = 1 / (1 + phi), x2 = xi * xi, x3 = x2 * xi;
    Shapes s;
    s.n[0] = mu * (1 - 3 * x2 + 2 * x3 + phi * (1 - xi));
    s.n[1] = mu * length * (xi - 2 * x2 + x3 + phi / 2 * (xi - x2));
    s.n[2] = mu * (3 * x2 - 2 * x3 + phi * xi);
    s.n[3] = mu * length * (-x2 + x3 + phi / 2 * (x2 - xi));
    s.r[0] = 6 * mu / length * (x2 - xi);
    s.r[1] = mu * (1 - 4 * xi + 3 * x2 + phi * (1 - xi));
    s.r[2] = -s.r[0];
    s.r[3] = mu * (-2 * xi + 3 * x2 + phi * xi);
    return s;
}

double Phi(double bending, double shear, double length) { return shear > 0 ? 12 * bending / (shear * length * length) : 0; }

// Adds the work-equivalent end loads of a load q (force or moment, in the
// beam's axes) acting at xi, times the weight w.
void AddAt(EndLoads& f, const BeamStiffness& beam, bool moment, Vec3 q, double xi, double w) {
    const double L = beam.length;
    // Plane 1-2: deflection along 2, rotation about 3. Plane 1-3:
    // deflection along 3, rotation about 2 with the opposite sense.
    const Shapes s2 = ShapesAt(xi, Phi(beam.bending3, beam.shear2, L), L);
    const Shapes s3 = ShapesAt(xi, Phi(beam.bending2, beam.shear3, L), L);
    const int along[2] = {0, 6};
    if (!moment) {
        f[0] += w * (1 - xi) * q.x;
        f[6] += w * xi * q.x;
        for (int e = 0; e < 2; ++e) {
            f[along[e] + 1] += w * s2.n[2 * e] * q.y;
            f[along[e] + 5] += w * s2.n[2 * e + 1] * q.y;
            f[along[e] + 2] += w * s3.n[2 * e] * q.z;
            f[along[e] + 4] -= w * s3.n[2 * e + 1] * q.z;
        }
        return;
    }
    f[3] += w * (1 - xi) * q.x;
    f[9] += w * xi * q.x;
    for (int e = 0; e < 2; ++e) {
        f[along[e] + 1] += w * s2.r[2 * e] * q.z;
        f[along[e] + 5] += w * s2.r[2 * e + 1] * q.z;
        f[along[e] + 2] -= w * s3.r[2 * e] * q.y;
        f[along[e] + 4] += w * s3.r[2 * e + 1] * q.y;
    }
}

}  // namespace

EndLoads EquivalentEndLoads(const BeamStiffness& beam, bool moment, bool concentrated, Vec3 qa, Vec3 qb, double a, double b) {
    EndLoads f{};
    const double L = beam.length;
    if (!(L > 0)) return f;
    if (concentrated) {
        if (a >= 0 && a <= L) AddAt(f, beam, moment, qa, a / L, 1);
        return f;
    }
    if (b < a) {
        std::swap(a, b);
        std::swap(qa, qb);
    }
    const double from = std::max(a, 0.0), to = std::min(b, L);
    if (!(to > from)) return f;
    // Three Gauss points integrate the shapes (cubic) times a linear load
    // exactly.
    static constexpr double kPoints[3] = {-0.7745966692414834, 0, 0.7745966692414834};
    static constexpr double kWeights[3] = {5.0 / 9, 8.0 / 9, 5.0 / 9};
    const double half = (to - from) / 2, mid = (to + from) / 2;
    for (int k = 0; k < 3; ++k) {
        const double x = mid + half * kPoints[k];
        const double t = (x - a) / (b - a);
        const Vec3 q = qa + t * (qb - qa);
        AddAt(f, beam, moment, q, x / L, half * kWeights[k]);
    }
    return f;
}

Vec3 DirectionInMember(const Member& m, const Direction& d) {
    if (d.axes == LoadAxes::Local) return d.vector;
    double scale = 1;
    if (d.axes == LoadAxes::Projected) {
        const double c = Dot(d.vector, m.axes[0]);
        scale = std::sqrt(std::max(0.0, 1 - c * c));
    }
    return {scale * Dot(d.vector, m.axes[0]), scale * Dot(d.vector, m.axes[1]), scale * Dot(d.vector, m.axes[2])};
}

}  // namespace corvane
