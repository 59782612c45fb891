#include "driver/Files.h"

#include "driver/Session.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

const char* const kInputNotFound = "...INPUT FILE NOT FOUND...";

bool IsExistingFile(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    if (a.empty() || b.empty() || ::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// The path with its existing part resolved (links, "." and "..") and the
// rest normalised as written.
std::string ResolvedSpelling(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    fs::path resolved = fs::weakly_canonical(absolute, ec);
    if (ec) resolved = absolute.lexically_normal();
    std::string s = resolved.string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}


bool PathsClash(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    return SameFile(a, b) || ResolvedSpelling(a) == ResolvedSpelling(b);
}

std::uint64_t FileSize(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

std::string ReplaceExtension(const std::string& path, const std::string& extension) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return path + extension;
    return path.substr(0, dot) + extension;
}

void ShowConversionFileError(MessageSink& messages, int error, FileRole role, const std::string& outputPath) {
    if (role == FileRole::Input) {
        if (error == ENOENT) messages.Show("File Not Found");
        return;
    }
    switch (error) {
        case EBUSY:
        case ETXTBSY:
            messages.Show("File Already Open");
            break;
        case EACCES:
        case EPERM:
        case EROFS:
            messages.Show("Write Protection Error. File " + outputPath + " is used by StaadPro or other software",
                          "System I/O Error", true);
            break;
        default:
            break;
    }
}

bool BeginCommand(Session& s, const std::vector<std::string>& outputs, HistoryLog& history, MessageSink& messages) {
    history.Clear();
    s.report.Clear();
    s.failure.clear();
    if (!IsExistingFile(s.inputPath)) {
        history.Append(kInputNotFound);
        return false;
    }
    return CheckOutputPaths(s, outputs, messages);
}

bool CheckOutputPaths(Session& s, const std::vector<std::string>& outputs, MessageSink& messages) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (SameFile(s.inputPath, outputs[i]) || PathsClash(s.inputPath, outputs[i])) {
            s.failure = "Output file is the input file: " + outputs[i];
            messages.Show(s.failure);
            return false;
        }
        for (std::size_t k = 0; k < i; ++k)
            if (PathsClash(outputs[k], outputs[i])) {
                s.failure = "Two outputs are one file: " + outputs[k] + " and " + outputs[i];
                messages.Show(s.failure);
                return false;
            }
    }
    return true;
}

std::string DescribeFileError(const std::string& path, int error) {
    return path + ": " + std::strerror(error);
}

std::string OutOfMemoryMessage(const std::string& inputPath) {
    const auto mb = static_cast<long long>(std::llround(static_cast<double>(FileSize(inputPath)) / 1e6));
    return "Out of memory while reading " + inputPath + " (" + std::to_string(mb) + " MB)";
}

std::string ThreadFailureMessage(const std::string& inputPath, int error) {
    return inputPath + ": cannot start a thread: " + std::strerror(error);
}

std::string InputChangedMessage(const std::string& inputPath) { return inputPath + ": the input changed while it was read"; }

bool InputChanged(const Model& model) {
    std::set<const SourceText*> seen;
    for (std::size_t i = 0; i < kTableCount; ++i) {
        const SourcePtr& source = model[static_cast<TableId>(i)].source();
        if (source && seen.insert(source.get()).second && SourceChanged(*source)) return true;
    }
    return false;
}

bool IsJsonName(const std::string& path) {
    constexpr std::string_view kJson = ".json";
    if (path.size() < kJson.size()) return false;
    return std::equal(kJson.begin(), kJson.end(), path.end() - static_cast<std::ptrdiff_t>(kJson.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

void OpenStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free descriptor is taken: this one.
        int opened = ::open("/dev/null", (fd == 0 ? O_WRONLY : O_RDONLY) | O_NOCTTY);
        if (opened < 0) opened = ::open("/", O_PATH | O_DIRECTORY);  // no /dev: any descriptor holds the place
        if (opened >= 0 && opened != fd) ::close(opened);
    }
}

}  // namespace corvane
