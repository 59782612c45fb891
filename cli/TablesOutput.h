// The `tables` command's listing of the model: tab-separated blocks, or one
// JSON object.
#pragma once

#include "model/Model.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Takes the next bytes of the listing (in pieces of a few megabytes); false
// when they could not be written.
using ByteWriter = std::function<bool(std::string_view)>;

// Each writes the whole listing; false when a write failed, after which
// nothing more is written.
bool WriteTablesText(const Model& model, const ByteWriter& out);
bool WriteTablesJson(const Model& model, const std::vector<std::string>& history, const ByteWriter& out);

}  // namespace corvane
