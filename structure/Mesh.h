// The analysis model of a structure whose frames and areas ask for
// automatic meshing: frames split at the joints on them and into equal
// pieces, quadrilateral areas divided into elements by the bilinear map of
// their corners, and every load carried to the pieces it lies on.
#pragma once

#include "model/Report.h"
#include "structure/Structure.h"

namespace corvane {

// Meshes `s` as its frameMeshes and areaMeshes ask. A piece keeps its
// object's section, material, local axes, modifiers and weight; releases
// and rigid end zones stay at the object's own ends. The first piece of an
// object keeps the object's place and number; the other pieces and the new
// joints are appended, numbered after the largest numbers of their kind,
// and marked (`piece`, `added`) with their object as origin.
void MeshStructure(Structure& s, Report* report);

}  // namespace corvane
