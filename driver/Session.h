// The state a front end keeps between commands, and the commands of the
// core that work on it.
#pragma once

#include "model/History.h"
#include "model/Report.h"
#include "model/Tables.h"

#include <functional>
#include <string>

namespace corvane {

struct Session {
    ModelTables tables;
    UnitsInfo units;
    RunList runList;
    std::string inputPath;
    std::string outputPath;
    bool allSections = false;  // keep frame sections of every shape
    Report report;             // what the last command left out
    std::string failure;       // "path: reason" of the last failed file operation
};

// Converts the input to a STAAD.Pro file at the output path. True when the
// file was written completely and the success line appended.
bool MakeStaad(Session& s, HistoryLog& history, MessageSink& messages);

// Writes the shell part of the model as an Abaqus deck at `deckPath`.
// `pause` runs after each reader (the window repaints there).
bool MakeAbaqus(Session& s, const std::string& deckPath, HistoryLog& history, MessageSink& messages,
                const std::function<void()>& pause = {});

// Runs, on the current input, the sixteen readers of a conversion and then
// the area section assignments reader. False when the input is missing.
bool ReadAllTables(Session& s, HistoryLog& history);

}  // namespace corvane
