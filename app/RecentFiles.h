// The recent-file list and its file "corvane.dat": a count line (a blank,
// the count, a blank) and one path per line, CR LF line ends.
#pragma once

#include <string>
#include <vector>

namespace corvane {

// Paths of input files, one per entry.
using RecentFileList = std::vector<std::string>;

std::string RecentFileListText(const RecentFileList& entries);

// Writes the list; on failure returns false and sets *reason.
bool SaveRecentFileList(const std::string& path, const RecentFileList& entries, std::string* reason);

}  // namespace corvane
