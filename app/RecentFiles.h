// The recent-file list and its file "corvane.dat": a count line (a blank,
// the count, a blank) and one path per line, CR LF line ends, oldest first.
//
// The file lives in the user's configuration folder. Every window reads it
// when it starts and merges its own entries into what is there when it
// closes, so entries of another window that closed in the meantime stay. A
// "corvane.dat" in the working folder (where the list used to be kept) is
// read when the configuration folder has none yet, and taken over from then
// on; the working folder itself is never written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Paths of input files as bytes, oldest first.
using RecentFileList = std::vector<std::string>;

// At most this many entries are kept; the oldest go first.
constexpr std::size_t kRecentFileLimit = 20;

std::string RecentFileListText(const RecentFileList& entries);
// The entries of a file's text: as many lines after the count line as the
// count says (fewer when the file ends first), empty lines skipped.
RecentFileList ParseRecentFileList(std::string_view text);

// The entries on disk followed by ours that are not among them, cut to the
// newest kRecentFileLimit.
RecentFileList MergeRecentFiles(const RecentFileList& onDisk, const RecentFileList& ours);

struct RecentFileLocation {
    std::string file;    // where the list is kept; "" keeps it nowhere
    std::string legacy;  // an older list read when `file` does not exist yet
};

// The configuration folder's corvane.dat and the working folder's.
RecentFileLocation DefaultRecentFileLocation();

class RecentFiles {
public:
    explicit RecentFiles(RecentFileLocation location) : location_(std::move(location)) {}

    // Reads the list (or the older one); a missing file is an empty list.
    void Load();
    // Adds a path at the end unless it is there already.
    void Add(const std::string& path);
    const RecentFileList& entries() const { return entries_; }
    const RecentFileLocation& location() const { return location_; }

    // Merges the entries into the file as it is now and writes it (its
    // folder is made when missing). On failure returns false and sets
    // *reason to a text naming the path.
    bool Save(std::string* reason);

private:
    RecentFileLocation location_;
    RecentFileList entries_;
};

}  // namespace corvane
