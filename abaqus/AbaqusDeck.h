// The shell part of the model as an Abaqus input deck: nodes, shell
// elements, sections, materials, supports and one pressure step.
#pragma once

#include "model/History.h"
#include "model/Tables.h"
#include "reader/Lookups.h"
#include "staad/LineSink.h"

namespace corvane {

// Writes every line of the deck from the tables read for it.
void WriteAbaqusDeck(const ModelTables& tables, SectionAreaLookup& areas, LineSink& out);

}  // namespace corvane
