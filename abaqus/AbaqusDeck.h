// The shell part of the model as an Abaqus input deck: nodes, shell
// elements, sections, materials, supports and one pressure step.
#pragma once

#include "link/Link.h"
#include "model/Model.h"
#include "structure/Structure.h"
#include "text/LineSink.h"

namespace corvane {

// Writes every line of the deck from the model and its links.
void WriteAbaqusDeck(const Model& model, const Links& links, LineSink& out);

// The deck of the full conversion, from the structural model: shells and
// solids, materials, supports and the pressure step.
void WriteFullAbaqusDeck(const Structure& s, LineSink& out);

}  // namespace corvane
