// Checks of the read model that the report needs: numbering STAAD.Pro
// cannot use and references to joints that do not exist.
#pragma once

#include "model/Report.h"
#include "model/Tables.h"
#include "reader/InputText.h"

namespace corvane {

void CheckModel(const InputText& input, const ModelTables& tables, Report& report);

}  // namespace corvane
