#include "structure/Geometry.h"

namespace corvane {

namespace {

struct Matrix {
    double m[3][3];
    Vec3 Column(int k) const { return {m[0][k], m[1][k], m[2][k]}; }
    Matrix operator*(const Matrix& o) const {
        Matrix r{};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                for (int k = 0; k < 3; ++k) r.m[i][j] += m[i][k] * o.m[k][j];
        return r;
    }
};

}  // namespace

Axes3 JointAxes(double a, double b, double c) {
    const double ca = std::cos(a * kRadiansPerDegree), sa = std::sin(a * kRadiansPerDegree);
    const double cb = std::cos(-b * kRadiansPerDegree), sb = std::sin(-b * kRadiansPerDegree);
    const double cc = std::cos(c * kRadiansPerDegree), sc = std::sin(c * kRadiansPerDegree);
    const Matrix rz{{{ca, -sa, 0}, {sa, ca, 0}, {0, 0, 1}}};
    const Matrix ry{{{cb, 0, sb}, {0, 1, 0}, {-sb, 0, cb}}};
    const Matrix rx{{{1, 0, 0}, {0, cc, -sc}, {0, sc, cc}}};
    const Matrix r = rz * ry * rx;
    return {r.Column(0), r.Column(1), r.Column(2)};
}

bool IsVertical(Vec3 d) {
    const double length = Norm(d);
    return length > 0 && std::hypot(d.x, d.y) / length < 1e-3;
}

bool FrameAxes(Vec3 from, Vec3 to, double angle, Axes3* axes) {
    const Vec3 d = to - from;
    const double length = Norm(d);
    if (length == 0 || !std::isfinite(length) || !std::isfinite(angle)) return false;
    const Vec3 e1 = (1.0 / length) * d;
    Vec3 e2;
    if (IsVertical(d)) {
        e2 = {1, 0, 0};
        e2 = Unit(e2 - Dot(e2, e1) * e1);
    } else {
        const Vec3 up{0, 0, 1};
        e2 = Unit(up - Dot(up, e1) * e1);
    }
    Vec3 e3 = Cross(e1, e2);
    const double c = std::cos(angle * kRadiansPerDegree), s = std::sin(angle * kRadiansPerDegree);
    const Vec3 t2 = c * e2 + s * e3;
    e3 = Cross(e1, t2);
    *axes = {e1, t2, e3};
    return true;
}

bool ShellAxes(const Vec3* p, int count, double angle, Axes3* axes) {
    // Four corners: the normal of the diagonals, which a warped shell's
    // mean plane has.
    const Vec3 n = count == 4 ? Cross(p[2] - p[0], p[3] - p[1]) : Cross(p[1] - p[0], p[2] - p[0]);
    const double length = Norm(n);
    if (!(length > 0) || !std::isfinite(length) || !std::isfinite(angle)) return false;
    const Vec3 e3 = (1.0 / length) * n;
    Vec3 e2;
    if (std::hypot(e3.x, e3.y) < 1e-3) {
        const Vec3 y{0, 1, 0};
        e2 = Unit(y - Dot(y, e3) * e3);
    } else {
        const Vec3 up{0, 0, 1};
        e2 = Unit(up - Dot(up, e3) * e3);
    }
    const Vec3 e1 = Cross(e2, e3);
    const double c = std::cos(angle * kRadiansPerDegree), s = std::sin(angle * kRadiansPerDegree);
    *axes = {c * e1 + s * e2, -s * e1 + c * e2, e3};
    return true;
}

}  // namespace corvane
