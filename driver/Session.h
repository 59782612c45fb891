// The state a front end keeps between commands, and the commands of the
// core that work on it.
#pragma once

#include "model/History.h"
#include "model/Model.h"
#include "model/Report.h"
#include "reader/InputText.h"
#include "reader/Readers.h"
#include "text/LineSink.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct ConvertOptions {
    bool allSections = false;  // keep frame sections of every shape
    bool renumber = false;     // give joints, members and areas numbers STAAD.Pro accepts
    bool full = false;         // the full conversion (implies the two above; see Resolved)
    unsigned threads = 0;      // threads a command may use; 0: one per core, at most two
};

// The options as a command applies them: the full conversion converts every
// section shape and renumbers. Every front end and command asks this.
inline ConvertOptions Resolved(ConvertOptions o) {
    if (o.full) o.allSections = o.renumber = true;
    return o;
}

struct Session {
    Model model;
    std::string inputPath;
    std::string outputPath;
    ConvertOptions options;
    Report report;          // what the last command left out
    std::string failure;    // what made the last command fail, with its path
    std::string numberMap;  // the number map the last conversion wrote, if any
    // Other files the front end writes for the command (a report): refused
    // with the command's own outputs when two of them, or one of them and
    // the input, are one file.
    std::vector<std::string> otherOutputs;
    // Set when the output is a stream rather than a file (standard
    // output): the output is made in memory and handed over once complete,
    // where a file would replace its target; false from it fails the
    // command. `outputPath` is then not used.
    std::function<bool(const std::string&)> toStream;
};

// Converts the input to a STAAD.Pro file at the output path. True when the
// file was written completely and the success line appended.
// With renumbering, the number map goes beside it (NumberMapPath).
bool MakeStaad(Session& s, HistoryLog& history, MessageSink& messages, Progress* progress = nullptr);

// Writes the shell part of the model as an Abaqus deck at `deckPath`.
bool MakeAbaqus(Session& s, const std::string& deckPath, HistoryLog& history, MessageSink& messages,
                Progress* progress = nullptr);

// The path of the number map beside a STAAD.Pro file.
std::string NumberMapPath(const std::string& staadPath);

// Runs, on the current input, every reader (the conversion's sixteen and
// then the area section assignments). False when the input is missing.
bool ReadAllTables(Session& s, HistoryLog& history);

// Runs one reader alone on the current input, as the window's table
// buttons do; the history is not cleared. False when the input is missing.
bool ReadOneTable(Session& s, void (*reader)(ReadContext&), HistoryLog& history);

// The commands on an input held in memory, without any file: the model is
// read into `model` and the STAAD.Pro file or the Abaqus deck goes to `out`.
void ConvertInput(const InputText& input, Model& model, const ConvertOptions& options, LineSink& out, HistoryLog& history,
                  MessageSink& messages, Report& report);
// Whether the model has elements for an Abaqus deck: areas, or with the
// full conversion solids or frames.
bool HasDeckElements(const Model& model, const ConvertOptions& options);
void AbaqusForInput(const InputText& input, Model& model, const ConvertOptions& options, LineSink& out, HistoryLog& history,
                    MessageSink& messages, Report& report);
void ReadTablesOf(const InputText& input, Model& model, const ConvertOptions& options, HistoryLog& history, Report& report);

}  // namespace corvane
