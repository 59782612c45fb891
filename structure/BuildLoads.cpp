// The structure builder's load patterns and their loads.
#include "structure/BuildSupport.h"
#include "text/NumberText.h"

#include <cmath>

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

bool Uniform(const Table& t, std::size_t row) {
    return t.Absent(row, TemperatureLoadCol::JointPattern) || t.Is(row, TemperatureLoadCol::JointPattern, "None") ||
           t.Is(row, TemperatureLoadCol::JointPattern, "");
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

    void Temperatures() {
        static constexpr TableId kTables[2] = {TableId::FrameTemperature, TableId::AreaTemperature};
        for (int t = 0; t < 2; ++t) {
            const Table& loads = m_[kTables[t]];
            for (std::size_t r = 0; r < loads.rows(); ++r) {
                const bool temperature = Word(loads, r, TemperatureLoadCol::Type) == "TEMPERATURE";
                // Only uniform changes are carried across.
                if (!temperature || !Uniform(loads, r)) {
                    c_.Add(ReportKind::TemperatureNotUniform, Describe(kTables[t]).sapName, loads.Text(r, 0), loads.Text(r, TemperatureLoadCol::LoadPat),
                           !Uniform(loads, r) ? "joint pattern " + loads.Text(r, TemperatureLoadCol::JointPattern) : loads.Text(r, TemperatureLoadCol::Type));
                    continue;
                }
                LoadPattern* p = PatternOf(loads, r, TemperatureLoadCol::LoadPat);
                if (!p || !Counts(loads, r, TemperatureLoadCol::Temp)) continue;
                TemperatureLoad x;
                x.origin = {kTables[t], static_cast<std::uint32_t>(r)};
                x.shell = t == 1;
                x.item = ItemOf(t == 0 ? k_.frames.Find(loads, r, 0) : k_.areas.Find(loads, r, 0));
                if (x.item == kNoItem) continue;
                x.change = c_.ValueAt(loads, r, TemperatureLoadCol::Temp);
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
            const std::string face = Word(areas, r, SurfacePressureCol::Face);
            if (face != "TOP" && face != "BOTTOM") {
                c_.Add(ReportKind::PressureFaceUnsupported, "AREA LOADS - SURFACE PRESSURE", areas.Text(r, 0), areas.Text(r, SurfacePressureCol::LoadPat),
                       areas.Text(r, SurfacePressureCol::Face));
                continue;
            }
            FacePressure x;
            x.origin = {TableId::AreaPressure, static_cast<std::uint32_t>(r)};
            x.item = ItemOf(k_.areas.Find(areas, r, 0));
            x.face = face == "TOP" ? 1 : -1;
            x.pressure = c_.ValueAt(areas, r, SurfacePressureCol::Pressure);
            if (x.item == kNoItem || !IsFiniteDecimal(x.pressure.text)) continue;
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
};

}  // namespace

LoadCategory CategoryOf(const std::string& designType) {
    for (const auto& cat : kCategories)
        if (cat.word == designType) return cat.category;
    return LoadCategory::Other;
}

void BuildLoads(BuildContext& c) {
    LoadBuilder(c).Run();
    BuildCases(c);
}

}  // namespace corvane
