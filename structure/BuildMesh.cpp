// The structure builder's automatic meshing requests: which frames are
// split and how, which areas are divided into how many elements. The
// meshing itself is MeshStructure's.
#include "structure/BuildSupport.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// Mesh types that leave an area as it is.
constexpr std::string_view kNoMesh[] = {"DEFAULT", "NONE", "NO AUTO MESHING", "NO", ""};
// The largest division carried out along one edge of an area; the
// exports divide up to 64.
constexpr double kMostAlongEdge = 1000;

// A count of a cell: its whole part when it is a finite number of at
// least 1, else 1.
int CountOf(const BuildContext& c, const Table& t, std::size_t row, int col) {
    double v;
    if (!c.Finite(t, row, col, &v) || v < 1) return 1;
    return static_cast<int>(std::floor(std::min(v, 1e9)));
}

void FrameMeshes(BuildContext& c) {
    const Table& t = c.model[TableId::FrameAutoMesh];
    for (std::size_t r = 0; r < t.rows(); ++r) {
        if (!IsYes(t, r, FrameAutoMeshCol::AutoMesh)) continue;
        const std::uint32_t member = ItemOf(c.links.frames.Find(t, r, FrameAutoMeshCol::Frame));
        if (member == kNoItem) continue;
        FrameMesh x;
        x.member = member;
        x.atJoints = IsYes(t, r, FrameAutoMeshCol::AtJoints);
        double v;
        if (c.Finite(t, r, FrameAutoMeshCol::NumSegments, &v) && v >= 1) x.segments = static_cast<int>(std::floor(std::min(v, 1e9)));
        if (c.Finite(t, r, FrameAutoMeshCol::MaxLength, &v) && v > 0) x.maxLength = v;
        x.atFrames = IsYes(t, r, FrameAutoMeshCol::AtFrames);
        if (x.atJoints || x.atFrames || x.segments > 1 || x.maxLength > 0) c.s.frameMeshes.push_back(x);
    }
}

void AreaMeshes(BuildContext& c) {
    const Table& t = c.model[TableId::AreaAutoMesh];
    const std::string_view table = Describe(TableId::AreaAutoMesh).sapName;
    for (std::size_t r = 0; r < t.rows(); ++r) {
        const std::string type = Word(t, r, AreaAutoMeshCol::MeshType);
        bool none = false;
        for (std::string_view w : kNoMesh) none = none || type == w;
        if (none) continue;
        const std::uint32_t shell = ItemOf(c.links.areas.Find(t, r, AreaAutoMeshCol::Area));
        if (shell == kNoItem) continue;
        const std::string name = t.Text(r, AreaAutoMeshCol::Area);
        const auto refuse = [&](std::string what) { c.Add(ReportKind::MeshNotConverted, table, name, std::move(what), "area"); };
        if (type != "NUMBER OF ELEMENTS") {
            refuse(t.Text(r, AreaAutoMeshCol::MeshType));
            continue;
        }
        AreaMesh x;
        x.shell = shell;
        x.along12 = CountOf(c, t, r, AreaAutoMeshCol::Number1);
        x.along14 = CountOf(c, t, r, AreaAutoMeshCol::Number2);
        x.edgeSupports = IsYes(t, r, AreaAutoMeshCol::SuppEdge);
        x.faceSupports = IsYes(t, r, AreaAutoMeshCol::SuppFace);
        if (x.along12 * static_cast<double>(x.along14) <= 1) continue;
        if (IsYes(t, r, AreaAutoMeshCol::SubMesh)) refuse("Number of Elements with a further mesh (SubMesh)");
        else if (c.s.shells[shell].corners != 4) refuse("Number of Elements on an area of 3 joints");
        else if (x.along12 > kMostAlongEdge || x.along14 > kMostAlongEdge) refuse("Number of Elements above 1000 along an edge");
        else c.s.areaMeshes.push_back(x);
    }
}

}  // namespace

void BuildMeshRequests(BuildContext& c) {
    FrameMeshes(c);
    AreaMeshes(c);
}

}  // namespace corvane
