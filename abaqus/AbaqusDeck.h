// The shell part of the model as an Abaqus input deck: nodes, shell
// elements, sections, materials, supports and one pressure step.
#pragma once

#include "link/Link.h"
#include "model/Model.h"
#include "text/LineSink.h"

namespace corvane {

// Writes every line of the deck from the model and its links.
void WriteAbaqusDeck(const Model& model, const Links& links, LineSink& out);

}  // namespace corvane
