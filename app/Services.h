// The window's services that the commands need besides the history and the
// message boxes: the open and save file dialogs. Tests put doubles here.
#pragma once

#include <optional>
#include <string>

namespace corvane {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<std::string> Open(const std::string& title, const std::string& folder, const std::string& filter) = 0;
    virtual std::optional<std::string> Save(const std::string& title, const std::string& folder, const std::string& filter) = 0;
};

}  // namespace corvane
