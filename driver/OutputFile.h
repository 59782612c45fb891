// Output files written all or nothing: the bytes go to a new hidden file in
// the target's folder, which is renamed over the target only once it is
// complete. Until then the earlier file at the target stays as it was, and a
// failure, an exception or a terminating signal leaves no partial output.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // Abandons a file that was not committed.
    ~OutputFile();

    // Creates the new file ".<name>.XXXXXX.part" beside `target` with the
    // mode a plain create would give; the target itself is not opened. A
    // target that is a folder is refused with EISDIR. A character device at
    // the target (or a device, pipe or socket reached through a symbolic
    // link, such as /dev/null or /dev/stdout) has no contents to protect and
    // cannot be replaced safely, so it is opened and written in place. False
    // with Error() set when nothing could be opened.
    bool Open(const std::string& target);

    // Buffers the bytes. The first failing write is kept in Error(); after
    // it nothing more is written.
    void Write(std::string_view bytes);

    // Writes what is buffered, closes the new file and renames it over the
    // target (a symbolic link or pipe at the target is replaced, not written
    // through). An existing regular file's permission bits are kept. False,
    // with the new file removed and the target untouched, on any error.
    bool Commit();

    // Commit in two steps, for outputs replaced together: Finish writes and
    // closes the new file (false, with it removed, on any error), Publish
    // renames it over the target.
    bool Finish();
    bool Publish();

    // Closes and removes the new file; the target is untouched.
    void Abandon();

    bool IsOpen() const { return fd_ >= 0; }
    int Error() const { return error_; }
    const std::string& Target() const { return target_; }

private:
    void Flush();
    void WriteOut(const char* data, std::size_t size);
    void Close();

    std::string target_;
    std::string targetName_;  // last component of the target
    std::string partName_;    // name of the new file in the target's folder
    std::string buffer_;
    int dirFd_ = -1;          // the target's folder (O_PATH)
    int fd_ = -1;
    int slot_ = -1;           // entry in the cleanup registry, or -1
    bool inPlace_ = false;    // writing to a device or pipe, no new file
    bool finished_ = false;   // written and closed, not yet renamed
    int error_ = 0;
};

// Installs handlers for SIGINT, SIGTERM, SIGHUP and SIGPIPE that remove the
// new files of every output in progress, then end the process by the same
// signal (exit status 130, 143, 129, 141 in a shell). A signal that is
// ignored when this is called (nohup) or already has a handler is left
// alone. Calling it again does nothing.
void InstallOutputCleanup();

// Writes a whole small file through an OutputFile. False with *error (when
// not null) set to the errno of the failure.
bool WriteFileAtomically(const std::string& target, std::string_view bytes, int* error);

}  // namespace corvane
