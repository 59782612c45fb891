// The picture of the analysis model (BuildMeshedPicture): the joints and
// pieces meshing adds, drawn as joints, members and shells of their own,
// and the structure's odd items skipped as the picture of the objects
// skips them.
#ifdef CORVANE_HAVE_PICTURE

#include "TestSupport.h"
#include "driver/Session.h"
#include "link/Link.h"
#include "picture/BuildMeshedPicture.h"
#include "picture/BuildPicture.h"
#include "structure/Build.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

using namespace corvane;
using namespace corvane::test;

namespace {

struct Built {
    Model model;
    Structure structure;
};

// The model read, linked and built as the full conversion does.
std::unique_ptr<Built> BuildFull(const std::string& s2k) {
    auto b = std::make_unique<Built>();
    const InputText input = InputText::FromBytes(s2k);
    ConvertOptions options;
    options.full = true;
    MemoryHistory history;
    Report report;
    ReadTablesOf(input, b->model, options, history, report);
    LinkOptions lo;
    lo.renumber = true;
    b->structure = BuildStructure(b->model, Link(b->model, &report, lo), &report);
    return b;
}

using Point = std::array<float, 3>;
Point At(const PictureModel& p, std::uint32_t j) { return {p.xyz[3 * j], p.xyz[3 * j + 1], p.xyz[3 * j + 2]}; }

}  // namespace

TEST(MeshedPicture, ColumnInFourSegmentsAndPlateTwoByThree) {
    const auto b = BuildFull(ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/models/meshed-column-and-plate.s2k"));
    const PictureModel objects = BuildPicture(b->model);
    const PictureModel mesh = BuildMeshedPicture(b->structure);
    EXPECT_EQ(objects.JointCount(), 6u);
    EXPECT_EQ(objects.MemberCount(), 1u);
    EXPECT_EQ(objects.ShellCount(), 1u);

    // 3 joints on the column, 8 of the plate's 4 x 3 grid besides its corners.
    ASSERT_EQ(mesh.JointCount(), 17u);
    EXPECT_EQ(mesh.PlacedJointCount(), 17u);
    EXPECT_EQ(mesh.MemberCount(), 4u);
    EXPECT_EQ(mesh.ShellCount(), 6u);
    // The joints of the table come first, where the objects have them.
    EXPECT_TRUE(std::equal(objects.xyz.begin(), objects.xyz.end(), mesh.xyz.begin()));
    std::set<Point> added;
    for (std::uint32_t j = 6; j < 17; ++j) added.insert(At(mesh, j));
    const std::set<Point> expected = {{0, 0, 30},  {0, 0, 60},   {0, 0, 90},   {105, 0, 0},  {60, 20, 0}, {105, 20, 0},
                                      {150, 20, 0}, {60, 40, 0}, {105, 40, 0}, {150, 40, 0}, {105, 60, 0}};
    EXPECT_EQ(added, expected);

    // Each piece is a member of its own: the column's four join at the new joints.
    std::multiset<float> heights;
    for (std::size_t k = 0; k < 8; ++k) heights.insert(At(mesh, mesh.members[k])[2]);
    EXPECT_EQ(heights, (std::multiset<float>{0, 30, 30, 60, 60, 90, 90, 120}));
    // The edge supports: the two new joints on the held edge x = 60 are
    // held as its corners are.
    std::set<Point> supported;
    for (std::size_t k = 0; k < mesh.supports.size(); ++k) {
        supported.insert(At(mesh, mesh.supports[k]));
        EXPECT_EQ(mesh.supportFixed[k], 1);
    }
    EXPECT_EQ(supported, (std::set<Point>{{0, 0, 0}, {60, 0, 0}, {60, 60, 0}, {60, 20, 0}, {60, 40, 0}}));
}

TEST(MeshedPicture, OddItemsAreLeftOutAsTheObjectsPictureLeavesThem) {
    Structure s;
    s.joints.resize(5);
    for (std::size_t j = 0; j < 5; ++j) s.joints[j].at[0].value = double(j);
    s.joints[4].valid = false;
    s.joints[0].held = {true, true, true, true, true, true};
    s.joints[1].held = {true, true, true, false, false, false};
    s.joints[2].spring = {1, 1, 1, 0, 0, 0};  // a spring is no support in the picture
    s.members.resize(3);
    s.members[0].i = 0, s.members[0].j = 1;
    s.members[1].i = 1;  // no joint J
    s.members[2].i = 2, s.members[2].j = 7;
    s.shells.resize(4);
    s.shells[0].corners = 3, s.shells[0].joints = {0, 1, 2, kNoItem};
    s.shells[1].corners = 4, s.shells[1].joints = {0, 1, 2, 3};
    s.shells[2].corners = 0;  // an area of another corner count
    s.shells[3].corners = 4, s.shells[3].joints = {0, 1, 9, 3};
    s.solids.resize(1);
    s.solids[0].joints = {0, 1, 2, 3, 0, 1, 2, 3};

    const PictureModel p = BuildMeshedPicture(s);
    EXPECT_EQ(p.JointCount(), 5u);
    EXPECT_EQ(p.PlacedJointCount(), 4u);
    EXPECT_TRUE(std::isnan(p.xyz[12]));
    EXPECT_EQ(p.members, (std::vector<std::uint32_t>{0, 1}));
    // A triangle repeats its third corner.
    EXPECT_EQ(p.shells, (std::vector<std::uint32_t>{0, 1, 2, 2, 0, 1, 2, 3}));
    EXPECT_EQ(p.supports, (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(p.supportFixed, (std::vector<std::uint8_t>{1, 0}));
}

#endif  // CORVANE_HAVE_PICTURE
