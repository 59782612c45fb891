// The preview's drawing lives in a library of its own, loaded only when a
// picture is asked for, so that the other commands never load Qt.
#pragma once

#include "model/Model.h"

#include <string>

namespace corvane {

enum class PreviewResult { Done, NoJoints, NotEncoded, OutOfMemory, NotAvailable };

// Called, with the reason, when the drawing cannot start a thread it
// needs; it must not return, as the drawing cannot go on.
using ThreadFailure = void (*)(const char* reason);

// Draws the model as a picture of width x height pixels into *picture, in
// the format ("PNG", "JPEG") given; the axes named as SAP2000 (Z up) or
// STAAD.Pro (Y up) does. NotAvailable (with the reason in *problem) when
// the drawing library cannot be loaded.
PreviewResult DrawPreview(const Model& model, int width, int height, bool staadAxes, const char* format, std::string* picture,
                          std::string* problem, ThreadFailure threadFailed);

}  // namespace corvane

// The one function the drawing library exports.
extern "C" int corvane_draw_preview(const corvane::Model* model, int width, int height, int staadAxes, const char* format,
                                    std::string* encoded, corvane::ThreadFailure threadFailed);
