// Which frames and shell elements use a section, and which cases make up a
// combination.
#pragma once

#include "model/History.h"
#include "model/Tables.h"
#include "reader/InputText.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace corvane {

// The frames whose assignment names the section, in file order; a frame is
// listed once per record that names it. Shows "No Area Information Found"
// when the input has no frame section assignments.
std::vector<std::string> FindSectionFrames(const InputText& input, MessageSink& messages, const std::string& sectionName);

// Answers FindSectionAreas for one command: the area section assignments
// are scanned once, the first time a section is asked for, and every later
// question is a lookup. Each question about an input without the table
// shows "No Area Information Found", as a fresh scan would.
class SectionAreaLookup {
public:
    SectionAreaLookup(const InputText& input, MessageSink& messages) : input_(input), messages_(messages) {}
    // Shell element numbers (area number + 100000) of the areas of a
    // section, in file order.
    const std::vector<std::string>& FindSectionAreas(const std::string& sectionName);

private:
    void Scan();
    const InputText& input_;
    MessageSink& messages_;
    bool scanned_ = false;
    bool found_ = false;
    std::unordered_map<std::string, std::vector<std::string>> bySection_;
    std::vector<std::string> none_;
};

// Fills `runList` with the load number and factor of every row of the
// combination, in row order.
void ListComboCases(const CombinationTable& combos, const std::string& name, RunList& runList);

extern const char* const kNoAreaInformation;

}  // namespace corvane
