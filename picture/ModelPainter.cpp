#include "picture/ModelPainter.h"

#include <QColor>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

namespace corvane {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;

const QColor kBackground(255, 255, 255);
const QColor kMemberColour(28, 52, 110);
const QColor kShellFill(150, 185, 220, 105);
const QColor kShellEdge(80, 115, 160, 110);
const QColor kJointColour(40, 40, 40);
const QColor kFixedColour(200, 30, 30);
const QColor kPinnedColour(230, 120, 0);
const QColor kAxisColour[3] = {QColor(200, 40, 40), QColor(30, 150, 40), QColor(40, 70, 210)};

// Full pictures with up to this many members and shells are smoothed.
constexpr std::size_t kSmoothLimit = 40000;
// How often a long drawing asks whether it should stop.
constexpr std::size_t kCancelStride = 16384;

double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// A joint on the picture; x is NaN when the joint cannot be drawn.
struct ScreenPoint {
    float x, y, depth;
    bool Valid() const { return !std::isnan(x); }
};

// Rectangles in float, for the cheap tests done per member and shell.
struct Box {
    float left, top, right, bottom;
    bool Contains(float x, float y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// True when all `count` points lie beyond one side of `box`: nothing to draw.
bool AllOutside(const ScreenPoint* const* pts, int count, const Box& box) {
    bool left = true, right = true, above = true, below = true;
    for (int i = 0; i < count; ++i) {
        left = left && pts[i]->x < box.left;
        right = right && pts[i]->x > box.right;
        above = above && pts[i]->y < box.top;
        below = below && pts[i]->y > box.bottom;
    }
    return left || right || above || below;
}

// Cuts a line to `box` (Liang-Barsky). The raster engine works in fixed
// point, so points far outside the picture must not reach it.
bool ClipLine(double& x0, double& y0, double& x1, double& y1, const Box& box) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - box.left, box.right - x0, y0 - box.top, box.bottom - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ax = x0, ay = y0;
    x0 = ax + t0 * dx;
    y0 = ay + t0 * dy;
    x1 = ax + t1 * dx;
    y1 = ay + t1 * dy;
    return true;
}

// Cuts a polygon to `box` (Sutherland-Hodgman), for the same reason.
QPolygonF ClipPolygon(const QPolygonF& polygon, const Box& box) {
    QPolygonF in = polygon, out;
    for (int side = 0; side < 4 && !in.isEmpty(); ++side) {
        auto inside = [&](const QPointF& p) {
            switch (side) {
                case 0: return p.x() >= box.left;
                case 1: return p.x() <= box.right;
                case 2: return p.y() >= box.top;
                default: return p.y() <= box.bottom;
            }
        };
        auto cross = [&](const QPointF& a, const QPointF& b) {
            double t;
            switch (side) {
                case 0: t = (box.left - a.x()) / (b.x() - a.x()); break;
                case 1: t = (box.right - a.x()) / (b.x() - a.x()); break;
                case 2: t = (box.top - a.y()) / (b.y() - a.y()); break;
                default: t = (box.bottom - a.y()) / (b.y() - a.y()); break;
            }
            return a + (b - a) * t;
        };
        out.clear();
        for (int i = 0; i < in.size(); ++i) {
            const QPointF& a = in[i];
            const QPointF& b = in[(i + 1) % in.size()];
            if (inside(b)) {
                if (!inside(a)) out << cross(a, b);
                out << b;
            } else if (inside(a)) {
                out << cross(a, b);
            }
        }
        std::swap(in, out);
    }
    return in;
}

// The letters X, Y and Z as strokes in a box of -0.5..0.5 (y down), so the
// picture needs no font.
void DrawLetter(QPainter& p, char letter, QPointF centre, double height) {
    const double w = height * 0.75, h = height;
    auto at = [&](double x, double y) { return centre + QPointF(x * w, y * h); };
    switch (letter) {
        case 'X':
            p.drawLine(at(-0.5, -0.5), at(0.5, 0.5));
            p.drawLine(at(0.5, -0.5), at(-0.5, 0.5));
            break;
        case 'Y':
            p.drawLine(at(-0.5, -0.5), at(0.0, 0.0));
            p.drawLine(at(0.5, -0.5), at(0.0, 0.0));
            p.drawLine(at(0.0, 0.0), at(0.0, 0.5));
            break;
        default: {
            const QPointF z[4] = {at(-0.5, -0.5), at(0.5, -0.5), at(-0.5, 0.5), at(0.5, 0.5)};
            p.drawPolyline(z, 4);
            break;
        }
    }
}

double SupportMarkerSize(QSize size) { return std::clamp(std::min(size.width(), size.height()) / 110.0, 3.5, 8.0); }

// Whether the draft keeps item `i` when it keeps one in `every`. A hash
// rather than every n-th item: models list their members in a regular
// order, and a regular pick draws stripes of one kind of member.
bool KeptInDraft(std::size_t i, std::size_t every) {
    if (every <= 1) return true;
    std::uint64_t x = (static_cast<std::uint64_t>(i) + 1) * 0x9E3779B97F4A7C15ull;
    x ^= x >> 31;
    return x % every == 0;
}

}  // namespace

ModelPainter::ModelPainter(std::shared_ptr<const PictureModel> model, const PictureOptions& options)
    : axes_(options.axes), jointDots_(options.jointDots) {
    SetAngles(options.yawDegrees, options.pitchDegrees);
    SetModel(std::move(model));
}

void ModelPainter::SetModel(std::shared_ptr<const PictureModel> model) {
    model_ = std::move(model);
    hasBounds_ = false;
    double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    if (model_) {
        const std::vector<float>& xyz = model_->xyz;
        const std::size_t n = model_->JointCount();
        for (std::size_t j = 0; j < n; ++j) {
            const float* p = &xyz[3 * j];
            if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2])) continue;
            for (int k = 0; k < 3; ++k) {
                if (!hasBounds_ || p[k] < lo[k]) lo[k] = p[k];
                if (!hasBounds_ || p[k] > hi[k]) hi[k] = p[k];
            }
            hasBounds_ = true;
        }
    }
    double squared = 0.0;
    for (int k = 0; k < 3; ++k) {
        centre_[k] = 0.5 * (lo[k] + hi[k]);
        squared += (hi[k] - lo[k]) * (hi[k] - lo[k]);
    }
    extent_ = std::sqrt(squared);
    if (!(extent_ > 0.0) || !std::isfinite(extent_)) extent_ = 1.0;
}

void ModelPainter::SetAngles(double yawDegrees, double pitchDegrees) {
    if (!std::isfinite(yawDegrees)) yawDegrees = 0.0;
    if (!std::isfinite(pitchDegrees)) pitchDegrees = 0.0;
    yawDegrees = std::fmod(yawDegrees, 360.0);
    if (yawDegrees > 180.0) yawDegrees -= 360.0;
    if (yawDegrees <= -180.0) yawDegrees += 360.0;
    yaw_ = yawDegrees;
    pitch_ = std::clamp(pitchDegrees, -90.0, 90.0);
}

void ModelPainter::SetZoom(double pixelsPerUnit) {
    // Between the whole model in two pixels and one model unit per ten
    // million pixels of the model: past either end nothing is readable.
    const double lo = 2.0 / extent_, hi = 1e7 / extent_;
    zoom_ = std::isfinite(pixelsPerUnit) ? std::clamp(pixelsPerUnit, lo, hi) : 1.0 / extent_;
}

void ModelPainter::ZoomAbout(QPointF pixel, double factor, QSize size) {
    const double before = zoom_;
    SetZoom(zoom_ * factor);
    const double applied = zoom_ / before;
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    pan_ = pixel - centre - (pixel - centre - pan_) * applied;
}

ModelPainter::Basis ModelPainter::ViewBasis() const {
    const double yaw = yaw_ * kDegree, pitch = pitch_ * kDegree;
    const double cy = std::cos(yaw), sy = std::sin(yaw), cp = std::cos(pitch), sp = std::sin(pitch);
    return Basis{{-sy, cy, 0.0}, {-sp * cy, -sp * sy, cp}, {cp * cy, cp * sy, sp}};
}

void ModelPainter::Fit(QSize size) {
    pan_ = QPointF();
    if (!hasBounds_ || size.isEmpty()) {
        SetZoom(1.0);
        return;
    }
    // The framed box is the one around the joints as seen from the current
    // angles, which is tighter than the corners of the box in space.
    const Basis b = ViewBasis();
    const std::vector<float>& xyz = model_->xyz;
    const std::size_t n = model_->JointCount();
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool any = false;
    for (std::size_t j = 0; j < n; ++j) {
        const float* p = &xyz[3 * j];
        if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2])) continue;
        const double d[3] = {p[0] - centre_[0], p[1] - centre_[1], p[2] - centre_[2]};
        const double x = Dot(d, b.right), y = Dot(d, b.up);
        if (!any || x < minX) minX = x;
        if (!any || x > maxX) maxX = x;
        if (!any || y < minY) minY = y;
        if (!any || y > maxY) maxY = y;
        any = true;
    }
    const double marker = SupportMarkerSize(size);
    const double margin = std::max(10.0, 0.05 * std::min(size.width(), size.height())) + 2.0 * marker;
    const double width = std::max(1.0, size.width() - 2.0 * margin);
    const double height = std::max(1.0, size.height() - 2.0 * margin);
    const double spanX = maxX - minX, spanY = maxY - minY;
    double zoom = 0.0;
    if (spanX > 0.0) zoom = width / spanX;
    if (spanY > 0.0) zoom = zoom > 0.0 ? std::min(zoom, height / spanY) : height / spanY;
    if (!(zoom > 0.0)) zoom = 0.25 * std::min(size.width(), size.height()) / extent_;
    SetZoom(zoom);
    pan_ = QPointF(-0.5 * (minX + maxX) * zoom_, 0.5 * (minY + maxY) * zoom_);
}

QPointF ModelPainter::Project(double x, double y, double z, QSize size) const {
    const Basis b = ViewBasis();
    const double d[3] = {x - centre_[0], y - centre_[1], z - centre_[2]};
    return QPointF(size.width() / 2.0 + pan_.x() + zoom_ * Dot(d, b.right),
                   size.height() / 2.0 + pan_.y() - zoom_ * Dot(d, b.up));
}

std::array<AxisArrow, 3> ModelPainter::AxisArrows() const {
    const Basis b = ViewBasis();
    // The mode's X, Y and Z as directions in SAP2000 axes.
    static const double sap[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    static const double staad[3][3] = {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    const auto& axes = axes_ == PictureAxes::Staad ? staad : sap;
    std::array<AxisArrow, 3> arrows{};
    for (int k = 0; k < 3; ++k) arrows[k] = AxisArrow{static_cast<char>('X' + k), QPointF(Dot(axes[k], b.right), -Dot(axes[k], b.up))};
    return arrows;
}

QRect ModelPainter::AxisCrossRect(QSize size) {
    const int side = std::clamp(std::min(size.width(), size.height()) / 5, 56, 100);
    return QRect(6, size.height() - 6 - side, side, side);
}

bool ModelPainter::Paint(QImage& image, PictureQuality quality, const std::function<bool()>& cancelled) const {
    image.fill(kBackground);
    const QSize size = image.size();
    if (size.isEmpty()) return true;
    QPainter p(&image);

    if (model_ && hasBounds_) {
        const PictureModel& m = *model_;
        const std::size_t n = m.JointCount();
        const bool draft = quality == PictureQuality::Draft;

        // Every joint on the picture, once.
        std::vector<ScreenPoint> pts(n);
        {
            const Basis b = ViewBasis();
            const double cx = size.width() / 2.0 + pan_.x(), cy = size.height() / 2.0 + pan_.y();
            for (std::size_t j = 0; j < n; ++j) {
                const float* q = &m.xyz[3 * j];
                const double d[3] = {q[0] - centre_[0], q[1] - centre_[1], q[2] - centre_[2]};
                const double x = cx + zoom_ * Dot(d, b.right), y = cy - zoom_ * Dot(d, b.up);
                if (std::isfinite(x) && std::isfinite(y) && std::abs(x) < 1e30 && std::abs(y) < 1e30)
                    pts[j] = ScreenPoint{static_cast<float>(x), static_cast<float>(y), static_cast<float>(Dot(d, b.eye))};
                else
                    pts[j] = ScreenPoint{NAN, NAN, 0.0f};
            }
        }
        auto point = [&](std::uint32_t j) -> const ScreenPoint* { return j < n && pts[j].Valid() ? &pts[j] : nullptr; };

        // Anything beyond `view` is not drawn; anything beyond `guard` is cut
        // before it reaches the raster engine.
        const float pad = 4.0f;
        const Box view{-pad, -pad, size.width() + pad, size.height() + pad};
        const float outer = static_cast<float>(std::max(size.width(), size.height()));
        const Box guard{-outer, -outer, size.width() + outer, size.height() + outer};

        std::vector<QLineF> lines;
        lines.reserve(4096);
        auto addLine = [&](const ScreenPoint& a, const ScreenPoint& b) {
            if (guard.Contains(a.x, a.y) && guard.Contains(b.x, b.y)) {
                lines.emplace_back(a.x, a.y, b.x, b.y);
                return;
            }
            double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
            if (ClipLine(x0, y0, x1, y1, guard)) lines.emplace_back(x0, y0, x1, y1);
        };
        auto flushLines = [&] {
            if (!lines.empty()) p.drawLines(lines.data(), static_cast<int>(lines.size()));
            lines.clear();
        };
        auto stop = [&] { return cancelled && cancelled(); };

        const std::size_t members = m.MemberCount(), shells = m.ShellCount();
        const QPen memberPen(kMemberColour, draft ? 1.0 : (members + shells <= kSmoothLimit ? 1.4 : 1.0));

        // The joints of a shell, without a repeated joint (a triangle), or
        // 0 when the shell cannot be drawn.
        auto shellPoints = [&](std::size_t s, const ScreenPoint* out[4]) {
            int count = 0;
            for (int k = 0; k < 4; ++k) {
                const std::uint32_t j = m.shells[4 * s + k];
                const ScreenPoint* q = point(j);
                if (!q) return 0;
                if (count > 0 && out[count - 1] == q) continue;
                out[count++] = q;
            }
            if (count > 1 && out[count - 1] == out[0]) --count;
            return count >= 3 ? count : 0;
        };

        if (draft) {
            // Lines only, unsmoothed, and on large models every k-th member:
            // enough to see the shape while the view moves.
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(memberPen);
            const std::size_t every = members > kDraftMembers ? (members + kDraftMembers - 1) / kDraftMembers : 1;
            std::size_t drawn = 0;
            for (std::size_t i = 0; i < members; ++i) {
                if (!KeptInDraft(i, every)) continue;
                const ScreenPoint* ab[2] = {point(m.members[2 * i]), point(m.members[2 * i + 1])};
                if (!ab[0] || !ab[1] || AllOutside(ab, 2, view)) continue;
                addLine(*ab[0], *ab[1]);
                ++drawn;
                if (lines.size() >= 4096) flushLines();
            }
            flushLines();
            // Shell outlines with what is left of the same budget.
            const std::size_t budget = kDraftMembers > drawn ? (kDraftMembers - drawn) / 4 : 0;
            if (shells > 0 && budget > 0) {
                p.setPen(QPen(kShellEdge.darker(130), 1.0));
                const std::size_t everyShell = shells > budget ? (shells + budget - 1) / budget : 1;
                for (std::size_t s = 0; s < shells; ++s) {
                    if (!KeptInDraft(s, everyShell)) continue;
                    const ScreenPoint* q[4];
                    const int count = shellPoints(s, q);
                    if (count == 0 || AllOutside(q, count, view)) continue;
                    for (int k = 0; k < count; ++k) addLine(*q[k], *q[(k + 1) % count]);
                    if (lines.size() >= 4096) flushLines();
                }
                flushLines();
            }
        } else {
            // Members and shells together, farthest first, so a shell hides
            // (tints) what lies behind it and not what lies in front.
            struct Item {
                float depth;
                std::uint32_t id;  // a member, or members + a shell
            };
            std::vector<Item> items;
            items.reserve(members + shells);
            for (std::size_t i = 0; i < members; ++i) {
                const ScreenPoint* ab[2] = {point(m.members[2 * i]), point(m.members[2 * i + 1])};
                if (!ab[0] || !ab[1] || AllOutside(ab, 2, view)) continue;
                items.push_back(Item{0.5f * (ab[0]->depth + ab[1]->depth), static_cast<std::uint32_t>(i)});
            }
            for (std::size_t s = 0; s < shells; ++s) {
                const ScreenPoint* q[4];
                const int count = shellPoints(s, q);
                if (count == 0 || AllOutside(q, count, view)) continue;
                float depth = 0.0f;
                for (int k = 0; k < count; ++k) depth += q[k]->depth;
                items.push_back(Item{depth / count, static_cast<std::uint32_t>(members + s)});
            }
            if (stop()) return false;
            std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.depth < b.depth; });
            if (stop()) return false;

            p.setRenderHint(QPainter::Antialiasing, items.size() <= kSmoothLimit);
            const QPen shellPen(kShellEdge, 1.0);
            bool drawingShells = false;
            p.setPen(memberPen);
            QPolygonF polygon;
            for (std::size_t k = 0; k < items.size(); ++k) {
                if (k % kCancelStride == kCancelStride - 1 && stop()) return false;
                const std::uint32_t id = items[k].id;
                if (id < members) {
                    if (drawingShells) {
                        p.setPen(memberPen);
                        p.setBrush(Qt::NoBrush);
                        drawingShells = false;
                    }
                    addLine(pts[m.members[2 * id]], pts[m.members[2 * id + 1]]);
                    if (lines.size() >= 4096) flushLines();
                    continue;
                }
                flushLines();
                if (!drawingShells) {
                    p.setPen(shellPen);
                    p.setBrush(kShellFill);
                    drawingShells = true;
                }
                const ScreenPoint* q[4];
                const int count = shellPoints(id - members, q);
                polygon.resize(count);
                bool inside = true;
                for (int c = 0; c < count; ++c) {
                    polygon[c] = QPointF(q[c]->x, q[c]->y);
                    inside = inside && guard.Contains(q[c]->x, q[c]->y);
                }
                if (inside) p.drawPolygon(polygon);
                else if (const QPolygonF cut = ClipPolygon(polygon, guard); cut.size() >= 3) p.drawPolygon(cut);
            }
            flushLines();
            p.setBrush(Qt::NoBrush);

            if (jointDots_ && n <= kJointDotLimit) {
                p.setPen(Qt::NoPen);
                p.setBrush(kJointColour);
                const double r = std::clamp(std::min(size.width(), size.height()) / 400.0, 1.2, 2.5);
                for (const ScreenPoint& q : pts)
                    if (q.Valid() && view.Contains(q.x, q.y)) p.drawEllipse(QPointF(q.x, q.y), r, r);
                p.setBrush(Qt::NoBrush);
            }
        }

        // Supports: a block under a fixed joint, a triangle under a pinned one.
        p.setRenderHint(QPainter::Antialiasing, !draft);
        // Markers no larger than a quarter of a typical member on the
        // picture, so that dense supports do not cover each other.
        double s = SupportMarkerSize(size);
        if (!m.supports.empty() && members > 0) {
            std::vector<float> lengths;
            const std::size_t step = std::max<std::size_t>(1, members / 1024);
            for (std::size_t i = 0; i < members; i += step) {
                const ScreenPoint* a = point(m.members[2 * i]);
                const ScreenPoint* b = point(m.members[2 * i + 1]);
                if (a && b) lengths.push_back(std::hypot(a->x - b->x, a->y - b->y));
            }
            if (!lengths.empty()) {
                std::nth_element(lengths.begin(), lengths.begin() + lengths.size() / 2, lengths.end());
                s = std::clamp(0.25 * lengths[lengths.size() / 2], 2.0, s);
            }
        }
        for (int fixed = 0; fixed < 2; ++fixed) {
            const QColor colour = fixed ? kFixedColour : kPinnedColour;
            p.setPen(QPen(colour.darker(150), 1.0));
            p.setBrush(colour);
            for (std::size_t i = 0; i < m.supports.size(); ++i) {
                const bool isFixed = i < m.supportFixed.size() && m.supportFixed[i] != 0;
                if (isFixed != (fixed == 1)) continue;
                const ScreenPoint* q = point(m.supports[i]);
                if (!q || !view.Contains(q->x, q->y)) continue;
                const QPointF at(q->x, q->y);
                if (isFixed) {
                    p.drawRect(QRectF(at.x() - s, at.y(), 2.0 * s, 1.5 * s));
                } else {
                    const QPointF triangle[3] = {at, at + QPointF(-s, 1.7 * s), at + QPointF(s, 1.7 * s)};
                    p.drawPolygon(triangle, 3);
                }
            }
        }
        p.setBrush(Qt::NoBrush);
    }

    // The axis cross, named for the mode.
    const QRect cross = AxisCrossRect(size);
    const QPointF origin = QRectF(cross).center();
    // Arrow, gap and letter reach at most 0.45 of the side from the centre.
    const double length = cross.width() * 0.28, letter = cross.width() * 0.12;
    p.setRenderHint(QPainter::Antialiasing, true);
    const std::array<AxisArrow, 3> arrows = AxisArrows();
    for (const AxisArrow& a : arrows) {
        const QColor& colour = kAxisColour[a.name - 'X'];
        const double reach = std::hypot(a.direction.x(), a.direction.y());
        const QPointF tip = origin + a.direction * length;
        p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(origin, tip);
        QPointF unit = reach > 1e-6 ? a.direction / reach : QPointF(0.7, -0.7);
        if (reach > 0.15) {
            const QPointF side(-unit.y(), unit.x());
            const double head = std::min(6.0, 0.2 * cross.width());
            const QPointF arrowHead[3] = {tip, tip - unit * head + side * head * 0.45, tip - unit * head - side * head * 0.45};
            p.setBrush(colour);
            p.drawPolygon(arrowHead, 3);
            p.setBrush(Qt::NoBrush);
        }
        p.setPen(QPen(colour, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        DrawLetter(p, a.name, tip + unit * (letter * 0.8), letter);
    }
    return true;
}

QImage RenderPicture(const PictureModel& model, const PictureOptions& options, QSize size) {
    if (size.isEmpty()) return QImage();
    QImage image(size, QImage::Format_RGB32);
    // The painter shares the caller's model without owning it.
    ModelPainter painter(std::shared_ptr<const PictureModel>(std::shared_ptr<const PictureModel>(), &model), options);
    painter.Fit(size);
    painter.Paint(image, options.quality);
    return image;
}

}  // namespace corvane
