// The window's lookups: which members and elements use a section, and
// which cases a combination adds.
#pragma once

#include "model/History.h"
#include "model/Model.h"

#include <string>
#include <vector>

namespace corvane {

extern const char* const kNoAreaInformation;

// The frames whose section assignment names the section, read afresh from
// the input (a frame once per record that names it); shows "No Area
// Information Found" when the input has no frame section assignments.
std::vector<std::string> SectionFrames(const std::string& inputPath, const std::string& section, MessageSink& messages);

// The shell element numbers of the areas assigned to the section, read
// afresh from the input; the same message when it has no area section
// assignments.
std::vector<std::string> SectionElements(const std::string& inputPath, const std::string& section, MessageSink& messages);

// The load number and factor of every row of the combination that starts
// at row `start` of the combination table (every row of that name).
std::vector<std::string> CombinationCases(const Model& model, std::uint32_t start);

}  // namespace corvane
