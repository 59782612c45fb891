// The picture of the analysis model: the structure as the full conversion
// writes it, after meshing, so that the joints meshing adds and the pieces
// of frames and areas show as joints, members and shells of their own.
#pragma once

#include "picture/PictureModel.h"
#include "structure/Structure.h"

namespace corvane {

// Joints in the structure's order (a joint whose coordinates are no
// numbers gets NaN and is not drawn), every member and every 3- or
// 4-cornered shell between known joints, and a support at every joint that
// holds a direction: fixed when it holds all six. The structure's other
// items (solids, springs, constraints) are not drawn, as in the picture
// of the objects.
PictureModel BuildMeshedPicture(const Structure& s);

}  // namespace corvane
