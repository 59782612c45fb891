// One reader per SAP2000 table. Each replaces its own table (or the units),
// appends its history lines and leaves every other table alone.
#pragma once

#include "model/History.h"
#include "model/Model.h"
#include "model/Report.h"
#include "reader/InputText.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace corvane {

struct ReadOptions {
    bool allSections = false;  // keep frame sections of every shape
    unsigned threads = 0;      // readers run at once; 0: one per core, at most two
    bool full = false;         // the full conversion: its columns and its own tables too
};

struct ReadContext {
    const InputText& input;
    Model& model;
    HistoryLog& history;
    Report* report = nullptr;  // collects what is left out, when wanted
    ReadOptions options = {};
    // Called once per reader done, in the readers' order (whole-model
    // commands only).
    std::function<void()> stepDone = {};
};

void ReadUnits(ReadContext& c);
void ReadJoints(ReadContext& c);
void ReadFrames(ReadContext& c);
void ReadAreas(ReadContext& c);
void ReadRestraints(ReadContext& c);
void ReadReleases(ReadContext& c);
void ReadMaterials(ReadContext& c);
void ReadFrameSections(ReadContext& c);
void ReadAreaSections(ReadContext& c);
void ReadFrameSectionAssigns(ReadContext& c);
void ReadAreaSectionAssigns(ReadContext& c);
void ReadLoadPatterns(ReadContext& c);
void ReadFrameDistLoads(ReadContext& c);
void ReadFramePointLoads(ReadContext& c);
void ReadJointLoads(ReadContext& c);
void ReadAreaLoads(ReadContext& c);
void ReadCombinations(ReadContext& c);
// A table of the full conversion, every field by its key; no history lines.
void ReadByKeys(ReadContext& c, TableId id);
template <TableId id>
void ReadByKeysOf(ReadContext& c) {
    ReadByKeys(c, id);
}

// The commands that read a whole model.
enum class ModelCommand { Convert, Abaqus, Tables };

// How a command runs a reader: with its history lines, without them (the
// table is needed but the command never reported reading it), or not at all.
enum class ReaderUse { Shown, Silent, Skipped };

struct ReaderStep {
    void (*read)(ReadContext&);
    std::string_view name;  // what the window's button for it says
    ReaderUse convert, abaqus, tables;
    // The model table it fills; none for the units, which fill no table.
    std::optional<TableId> id;
    std::string_view table;  // the SAP2000 table it reads (the id's own)
    bool neededByOthers;     // another reader looks into its table
    bool fullOnly = false;   // run by the full conversion only
    ReaderUse UseIn(ModelCommand command) const {
        return command == ModelCommand::Convert ? convert : command == ModelCommand::Abaqus ? abaqus : tables;
    }
    // The full Abaqus deck is the whole model: it reads every table, the
    // ones the classic deck skips silently.
    bool RunsIn(ModelCommand command, bool full) const {
        return (UseIn(command) != ReaderUse::Skipped || (full && command == ModelCommand::Abaqus)) && (full || !fullOnly);
    }
};

// Every reader, in the order the commands run them.
extern const ReaderStep kReaderSteps[];
extern const std::size_t kReaderStepCount;

// The reader that fills a model table; nullptr for none. Each table has
// one reader, even where two tables read the same SAP2000 table (the
// combinations, classic and full).
const ReaderStep* ReaderOf(TableId id);
// The units reader.
const ReaderStep& UnitsReader();

// Runs the readers of a command. Their history lines and report entries
// come out in the readers' order; the readers themselves may run at the
// same time on several threads, those that others need first.
void ReadModel(ReadContext& c, ModelCommand command);

// Number of readers a command runs (its progress steps).
std::size_t ReaderCount(ModelCommand command, bool full = false);

// Reports, for the conversion, what the input holds that it does not read:
// the content kinds no rule converts (links, cables, tendons, joint masses,
// analysis cases other than linear static ones) with their counts, and
// every other table with records that no reader of the command read.
void ReportUnread(const InputText& input, ModelCommand command, bool full, Report& report);

}  // namespace corvane
