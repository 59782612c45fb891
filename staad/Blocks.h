// The STAAD.Pro input file, written block by block from the model and its
// links.
#pragma once

#include "link/Link.h"
#include "staad/StaadText.h"
#include "model/History.h"
#include "model/Model.h"
#include "model/Report.h"
#include "text/LineSink.h"

#include <functional>
#include <string>

namespace corvane {

struct StaadContext {
    const Model& model;
    const Links& links;
    LineSink& out;
    HistoryLog& history;
    Report* report = nullptr;
    std::function<void()> stepDone = {};  // called after each block
};

// The number of blocks WriteStaadFile writes (its progress steps).
constexpr std::size_t kStaadBlockCount = 9;

// The whole file: head, units line, every block in order, tail.
void WriteStaadFile(StaadContext& c);

void WriteJointsBlock(StaadContext& c);
void WriteMembersBlock(StaadContext& c);
void WriteShellsBlock(StaadContext& c);
void WriteMaterialsBlock(StaadContext& c);
void WriteSupportsBlock(StaadContext& c);
void WritePropertiesBlock(StaadContext& c);
void WriteReleasesBlock(StaadContext& c);
void WriteLoadingBlock(StaadContext& c);
void WriteCombinationsBlock(StaadContext& c);

// The map of a renumbered file: a header line, then one line per row that
// got a new number (joints, members, areas, each in row order); areas
// numbered in the order of their table as `element` lines with their
// element numbers, each name once.
void WriteNumberMap(const Model& model, const Links& links, LineSink& out);

// STAAD.Pro's direction word of each SAP2000 degree of freedom, in the order
// UX UY UZ RX RY RZ: SAP2000's Y and Z exchange places.
constexpr const char* kStaadDirection[6] = {"FX", "FZ", "FY", "MX", "MZ", "MY"};

// The support text of one joint (PINNED, FIXED or FIXED BUT ...) from its
// six restraint flags in SAP2000's order ux, uy, uz, rx, ry, rz.
std::string SupportCondition(const std::string_view (&flags)[6]);


}  // namespace corvane
