// Shell completion for corvane, made from the commands and options the
// parser knows, so that it never lists an option the program lacks.
#pragma once

#include <string>

namespace CLI {
class App;
}

namespace corvane {

// A bash script defining the completion of `corvane`: commands, each
// command's options, file names after options that take a FILE, folder
// names after those that take a DIR, input files elsewhere.
std::string BashCompletion(const CLI::App& app);

}  // namespace corvane
