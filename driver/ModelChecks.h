// Checks of the read model that the report needs: numbering STAAD.Pro
// cannot use and references to joints that do not exist.
#pragma once

#include "model/Report.h"
#include "model/Tables.h"
#include "reader/InputText.h"

namespace corvane {

// `withMembers` adds the checks of frame members (the STAAD.Pro file has
// them; the Abaqus deck does not).
void CheckModel(const InputText& input, const ModelTables& tables, Report& report, bool withMembers);

}  // namespace corvane
