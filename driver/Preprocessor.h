// Writes a cleaned copy of the input beside it (input path + ".tmp"): every
// item on its own line, every comma inside an item turned into a full stop.
#pragma once

#include "model/History.h"
#include "reader/InputText.h"
#include "text/LineSink.h"

#include <string>

namespace corvane {

// The cleaned copy of an input held in memory.
void PreprocessInput(const InputText& input, LineSink& out);

// True when the copy was written completely.
bool Preprocess(const std::string& inputPath, HistoryLog& history, MessageSink& messages);

// The same with the copy at `copyPath` (a command line's output folder or
// -o); a copy path that names the input file is refused before anything is
// written.
bool Preprocess(const std::string& inputPath, const std::string& copyPath, HistoryLog& history, MessageSink& messages);

}  // namespace corvane
