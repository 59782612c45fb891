// Pressures on the edges of areas and temperatures that vary across a
// section or by a joint pattern, on the models edge-pressure*.s2k and
// temperature-gradient.s2k of tests/models. The checker cannot compare
// either, so the values here are worked out by hand: p t L / 2 at each end
// of an edge stretch; a gradient times the depth it acts over.
#include "FullTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

using namespace corvane;
using namespace corvane::test;

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The joint loads of a primary load along one STAAD.Pro direction, by
// joint number ("2 TO 4   FX -10" lists 2, 3 and 4).
std::map<int, double> JointForces(const FullRun& r, const std::string& title, const std::string& word) {
    std::map<int, double> out;
    bool joints = false;
    for (const std::string& line : LoadLines(r, title)) {
        if (line == "JOINT LOAD") {
            joints = true;
            continue;
        }
        if (!joints || line.find(" " + word + " ") == std::string::npos) continue;
        std::istringstream in(line);
        std::vector<int> list;
        std::string token;
        while (in >> token && token != word) {
            if (token == "TO") {
                in >> token;
                for (int k = list.back() + 1; k <= std::stoi(token); ++k) list.push_back(k);
            } else if (std::isdigit(static_cast<unsigned char>(token[0]))) {
                list.push_back(std::stoi(token));
            }
        }
        double value = 0;
        in >> value;
        for (int k : list) out[k] += value;
    }
    return out;
}

double Sum(const std::map<int, double>& forces) {
    double sum = 0;
    for (const auto& f : forces) sum += f.second;
    return sum;
}

}  // namespace

TEST(FullEdgePressure, HalfOfPressureTimesThicknessTimesLengthAtEachCornerIntoTheArea) {
    const FullRun r = RunFull(TestModel("edge-pressure.s2k"));
    // The wall (thickness 2) lies in the X-Z plane, corners 1 2 3 4 going
    // round its local 3 axis (-Y). Edge 2 (corner 2 to 3, 60 long, at x =
    // 100): 0.5 x 2 x 60 / 2 = 30 at each end, pushing towards -X.
    EXPECT_EQ(JointForces(r, "EDGE2", "FX"), (std::map<int, double>{{2, -30}, {3, -30}}));
    // Edge 3 (corner 3 to 4, the top, 100 long): a negative pressure pulls
    // outwards, up, which is STAAD.Pro's +Y.
    EXPECT_EQ(JointForces(r, "EDGE3", "FY"), (std::map<int, double>{{3, 20}, {4, 20}}));
    // A triangle's third edge runs from corner 3 back to corner 1 (joints
    // 3 and 2), and its inside lies towards +X.
    EXPECT_EQ(JointForces(r, "TRIANGLE", "FX"), (std::map<int, double>{{2, 60}, {3, 60}}));
    // A triangle has no fourth edge; a pressure by joint pattern is not
    // spread by the pattern's values.
    EXPECT_TRUE(HasEntry(r.report, "pressure-face-unsupported", "2", "AREA LOADS - SURFACE PRESSURE", "OTHER"));
    EXPECT_TRUE(HasEntry(r.report, "pressure-not-converted", "1", "AREA LOADS - SURFACE PRESSURE", "OTHER"));
    EXPECT_TRUE(JointForces(r, "OTHER", "FX").empty());
    EXPECT_TRUE(JointForces(r, "OTHER", "FY").empty());
    // Nor is one on the top face (which would otherwise be taken as a
    // uniform pressure).
    const FullRun top = RunFull(Replaced(TestModel("edge-pressure.s2k"), "Face=1   Pressure=1   JtPattern=EDGES", "Face=Top   Pressure=1   JtPattern=EDGES"));
    EXPECT_TRUE(HasEntry(top.report, "pressure-not-converted", "1", "AREA LOADS - SURFACE PRESSURE", "OTHER"));
    for (const std::string& line : LoadLines(top, "OTHER")) EXPECT_EQ(line.find(" PR "), std::string::npos) << line;

    // The Abaqus deck takes the same joint forces.
    const FullRun deck = RunFullAbaqus(TestModel("edge-pressure.s2k"));
    EXPECT_TRUE(Has(deck.lines, "2, 1, -30."));
    EXPECT_TRUE(Has(deck.lines, "3, 3, 20."));

    // An area whose section gives no thickness has no force per length.
    const FullRun thin = RunFull(Replaced(TestModel("edge-pressure.s2k"), "Thickness=2", "Thickness=0"));
    EXPECT_TRUE(JointForces(thin, "EDGE2", "FX").empty());
    EXPECT_TRUE(HasEntry(thin.report, "pressure-not-converted", "1", "AREA LOADS - SURFACE PRESSURE", "EDGE2"));
}

TEST(FullEdgePressure, AMeshedAreaSpreadsEachEdgeOverThePiecesAlongIt) {
    const FullRun r = RunFull(TestModel("edge-pressure-meshed.s2k"));
    // Edge 2 is cut in three stretches of 20: 10 at the corners, 20 at the
    // two joints between; the top edge in two of 50: 10, 20, 10.
    const auto edge2 = JointForces(r, "EDGE2", "FX");
    ASSERT_EQ(edge2.size(), 4u);
    EXPECT_DOUBLE_EQ(edge2.at(2), -10);
    EXPECT_DOUBLE_EQ(edge2.at(3), -10);
    EXPECT_DOUBLE_EQ(Sum(edge2), -60);
    const auto edge3 = JointForces(r, "EDGE3", "FY");
    ASSERT_EQ(edge3.size(), 3u);
    EXPECT_DOUBLE_EQ(edge3.at(3), 10);
    EXPECT_DOUBLE_EQ(Sum(edge3), 40);
    // The triangle beside it is not meshed; its edge on the wall keeps
    // its two corners.
    EXPECT_EQ(JointForces(r, "TRIANGLE", "FX"), (std::map<int, double>{{2, 60}, {3, 60}}));
}

TEST(FullTemperature, GradientsAsDifferencesOverTheSectionAndJointPatternsAsTheirMean) {
    const FullRun r = RunFull(TestModel("temperature-gradient.s2k"));
    // 0.5 per length along local 2 (STAAD.Pro's y) over the depth t3 = 12;
    // along local 3 (z) over the width t2 = 6, written after a difference
    // of 0 from top to bottom.
    EXPECT_TRUE(Has(LoadLines(r, "G2"), "1 TEMP 0 6"));
    EXPECT_TRUE(Has(LoadLines(r, "G3"), "1 TEMP 0 0 3"));
    // 10 times the pattern's mean over joints 1 (1) and 2 (3).
    EXPECT_TRUE(Has(LoadLines(r, "WARM"), "1 TEMP 20"));
    // Two rows on one member are added up into one line.
    EXPECT_TRUE(Has(LoadLines(r, "BOTH"), "1 TEMP 30 -3"));
    // A plate's gradient over its thickness 2.
    EXPECT_TRUE(Has(LoadLines(r, "PLATE"), "100001 TEMP 0 0.2"));

    // The deck: the moment E I alpha g of the restrained curvature at each
    // end (29000 x 864 x 6.5E-06 x 0.5 about local 3, which is -Y here;
    // 29000 x 216 x 6.5E-06 x 0.5 about local 2, +Z).
    const FullRun deck = RunFullAbaqus(TestModel("temperature-gradient.s2k"));
    EXPECT_TRUE(Has(deck.lines, "2, 5, 81.432"));
    EXPECT_TRUE(Has(deck.lines, "2, 6, 20.358"));
}

TEST(FullTemperature, AGradientNeedsADepthInBothPrograms) {
    // The section gives no depth: the builder leaves the gradient out.
    const FullRun none = RunFull(Replaced(TestModel("temperature-gradient.s2k"), "t3=12   t2=6   ", ""));
    EXPECT_TRUE(HasEntry(none.report, "temperature-gradient-not-converted", "1", "FRAME LOADS - TEMPERATURE", "G2"));
    EXPECT_TRUE(HasEntry(none.report, "temperature-gradient-not-converted", "1", "FRAME LOADS - TEMPERATURE", "G3"));
    EXPECT_FALSE(Has(LoadLines(none, "G2"), "1 TEMP 0 6"));
    EXPECT_TRUE(Has(LoadLines(none, "BOTH"), "1 TEMP 30"));
    // A member with stiffness modifiers is written with its computed
    // properties alone, which give STAAD.Pro no depth.
    const FullRun modified = RunFull(TestModel("temperature-gradient.s2k") +
                                     TableText("FRAME PROPERTY MODIFIERS", {"Frame=1   AMod=1   AS2Mod=1   AS3Mod=1   JMod=1   I22Mod=1   I33Mod=2   MassMod=1   WeightMod=1"}));
    EXPECT_TRUE(HasEntry(modified.report, "temperature-gradient-not-converted", "1", "FRAME LOADS - TEMPERATURE", "G2"));
    EXPECT_FALSE(Has(LoadLines(modified, "G2"), "TEMPERATURE LOAD"));
    EXPECT_TRUE(Has(LoadLines(modified, "BOTH"), "1 TEMP 30"));
    EXPECT_TRUE(Has(LoadLines(modified, "PLATE"), "100001 TEMP 0 0.2"));
}
