// The structural model: the structure an engineer describes, in numbers
// and enumerations, built once from the linked tables by BuildStructure.
// It names no table vocabulary and no command of any output program; the
// full writers (STAAD.Pro, Abaqus) read it and nothing else of the input.
//
// Conventions: directions and coordinates are in the model's axes (X, Y
// horizontal, Z up); degrees of freedom come in the order UX UY UZ RX RY RZ;
// rotational stiffnesses are per radian, angles in degrees; lengths, forces
// and temperatures in the model's units. Every item keeps its origin (table
// and row), so that the report and the number map can name it.
#pragma once

#include "model/Tables.h"
#include "structure/Geometry.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Model;

// A number with the text the input gave it, so that a writer that passes
// the value on unchanged can keep the engineer's digits. `text` is empty
// for a computed value.
struct Value {
    double value = 0;
    std::string_view text;
};

// Where an item came from.
struct Origin {
    TableId table = TableId::Joints;
    std::uint32_t row = 0;
};

constexpr std::uint32_t kNoItem = ~std::uint32_t(0);

using DofFlags = std::array<bool, 6>;
using DofValues = std::array<double, 6>;

// Joints, members and shells carry a whole number (the number of their name,
// or a new one when the name is no number an output file can take) and
// their name as the model gives it.
struct Joint {
    Origin origin;
    std::string_view name;
    std::uint32_t number = 0;
    bool renumbered = false;
    std::array<Value, 3> at;      // X, Y, Z
    bool valid = true;            // every coordinate is a finite number
    // The support: held directions and spring stiffnesses, in `axes`.
    DofFlags held{};
    DofValues spring{};
    bool rotated = false;         // `axes` are the joint's own, not the global ones
    Axes3 axes = kGlobalAxes;
    // Made by meshing: `origin` is then the frame or area row it was made
    // for, and `name` that object's name.
    bool added = false;
};

// A joint's place as a vector.
inline Vec3 Position(const Joint& j) { return {j.at[0].value, j.at[1].value, j.at[2].value}; }

// How a material's stiffness depends on direction. Orthotropic and
// anisotropic materials give the moduli along their own axes 1, 2, 3,
// which follow the element's local axes turned by the section's material
// angle.
enum class MaterialSymmetry : std::uint8_t { Isotropic, Orthotropic, Anisotropic, Uniaxial };

struct Material {
    Origin origin;
    std::string name;
    Value elasticity, poisson, weightDensity;  // poisson's text is empty when the input left it blank
    bool poissonGiven = false;
    Value expansion;                           // thermal expansion; text empty when not given
    bool expansionGiven = false;
    double massDensity = 0;                    // mass per volume
    MaterialSymmetry symmetry = MaterialSymmetry::Isotropic;
    // Beyond E1, U12 and A1: E2 E3 G12 G13 G23 U13 U23 A2, each with an
    // empty text when not given.
    enum Directional : int { kE2, kE3, kG12, kG13, kG23, kU13, kU23, kA2, kDirectionalCount };
    std::array<Value, kDirectionalCount> directional;
};

// The shape of a frame section as far as the writers tell shapes apart.
enum class Profile : std::uint8_t { Rectangle, Circle, ISection, General };

// The section properties in the order area, torsion constant, I22, I33,
// shear area along 2, shear area along 3.
enum SectionProperty : int { kArea, kTorsion, kI22, kI33, kShear2, kShear3 };
using SectionValues = std::array<Value, 6>;
using Modifiers = std::array<double, 6>;
constexpr Modifiers kNoModifiers{{1, 1, 1, 1, 1, 1}};

struct FrameSection {
    Origin origin;
    std::string name;
    std::uint32_t material = kNoItem;
    Profile profile = Profile::General;
    std::string dimensions;     // the shape's dimensions as given (depth width; or the I-section's seven)
    Value depth, width;
    SectionValues properties;   // computed properties; `hasProperties` when the first four are numbers
    bool hasProperties = false;
    Modifiers modifiers = kNoModifiers;  // the section's own stiffness modifiers
    bool modifiersGiven = false;
};

struct MemberEnd {
    DofFlags released{};     // P V2 V3 T M2 M3
    // The spring stiffnesses of released directions (partial fixity), an
    // entry of Structure::endSprings; kNoItem for none. Few ends have them,
    // and the members of a large model are many.
    std::uint32_t springs = kNoItem;
    double rigidLength = 0;  // rigid end zone along the member
};

struct Member {
    Origin origin;
    std::string_view name;
    std::uint32_t number = 0;
    bool renumbered = false;
    std::uint32_t i = kNoItem, j = kNoItem;      // joints
    std::uint32_t section = kNoItem;
    std::uint32_t material = kNoItem;
    double angle = 0;           // cross-section turned about local 1, degrees
    bool hasAxes = false;
    Axes3 axes = kGlobalAxes;   // local 1 2 3 by SAP2000's rule, the angle included
    Modifiers modifiers = kNoModifiers;          // the member's own (its section's apart, in the section)
    double weightScale = 1;     // self weight as the model counts it over area x unit weight
    double massScale = 1;       // the mass modifiers of the member and its section
    double addedMass = 0;       // mass per length besides the member's own
    MemberEnd ends[2];
    bool piece = false;         // a piece of a meshed frame other than its first (origin: the frame)
};

enum class ShellKind : std::uint8_t { Shell, Plate, Membrane, PlaneStress, PlaneStrain, Axisymmetric };

struct ShellSection {
    Origin origin;
    std::string name;
    std::string materialName;   // as the section names it
    std::uint32_t material = kNoItem;
    ShellKind kind = ShellKind::Shell;
    Value thickness;
    double materialAngle = 0;   // degrees from the element's local 1 to the material's axis 1, about 3
};

struct Shell {
    Origin origin;
    std::string_view name;
    std::uint32_t number = 0;   // the area's number (an element number is made from it)
    bool renumbered = false;
    std::uint8_t corners = 0;   // 3 or 4; 0 when the area has another count
    std::array<std::uint32_t, 4> joints{{kNoItem, kNoItem, kNoItem, kNoItem}};
    std::uint32_t section = kNoItem;
    double weightScale = 1;
    double massScale = 1;       // the mass modifiers of the shell and its section
    double addedMass = 0;       // mass per area besides the shell's own
    double angle = 0;           // degrees the local axes 1 and 2 are turned about 3
    bool piece = false;         // an element of a meshed area other than its first (origin: the area)
};

// An eight-node solid. Its corners go round one face, then round the
// opposite face in the same sense, the first face counter-clockwise seen
// from the opposite face (the right-handed order of the usual eight-node
// brick: corner 4 above corner 0, and so on).
struct Solid {
    Origin origin;
    std::string_view name;
    std::array<std::uint32_t, 8> joints{};
    bool complete = false;        // every corner is a joint
    std::uint32_t material = kNoItem;
};

// A set of joints tied together: `tied` lists the tied directions; all six
// make a rigid body, UX UY RZ a diaphragm in the XY plane and so on.
struct Constraint {
    Origin origin;
    DofFlags tied{};
    bool diaphragm = false;
    Vec3 axis;                    // a diaphragm's normal
    std::uint32_t master = kNoItem;
    std::vector<std::uint32_t> slaves;        // joints
    std::vector<std::uint32_t> slaveOrigins;  // their assignment rows, for the order of lists
};

// Loads. Directions are unit vectors in a named set of axes.
enum class LoadAxes : std::uint8_t { Global, Local, Projected };
struct Direction {
    LoadAxes axes = LoadAxes::Global;
    Vec3 vector;
};

enum class LoadKind : std::uint8_t { Force, Moment };

// Loads along a member: distributed (from `a` to `b`, intensities qa, qb)
// or concentrated (at `a`, value qa). Distances from joint I.
struct MemberLoad {
    Origin origin;
    std::uint32_t member = kNoItem;
    std::string_view memberName;  // the member as the load names it
    LoadKind kind = LoadKind::Force;
    bool concentrated = false;
    bool whole = false;           // distributed over the whole member; `a` and `b` then carry no position
    Direction direction;
    Value a, b, qa, qb;
};

// A uniform load over a shell per unit area.
struct ShellLoad {
    Origin origin;
    std::uint32_t shell = kNoItem;
    Direction direction;
    Value value;
};

// Forces and moments at a joint, in global axes.
struct JointLoad {
    Origin origin;
    std::uint32_t joint = kNoItem;
    std::array<Value, 6> components;
};

// Self weight of one member or shell by direction: multipliers of its
// weight along global X, Y, Z.
struct GravityLoad {
    Origin origin;
    bool shell = false;
    std::uint32_t item = kNoItem;
    std::array<Value, 3> multipliers;
};

// A temperature change of a member or shell: `change` uniform over the
// section, and a linear variation across it. `gradient` is the rise per
// unit length along a member's local 2 and 3 axes (a shell's along its
// local 3, across the thickness, in gradient[1]); `difference` is the
// rise over the section: the gradient times the member's depth along 2
// and width along 3, or the shell's thickness.
struct TemperatureLoad {
    Origin origin;
    bool shell = false;
    std::uint32_t item = kNoItem;
    Value change;
    std::array<double, 2> gradient{}, difference{};
};

// The faces of a solid, numbered 1 to 6, as its corners (counted 0 to 7 in
// the solid's order): the first face, the opposite one, then the four
// sides in the order of the first face's edges.
constexpr int kSolidFaceCorners[6][4] = {{0, 1, 2, 3}, {4, 7, 6, 5}, {0, 4, 5, 1}, {1, 5, 6, 2}, {2, 6, 7, 3}, {3, 7, 4, 0}};

// The face (1 to 6) that has these four corners in any order; 0 for none.
inline int SolidFaceOf(const int (&corners)[4]) {
    for (int f = 0; f < 6; ++f) {
        int found = 0;
        for (int c : corners)
            for (int k : kSolidFaceCorners[f]) found += c == k;
        if (found == 4) return f + 1;
    }
    return 0;
}

// A pressure on a face of a shell (its top or bottom) or of a solid (a face
// of kSolidFaceCorners). Positive pushes into the face.
struct FacePressure {
    Origin origin;
    bool solid = false;
    std::uint32_t item = kNoItem;
    int face = 0;           // shells: +1 top (pushes along -3), -1 bottom
    Value pressure;
};

// An imposed displacement of a joint's support, in global axes.
struct GroundDisplacement {
    Origin origin;
    std::uint32_t joint = kNoItem;
    std::array<Value, 6> components;  // lengths and radians
    DofFlags given{};
};

enum class LoadCategory : std::uint8_t { Other, Dead, SuperDead, Live, ReducibleLive, RoofLive, Wind, Seismic, Snow, Temperature };

struct LoadPattern {
    Origin origin;
    std::string name;
    LoadCategory category = LoadCategory::Other;
    Value selfWeight;           // multiplier of the model's weight along -Z
    bool selfWeightGiven = false;
    std::vector<MemberLoad> memberLoads;
    std::vector<ShellLoad> shellLoads;
    std::vector<JointLoad> jointLoads;
    std::vector<GravityLoad> gravity;
    std::vector<TemperatureLoad> temperatures;
    std::vector<FacePressure> pressures;
    std::vector<GroundDisplacement> displacements;
};

// What a load case analyses, as far as the conversion tells cases apart:
// a linear static case; a static case whose only nonlinearity is P-Delta
// (geometric stiffness from its own axial forces, full load at once); the
// kinds no rule converts, kept so that the report can name them.
enum class CaseKind : std::uint8_t {
    LinearStatic,
    PDeltaStatic,
    NonlinearStatic,   // large displacements, staged, displacement control
    Modal,
    ResponseSpectrum,
    Buckling,
    TimeHistory,       // linear or nonlinear, modal or direct, steady state
    Other,
};

// A load pattern applied by a case, times its factor.
struct CaseTerm {
    std::uint32_t pattern;
    Value factor;
};

// A uniform acceleration of the model's masses along a global axis (0 X,
// 1 Y, 2 Z) in a static case.
struct CaseAcceleration {
    int axis = 0;
    Value factor;
    std::string name;   // as the case names it (U1, "Accel UX", ...)
};

struct LoadCase {
    Origin origin;
    std::string name;
    CaseKind kind = CaseKind::LinearStatic;
    LoadCategory category = LoadCategory::Other;
    std::vector<CaseTerm> terms;
    std::vector<CaseAcceleration> accelerations;
    int iterations = 1;                  // P-Delta iterations
    std::uint32_t initial = kNoItem;     // the case whose final state it starts from
    // The case is carried across: linear static from the unstressed state,
    // or P-Delta static, with every term and acceleration understood.
    bool converted = false;
};

enum class CombinationKind : std::uint8_t { Add, Srss, Abs, Envelope };

// A term of a combination: a load case or an earlier combination. Linear
// additive combinations hold cases only (nested ones multiplied out).
struct CombinationTerm {
    std::uint32_t item;     // index of a load case or of a combination
    double factor;
    std::string_view text;  // the factor as the input wrote it, when it is used once and not multiplied
    bool combination = false;
};

struct Combination {
    Origin origin;
    std::string name;
    CombinationKind kind = CombinationKind::Add;
    std::vector<CombinationTerm> terms;
};

// The masses of a dynamic analysis: the structure's own (its elements'
// material mass) and the masses added to joints, members and shells.
struct MassSource {
    bool elements = true;
    bool added = true;
    // Load patterns whose weight (their loads along gravity) counts as
    // mass, each with its factor.
    std::vector<std::pair<std::uint32_t, double>> patterns;
};

// Masses added to a joint, along and about the global axes.
struct JointMass {
    Origin origin;
    std::uint32_t joint = kNoItem;
    DofValues mass{};
    bool element = false;   // an element's own mass moved to its joint (counts as element mass)
};

// An analysis of the structure's modes of vibration.
struct ModalCase {
    Origin origin;
    std::string name;
    std::uint32_t modes = 12;
    bool ritz = false;          // asked for load-dependent Ritz vectors
};

// A response-spectrum analysis: the modal responses to a spectrum of
// accelerations along one or more global directions, combined.
enum class ModalCombination : std::uint8_t { Cqc, Srss, Abs };
struct SpectrumDirection {
    int axis = 0;                  // 0 X, 1 Y, 2 Z
    double scale = 1;              // the spectrum's values times this are accelerations
    std::vector<std::pair<double, double>> points;  // period, value
};
struct SpectrumCase {
    Origin origin;
    std::string name;
    ModalCombination combination = ModalCombination::Cqc;
    double damping = 0.05;
    std::vector<SpectrumDirection> directions;  // combined by the square root of the sum of squares
};

// A spring under a shell, normal to its face, per unit area.
struct ShellSpring {
    Origin origin;
    std::uint32_t shell = kNoItem;
    double stiffness = 0;
};

// Automatic meshing the model asks for; MeshStructure carries it out.
struct FrameMesh {
    std::uint32_t member = kNoItem;
    bool atJoints = false;      // split at the joints that lie on the frame
    bool atFrames = false;      // split where it meets another frame
    int segments = 0;           // at least this many equal pieces over the length (0: no rule)
    double maxLength = 0;       // pieces no longer than this (0: no rule)
};
struct AreaMesh {
    std::uint32_t shell = kNoItem;
    int along12 = 1, along14 = 1;  // elements along the edge from corner 1 to 2, and from 1 to 4
    bool edgeSupports = false;     // a joint added on an edge is held where both its corners are
    bool faceSupports = false;     // any added joint is held where all four corners are
};

struct Structure {
    std::string forceUnit, lengthUnit;   // as the model names them
    double metresPerLength = 0;          // the length unit in metres; 0 when unknown
    // Shell k's element number in the output files is this plus its number:
    // the numbering keeps elements apart from members.
    double elementOffset = 100000;
    // The directions the model lets move (UX..RZ).
    DofFlags active{{true, true, true, true, true, true}};

    std::vector<Joint> joints;        // one per row of the joint table, in its order
    std::vector<Material> materials;
    std::vector<FrameSection> frameSections;
    std::vector<Member> members;      // one per frame row
    std::vector<DofValues> endSprings;  // the springs of member ends (MemberEnd::springs), 0 for none
    std::vector<ShellSection> shellSections;
    std::vector<Shell> shells;        // one per area row
    std::vector<Solid> solids;        // one per solid row
    std::vector<Constraint> constraints;
    std::vector<ShellSpring> shellSprings;
    std::vector<LoadPattern> patterns;
    // What is analysed: the load cases, in the model's order (one linear
    // static case per pattern when the model defines none), and the
    // combinations of cases, each after every combination it names.
    std::vector<LoadCase> cases;
    std::vector<Combination> combinations;
    std::vector<ModalCase> modalCases;
    std::vector<SpectrumCase> spectrumCases;
    MassSource mass;
    std::vector<JointMass> jointMasses;
    std::vector<FrameMesh> frameMeshes;
    std::vector<AreaMesh> areaMeshes;

    // Section assignments in the order the model lists them (an item may
    // be assigned more than once): members with their section and
    // material, shells with their section.
    struct Assignment {
        std::uint32_t item;
        std::uint32_t section;   // kNoItem when the section is unknown
        std::uint32_t material;  // kNoItem when the material is unknown
    };
    std::vector<Assignment> memberAssignments, shellAssignments;

    // Texts the items point into that the input does not hold as they are
    // shown (quoted names); kept here so that every view stays valid.
    std::deque<std::string> texts;
};

// The spring stiffness of direction d at a member's end; 0 for none.
inline double EndSpring(const Structure& s, const MemberEnd& e, int d) { return e.springs == kNoItem ? 0 : s.endSprings[e.springs][d]; }

}  // namespace corvane
