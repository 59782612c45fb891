#include "picture/BuildPicture.h"

#include "link/Link.h"
#include "link/NameIndex.h"
#include "text/NumberText.h"

#include <cmath>
#include <limits>

namespace corvane {

namespace {

constexpr std::uint32_t kNoJoint = std::numeric_limits<std::uint32_t>::max();

// A joint that is not placed has no coordinates at all.
float Coordinate(const Table& joints, std::size_t row, int col, bool placed) {
    if (!placed) return std::numeric_limits<float>::quiet_NaN();
    const float v = static_cast<float>(TextToNumber(joints.View(row, col)));
    return std::isfinite(v) ? v : std::numeric_limits<float>::quiet_NaN();
}

}  // namespace

PictureModel BuildPicture(const Model& m) {
    PictureModel p;
    const Table& joints = m[TableId::Joints];
    const NameIndex index(joints, JointCol::Joint);
    const auto jointOf = [&](const Table& t, std::size_t row, int col) {
        const std::int64_t r = index.Find(t, row, col);
        return r == NameIndex::kNone ? kNoJoint : static_cast<std::uint32_t>(r);
    };

    p.xyz.reserve(3 * joints.rows());
    for (std::size_t r = 0; r < joints.rows(); ++r) {
        const bool placed = JointPlaced(joints, r);
        for (int col : {JointCol::GlobalX, JointCol::GlobalY, JointCol::GlobalZ}) p.xyz.push_back(Coordinate(joints, r, col, placed));
    }

    const Table& frames = m[TableId::Frames];
    p.members.reserve(2 * frames.rows());
    for (std::size_t r = 0; r < frames.rows(); ++r) {
        const std::uint32_t a = jointOf(frames, r, FrameCol::JointI), b = jointOf(frames, r, FrameCol::JointJ);
        if (a == kNoJoint || b == kNoJoint) continue;
        p.members.push_back(a);
        p.members.push_back(b);
    }

    const Table& areas = m[TableId::Areas];
    p.shells.reserve(4 * areas.rows());
    for (std::size_t r = 0; r < areas.rows(); ++r) {
        const bool four = !areas.Absent(r, AreaCol::Joint4);
        std::uint32_t corners[4];
        bool whole = true;
        for (int k = 0; k < 4; ++k) {
            corners[k] = k < 3 || four ? jointOf(areas, r, AreaCol::Joint1 + k) : corners[2];
            whole = whole && corners[k] != kNoJoint;
        }
        if (whole) p.shells.insert(p.shells.end(), corners, corners + 4);
    }

    const Table& restraints = m[TableId::Restraints];
    for (std::size_t r = 0; r < restraints.rows(); ++r) {
        const std::uint32_t j = jointOf(restraints, r, RestraintCol::Joint);
        if (j == kNoJoint) continue;
        bool fixed = true;
        for (int col = RestraintCol::ux; col <= RestraintCol::rz; ++col) fixed = fixed && restraints.Is(r, col, "Yes");
        p.supports.push_back(j);
        p.supportFixed.push_back(fixed ? 1 : 0);
    }
    return p;
}

}  // namespace corvane
