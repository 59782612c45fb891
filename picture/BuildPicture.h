// The picture of a model: joints, members, shells and supports as the
// painter draws them, taken from the model's tables.
#pragma once

#include "model/Model.h"
#include "picture/PictureModel.h"

namespace corvane {

// Joints are placed by their global coordinates (a coordinate that is no
// number leaves the joint out); members, shells and supports that name a
// joint the joint table does not have are left out.
PictureModel BuildPicture(const Model& model);

}  // namespace corvane
