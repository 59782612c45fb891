// The in-memory model: every table the converter knows, the model's units
// and the list of combinations, as read from one or more inputs.
#pragma once

#include "model/Table.h"
#include "model/Tables.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// The model's force and length texts; both start as a single blank and
// keep their value when a later input has no units table.
struct UnitsInfo {
    std::string force = " ";
    std::string length = " ";
};

class Model {
public:
    Model();

    Table& operator[](TableId id) { return tables_[static_cast<std::size_t>(id)]; }
    const Table& operator[](TableId id) const { return tables_[static_cast<std::size_t>(id)]; }

    UnitsInfo units;
    // Whether the tables were last read by the full conversion: then they
    // hold its columns and its own tables.
    bool full = false;
    // The combinations in order, each as the row of CombinationTable where
    // it starts: a name is listed again whenever it differs from the row
    // before.
    std::vector<std::uint32_t> combinationStarts;

private:
    std::array<Table, kTableCount> tables_;
};

}  // namespace corvane
