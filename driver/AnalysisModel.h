// The analysis model of an input: what the full conversion writes, for a
// front end that shows it.
#pragma once

#include "model/Report.h"
#include "reader/InputText.h"
#include "structure/Structure.h"

namespace corvane {

// The structural model of an input held in memory, read, linked and built
// (meshed) as the full conversion does it; what it leaves out goes to
// `report`.
Structure StructureOf(const InputText& input, Report& report);

}  // namespace corvane
