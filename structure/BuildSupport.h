// What the parts of the structure builder share: reading cells as values,
// vocabulary words and flags, and the rows of names.
#pragma once

#include "link/Link.h"
#include "model/Model.h"
#include "model/Report.h"
#include "structure/Structure.h"

#include <string>
#include <string_view>

namespace corvane {

struct BuildContext {
    const Model& model;
    const Links& links;
    Report* report;
    Structure& s;

    // The text of a cell as the tables show it: its bytes, the column's
    // text for a missing field, a quoted value with its "$".
    std::string_view Shown(const Table& t, std::size_t row, int col);
    Value ValueAt(const Table& t, std::size_t row, int col);
    // A number cell that gives a finite decimal: its value; otherwise false.
    bool Finite(const Table& t, std::size_t row, int col, double* value) const;
    // A modifier: 1 when the row is missing or the cell is no number.
    double Modifier(const Table& t, std::int64_t row, int col) const;

    // The whole number a joint, member or area row carries.
    std::uint32_t NumberOf(NameKind kind, const Table& t, std::size_t row, int col, bool* renumbered) const;

    void Add(ReportKind kind, std::string_view table, std::string name = {}, std::string a = {}, std::string b = {}) const {
        if (report) report->Add(kind, table, std::move(name), std::move(a), std::move(b));
    }
};

// A vocabulary word of a cell as the export meant it: without quotes and
// "$" markers, in capitals ("Linear Add" -> "LINEAR ADD").
std::string Word(const Table& table, std::size_t row, int col);
// Whether a Yes/No flag is Yes, in any letter case.
bool IsYes(const Table& table, std::size_t row, int col);

// The structure's corner (0 to 7) of SAP2000's solid corner j (1 to 8).
int SolidCornerOf(int j);

// The index of a row found by a name index, or kNoItem.
inline std::uint32_t ItemOf(std::int64_t row) { return row == NameIndex::kNone ? kNoItem : static_cast<std::uint32_t>(row); }

// The category of a design type word ("SUPER DEAD").
LoadCategory CategoryOf(const std::string& designType);

// The parts of the builder, in the order they run; the load cases and
// combinations are built after the patterns' loads.
void BuildElements(BuildContext& c);
void BuildLoads(BuildContext& c);
void BuildDynamics(BuildContext& c);
void BuildSpectra(BuildContext& c);
void BuildMeshRequests(BuildContext& c);
void BuildCases(BuildContext& c);
// After meshing: pressures on the edges of areas as the joint loads they
// give, spread over the joints the mesh put on each edge.
void BuildEdgePressures(BuildContext& c);

}  // namespace corvane
