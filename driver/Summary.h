// What a front end tells about a model and a conversion besides the
// history and the report: the units as the model names them, how many
// joints, members, elements, supports, load cases and combinations the
// SAP2000 model and the written STAAD.Pro file hold, how grave each report
// kind is, and opening a model for its tables.
#pragma once

#include "model/History.h"
#include "model/Model.h"
#include "model/Report.h"
#include "reader/InputText.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct Session;

// The units of the model as its PROGRAM CONTROL table names them
// (CurrUnits="Kip, in, F"); empty texts when it names none.
struct UnitNames {
    std::string force, length, temperature;
};
UnitNames UnitNamesOf(const InputText& input);
// The same, read from a file; empty texts when it cannot be read.
UnitNames ReadUnitNames(const std::string& path);

// The counts a conversion is checked by, in the order they are shown.
struct ModelCounts {
    enum Item { Joints, Members, Elements, Supports, LoadCases, Combinations, kItems };
    std::array<std::size_t, kItems> n{};
};
extern const char* const kCountNames[ModelCounts::kItems];

// What the tables of a SAP2000 model hold: joints, frames, areas and
// solids, restrained joints, load patterns and combinations.
ModelCounts CountModel(const Model& model);
// What a STAAD.Pro input file holds: the lines of its joint, member and
// element incidence blocks, the joints its SUPPORTS lines list, its
// primary loads and its load combinations.
ModelCounts CountStaadText(std::string_view text);
// The same of a file; nothing when it cannot be read (*error set).
std::optional<ModelCounts> CountStaadFile(const std::string& path, int* error);

// How grave a report kind is: an error makes the output wrong or
// unreadable, a warning leaves part of the model behind, a note tells what
// was done without loss.
enum class Severity { Error, Warning, Note };
constexpr std::size_t kSeverityCount = 3;
Severity SeverityOf(ReportKind kind);
// Entries of the report by severity.
std::array<std::size_t, kSeverityCount> CountBySeverity(const Report& report);

// Reads every table of the current input, as ReadAllTables does, and
// fails when the input is no SAP2000 table export: the report then holds
// `not-tabular` and s.failure says why, naming the path. The unit names
// come out of the same reading. False when the input is missing too (with
// s.failure set when it exists but cannot be read).
bool OpenModelTables(Session& s, HistoryLog& history, UnitNames* units);

}  // namespace corvane
