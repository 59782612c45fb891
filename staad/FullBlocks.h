// The blocks of the full conversion's STAAD.Pro file and what they share:
// STAAD.Pro's numbers of elements, its structure type, the exchange of
// axes and its direction words.
#pragma once

#include "link/NameIndex.h"
#include "staad/FullStaad.h"
#include "structure/Numbering.h"
#include "text/NumberList.h"
#include "text/NumberText.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

// The exchange of axes, the one place that knows it: the model's (X, Y, Z)
// with Z up is STAAD.Pro's (X, Z, -Y) with Y up.
inline Vec3 ToStaad(Vec3 a) { return {a.x, a.z, -a.y}; }
inline Vec3 FromStaad(Vec3 a) { return {a.x, -a.z, a.y}; }

// Where each of the model's global directions (UX UY UZ RX RY RZ) lands
// among STAAD.Pro's degrees of freedom FX FY FZ MX MY MZ, and with which
// sign.
struct StaadDof {
    int index;
    bool negate;
};
constexpr StaadDof kStaadDof[6] = {{0, false}, {2, true}, {1, false}, {3, false}, {5, true}, {4, false}};
constexpr const char* kDofWords[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};
constexpr const char* kAxisLetters = "XYZ";

// STAAD.Pro's axis letter and sign of a direction along one of the model's
// global axes, or false for any other direction.
bool StaadAxis(Vec3 modelDirection, char* letter, bool* negate);

// STAAD.Pro's member axes y and z (in STAAD.Pro's own axes) for a member
// or an inclined support along x, with BETA 0.
Axes3 StaadCrossAxes(Vec3 x);

// STAAD.Pro goes round a solid's first face counter-clockwise seen from
// outside: the structure's corners in that order (the first face and the
// opposite one turned round).
constexpr int kStaadSolidCorners[8] = {0, 3, 2, 1, 4, 7, 6, 5};
// The STAAD.Pro face (1 to 6) of a face of the structure's solids.
int StaadSolidFace(int face);

enum class StructureType : std::uint8_t { Space, Plane, Floor, Truss };

struct FullContext {
    FullContext(const Structure& structure, LineSink& lines, HistoryLog& log, Report* entries)
        : s(structure), out(lines), history(log), report(entries) {}

    const Structure& s;
    LineSink& out;
    HistoryLog& history;
    Report* report;

    // STAAD.Pro's structure type for the model's active directions; SPACE
    // also when they form no other type, and then the inactive directions
    // are held at every joint.
    StructureType type = StructureType::Space;
    bool holdInactive = false;
    // Joints whose held directions are moved in some load pattern, written
    // as ENFORCED supports (STAAD.Pro's displacement mode) when the model
    // needs that mode: plates or solids, or more patterns with support
    // displacements than the load mode takes.
    std::vector<bool> enforced;
    ElementNumbers numbers;
    // The members' numbers by item, apart from the members themselves so
    // that lists of many members read a small array in any order.
    std::vector<std::uint32_t> memberNumbers;
    // Primary load cases written so far; combinations are numbered after them.
    std::size_t loadCases = 0;
    bool massModel = false;  // a reference load of mass type was written
    // Spectrum cases of several directions: their loads, combined.
    struct SpectrumCombination {
        std::string name;
        std::vector<std::size_t> loads;
    };
    std::vector<SpectrumCombination> spectrumCombinations;

    void Add(ReportKind kind, std::string_view table, std::string name = {}, std::string a = {}, std::string b = {}) const {
        if (report) report->Add(kind, table, std::move(name), std::move(a), std::move(b));
    }
    void AppendElement(std::string& out, std::uint32_t shell) const {
        AppendNumber(out, numbers.Shell(s, shell));
    }
    std::string SolidNumber(std::uint32_t solid) const { return NumberToText(numbers.Solid(solid)); }
};

// Works out the numbering and the structure type.
void PrepareFull(FullContext& c);

// Whether a direction of a joint is held rigidly by its support (in the
// joint's own axes).
inline bool HeldRigidly(const FullContext& c, const Joint& j, int d) { return j.held[d] || (c.holdInactive && !c.s.active[d]); }

// Folded lists of joint, member, element and solid numbers, from item
// indexes given by at(i); true when the list is not empty.
template <class At>
bool AppendJoints(std::string& out, const FullContext& c, std::size_t n, At at) {
    std::string scratch;
    return AppendFoldedList(out, n, [&](std::size_t i) -> std::string_view {
        scratch = std::to_string(c.s.joints[at(i)].number);
        return scratch;
    });
}
template <class At>
bool AppendMembers(std::string& out, const FullContext& c, std::size_t n, At at) {
    std::string scratch;
    return AppendFoldedList(out, n, [&](std::size_t i) -> std::string_view {
        scratch = std::to_string(c.memberNumbers[at(i)]);
        return scratch;
    });
}
template <class At>
bool AppendElements(std::string& out, const FullContext& c, std::size_t n, At at) {
    std::string scratch;
    return AppendFoldedList(out, n, [&](std::size_t i) -> std::string_view {
        scratch.clear();
        c.AppendElement(scratch, at(i));
        return scratch;
    });
}
template <class At>
bool AppendSolids(std::string& out, const FullContext& c, std::size_t n, At at) {
    std::string scratch;
    return AppendFoldedList(out, n, [&](std::size_t i) -> std::string_view {
        scratch = c.SolidNumber(at(i));
        return scratch;
    });
}

// Writes one line per text of the groups, its list then its text, with the
// header before the first; the groups are cleared.
template <class AppendList>
void WriteGroupLines(const FullContext& c, TextGroups& groups, AppendList appendList, const char* header = nullptr, bool trim = true) {
    groups.Finish();
    std::string line;
    bool first = true;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        line.clear();
        if (!appendList(line, groups.Rows(g))) continue;
        if (first && header) c.out.Line(header);
        first = false;
        if (trim) line.pop_back();
        line.append(groups.Text(g));
        c.out.Line(line);
    }
    groups.Clear();
}

// A name as a STAAD.Pro command takes it (see text/SafeNames.h).
std::string StaadName(std::string_view name);

// A computed number as the file writes it: values within round-off of 0
// are 0.
std::string Number(double value);
// A value as the input gave it, or computed when it has no text.
void AppendValue(std::string& out, const Value& v);
// A value with its sign turned when `negate`.
void AppendSigned(std::string& out, const Value& v, bool negate);

// Member loads on members with rigid end zones as STAAD.Pro measures them,
// and the joint loads of what lies on the zones.
void SplitAtRigidZones(const Structure& s, const std::vector<MemberLoad>& in, std::vector<MemberLoad>* out, std::vector<JointLoad>* joints);

// Whether the property a member is written with gives STAAD.Pro its
// section's depth along local y (across 0) or its width along z (across 1),
// which a temperature difference across the section needs.
bool PropertyGivesDepth(const Structure& s, std::uint32_t member, int across);

void WriteFullJoints(FullContext& c);
void WriteFullMembers(FullContext& c);
void WriteFullElements(FullContext& c);     // shells and solids
void WriteFullMaterials(FullContext& c);    // materials, assignments, BETA
void WriteFullSupports(FullContext& c);
void WriteFullProperties(FullContext& c);
void WriteFullReleases(FullContext& c);     // releases, offsets, constraints
void WriteFullLoads(FullContext& c);        // the load cases, P-Delta ones in analyses of their own
void WriteFullCombinations(FullContext& c); // combinations, envelopes, the last analysis command

// The loads of a pattern as lines of a primary load, every value times
// `scale`.
void WritePatternLoads(FullContext& c, const LoadPattern& p, double scale);
// STAAD.Pro's load type of a category of loads.
const char* LoadTypeWord(LoadCategory category);

// STAAD.Pro's numbers of the loads: linear static cases first, then the
// P-Delta cases, analysed in groups of one number of iterations, then the
// combinations; envelopes are numbered apart. 0 for what is not written.
struct LoadNumbers {
    std::vector<std::uint32_t> ofCase, ofCombination, ofEnvelope;
    std::size_t linear = 0, primaries = 0;
    // The loads of the dynamic analysis follow the linear cases; the
    // combinations of spectrum directions come first among the combinations.
    std::uint32_t firstDynamic = 0, firstSpectrumCombination = 0;
    // The P-Delta cases by group, with each group's iterations.
    std::vector<std::vector<std::uint32_t>> phases;
    std::vector<int> iterations;
    // Envelopes left out for a load an earlier one holds, with that load.
    std::vector<std::pair<std::uint32_t, std::string>> overlaps;
};
LoadNumbers NumberLoads(const Structure& s);
// Settings before the joints the loads need (the number of primary loads
// when they are analysed more than once).
void WriteFullAnalysisSettings(FullContext& c);

// Before the first load: the number of modes and the mass model; after the
// primary loads: the modal analysis (returns the load cases it wrote).
void WriteMassModel(FullContext& c);
// The number of loads WriteModalCases writes, and of the combinations of
// spectrum directions.
std::size_t DynamicLoadCount(const Structure& s);
std::size_t SpectrumCombinationCount(const Structure& s);
std::size_t WriteModalCases(FullContext& c, std::size_t number);

}  // namespace corvane
