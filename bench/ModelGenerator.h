// Generates a synthetic SAP2000 export (see generate_model.cpp).
#pragma once

#include <ostream>

namespace corvane::bench {

// Writes a model of about `joints` joints; the same seed gives the same bytes.
void GenerateModel(long joints, unsigned long seed, std::ostream& out);

}  // namespace corvane::bench
