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

    // Creates the new file ".<name>.XXXXXX.part" beside the target with the
    // mode a plain create would give; the target itself is not opened. A
    // target that is a symbolic link is followed to its end, and the file
    // there is the one replaced, never the link. A path that names a
    // descriptor of this process (/dev/stdout, /dev/fd/N, /proc/self/fd/N,
    // also through links) is a stream, written in place through a copy of
    // that descriptor, as are a character device and a pipe (such as
    // /dev/null or a FIFO a reader waits on). Refused: a folder (EISDIR), a
    // block device (EINVAL), an existing file the user may not write
    // (EACCES, even where the folder would allow replacing it), a pipe
    // without a reader (ENXIO, instead of waiting for one). False with
    // Error() set when nothing could be opened.
    bool Open(const std::string& target);

    // Buffers the bytes. The first failing write is kept in Error(); after
    // it nothing more is written.
    void Write(std::string_view bytes);

    // Writes what is buffered, closes the new file and renames it over the
    // target. An existing regular file's permission bits are kept. False,
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
    void* slot_ = nullptr;    // entry in the registry of new files, for the signal handler
    bool inPlace_ = false;    // writing to a device or pipe, no new file
    bool finished_ = false;   // written and closed, not yet renamed
    int error_ = 0;
};

// Installs a handler for every signal that ends the process by default (INT,
// TERM, HUP, PIPE, QUIT, ALRM, USR1, USR2, VTALRM, PROF, XCPU, XFSZ, BUS,
// SEGV, ABRT and the rest, the real-time signals included) that removes the
// new files of every output in progress, any number of them, then ends the
// process by the same signal (exit status 128 + N in a shell). A signal that
// is ignored when this is called (nohup) or already has a handler is left
// alone, except SIGBUS: its handler first lets a mapped input that shrank
// be read on (see RepairInputFault) and passes any other bus error on to
// the handler it found. Calling it again does nothing.
void InstallOutputCleanup();

// Removes the new files of every output in progress of this process and
// ends it at once with `status`, for a failure that leaves no way back (a
// library that would wait forever).
[[noreturn]] void AbandonOutputsAndExit(int status);

// The descriptor of this process that an output path names, through its
// links (/dev/stdout gives 1), or -1.
int OutputDescriptor(const std::string& target);
// Whether an output path is written in place rather than replaced: it
// names a descriptor, a device, a pipe or a socket (through its links).
bool IsStreamOutput(const std::string& target);

// Writes a whole small file through an OutputFile. False with *error (when
// not null) set to the errno of the failure.
bool WriteFileAtomically(const std::string& target, std::string_view bytes, int* error);

}  // namespace corvane
