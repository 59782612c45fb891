#include "app/RecentFiles.h"

#include "app/PathText.h"
#include "driver/Files.h"
#include "driver/OutputFile.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_set>

namespace corvane {

namespace {

// The whole file, or nothing when it cannot be read.
bool ReadWhole(const std::string& path, std::string* text) {
    if (path.empty()) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void KeepNewest(RecentFileList& entries) {
    if (entries.size() > kRecentFileLimit)
        entries.erase(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(entries.size() - kRecentFileLimit));
}

}  // namespace

std::string RecentFileListText(const RecentFileList& entries) {
    std::string text = " " + std::to_string(entries.size()) + " \r\n";
    for (const auto& e : entries) text += e + "\r\n";
    return text;
}

RecentFileList ParseRecentFileList(std::string_view text) {
    RecentFileList entries;
    std::size_t pos = 0;
    long count = -1;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (count < 0) {
            const std::string first(line);
            char* stop = nullptr;
            count = std::strtol(first.c_str(), &stop, 10);
            if (stop == first.c_str() || count < 0) return {};
            continue;
        }
        if (static_cast<long>(entries.size()) >= count) break;
        if (!line.empty()) entries.emplace_back(line);
    }
    return entries;
}

RecentFileList MergeRecentFiles(const RecentFileList& onDisk, const RecentFileList& ours) {
    RecentFileList merged;
    std::unordered_set<std::string> seen;
    for (const auto* list : {&onDisk, &ours})
        for (const auto& e : *list)
            if (seen.insert(e).second) merged.push_back(e);
    KeepNewest(merged);
    return merged;
}

RecentFileLocation DefaultRecentFileLocation() {
    RecentFileLocation location;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!folder.isEmpty()) location.file = PathBytes(folder + "/corvane.dat");
    location.legacy = PathBytes(QDir::current().absoluteFilePath("corvane.dat"));
    return location;
}

void RecentFiles::Load() {
    std::string text;
    if (ReadWhole(location_.file, &text) || ReadWhole(location_.legacy, &text)) entries_ = ParseRecentFileList(text);
    else entries_.clear();
    KeepNewest(entries_);
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty() || std::find(entries_.begin(), entries_.end(), path) != entries_.end()) return;
    entries_.push_back(path);
    KeepNewest(entries_);
}

bool RecentFiles::Save(std::string* reason) {
    if (location_.file.empty()) return true;
    std::string text;
    const RecentFileList onDisk = ReadWhole(location_.file, &text) ? ParseRecentFileList(text) : RecentFileList();
    const RecentFileList merged = MergeRecentFiles(onDisk, entries_);
    const std::string folder = FolderOf(location_.file);
    std::error_code ec;
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    if (ec) {
        if (reason) *reason = DescribeFileError(folder, ec.value());
        return false;
    }
    int error = 0;
    if (!WriteFileAtomically(location_.file, RecentFileListText(merged), &error)) {
        if (reason) *reason = DescribeFileError(location_.file, error);
        return false;
    }
    entries_ = merged;
    return true;
}

}  // namespace corvane
