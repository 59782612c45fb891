// The full conversion's geometry: the structure type, solid elements and
// their materials, member orientation (BETA) and plane-stress elements.
#include "staad/FullBlocks.h"
#include "staad/Lists.h"
#include "text/NumberText.h"

namespace corvane {

Vec3 JointAt(const Model& m, std::size_t row) {
    const Table& j = m[TableId::Joints];
    return {TextToNumber(j.View(row, JointCol::GlobalX)), TextToNumber(j.View(row, JointCol::GlobalY)),
            TextToNumber(j.View(row, JointCol::GlobalZ))};
}

bool JointOf(const StaadContext& c, const Table& t, std::size_t row, int col, Vec3* at) {
    const std::int64_t j = c.links.joints.Find(t, row, col);
    if (j == NameIndex::kNone) return false;
    *at = JointAt(c.model, static_cast<std::size_t>(j));
    return true;
}

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;

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

std::array<Vec3, 3> JointAxes(double a, double b, double c) {
    const double ca = std::cos(a * kDegree), sa = std::sin(a * kDegree);
    const double cb = std::cos(-b * kDegree), sb = std::sin(-b * kDegree);
    const double cc = std::cos(c * kDegree), sc = std::sin(c * kDegree);
    const Matrix rz{{{ca, -sa, 0}, {sa, ca, 0}, {0, 0, 1}}};
    const Matrix ry{{{cb, 0, sb}, {0, 1, 0}, {-sb, 0, cb}}};
    const Matrix rx{{{1, 0, 0}, {0, cc, -sc}, {0, sc, cc}}};
    const Matrix r = rz * ry * rx;
    return {r.Column(0), r.Column(1), r.Column(2)};
}

std::array<Vec3, 2> StaadCrossAxes(Vec3 x) {
    x = Unit(x);
    if (std::hypot(x.x, x.z) < 1e-3) {
        const Vec3 z{0, 0, 1};
        return {Cross(z, x), z};
    }
    const Vec3 up{0, 1, 0};
    const Vec3 y = Unit(up - Dot(up, x) * x);
    return {y, Cross(x, y)};
}

std::string Number(double value) { return NumberToText(std::fabs(value) < 1e-12 ? 0.0 : value); }

std::string StructureLine(const Links& links) {
    if (!links.isFull) return "STAAD SPACE";
    static constexpr struct {
        StructureType type;
        const char* line;
    } kLines[] = {{StructureType::Space, "STAAD SPACE"},
                  {StructureType::Plane, "STAAD PLANE"},
                  {StructureType::Floor, "STAAD FLOOR"},
                  {StructureType::Truss, "STAAD TRUSS"}};
    for (const auto& l : kLines)
        if (l.type == links.full.structure) return l.line;
    return "STAAD SPACE";
}

void WriteSolidsBlock(StaadContext& c) {
    const Table& s = c.model[TableId::Solids];
    if (s.empty()) return;
    c.out.Line("ELEMENT INCIDENCES SOLID");
    std::string line, scratch;
    for (std::size_t r = 0; r < s.rows(); ++r) {
        // A solid with a corner that is no joint is left out (the report
        // names the joint).
        if (!SolidCornersFound(c.links, s, r)) continue;
        line = c.links.full.SolidNumber(r);
        for (int col : kSolidCorners) {
            line += ' ';
            line += c.links.NameOf(NameKind::Joint, s, r, col, scratch);
        }
        c.out.Line(line);
    }
}

void WriteFullMaterialConstants(StaadContext& c) {
    const Table& m = c.model[TableId::Materials];
    const Table& solids = c.model[TableId::Solids];
    const FullLinks& f = c.links.full;
    if (!solids.empty()) {
        std::vector<std::int64_t> keys(solids.rows());
        for (std::size_t r = 0; r < solids.rows(); ++r) keys[r] = SolidCornersFound(c.links, solids, r) ? f.solidMaterial[r] : NameIndex::kNone;
        const Groups solidsOf(m.rows(), keys);
        std::string line, number;
        for (std::size_t i = 0; i < m.rows(); ++i) {
            const auto rows = solidsOf[c.links.materials.Find(m, i, MaterialCol::Material)];
            line = "MATERIAL " + m.Text(i, MaterialCol::Material) + " MEMB ";
            if (AppendFoldedList(line, rows.size(), [&](std::size_t k) -> std::string_view {
                    number = f.SolidNumber(rows.begin()[k]);
                    return number;
                }))
                c.out.Line(line);
        }
    }

    // Member orientation. SAP2000's local 2 axis lies in the vertical plane
    // through the member, pointing up, or along +X for a vertical member;
    // STAAD.Pro's y with BETA 0 points up too, but a vertical member has
    // its z along global Z, which turns an upward member's axes by 180
    // degrees against SAP2000's.
    const Table& frames = c.model[TableId::Frames];
    const Table& axes = c.model[TableId::FrameLocalAxes];
    TextGroups groups;
    for (std::size_t r = 0; r < frames.rows(); ++r) {
        double beta = 0;
        const std::int64_t a = f.localAxesOfFrame.Find(frames, r, FrameCol::Frame);
        if (a != NameIndex::kNone) beta = TextToNumber(axes.View(static_cast<std::size_t>(a), FrameLocalAxesCol::Angle));
        Vec3 i, j;
        if (!JointOf(c, frames, r, FrameCol::JointI, &i) || !JointOf(c, frames, r, FrameCol::JointJ, &j)) continue;
        const Vec3 d = j - i;
        const double length = Norm(d);
        if (length == 0 || !std::isfinite(length) || !std::isfinite(beta)) continue;
        const bool vertical = std::hypot(d.x, d.y) / length < 1e-3;
        if (vertical && d.z > 0) beta += 180;
        beta = std::fmod(beta, 360.0);
        if (beta > 180) beta -= 360;
        if (beta <= -180) beta += 360;
        if (std::fabs(beta) < 1e-9) continue;
        groups.Add(static_cast<std::uint32_t>(r), Number(beta));
    }
    groups.Finish();
    std::string line;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        line = "BETA ";
        line += groups.Text(g);
        line += " MEMB ";
        if (!AppendNameList(line, c.links, NameKind::Member, frames, FrameCol::Frame, groups.Rows(g))) continue;
        line.pop_back();
        c.out.Line(line);
    }
}

void WritePlaneStressElements(StaadContext& c) {
    const Table& s = c.model[TableId::AreaSections];
    const Table& assigns = c.model[TableId::AreaAssigns];
    bool header = false;
    std::string list;
    for (std::size_t k = 0; k < s.rows(); ++k) {
        // Plane-stress areas and membranes have no bending stiffness:
        // STAAD.Pro's plane-stress element is the membrane part of its plate.
        const AreaKind kind = c.links.full.areaKinds[k];
        if (kind != AreaKind::PlaneStress && kind != AreaKind::Membrane) continue;
        list.clear();
        const auto rows = c.links.areasOfSection[c.links.areaSections.Find(s, k, AreaSectionCol::Section)];
        if (!AppendElementList(list, c.links, assigns, AreaAssignCol::Area, rows)) continue;
        if (!header) c.out.Line("ELEMENT PLANE STRESS");
        header = true;
        while (!list.empty() && list.back() == ' ') list.pop_back();
        c.out.Line(list);
    }
}

}  // namespace corvane
