// The structure builder's load patterns and their loads.
#include "structure/BuildSupport.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace corvane {

namespace {

// The design types of load patterns.
constexpr struct {
    std::string_view word;
    LoadCategory category;
} kCategories[] = {
    {"DEAD", LoadCategory::Dead},          {"SUPER DEAD", LoadCategory::SuperDead}, {"LIVE", LoadCategory::Live},
    {"REDUCE LIVE", LoadCategory::ReducibleLive}, {"ROOF LIVE", LoadCategory::RoofLive}, {"WIND", LoadCategory::Wind},
    {"QUAKE", LoadCategory::Seismic},      {"SNOW", LoadCategory::Snow},            {"TEMPERATURE", LoadCategory::Temperature},
};

// The load directions of the load tables as unit vectors: gravity acts
// along -Z; the local axes 1, 2, 3 are the member's or the shell's.
constexpr struct {
    SapAxis axis;
    bool local;
    Vec3 vector;
} kDirections[] = {
    {SapAxis::Gravity, false, {0, 0, -1}}, {SapAxis::X, false, {1, 0, 0}},     {SapAxis::Y, false, {0, 1, 0}},
    {SapAxis::Z, false, {0, 0, 1}},        {SapAxis::Local1, true, {1, 0, 0}}, {SapAxis::Local2, true, {0, 1, 0}},
    {SapAxis::Local3, true, {0, 0, 1}},
};

// The direction of a load row, or false when it has none the structure
// can hold (reported).
bool DirectionOf(BuildContext& c, TableId id, const Table& t, std::size_t row, int coordCol, int dirCol, LoadDirection dir,
                 CoordSystem system, Direction* out) {
    for (const auto& d : kDirections) {
        if (d.axis != dir.axis) continue;
        // A projected load is a global one; a direction in a coordinate
        // system of the model's own has no global meaning here.
        if ((dir.projected && d.local) || (system == CoordSystem::Other && dir.axis != SapAxis::Gravity)) break;
        out->axes = dir.projected ? LoadAxes::Projected : d.local ? LoadAxes::Local : LoadAxes::Global;
        out->vector = d.vector;
        return true;
    }
    c.Add(ReportKind::LoadDirectionUnsupported, Describe(id).sapName, t.Text(row, 0), t.Text(row, dirCol), t.Text(row, coordCol));
    return false;
}

// A component that counts: given, a finite decimal and not 0.
bool Counts(const Table& t, std::size_t row, int col) {
    const std::string_view v = t.View(row, col);
    return !t.Absent(row, col) && !IsZeroNumber(v) && IsFiniteDecimal(v);
}

// The kinds of temperature rows: a uniform change, or a gradient across a
// member's local 2 or 3 axis or across a shell's thickness (its local 3),
// stored as gradient[0] or gradient[1].
constexpr struct {
    std::string_view word;
    bool frames, areas;
    int across;  // -1 for a uniform change
} kTemperatureTypes[] = {
    {"TEMPERATURE", true, true, -1},
    {"TEMPERATURE GRADIENT 2", true, false, 0},
    {"TEMPERATURE GRADIENT 3", true, false, 1},
    {"TEMPERATURE GRADIENT", false, true, 1},
};

// The faces of an area a surface pressure names: the top (+1) and bottom
// (-1) faces, by word or number, and the edges 1 to 4 (edge k runs from
// corner k to the next corner).
constexpr struct {
    std::string_view word;
    int face, edge;
} kAreaFaces[] = {
    {"TOP", 1, 0}, {"6", 1, 0}, {"BOTTOM", -1, 0}, {"5", -1, 0}, {"1", 0, 1}, {"2", 0, 2}, {"3", 0, 3}, {"4", 0, 4},
};

// Whether a load row names a joint pattern.
bool ByJointPattern(const Table& t, std::size_t row, int col) {
    return !t.Absent(row, col) && !t.Is(row, col, "None") && !t.Is(row, col, "");
}

class LoadBuilder {
public:
    explicit LoadBuilder(BuildContext& c) : c_(c), m_(c.model), k_(c.links) {}

    void Run() {
        const Table& p = m_[TableId::LoadPatterns];
        c_.s.patterns.resize(p.rows());
        for (std::size_t r = 0; r < p.rows(); ++r) {
            LoadPattern& x = c_.s.patterns[r];
            x.origin = {TableId::LoadPatterns, static_cast<std::uint32_t>(r)};
            x.name = p.Text(r, LoadPatternCol::LoadPat);
            x.category = CategoryOf(Word(p, r, LoadPatternCol::DesignType));
            bool hasNumber = false;
            x.selfWeight = c_.ValueAt(p, r, LoadPatternCol::SelfWtMult);
            TextToNumber(x.selfWeight.text, &hasNumber);
            x.selfWeightGiven = hasNumber && x.selfWeight.value != 0 && std::isfinite(x.selfWeight.value);
        }
        MemberLoads();
        ShellLoads();
        JointLoads();
        Gravity();
        Temperatures();
        Pressures();
        Displacements();
    }

private:
    // The pattern a load row names (its first row), or null.
    LoadPattern* PatternOf(const Table& t, std::size_t row, int col) {
        const std::int64_t p = k_.patterns.Find(t, row, col);
        return p == NameIndex::kNone ? nullptr : &c_.s.patterns[static_cast<std::size_t>(p)];
    }

    void MemberLoads() {
        const Table& dist = m_[TableId::FrameDistLoads];
        for (std::size_t r = 0; r < dist.rows(); ++r) {
            LoadPattern* p = PatternOf(dist, r, FrameDistLoadCol::LoadPat);
            if (!p) continue;
            MemberLoad x;
            if (!DirectionOf(c_, TableId::FrameDistLoads, dist, r, FrameDistLoadCol::CoordSys, FrameDistLoadCol::Dir, k_.loadDirections[0][r],
                             k_.loadCoordSystems[0][r], &x.direction))
                continue;
            x.origin = {TableId::FrameDistLoads, static_cast<std::uint32_t>(r)};
            x.member = ItemOf(k_.frames.Find(dist, r, FrameDistLoadCol::Frame));
            if (x.member == kNoItem) continue;
            x.kind = Word(dist, r, FrameDistLoadFullCol::Type) == "MOMENT" ? LoadKind::Moment : LoadKind::Force;
            const bool moment = x.kind == LoadKind::Moment;
            x.qa = c_.ValueAt(dist, r, moment ? int{FrameDistLoadFullCol::MOverLA} : int{FrameDistLoadCol::FOverLA});
            x.qb = c_.ValueAt(dist, r, moment ? int{FrameDistLoadFullCol::MOverLB} : int{FrameDistLoadCol::FOverLB});
            // A value that is no finite number leaves the load out (the
            // report names it).
            if (!std::isfinite(x.qa.value) || !std::isfinite(x.qb.value)) continue;
            x.a = c_.ValueAt(dist, r, FrameDistLoadCol::AbsDistA);
            x.b = c_.ValueAt(dist, r, FrameDistLoadCol::AbsDistB);
            // Blank distances: the load covers the whole member.
            if (dist.Is(r, FrameDistLoadCol::AbsDistB, " ")) x.b.value = MemberLength(x.member);
            // A load over the whole frame has blank positions.
            x.whole = x.a.text.find_first_not_of(' ') == std::string_view::npos && x.b.text.find_first_not_of(' ') == std::string_view::npos;
            p->memberLoads.push_back(x);
        }
        const Table& point = m_[TableId::FramePointLoads];
        for (std::size_t r = 0; r < point.rows(); ++r) {
            LoadPattern* p = PatternOf(point, r, FramePointLoadCol::LoadPat);
            if (!p) continue;
            MemberLoad x;
            if (!DirectionOf(c_, TableId::FramePointLoads, point, r, FramePointLoadCol::CoordSys, FramePointLoadCol::Dir, k_.loadDirections[1][r],
                             k_.loadCoordSystems[1][r], &x.direction))
                continue;
            x.origin = {TableId::FramePointLoads, static_cast<std::uint32_t>(r)};
            x.member = ItemOf(k_.frames.Find(point, r, FramePointLoadCol::Frame));
            if (x.member == kNoItem) continue;
            x.concentrated = true;
            x.kind = Word(point, r, FramePointLoadFullCol::Type) == "MOMENT" ? LoadKind::Moment : LoadKind::Force;
            x.qa = c_.ValueAt(point, r, x.kind == LoadKind::Moment ? int{FramePointLoadFullCol::Moment} : int{FramePointLoadCol::Force});
            if (!std::isfinite(x.qa.value)) continue;
            x.qb = x.qa;
            x.a = x.b = c_.ValueAt(point, r, FramePointLoadCol::AbsDist);
            p->memberLoads.push_back(x);
        }
    }

    void ShellLoads() {
        const Table& area = m_[TableId::AreaLoads];
        for (std::size_t r = 0; r < area.rows(); ++r) {
            LoadPattern* p = PatternOf(area, r, AreaLoadCol::LoadPat);
            if (!p) continue;
            ShellLoad x;
            // A shell load is given in global or in the shell's local axes.
            const LoadDirection dir = k_.loadDirections[2][r];
            const CoordSystem system = k_.loadCoordSystems[2][r];
            if (system == CoordSystem::Other || dir.projected) {
                c_.Add(ReportKind::LoadDirectionUnsupported, "AREA LOADS - UNIFORM", area.Text(r, 0), area.Text(r, AreaLoadCol::Dir),
                       area.Text(r, AreaLoadCol::CoordSys));
                continue;
            }
            if (!DirectionOf(c_, TableId::AreaLoads, area, r, AreaLoadCol::CoordSys, AreaLoadCol::Dir, dir, system, &x.direction)) continue;
            x.origin = {TableId::AreaLoads, static_cast<std::uint32_t>(r)};
            x.shell = ItemOf(k_.areas.Find(area, r, AreaLoadCol::Area));
            x.value = c_.ValueAt(area, r, AreaLoadCol::UnifLoad);
            if (x.shell == kNoItem || !std::isfinite(x.value.value)) continue;
            p->shellLoads.push_back(x);
        }
    }

    void JointLoads() {
        const Table& loads = m_[TableId::JointLoads];
        const bool systems = loads.columns() > JointLoadFullCol::CoordSys;
        for (std::size_t r = 0; r < loads.rows(); ++r) {
            LoadPattern* p = PatternOf(loads, r, JointLoadCol::LoadPat);
            if (!p) continue;
            JointLoad x;
            x.origin = {TableId::JointLoads, static_cast<std::uint32_t>(r)};
            x.joint = ItemOf(k_.joints.Find(loads, r, JointLoadCol::Joint));
            if (x.joint == kNoItem) continue;
            const std::string system = systems ? Word(loads, r, JointLoadFullCol::CoordSys) : std::string("GLOBAL");
            if (system != "GLOBAL" && system != "LOCAL") {
                c_.Add(ReportKind::CoordinateSystemUnsupported, "JOINT LOADS - FORCE", "joint " + loads.Text(r, JointLoadCol::Joint),
                       loads.Text(r, JointLoadFullCol::CoordSys));
                continue;
            }
            bool invalid = false, zero = true;
            for (int k = 0; k < 6; ++k) {
                x.components[k] = c_.ValueAt(loads, r, JointLoadCol::F1 + k);
                if (!loads.Absent(r, JointLoadCol::F1 + k) && !IsFiniteDecimal(x.components[k].text)) invalid = true;
                zero = zero && IsZeroNumber(x.components[k].text);
            }
            // A component that is no number leaves the load out (the report
            // names the number).
            if (invalid) continue;
            const Joint& joint = c_.s.joints[x.joint];
            if (system == "LOCAL" && joint.rotated) {
                // Loads in the joint's own axes, turned into global ones.
                Vec3 force, moment;
                for (int k = 0; k < 3; ++k) {
                    force = force + x.components[k].value * joint.axes[k];
                    moment = moment + x.components[3 + k].value * joint.axes[k];
                }
                const double global[6] = {force.x, force.y, force.z, moment.x, moment.y, moment.z};
                for (int k = 0; k < 6; ++k) x.components[k] = {global[k], {}};
            } else if (zero) {
                c_.Add(ReportKind::JointLoadZero, "JOINT LOADS - FORCE", loads.Text(r, JointLoadCol::Joint), p->name);
                continue;
            }
            p->jointLoads.push_back(x);
        }
    }

    void Gravity() {
        static constexpr TableId kTables[2] = {TableId::FrameGravity, TableId::AreaGravity};
        for (int t = 0; t < 2; ++t) {
            const Table& loads = m_[kTables[t]];
            for (std::size_t r = 0; r < loads.rows(); ++r) {
                LoadPattern* p = PatternOf(loads, r, GravityLoadCol::LoadPat);
                if (!p) continue;
                if (Word(loads, r, GravityLoadCol::CoordSys) != "GLOBAL") {
                    c_.Add(ReportKind::CoordinateSystemUnsupported, Describe(kTables[t]).sapName, loads.Text(r, 0), loads.Text(r, GravityLoadCol::CoordSys));
                    continue;
                }
                GravityLoad x;
                x.origin = {kTables[t], static_cast<std::uint32_t>(r)};
                x.shell = t == 1;
                x.item = ItemOf(t == 0 ? k_.frames.Find(loads, r, 0) : k_.areas.Find(loads, r, 0));
                if (x.item == kNoItem) continue;
                for (int k = 0; k < 3; ++k)
                    if (Counts(loads, r, GravityLoadCol::MultiplierX + k)) x.multipliers[k] = c_.ValueAt(loads, r, GravityLoadCol::MultiplierX + k);
                p->gravity.push_back(x);
            }
        }
    }

    // The value of a joint pattern at a joint: its assignment (the last
    // row for that joint), 0 where it has none.
    double PatternValue(std::int64_t pattern, std::uint32_t joint) const {
        const auto at = patternValues_.find((static_cast<std::uint64_t>(pattern) << 32) | joint);
        return at == patternValues_.end() ? 0 : at->second;
    }

    void IndexJointPatterns() {
        const Table& t = m_[TableId::JointPatterns];
        jointPatterns_.Build(t, JointPatternCol::Pattern);
        for (std::size_t r = 0; r < t.rows(); ++r) {
            const std::uint32_t joint = ItemOf(k_.joints.Find(t, r, JointPatternCol::Joint));
            double value;
            if (joint == kNoItem || !c_.Finite(t, r, JointPatternCol::Value, &value)) continue;
            const auto pattern = static_cast<std::uint64_t>(jointPatterns_.Find(t, r, JointPatternCol::Pattern));
            patternValues_[(pattern << 32) | joint] = value;
        }
    }

    // The mean of a joint pattern's values at the joints of a member or
    // shell: what a load by that pattern is on the element as a whole.
    double MeanPatternValue(const Table& t, std::size_t row, int col, bool shell, std::uint32_t item) {
        if (!patternsIndexed_) {
            IndexJointPatterns();
            patternsIndexed_ = true;
        }
        const std::int64_t pattern = jointPatterns_.Find(t, row, col);
        if (pattern == NameIndex::kNone) return 0;
        std::uint32_t joints[4] = {kNoItem, kNoItem, kNoItem, kNoItem};
        int n = 0;
        if (shell) {
            const Shell& sh = c_.s.shells[item];
            for (; n < sh.corners; ++n) joints[n] = sh.joints[n];
        } else {
            joints[n++] = c_.s.members[item].i;
            joints[n++] = c_.s.members[item].j;
        }
        double sum = 0;
        for (int k = 0; k < n; ++k)
            if (joints[k] != kNoItem) sum += PatternValue(pattern, joints[k]);
        return n ? sum / n : 0;
    }

    // The depth of a member's section across its local 2 axis (t3) or its
    // width across 3 (t2), or of a shell's across its thickness; 0 when
    // the section gives none.
    double DepthAcross(bool shell, std::uint32_t item, int across) const {
        double d = 0;
        if (shell) {
            const std::uint32_t sec = c_.s.shells[item].section;
            if (sec != kNoItem) d = c_.s.shellSections[sec].thickness.value;
        } else {
            const std::uint32_t sec = c_.s.members[item].section;
            const Table& t = m_[TableId::FrameSections];
            if (sec == kNoItem || !c_.Finite(t, c_.s.frameSections[sec].origin.row, across == 0 ? int{FrameSectionFullCol::t3} : int{FrameSectionFullCol::t2}, &d))
                d = 0;
        }
        return std::isfinite(d) && d > 0 ? d : 0;
    }

    void Temperatures() {
        static constexpr TableId kTables[2] = {TableId::FrameTemperature, TableId::AreaTemperature};
        for (int t = 0; t < 2; ++t) {
            const Table& loads = m_[kTables[t]];
            const std::string_view table = Describe(kTables[t]).sapName;
            for (std::size_t r = 0; r < loads.rows(); ++r) {
                const std::string type = Word(loads, r, TemperatureLoadCol::Type);
                int across = -2;
                for (const auto& k : kTemperatureTypes)
                    if (k.word == type && (t == 0 ? k.frames : k.areas)) across = k.across;
                if (across == -2) {
                    c_.Add(ReportKind::TemperatureNotUniform, table, loads.Text(r, 0), loads.Text(r, TemperatureLoadCol::LoadPat),
                           loads.Text(r, TemperatureLoadCol::Type));
                    continue;
                }
                LoadPattern* p = PatternOf(loads, r, TemperatureLoadCol::LoadPat);
                if (!p || !Counts(loads, r, TemperatureLoadCol::Temp)) continue;
                TemperatureLoad x;
                x.origin = {kTables[t], static_cast<std::uint32_t>(r)};
                x.shell = t == 1;
                x.item = ItemOf(t == 0 ? k_.frames.Find(loads, r, 0) : k_.areas.Find(loads, r, 0));
                if (x.item == kNoItem) continue;
                Value value = c_.ValueAt(loads, r, TemperatureLoadCol::Temp);
                // By a joint pattern: the value times the pattern's mean over
                // the element's joints.
                if (ByJointPattern(loads, r, TemperatureLoadCol::JointPattern))
                    value = {value.value * MeanPatternValue(loads, r, TemperatureLoadCol::JointPattern, x.shell, x.item), {}};
                if (across < 0) {
                    x.change = value;
                } else {
                    const double depth = DepthAcross(x.shell, x.item, across);
                    if (depth == 0) {
                        c_.Add(ReportKind::TemperatureGradientNotConverted, table, loads.Text(r, 0), loads.Text(r, TemperatureLoadCol::LoadPat),
                               x.shell ? "its section gives no thickness" : across == 0 ? "its section gives no depth t3" : "its section gives no width t2");
                        continue;
                    }
                    x.change = {0, "0"};
                    x.gradient[across] = value.value;
                    x.difference[across] = value.value * depth;
                }
                p->temperatures.push_back(x);
            }
        }
    }

    void Pressures() {
        // SAP2000's solid faces by their corners j1..j8 (j1 -,-,-  j2 +,-,-
        // j3 -,+,-  j4 +,+,-  j5..j8 the same above): faces 1 to 4 the sides
        // y-, x+, y+, x-, face 5 the bottom, face 6 the top. Faces 4 and 6
        // are those of CSI's verification examples; the others follow the
        // same order around the solid.
        static constexpr int kSapFaces[6][4] = {{1, 2, 5, 6}, {2, 4, 6, 8}, {3, 4, 7, 8}, {1, 3, 5, 7}, {1, 2, 3, 4}, {5, 6, 7, 8}};
        const Table& areas = m_[TableId::AreaPressure];
        for (std::size_t r = 0; r < areas.rows(); ++r) {
            LoadPattern* p = PatternOf(areas, r, SurfacePressureCol::LoadPat);
            if (!p) continue;
            const std::string word = Word(areas, r, SurfacePressureCol::Face);
            int face = 0, edge = 0;
            for (const auto& f : kAreaFaces)
                if (f.word == word) face = f.face, edge = f.edge;
            // Pressures on edges become joint loads once the areas are
            // meshed (BuildEdgePressures).
            if (edge) continue;
            if (!face) {
                c_.Add(ReportKind::PressureFaceUnsupported, "AREA LOADS - SURFACE PRESSURE", areas.Text(r, 0), areas.Text(r, SurfacePressureCol::LoadPat),
                       areas.Text(r, SurfacePressureCol::Face));
                continue;
            }
            FacePressure x;
            x.origin = {TableId::AreaPressure, static_cast<std::uint32_t>(r)};
            x.item = ItemOf(k_.areas.Find(areas, r, 0));
            x.face = face;
            x.pressure = c_.ValueAt(areas, r, SurfacePressureCol::Pressure);
            if (x.item == kNoItem || !IsFiniteDecimal(x.pressure.text)) continue;
            if (ByJointPattern(areas, r, SurfacePressureCol::JointPattern)) {
                c_.Add(ReportKind::PressureNotConverted, "AREA LOADS - SURFACE PRESSURE", areas.Text(r, 0), areas.Text(r, SurfacePressureCol::LoadPat),
                       "it is given by the joint pattern " + areas.Text(r, SurfacePressureCol::JointPattern));
                continue;
            }
            p->pressures.push_back(x);
        }
        const Table& solids = m_[TableId::SolidPressure];
        const NameIndex solidOf(m_[TableId::Solids], SolidCol::Solid);
        for (std::size_t r = 0; r < solids.rows(); ++r) {
            LoadPattern* p = PatternOf(solids, r, SurfacePressureCol::LoadPat);
            if (!p) continue;
            const double face = TextToNumber(solids.View(r, SurfacePressureCol::Face));
            if (face < 1 || face > 6 || face != std::floor(face)) {
                c_.Add(ReportKind::PressureFaceUnsupported, "SOLID LOADS - SURFACE PRESSURE", solids.Text(r, 0), solids.Text(r, SurfacePressureCol::LoadPat),
                       solids.Text(r, SurfacePressureCol::Face));
                continue;
            }
            FacePressure x;
            x.origin = {TableId::SolidPressure, static_cast<std::uint32_t>(r)};
            x.solid = true;
            x.item = ItemOf(solidOf.Find(solids, r, 0));
            int corners[4];
            for (int k = 0; k < 4; ++k) corners[k] = SolidCornerOf(kSapFaces[static_cast<int>(face) - 1][k]);
            x.face = SolidFaceOf(corners);
            x.pressure = c_.ValueAt(solids, r, SurfacePressureCol::Pressure);
            if (x.item == kNoItem || !IsFiniteDecimal(x.pressure.text)) continue;
            p->pressures.push_back(x);
        }
    }

    void Displacements() {
        const Table& g = m_[TableId::GroundDisplacement];
        for (std::size_t r = 0; r < g.rows(); ++r) {
            LoadPattern* p = PatternOf(g, r, GroundDisplacementCol::LoadPat);
            if (!p) continue;
            GroundDisplacement x;
            x.origin = {TableId::GroundDisplacement, static_cast<std::uint32_t>(r)};
            x.joint = ItemOf(k_.joints.Find(g, r, GroundDisplacementCol::Joint));
            if (x.joint == kNoItem) continue;
            const bool rotated = c_.s.joints[x.joint].rotated;
            if (Word(g, r, GroundDisplacementCol::CoordSys) != "GLOBAL" || rotated) {
                c_.Add(ReportKind::CoordinateSystemUnsupported, "JOINT LOADS - GROUND DISPLACEMENT", "joint " + g.Text(r, 0),
                       rotated ? std::string("of the joint's local axes") : g.Text(r, GroundDisplacementCol::CoordSys));
                continue;
            }
            for (int k = 0; k < 6; ++k) {
                x.given[k] = Counts(g, r, GroundDisplacementCol::U1 + k);
                if (x.given[k]) x.components[k] = c_.ValueAt(g, r, GroundDisplacementCol::U1 + k);
            }
            p->displacements.push_back(x);
        }
    }

    // Member lengths, worked out once in the members' order: loads name
    // members in any order, and the members and joints are large.
    double MemberLength(std::uint32_t member) {
        if (lengths_.empty()) {
            lengths_.resize(c_.s.members.size());
            for (std::size_t k = 0; k < lengths_.size(); ++k) {
                const Member& m = c_.s.members[k];
                lengths_[k] = m.i == kNoItem || m.j == kNoItem ? 0 : Norm(Position(c_.s.joints[m.j]) - Position(c_.s.joints[m.i]));
            }
        }
        return lengths_[member];
    }

    BuildContext& c_;
    const Model& m_;
    const Links& k_;
    std::vector<double> lengths_;
    // The joint patterns by name, and their values by pattern and joint.
    NameIndex jointPatterns_;
    std::unordered_map<std::uint64_t, double> patternValues_;
    bool patternsIndexed_ = false;
};

}  // namespace

LoadCategory CategoryOf(const std::string& designType) {
    for (const auto& cat : kCategories)
        if (cat.word == designType) return cat.category;
    return LoadCategory::Other;
}

namespace {

// The joints of an area object's elements (the object itself, or the
// pieces its mesh made) that lie on the straight edge from joint a to b,
// within `near` of it, by their place along it (0 at a, 1 at b); a and b
// among them.
std::vector<std::pair<double, std::uint32_t>> JointsAlong(const Structure& s, const std::vector<std::uint32_t>& shells, std::uint32_t a, std::uint32_t b,
                                                          double near) {
    const Vec3 from = Position(s.joints[a]), edge = Position(s.joints[b]) - from;
    const double length2 = Dot(edge, edge), tolerance = std::max(near, 1e-6 * std::sqrt(length2));
    std::vector<std::pair<double, std::uint32_t>> out{{0.0, a}, {1.0, b}};
    for (std::uint32_t shell : shells)
        for (std::uint32_t j : s.shells[shell].joints) {
            if (j == kNoItem || j == a || j == b || !s.joints[j].valid) continue;
            const Vec3 d = Position(s.joints[j]) - from;
            const double t = Dot(d, edge) / length2;
            if (t > 0 && t < 1 && Norm(d - t * edge) <= tolerance) out.push_back({t, j});
        }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end(), [](const auto& x, const auto& y) { return x.second == y.second; }), out.end());
    return out;
}

}  // namespace

void BuildEdgePressures(BuildContext& c) {
    const Table& loads = c.model[TableId::AreaPressure];
    const Table& areas = c.model[TableId::Areas];
    const char* const kTable = "AREA LOADS - SURFACE PRESSURE";
    // The elements of each area object, found once.
    std::vector<std::vector<std::uint32_t>> elementsOf;
    double near = 0;
    for (std::size_t r = 0; r < loads.rows(); ++r) {
        const std::string word = Word(loads, r, SurfacePressureCol::Face);
        int edge = 0;
        for (const auto& f : kAreaFaces)
            if (f.word == word) edge = f.edge;
        const std::int64_t pattern = c.links.patterns.Find(loads, r, SurfacePressureCol::LoadPat);
        const std::uint32_t area = ItemOf(c.links.areas.Find(loads, r, SurfacePressureCol::Owner));
        if (!edge || pattern == NameIndex::kNone || area == kNoItem) continue;
        const Value pressure = c.ValueAt(loads, r, SurfacePressureCol::Pressure);
        if (!IsFiniteDecimal(pressure.text) || IsZeroNumber(pressure.text)) continue;
        const auto leaveOut = [&](ReportKind kind, std::string why) {
            c.Add(kind, kTable, loads.Text(r, SurfacePressureCol::Owner), loads.Text(r, SurfacePressureCol::LoadPat), std::move(why));
        };
        if (ByJointPattern(loads, r, SurfacePressureCol::JointPattern)) {
            leaveOut(ReportKind::PressureNotConverted, "it is given by the joint pattern " + loads.Text(r, SurfacePressureCol::JointPattern));
            continue;
        }
        const Shell& object = c.s.shells[area];
        if (object.corners == 0) {
            leaveOut(ReportKind::PressureNotConverted, "the area has neither three nor four corners");
            continue;
        }
        if (edge > object.corners) {
            leaveOut(ReportKind::PressureFaceUnsupported, loads.Text(r, SurfacePressureCol::Face));
            continue;
        }
        const double thickness = object.section == kNoItem ? 0 : c.s.shellSections[object.section].thickness.value;
        if (!(std::isfinite(thickness) && thickness > 0)) {
            leaveOut(ReportKind::PressureNotConverted, "its section gives no thickness");
            continue;
        }
        // The object's own corners (meshing gives the object's item the
        // joints of its first element).
        std::array<std::uint32_t, 4> corner{};
        bool usable = true;
        for (int k = 0; k < object.corners; ++k) {
            corner[k] = ItemOf(c.links.joints.Find(areas, area, AreaCol::Joint1 + k));
            usable = usable && corner[k] != kNoItem && c.s.joints[corner[k]].valid;
        }
        if (!usable) continue;
        Vec3 x[4];
        for (int k = 0; k < object.corners; ++k) x[k] = Position(c.s.joints[corner[k]]);
        const Vec3 normal = Unit(object.corners == 4 ? Cross(x[2] - x[0], x[3] - x[1]) : Cross(x[1] - x[0], x[2] - x[0]));
        const std::uint32_t a = corner[edge - 1], b = corner[edge % object.corners];
        // A positive pressure pushes into the area: along the normal of the
        // edge in the area's plane that points inwards (the corners go
        // round the local 3 axis).
        const Vec3 along = Position(c.s.joints[b]) - Position(c.s.joints[a]);
        if (!(Norm(along) > 0)) continue;
        const Vec3 perLength = (pressure.value * thickness) * Unit(Cross(normal, along));
        if (elementsOf.empty()) {
            // Meshing takes points within a millionth of the model's size
            // for one joint; a joint on the edge may lie that far off it.
            Vec3 lo{HUGE_VAL, HUGE_VAL, HUGE_VAL}, hi{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
            for (const Joint& j : c.s.joints) {
                if (!j.valid) continue;
                const Vec3 q = Position(j);
                lo = {std::min(lo.x, q.x), std::min(lo.y, q.y), std::min(lo.z, q.z)};
                hi = {std::max(hi.x, q.x), std::max(hi.y, q.y), std::max(hi.z, q.z)};
            }
            const double size = Norm(hi - lo);
            near = std::isfinite(size) ? 2e-6 * size : 0;
            elementsOf.resize(areas.rows());
            for (std::uint32_t k = 0; k < c.s.shells.size(); ++k)
                if (c.s.shells[k].origin.table == TableId::Areas && c.s.shells[k].origin.row < areas.rows()) elementsOf[c.s.shells[k].origin.row].push_back(k);
        }
        // Each stretch of the edge between two joints carries its force,
        // half at either end: exact for a straight edge of linear elements.
        const auto joints = JointsAlong(c.s, elementsOf[area], a, b, near);
        std::vector<double> share(joints.size(), 0);
        const double length = Norm(along);
        for (std::size_t k = 0; k + 1 < joints.size(); ++k) {
            const double piece = (joints[k + 1].first - joints[k].first) * length / 2;
            share[k] += piece;
            share[k + 1] += piece;
        }
        LoadPattern& p = c.s.patterns[static_cast<std::size_t>(pattern)];
        for (std::size_t k = 0; k < joints.size(); ++k) {
            JointLoad load;
            load.origin = {TableId::AreaPressure, static_cast<std::uint32_t>(r)};
            load.joint = joints[k].second;
            const Vec3 f = share[k] * perLength;
            load.components = {{{f.x, {}}, {f.y, {}}, {f.z, {}}, {0, {}}, {0, {}}, {0, {}}}};
            p.jointLoads.push_back(load);
        }
    }
}

void BuildLoads(BuildContext& c) {
    LoadBuilder(c).Run();
    BuildCases(c);
}

}  // namespace corvane
