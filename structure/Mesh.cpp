// Automatic meshing of the structural model. Points closer than a
// millionth of the model's size are one joint: a new joint at the place of
// an existing or an earlier new one is that joint, so that neighbouring
// meshes share their joints and frames meet the area meshes. Frames meshed
// where they meet other frames are split there; the other frame is split
// at the same joint when it is meshed at frames or at joints itself.
#include "structure/Mesh.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace corvane {

namespace {

// The most joints and pieces meshing adds to one model; an object that
// would pass it is left whole (reported), so that no input makes the
// conversion run out of time or memory.
constexpr double kMostNewItems = 2e6;
constexpr double kTolerance = 1e-6;  // of the model's size


struct Cell {
    std::int64_t x, y, z;
    bool operator==(const Cell& o) const { return x == o.x && y == o.y && z == o.z; }
};
struct CellHash {
    std::size_t operator()(const Cell& c) const {
        std::uint64_t h = static_cast<std::uint64_t>(c.x) * 0x9E3779B97F4A7C15ull;
        h ^= static_cast<std::uint64_t>(c.y) * 0xC2B2AE3D27D4EB4Full + (h << 6) + (h >> 2);
        h ^= static_cast<std::uint64_t>(c.z) * 0x165667B19E3779F9ull + (h << 6) + (h >> 2);
        return static_cast<std::size_t>(h);
    }
};

// Joints by place, in cubes of one size.
class Grid {
public:
    explicit Grid(double size) : size_(size) {}
    Cell CellOf(Vec3 p) const { return {Index(p.x), Index(p.y), Index(p.z)}; }
    void Add(std::uint32_t joint, Vec3 p) { cells_[CellOf(p)].push_back(joint); }
    void Add(std::uint32_t item, Cell c) { cells_[c].push_back(item); }
    // Calls f(joint) for every joint of the cell and its 26 neighbours.
    template <class F>
    void Around(Cell c, F f) const {
        for (std::int64_t dx = -1; dx <= 1; ++dx)
            for (std::int64_t dy = -1; dy <= 1; ++dy)
                for (std::int64_t dz = -1; dz <= 1; ++dz) Each({c.x + dx, c.y + dy, c.z + dz}, f);
    }
    template <class F>
    void Each(Cell c, F f) const {
        const auto it = cells_.find(c);
        if (it == cells_.end()) return;
        for (std::uint32_t j : it->second) f(j);
    }
    double size() const { return size_; }

private:
    // Far-away places share the outermost cells rather than overflow.
    std::int64_t Index(double v) const { return static_cast<std::int64_t>(std::clamp(std::floor(v / size_), -4e18, 4e18)); }

    double size_;
    std::unordered_map<Cell, std::vector<std::uint32_t>, CellHash> cells_;
};

// A piece of a meshed frame: its member and where it lies along the
// frame, as distances from the frame's joint I.
struct Piece {
    std::uint32_t member;
    double start, end;
};

// A place where a frame is split: t along it (0 at joint I, 1 at J) and
// the joint there, or kNoItem for the joint at `at`, made when the frame
// is meshed (or found, when another frame made it first).
struct Cut {
    double t;
    std::uint32_t joint;
    Vec3 at;
};

// A straight line a frame meshed at its meetings is tested against: a
// frame (`member`) or an edge of an area or solid object (kNoItem).
struct Line {
    Vec3 a, b;
    std::uint32_t member;
    std::uint32_t ja, jb;  // the joints at a and b
};

// Where the segments p0-p1 and q0-q1, each longer than `tol`, come within
// `tol` of each other: one place, at s along the first and t along the
// second (0 to 1), or `overlap` when they run along each other for more
// than `tol`. False when they do not meet.
bool Meet(Vec3 p0, Vec3 p1, Vec3 q0, Vec3 q1, double tol, double* s, double* t, bool* overlap) {
    const Vec3 d1 = p1 - p0, d2 = q1 - q0, r = p0 - q0;
    const double a = Dot(d1, d1), e = Dot(d2, d2), b = Dot(d1, d2), c = Dot(d1, r), f = Dot(d2, r);
    const double den = a * e - b * b;  // |d1 x d2|^2
    *overlap = false;
    if (!std::isfinite(den) || !(a > 0) || !(e > 0)) return false;
    if (den * std::min(a, e) <= tol * tol * a * e) {
        // Parallel within the tolerance over the shorter one: they meet
        // where an end of one lies on the other.
        double found[4][2];
        int n = 0;
        const auto on = [&](Vec3 x, Vec3 o, Vec3 d, double dd, double other, bool first) {
            const double u = std::clamp(Dot(x - o, d) / dd, 0.0, 1.0);
            if (Norm(o + u * d - x) > tol) return;
            found[n][0] = first ? u : other;
            found[n][1] = first ? other : u;
            ++n;
        };
        on(q0, p0, d1, a, 0, true);
        on(q1, p0, d1, a, 1, true);
        on(p0, q0, d2, e, 0, false);
        on(p1, q0, d2, e, 1, false);
        if (n == 0) return false;
        double lo = found[0][0], hi = lo;
        for (int k = 1; k < n; ++k) {
            lo = std::min(lo, found[k][0]);
            hi = std::max(hi, found[k][0]);
        }
        *overlap = (hi - lo) * std::sqrt(a) > tol;
        *s = found[0][0];
        *t = found[0][1];
        return true;
    }
    // The nearest points of the two segments.
    double sc = std::clamp((b * f - c * e) / den, 0.0, 1.0);
    double tc = (b * sc + f) / e;
    if (tc < 0) {
        tc = 0;
        sc = std::clamp(-c / a, 0.0, 1.0);
    } else if (tc > 1) {
        tc = 1;
        sc = std::clamp((b - c) / a, 0.0, 1.0);
    }
    if (!(Norm(p0 + sc * d1 - (q0 + tc * d2)) <= tol)) return false;
    *s = sc;
    *t = tc;
    return true;
}

// A value that keeps the input's text while it is unchanged.
Value Kept(const Value& v, double value) { return value == v.value ? v : Value{value, {}}; }

class Mesher {
public:
    Mesher(Structure& s, Report* report) : s_(s), report_(report) {}

    void Run() {
        if (s_.frameMeshes.empty() && s_.areaMeshes.empty()) return;
        if (!Prepare()) return;
        // The edges of the objects, before the areas are meshed.
        std::vector<std::pair<std::uint32_t, std::uint32_t>> edges;
        const bool atFrames = std::any_of(s_.frameMeshes.begin(), s_.frameMeshes.end(), [](const FrameMesh& m) { return m.atFrames; });
        if (atFrames) edges = ObjectEdges();
        // Areas first: a frame meshed at joints is split at the joints of
        // the area meshes too.
        shellPieces_.resize(s_.shells.size());
        for (const AreaMesh& m : s_.areaMeshes) MeshArea(m);
        framePieces_.resize(s_.members.size());
        memberPieces_.resize(s_.members.size());
        lengths_.assign(s_.members.size(), 0);
        JointsOnFrames();
        if (atFrames) Meetings(edges);
        for (const FrameMesh& m : s_.frameMeshes) MeshFrame(m);
        CarryAssignments(s_.memberAssignments, memberPieces_);
        CarryAssignments(s_.shellAssignments, shellPieces_);
        for (LoadPattern& p : s_.patterns) CarryLoads(p);
        CarrySprings();
    }

private:
    // False when the model's size is no finite number, which leaves
    // nothing to measure the mesh by.
    bool Prepare() {
        Vec3 lo{HUGE_VAL, HUGE_VAL, HUGE_VAL}, hi{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
        bool any = false;
        for (const Joint& j : s_.joints) {
            nextJoint_ = std::max(nextJoint_, j.number + 1);
            if (!j.valid) continue;
            const Vec3 p = Position(j);
            lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
            hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
            any = true;
        }
        double size = any ? Norm(hi - lo) : 0;
        if (!std::isfinite(size)) return false;
        if (!(size > 0)) size = 1;
        tolerance_ = kTolerance * size;
        size_ = size;
        places_ = Grid(2 * tolerance_);
        for (std::uint32_t k = 0; k < s_.joints.size(); ++k)
            if (s_.joints[k].valid) places_.Add(k, Position(s_.joints[k]));
        for (const Member& m : s_.members) nextMember_ = std::max(nextMember_, m.number + 1);
        for (const Shell& sh : s_.shells) nextShell_ = std::max(nextShell_, sh.number + 1);
        return true;
    }

    // The joint at p: an existing one within the tolerance (the nearest),
    // else a new one made for the object `origin`.
    std::uint32_t JointAt(Vec3 p, Origin origin, std::string_view name) {
        std::uint32_t best = kNoItem;
        double nearest = tolerance_;
        places_.Around(places_.CellOf(p), [&](std::uint32_t k) {
            const double d = Norm(Position(s_.joints[k]) - p);
            if (d <= nearest) {
                nearest = d;
                best = k;
            }
        });
        if (best != kNoItem) return best;
        Joint j;
        j.origin = origin;
        j.name = name;
        j.number = nextJoint_++;
        j.at = {{{p.x, {}}, {p.y, {}}, {p.z, {}}}};
        j.added = true;
        const auto k = static_cast<std::uint32_t>(s_.joints.size());
        s_.joints.push_back(j);
        places_.Add(k, p);
        return k;
    }

    // Whether `count` more items stay within the budget (they are then
    // counted); else the object is reported and left whole.
    bool Afford(double count, std::string_view name, const char* kind) {
        if (added_ + count <= kMostNewItems) {
            added_ += count;
            return true;
        }
        TooMany(name, kind);
        return false;
    }
    void TooMany(std::string_view name, const char* kind) {
        if (report_)
            report_->Add(ReportKind::MeshNotConverted, Describe(kind[0] == 'f' ? TableId::FrameAutoMesh : TableId::AreaAutoMesh).sapName,
                         std::string(name), "more pieces than the conversion makes in one model (2000000)", kind);
    }

    bool Usable(std::uint32_t joint) const { return joint != kNoItem && s_.joints[joint].valid; }

    void MeshArea(const AreaMesh& m) {
        if (!shellPieces_[m.shell].empty()) return;  // meshed by an earlier row
        const Shell object = s_.shells[m.shell];
        if (object.corners != 4) return;
        for (std::uint32_t j : object.joints)
            if (!Usable(j)) return;
        const int n1 = m.along12, n2 = m.along14;
        if (!Afford(2.0 * (n1 + 1) * (n2 + 1), object.name, "area")) return;
        Vec3 x[4];
        for (int k = 0; k < 4; ++k) x[k] = Position(s_.joints[object.joints[k]]);
        // The points of the mesh: (i, j) lies i/n1 of the way from corner
        // 1 to 2 and j/n2 from 1 to 4, on the bilinear map of the corners.
        std::vector<std::uint32_t> grid(static_cast<std::size_t>(n1 + 1) * static_cast<std::size_t>(n2 + 1));
        const auto at = [&](int i, int j) -> std::uint32_t& { return grid[static_cast<std::size_t>(i) * (n2 + 1) + j]; };
        for (int i = 0; i <= n1; ++i)
            for (int j = 0; j <= n2; ++j) {
                const bool ci = i == 0 || i == n1, cj = j == 0 || j == n2;
                if (ci && cj) {
                    at(i, j) = object.joints[i == 0 ? (j == 0 ? 0 : 3) : (j == 0 ? 1 : 2)];
                    continue;
                }
                const double u = double(i) / n1, v = double(j) / n2;
                const Vec3 p = (1 - u) * (1 - v) * x[0] + u * (1 - v) * x[1] + u * v * x[2] + (1 - u) * v * x[3];
                at(i, j) = JointAt(p, object.origin, object.name);
            }
        if (m.edgeSupports || m.faceSupports) HoldAddedJoints(m, object, grid, n1, n2);

        std::vector<std::uint32_t>& pieces = shellPieces_[m.shell];
        for (int i = 0; i < n1; ++i)
            for (int j = 0; j < n2; ++j) {
                const std::array<std::uint32_t, 4> q{{at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)}};
                bool distinct = true;
                for (int a = 0; a < 4; ++a)
                    for (int b = a + 1; b < 4; ++b) distinct = distinct && q[a] != q[b];
                if (!distinct) continue;
                std::uint32_t item = m.shell;
                if (!pieces.empty()) {
                    item = static_cast<std::uint32_t>(s_.shells.size());
                    Shell piece = object;
                    piece.number = nextShell_++;
                    piece.renumbered = false;
                    piece.piece = true;
                    s_.shells.push_back(piece);
                }
                s_.shells[item].joints = q;
                pieces.push_back(item);
            }
    }

    // The supports of the joints a mesh added: on an edge, the directions
    // held at both corners of that edge; anywhere, with faceSupports, the
    // directions held at all four corners. Corners in joint axes of their
    // own give nothing.
    void HoldAddedJoints(const AreaMesh& m, const Shell& object, const std::vector<std::uint32_t>& grid, int n1, int n2) {
        const auto corner = [&](int k) -> const Joint& { return s_.joints[object.joints[k]]; };
        const auto both = [&](int a, int b, DofFlags& flags) {
            if (corner(a).rotated || corner(b).rotated) return;
            for (int d = 0; d < 6; ++d) flags[d] = flags[d] || (corner(a).held[d] && corner(b).held[d]);
        };
        for (int i = 0; i <= n1; ++i)
            for (int j = 0; j <= n2; ++j) {
                Joint& p = s_.joints[grid[static_cast<std::size_t>(i) * (n2 + 1) + j]];
                if (!p.added) continue;
                DofFlags flags{};
                if (m.edgeSupports) {
                    if (j == 0) both(0, 1, flags);
                    if (i == n1) both(1, 2, flags);
                    if (j == n2) both(3, 2, flags);
                    if (i == 0) both(0, 3, flags);
                }
                if (m.faceSupports) {
                    bool free = false;
                    for (int k = 0; k < 4; ++k) free = free || corner(k).rotated;
                    for (int d = 0; d < 6 && !free; ++d)
                        flags[d] = flags[d] || (corner(0).held[d] && corner(1).held[d] && corner(2).held[d] && corner(3).held[d]);
                }
                for (int d = 0; d < 6; ++d) p.held[d] = p.held[d] || flags[d];
            }
    }

    // For frames meshed at joints: the joints of the model and of the area
    // meshes that lie on them, by t (0 at joint I, 1 at J).
    void JointsOnFrames() {
        // Cells as large as the frames are long on average: a frame looks
        // into a few cells per its length, and a cell holds about as many
        // joints as the frames around it have ends.
        double total = 0, count = 0;
        for (const FrameMesh& m : s_.frameMeshes) {
            const Member& member = s_.members[m.member];
            if (!m.atJoints || !Usable(member.i) || !Usable(member.j)) continue;
            total += Norm(Position(s_.joints[member.j]) - Position(s_.joints[member.i]));
            ++count;
        }
        if (count == 0) return;
        const std::size_t n = s_.joints.size();
        const double cell = std::max(total / count, 4 * tolerance_);
        Grid coarse(cell);
        for (std::uint32_t k = 0; k < n; ++k)
            if (s_.joints[k].valid) coarse.Add(k, Position(s_.joints[k]));
        onFrame_.resize(s_.members.size());
        std::vector<Cell> cells;
        for (const FrameMesh& m : s_.frameMeshes) {
            if (!m.atJoints) continue;
            const Member& member = s_.members[m.member];
            if (!Usable(member.i) || !Usable(member.j)) continue;
            const Vec3 xi = Position(s_.joints[member.i]), d = Position(s_.joints[member.j]) - xi;
            const double length = Norm(d);
            if (!(length > tolerance_)) continue;
            // The cells within one cell of points no further apart than a
            // cell hold every joint within the tolerance of the frame.
            cells.clear();
            const auto steps = static_cast<std::size_t>(std::ceil(length / cell));
            for (std::size_t k = 0; k <= steps; ++k) {
                const Cell c = coarse.CellOf(xi + (double(k) / double(steps)) * d);
                for (std::int64_t dx = -1; dx <= 1; ++dx)
                    for (std::int64_t dy = -1; dy <= 1; ++dy)
                        for (std::int64_t dz = -1; dz <= 1; ++dz) cells.push_back({c.x + dx, c.y + dy, c.z + dz});
            }
            std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) { return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z); });
            cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
            const double eps = tolerance_ / length;
            auto& found = onFrame_[m.member];
            for (const Cell& c : cells)
                coarse.Each(c, [&](std::uint32_t k) {
                    const Vec3 p = Position(s_.joints[k]);
                    const double t = Dot(p - xi, d) / (length * length);
                    if (t > eps && t < 1 - eps && Norm(p - (xi + t * d)) <= tolerance_) found.push_back({t, k});
                });
            std::sort(found.begin(), found.end());
        }
    }

    // The edges of the area and solid objects, as pairs of joints.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ObjectEdges() const {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> edges;
        for (const Shell& sh : s_.shells)
            for (int k = 0; k < sh.corners; ++k) edges.push_back({sh.joints[k], sh.joints[(k + 1) % sh.corners]});
        // A solid's corners go round one face, then round the opposite one.
        static constexpr int kSolidEdges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                                   {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
        for (const Solid& so : s_.solids)
            if (so.complete)
                for (const auto& e : kSolidEdges) edges.push_back({so.joints[e[0]], so.joints[e[1]]});
        return edges;
    }

    // For frames meshed at their meetings with other frames: where each
    // meets another frame, crossing it or touching it, becomes a cut of the
    // frame (a new joint, or the other frame's end joint), and a cut of the
    // other frame too when that one is meshed at frames or at joints. A
    // frame that runs along another one past an end of either is reported
    // and not cut there (a copy of a frame is not); the places where it
    // meets an edge of an area or solid object are kept in
    // edgeMeetings_ and reported unless the frame is cut there anyway.
    // Lines are found through a grid of cells, so that a frame is tested
    // against the lines near it only.
    void Meetings(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& edges) {
        const std::size_t members = s_.members.size();
        std::vector<std::uint8_t> how(members, 0);  // 1: meshed at joints, 2: at frames
        for (const FrameMesh& m : s_.frameMeshes) how[m.member] |= (m.atJoints ? 1 : 0) | (m.atFrames ? 2 : 0);
        std::vector<Line> lines;
        std::vector<std::uint32_t> lineOf(members, kNoItem);
        const auto add = [&](std::uint32_t a, std::uint32_t b, std::uint32_t member) {
            if (!Usable(a) || !Usable(b)) return;
            const Vec3 pa = Position(s_.joints[a]), pb = Position(s_.joints[b]);
            if (!(Norm(pb - pa) > tolerance_)) return;
            if (member != kNoItem) lineOf[member] = static_cast<std::uint32_t>(lines.size());
            lines.push_back({pa, pb, member, a, b});
        };
        for (std::uint32_t k = 0; k < members; ++k) add(s_.members[k].i, s_.members[k].j, k);
        for (const auto& [a, b] : edges) add(a, b, kNoItem);
        // Cells as large as the lines are long on average. Each line is
        // listed in the cells its pieces of at most a cell touch, each
        // piece widened by the tolerance; a point of the frame within the
        // tolerance of a line then lies in a cell that line is listed in.
        double total = 0;
        for (const Line& l : lines) total += Norm(l.b - l.a);
        if (lines.empty()) return;
        const double cell = std::max(total / double(lines.size()), 4 * tolerance_);
        Grid grid(cell);
        std::vector<Cell> cells;
        const auto cellsOf = [&](const Line& l, double widen) {
            cells.clear();
            const Vec3 d = l.b - l.a;
            const double steps = std::max(1.0, std::ceil(Norm(d) / cell));
            for (double k = 0; k < steps; ++k) {
                const Vec3 p = l.a + (k / steps) * d, q = l.a + ((k + 1) / steps) * d;
                const Vec3 w{widen, widen, widen};
                const Cell lo = grid.CellOf(Vec3{std::min(p.x, q.x), std::min(p.y, q.y), std::min(p.z, q.z)} - w);
                const Cell hi = grid.CellOf(Vec3{std::max(p.x, q.x), std::max(p.y, q.y), std::max(p.z, q.z)} + w);
                for (std::int64_t x = lo.x; x <= hi.x; ++x)
                    for (std::int64_t y = lo.y; y <= hi.y; ++y)
                        for (std::int64_t z = lo.z; z <= hi.z; ++z) cells.push_back({x, y, z});
            }
            std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) { return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z); });
            cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
        };
        for (std::uint32_t k = 0; k < lines.size(); ++k) {
            cellsOf(lines[k], tolerance_);
            for (const Cell& c : cells) grid.Add(k, c);
        }
        crossings_.resize(members);
        edgeMeetings_.resize(members);
        std::vector<std::uint32_t> seen(lines.size(), kNoItem);
        const std::string_view table = Describe(TableId::FrameAutoMesh).sapName;
        std::vector<std::uint8_t> alongReported(members, 0);
        const auto runsAlong = [&](std::uint32_t member) {
            if (alongReported[member] || !report_) return;
            alongReported[member] = 1;
            report_->Add(ReportKind::MeshNotConverted, table, std::string(s_.members[member].name), "its overlap with another frame", "frame");
        };
        // Each meeting kept adds a joint or a piece: past the budget, the
        // frames left are not looked at.
        double kept = 0;
        for (std::uint32_t f = 0; f < members; ++f) {
            if (!(how[f] & 2) || lineOf[f] == kNoItem) continue;
            if (kept > kMostNewItems) {
                TooMany(s_.members[f].name, "frame");
                continue;
            }
            const std::uint32_t self = lineOf[f];
            const Line& F = lines[self];
            const Vec3 dF = F.b - F.a;
            const double lengthF = Norm(dF);
            cellsOf(F, 0);
            seen[self] = f;
            for (const Cell& c : cells)
                grid.Each(c, [&](std::uint32_t k) {
                    if (seen[k] == f) return;
                    seen[k] = f;
                    const Line& L = lines[k];
                    const bool frame = L.member != kNoItem;
                    // A meeting of two frames meshed at frames is taken
                    // from the first of them.
                    if (frame && (how[L.member] & 2) && L.member < f) return;
                    double sF, tL;
                    bool overlap;
                    if (!Meet(F.a, F.b, L.a, L.b, tolerance_, &sF, &tL, &overlap)) return;
                    const double lengthL = Norm(L.b - L.a);
                    const auto interior = [&](double u, double length) { return u * length > tolerance_ && (1 - u) * length > tolerance_; };
                    if (overlap) {
                        // Along another line, it meets that line where an
                        // end of one lies inside the other: a frame is
                        // reported then, an edge met there.
                        const auto inside = [&](const Line& a, Vec3 x, double* at) {
                            const Vec3 d = a.b - a.a;
                            const double length = Norm(d);
                            *at = Dot(x - a.a, d) / (length * length);
                            return interior(*at, length) && Norm(a.a + *at * d - x) <= tolerance_;
                        };
                        double u;
                        for (const Vec3& x : {L.a, L.b})
                            if (inside(F, x, &u)) {
                                if (frame) runsAlong(f);
                                else edgeMeetings_[f].push_back(u);
                            }
                        if (frame && (how[L.member] & 2) && (inside(L, F.a, &u) || inside(L, F.b, &u))) runsAlong(L.member);
                        return;
                    }
                    const bool insideF = interior(sF, lengthF), insideL = interior(tL, lengthL);
                    if (!frame) {
                        if (insideF) edgeMeetings_[f].push_back(sF);
                        return;
                    }
                    // The joint there: an end of either frame, else a new
                    // one half-way between the nearest points.
                    std::uint32_t joint = kNoItem;
                    Vec3 at = 0.5 * (F.a + sF * dF + L.a + tL * (L.b - L.a));
                    if (!insideL) joint = tL < 0.5 ? L.ja : L.jb;
                    else if (!insideF) joint = sF < 0.5 ? F.ja : F.jb;
                    if (joint != kNoItem) at = Position(s_.joints[joint]);
                    if (insideF) {
                        crossings_[f].push_back({sF, joint, at});
                        ++kept;
                    }
                    if (insideL && (how[L.member] & 3)) {
                        crossings_[L.member].push_back({tL, joint, at});
                        ++kept;
                    }
                });
        }
    }

    void MeshFrame(const FrameMesh& m) {
        if (!framePieces_[m.member].empty()) return;  // meshed by an earlier row
        const Member object = s_.members[m.member];
        if (!Usable(object.i) || !Usable(object.j)) return;
        const Vec3 xi = Position(s_.joints[object.i]), d = Position(s_.joints[object.j]) - xi;
        const double length = Norm(d);
        if (!(length > tolerance_)) return;
        const double eps = tolerance_ / length;
        // The joints on the frame and the places where it meets other
        // frames, one per place, a joint before a new one.
        std::vector<Cut> found, cuts;
        if (m.member < onFrame_.size())
            for (const auto& [t, k] : onFrame_[m.member]) found.push_back({t, k, Position(s_.joints[k])});
        if (m.member < crossings_.size()) found.insert(found.end(), crossings_[m.member].begin(), crossings_[m.member].end());
        std::stable_sort(found.begin(), found.end(), [](const Cut& a, const Cut& b) { return a.t < b.t; });
        for (const Cut& c : found) {
            if (cuts.empty() || c.t - cuts.back().t > eps) cuts.push_back(c);
            else if (cuts.back().joint == kNoItem && c.joint != kNoItem) cuts.back() = c;
        }
        // Meetings with the edges of areas and solids are not cut.
        if (m.member < edgeMeetings_.size() && report_)
            for (double t : edgeMeetings_[m.member]) {
                const bool cut = std::any_of(cuts.begin(), cuts.end(), [&](const Cut& c) { return std::fabs(c.t - t) <= eps; });
                if (cut) continue;
                report_->Add(ReportKind::MeshNotConverted, Describe(TableId::FrameAutoMesh).sapName, std::string(object.name),
                             "its intersections with area or solid edges", "frame");
                break;
            }
        cuts.push_back({1.0, object.j, xi + d});
        // Each stretch between them in equal pieces, as many as the number
        // of segments over the whole length and the longest piece ask.
        std::vector<double> counts;
        double total = 0, t0 = 0;
        for (const Cut& cut : cuts) {
            const double t1 = cut.t;
            double k = 1;
            if (m.segments > 0) k = std::max(k, std::ceil(m.segments * (t1 - t0) - 1e-9));
            if (m.maxLength > 0) k = std::max(k, std::ceil((t1 - t0) * length / m.maxLength - 1e-9));
            counts.push_back(k);
            total += 2 * k;
            t0 = t1;
        }
        if (!Afford(total, object.name, "frame")) return;
        std::vector<Cut> points{{0.0, object.i, xi}};
        for (std::size_t c = 0; c < cuts.size(); ++c) {
            const double t1 = cuts[c].t, t0 = points.back().t, k = counts[c];
            for (int q = 1; q < k; ++q) {
                const double t = t0 + (t1 - t0) * q / k;
                points.push_back({t, kNoItem, xi + t * d});  // made once the frame is known to be meshed
            }
            points.push_back(cuts[c]);
        }
        if (points.size() == 2) return;
        // A joint inside a rigid end zone would leave a piece shorter than
        // its offset.
        const double zoneI = object.ends[0].rigidLength, zoneJ = object.ends[1].rigidLength;
        for (std::size_t k = 1; k + 1 < points.size(); ++k) {
            const double at = points[k].t * length;
            if ((zoneI > 0 && at <= zoneI + tolerance_) || (zoneJ > 0 && at >= length - zoneJ - tolerance_)) {
                if (report_)
                    report_->Add(ReportKind::MeshNotConverted, Describe(TableId::FrameAutoMesh).sapName, std::string(object.name),
                                 "joints inside its rigid end zone", "frame");
                return;
            }
        }
        for (Cut& p : points)
            if (p.joint == kNoItem) p.joint = JointAt(p.at, object.origin, object.name);
        // Pieces between successive joints; a joint met twice gives none.
        std::vector<Piece>& pieces = framePieces_[m.member];
        lengths_[m.member] = length;
        const std::size_t last = points.size() - 2;
        for (std::size_t k = 0; k <= last; ++k) {
            if (points[k].joint == points[k + 1].joint) continue;
            std::uint32_t item = m.member;
            if (!pieces.empty()) {
                item = static_cast<std::uint32_t>(s_.members.size());
                Member piece = object;
                piece.number = nextMember_++;
                piece.renumbered = false;
                piece.piece = true;
                s_.members.push_back(piece);
            }
            Member& x = s_.members[item];
            x.i = points[k].joint;
            x.j = points[k + 1].joint;
            // Releases and rigid end zones stay at the frame's own ends.
            x.ends[0] = k == 0 ? object.ends[0] : MemberEnd{};
            x.ends[1] = k == last ? object.ends[1] : MemberEnd{};
            pieces.push_back({item, points[k].t * length, points[k + 1].t * length});
            memberPieces_[m.member].push_back(item);
        }
    }

    // Section and material assignments: each piece as its object, right
    // after it.
    static void CarryAssignments(std::vector<Structure::Assignment>& list, const std::vector<std::vector<std::uint32_t>>& pieces) {
        std::vector<Structure::Assignment> out;
        out.reserve(list.size());
        for (const Structure::Assignment& a : list) {
            out.push_back(a);
            if (a.item >= pieces.size()) continue;
            for (std::uint32_t item : pieces[a.item])
                if (item != a.item) out.push_back({item, a.section, a.material});
        }
        list = std::move(out);
    }

    // A load on the frame as loads on its pieces: distributed loads cut at
    // the piece ends (intensities interpolated), a concentrated one on the
    // piece that holds it (the earlier one at a joint between two), each
    // measured from its piece's start.
    static void Split(const MemberLoad& x, const std::vector<Piece>& pieces, double length, std::vector<MemberLoad>& out) {
        if (x.whole) {
            // A uniform load over the whole frame lies over the whole of
            // each piece; a varying one gets its positions.
            if (x.qa.value == x.qb.value) {
                for (const Piece& p : pieces) {
                    out.push_back(x);
                    out.back().member = p.member;
                }
                return;
            }
            MemberLoad y = x;
            y.whole = false;
            y.a = {0, {}};
            y.b = {length, {}};
            Split(y, pieces, length, out);
            return;
        }
        if (!std::isfinite(x.a.value) || !std::isfinite(x.b.value)) {
            out.push_back(x);  // positions that are no numbers stay as they were (reported)
            return;
        }
        const auto clamp = [&](double v) { return std::min(std::max(v, 0.0), length); };
        if (x.concentrated) {
            const double a = clamp(x.a.value);
            for (std::size_t k = 0; k < pieces.size(); ++k) {
                if (a > pieces[k].end && k + 1 < pieces.size()) continue;
                MemberLoad y = x;
                y.member = pieces[k].member;
                y.a = y.b = Kept(x.a, a - pieces[k].start);
                out.push_back(y);
                return;
            }
            return;
        }
        const double a = clamp(x.a.value), b = clamp(x.b.value);
        if (b <= a) return;
        const auto q = [&](double at) { return x.qa.value + (x.qb.value - x.qa.value) * (at - a) / (b - a); };
        for (const Piece& p : pieces) {
            const double lo = std::max(a, p.start), hi = std::min(b, p.end);
            if (hi <= lo) continue;
            MemberLoad y = x;
            y.member = p.member;
            y.qa = Kept(x.qa, q(lo));
            y.qb = Kept(x.qb, q(hi));
            y.a = Kept(x.a, lo - p.start);
            y.b = Kept(x.b, hi - p.start);
            out.push_back(y);
        }
    }

    // Loads of a whole member or shell (self weight by direction,
    // temperature, per unit area): the same on each piece. `owner(load)`
    // gives the load's item field and the pieces of that item, if any.
    template <class Load, class Owner>
    static void Repeat(std::vector<Load>& loads, Owner owner) {
        std::vector<Load> out;
        out.reserve(loads.size());
        for (const Load& x : loads) {
            Load copy = x;
            const auto [item, pieces] = owner(copy);
            if (!pieces) {
                out.push_back(x);
                continue;
            }
            for (std::uint32_t k : *pieces) {
                *item = k;
                out.push_back(copy);
            }
        }
        loads = std::move(out);
    }

    using Owned = std::pair<std::uint32_t*, const std::vector<std::uint32_t>*>;
    const std::vector<std::uint32_t>* Items(const std::vector<std::vector<std::uint32_t>>& pieces, std::uint32_t item) const {
        return item < pieces.size() && !pieces[item].empty() ? &pieces[item] : nullptr;
    }

    void CarryLoads(LoadPattern& p) {
        std::vector<MemberLoad> members;
        members.reserve(p.memberLoads.size());
        for (const MemberLoad& x : p.memberLoads) {
            if (x.member < framePieces_.size() && !framePieces_[x.member].empty()) Split(x, framePieces_[x.member], lengths_[x.member], members);
            else members.push_back(x);
        }
        p.memberLoads = std::move(members);
        const auto whole = [this](auto& load) { return Owned{&load.item, Items(load.shell ? shellPieces_ : memberPieces_, load.item)}; };
        Repeat(p.gravity, whole);
        Repeat(p.temperatures, whole);
        Repeat(p.shellLoads, [this](ShellLoad& load) { return Owned{&load.shell, Items(shellPieces_, load.shell)}; });
        Repeat(p.pressures, [this](FacePressure& load) { return Owned{&load.item, load.solid ? nullptr : Items(shellPieces_, load.item)}; });
    }

    // Springs per unit area: the same under every element.
    void CarrySprings() {
        Repeat(s_.shellSprings, [this](ShellSpring& spring) { return Owned{&spring.shell, Items(shellPieces_, spring.shell)}; });
    }

    Structure& s_;
    Report* report_;
    double tolerance_ = 0, size_ = 1;
    double added_ = 0;  // joints and pieces meshing may add, counted against kMostNewItems
    Grid places_{1};
    std::uint32_t nextJoint_ = 1, nextMember_ = 1, nextShell_ = 1;
    std::vector<std::vector<Piece>> framePieces_;
    std::vector<std::vector<std::uint32_t>> memberPieces_;  // the members of framePieces_
    std::vector<std::vector<std::uint32_t>> shellPieces_;
    std::vector<double> lengths_;
    std::vector<std::vector<std::pair<double, std::uint32_t>>> onFrame_;
    std::vector<std::vector<Cut>> crossings_;     // where frames meet other frames
    std::vector<std::vector<double>> edgeMeetings_;  // where frames meshed at frames meet an area or solid edge
};

}  // namespace

void MeshStructure(Structure& s, Report* report) { Mesher(s, report).Run(); }

}  // namespace corvane
