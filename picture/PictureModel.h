// What the picture of a model needs: joint positions, the members and shells
// between them, and the supports. Plain data, filled from the converter's
// tables (BuildPicture) or from the meshed structural model
// (BuildMeshedPicture); the drawing code skips any index that names a joint
// which does not exist, so the tables can be passed on as read.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace corvane {

struct PictureModel {
    std::vector<float> xyz;                  // joint coordinates, 3 per joint, in SAP2000 axes (Z up)
    std::vector<std::uint32_t> members;      // 2 joint indices per member
    std::vector<std::uint32_t> shells;       // 4 joint indices per shell; a triangle repeats its third index
    std::vector<std::uint32_t> supports;     // joint indices
    std::vector<std::uint8_t> supportFixed;  // per support: 1 fixed (rotations held), 0 pinned/other

    std::size_t JointCount() const { return xyz.size() / 3; }
    // Joints with a place (a joint without one has NaN coordinates).
    std::size_t PlacedJointCount() const {
        std::size_t n = 0;
        for (std::size_t i = 0; i < xyz.size(); i += 3) n += !std::isnan(xyz[i]) && !std::isnan(xyz[i + 1]) && !std::isnan(xyz[i + 2]);
        return n;
    }
    std::size_t MemberCount() const { return members.size() / 2; }
    std::size_t ShellCount() const { return shells.size() / 4; }
};

}  // namespace corvane
