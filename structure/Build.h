// Building the structural model from the tables of the full conversion.
// This is the one place above the readers that knows the words of the
// SAP2000 tables ("Yes", "GLOBAL", "Linear Add", ...): it turns them into
// the numbers and enumerations of Structure, and reports what the model
// holds that the structure cannot.
#pragma once

#include "link/Link.h"
#include "model/Model.h"
#include "model/Report.h"
#include "structure/Structure.h"

namespace corvane {

// `links` must come from a link pass with renumbering, so that every joint,
// member and shell has a whole number.
Structure BuildStructure(const Model& model, const Links& links, Report* report);

}  // namespace corvane
