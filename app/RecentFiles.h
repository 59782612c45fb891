// The recent-file list and its file "corvane.dat": a count line (a blank,
// the count, a blank) and one path per line, CR LF line ends.
#pragma once

#include <string>
#include <vector>

namespace corvane {

std::string RecentFileText(const std::vector<std::string>& entries);

// Writes the list; on failure returns false and sets *reason.
bool SaveRecentFiles(const std::string& path, const std::vector<std::string>& entries, std::string* reason);

}  // namespace corvane
