#include "app/RecentFiles.h"

#include "driver/Files.h"
#include "driver/FileSink.h"

namespace corvane {

namespace {
void WriteRecentFiles(LineSink& out, const RecentFileList& entries) {
    out.Line(" " + std::to_string(entries.size()) + " ");
    for (const auto& e : entries) out.Line(e);
}
}  // namespace

std::string RecentFileListText(const RecentFileList& entries) {
    StringSink out;
    WriteRecentFiles(out, entries);
    return out.text;
}

bool SaveRecentFileList(const std::string& path, const RecentFileList& entries, std::string* reason) {
    FileSink out;
    if (out.Open(path)) WriteRecentFiles(out, entries);
    if (out.Commit()) return true;
    if (reason) *reason = DescribeFileError(path, out.Error());
    return false;
}

}  // namespace corvane
