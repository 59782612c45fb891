// The blocks of a STAAD.Pro input file, written from the model tables.
#pragma once

#include "model/History.h"
#include "model/Report.h"
#include "model/Tables.h"
#include "reader/Lookups.h"
#include "staad/LineSink.h"

namespace corvane {

// A shell element's number is its area number plus this offset.
constexpr double ShellNumberOffset = 100000;

struct WriteContext {
    const ModelTables& tables;
    LineSink& out;
    HistoryLog& history;
    RunList& runList;
    SectionAreaLookup& areas;  // shell elements of an area section
    Report* report = nullptr;
};

// The shell element number of an area name.
std::string ShellNumber(std::string_view areaName);

void WriteJointsBlock(WriteContext& c);
void WriteMembersBlock(WriteContext& c);
void WriteShellsBlock(WriteContext& c);
void WriteMaterialsBlock(WriteContext& c);
void WriteSupportsBlock(WriteContext& c);
void WritePropertiesBlock(WriteContext& c);
void WriteReleasesBlock(WriteContext& c);
void WriteLoadingBlock(WriteContext& c);
void WriteCombinationsBlock(WriteContext& c);

// The support text of one joint (PINNED, FIXED or FIXED BUT ...) from its six restraint flags.
std::string Support_Condition(const std::string& ux, const std::string& uy, const std::string& uz,
                              const std::string& rx, const std::string& ry, const std::string& rz);

// The STAAD.Pro units line for the model's units.
std::string UnitsLine(const UnitsInfo& units);

}  // namespace corvane
