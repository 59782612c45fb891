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

enum class StructureType : std::uint8_t { Space, Plane, Floor, Truss };

struct FullContext {
    const Structure& s;
    LineSink& out;
    HistoryLog& history;
    Report* report;

    // STAAD.Pro's structure type for the model's active directions; SPACE
    // also when they form no other type, and then the inactive directions
    // are held at every joint.
    StructureType type = StructureType::Space;
    bool holdInactive = false;
    ElementNumbers numbers;

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
        scratch = std::to_string(c.s.members[at(i)].number);
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

// A computed number as the file writes it: values within round-off of 0
// are 0.
std::string Number(double value);
// A value as the input gave it, or computed when it has no text.
void AppendValue(std::string& out, const Value& v);
// A value with its sign turned when `negate`.
void AppendSigned(std::string& out, const Value& v, bool negate);

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

}  // namespace corvane
