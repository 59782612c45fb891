// The arguments of corvane-gui:
//   corvane-gui [MODEL] [--input MODEL] [--convert] [--screenshot FILE.png] [--tab tables|report]
//               [--size WIDTHxHEIGHT]
//   corvane-gui --help | --version
// Paths are kept as the bytes given, so any file name opens.
#pragma once

#include <string>
#include <vector>

namespace corvane {

struct GuiArguments {
    std::string input;       // the model to open
    bool convert = false;    // press "Make Staad" once the window shows
    std::string screenshot;  // save a picture of the window here and end
    std::string tab;         // "tables" or "report": the page in front
    int width = 0, height = 0;  // the window's size; 0: the usual one
    bool help = false;
    bool version = false;
    std::string error;       // what was wrong with the arguments
};

extern const char* const kGuiUsage;

// `args` without the program's name, Qt's own options already taken out.
GuiArguments ParseGuiArguments(const std::vector<std::string>& args);

// True when the arguments ask only for --help or --version: they are
// answered on the console before any window system is needed.
bool AsksForHelpOrVersion(int argc, char** argv);

}  // namespace corvane
