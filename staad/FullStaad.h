// The STAAD.Pro file of the full conversion, written from the structural
// model alone: every STAAD.Pro word, the exchange of axes and STAAD.Pro's
// numbering of elements and loads live in this writer.
#pragma once

#include "model/History.h"
#include "model/Report.h"
#include "structure/Structure.h"
#include "text/LineSink.h"

#include <functional>

namespace corvane {

// The number of blocks WriteFullStaadFile writes (its progress steps).
constexpr std::size_t kFullStaadBlockCount = 9;

void WriteFullStaadFile(const Structure& s, LineSink& out, HistoryLog& history, Report* report,
                        const std::function<void()>& stepDone = {});

// The number map beside the file: every joint, member and area that got a
// new number, then every solid element, then every load with the case or
// combination it stands for.
void WriteFullNumberMap(const Structure& s, LineSink& out);

}  // namespace corvane
