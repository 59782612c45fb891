// One reader per SAP2000 table. Each replaces its own table (or the units),
// appends its history lines and leaves every other table alone.
#pragma once

#include "model/History.h"
#include "model/Report.h"
#include "model/Tables.h"
#include "reader/InputText.h"

namespace corvane {

struct ReadContext {
    const InputText& input;
    ModelTables& tables;
    UnitsInfo& units;
    HistoryLog& history;
    Report* report = nullptr;  // collects what is left out, when wanted
    bool allSections = false;  // keep frame sections of every shape
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

// The readers of a conversion, in the order a conversion runs them.
void ReadModelForStaad(ReadContext& c);

}  // namespace corvane
