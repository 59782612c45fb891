// The `tables` command's listing of the model: tab-separated blocks, or one
// JSON object.
#pragma once

#include "model/Model.h"

#include <cstdio>
#include <string>
#include <vector>

namespace corvane {

// Each writes the whole listing; false when a write failed.
bool WriteTablesText(const Model& model, std::FILE* out);
bool WriteTablesJson(const Model& model, const std::vector<std::string>& history, std::FILE* out);

}  // namespace corvane
