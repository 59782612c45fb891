// Writes a cleaned copy of the input beside it (input path + ".tmp"): every
// item on its own line, every comma inside an item turned into a full stop.
#pragma once

#include "model/History.h"

#include <string>

namespace corvane {

// True when the copy was written completely.
bool Preprocess(const std::string& inputPath, HistoryLog& history, MessageSink& messages);

}  // namespace corvane
