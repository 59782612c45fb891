// The shell part of the model as an Abaqus input deck: nodes, shell
// elements, sections, materials, supports and one pressure step.
#pragma once

#include "link/Link.h"
#include "model/Model.h"
#include "model/Report.h"
#include "structure/Structure.h"
#include "text/LineSink.h"

namespace corvane {

// Writes every line of the deck from the model and its links.
void WriteAbaqusDeck(const Model& model, const Links& links, LineSink& out);

// The deck of the full conversion, from the structural model: the whole
// model and a static step per load pattern; what the deck cannot carry
// goes to the report when one is given.
void WriteFullAbaqusDeck(const Structure& s, LineSink& out, Report* report = nullptr);

}  // namespace corvane
