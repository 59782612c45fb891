// The window's services that the commands need besides the history and the
// message boxes: the open and save file dialogs, and showing a folder in
// the file manager. Tests put doubles here.
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
    // Shows the folder in the desktop's file manager; false when it cannot.
    virtual bool ShowFolder(const std::string& folder) {
        (void)folder;
        return false;
    }
};

}  // namespace corvane
