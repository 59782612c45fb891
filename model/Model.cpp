#include "model/Model.h"

namespace corvane {

Model::Model() {
    for (std::size_t i = 0; i < kTableCount; ++i) tables_[i] = Table(static_cast<TableId>(i));
}

}  // namespace corvane
