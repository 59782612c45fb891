#include "driver/OutputFile.h"

#include "reader/InputText.h"
#include "reader/SignalSafeRegistry.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iterator>
#include <mutex>
#include <new>
#include <pthread.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace corvane {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// Every signal whose default action ends the process, apart from the
// real-time signals, which are added when the set is made.
constexpr int kTerminatingSignals[] = {SIGHUP,  SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP,   SIGABRT, SIGBUS,  SIGFPE,
                                       SIGUSR1, SIGSEGV, SIGUSR2,   SIGPIPE, SIGALRM,   SIGTERM, SIGSTKFLT, SIGXCPU,
                                       SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR,    SIGSYS};

std::vector<int> TerminatingSignals() {
    std::vector<int> all(std::begin(kTerminatingSignals), std::end(kTerminatingSignals));
    for (int sig = SIGRTMIN; sig <= SIGRTMAX; ++sig) all.push_back(sig);
    return all;
}

const sigset_t& TerminatingSet() {
    static const sigset_t set = [] {
        sigset_t s;
        sigemptyset(&s);
        for (int sig : TerminatingSignals()) sigaddset(&s, sig);
        return s;
    }();
    return set;
}

// The new files in progress, for the signal handler. An entry keeps the
// folder descriptor and the plain name, so neither a long path nor a later
// chdir matters.
struct NewFile {
    pid_t owner = 0;  // a forked child must not remove its parent's files
    int dirFd = -1;
    char name[NAME_MAX + 1] = {};
};
SignalSafeRegistry<NewFile> g_newFiles;

// Other threads go on running while the handler removes the files, and one
// of them could create a new file just after the handler has looked. So the
// handler first raises g_dying and then waits for the creations in progress
// (g_creating) to end, and a creation that starts after g_dying is refused.
// Both sides use sequentially consistent operations: either the creating
// thread sees g_dying or the handler sees the creation. A thread blocks the
// terminating signals while it creates, so the handler never waits for
// itself.
std::atomic<int> g_creating{0};
std::atomic<bool> g_dying{false};

// SIGBUS's action before ours when it had a handler (a sanitizer's): a bus
// error that is no shrunken input goes on to it.
struct sigaction g_busBefore {};
bool g_chainBus = false;

void RemoveNewFiles() {
    const pid_t self = ::getpid();
    g_dying.store(true);
    for (int waited = 0; g_creating.load() > 0 && waited < 1000; ++waited) {
        const timespec millisecond{0, 1000000};
        ::nanosleep(&millisecond, nullptr);
    }
    g_newFiles.Find([self](NewFile& f) {
        if (f.owner == self) ::unlinkat(f.dirFd, f.name, 0);
        return false;
    });
}

// A fault of the thread itself (a bad address, a vanished page), as opposed
// to a signal sent by a process or the kernel.
bool IsFault(int sig, const siginfo_t* info) {
    const bool faultSignal = sig == SIGSEGV || sig == SIGBUS || sig == SIGILL || sig == SIGFPE || sig == SIGTRAP;
    return faultSignal && info && info->si_code > 0 && info->si_code != SI_KERNEL;
}

void OnTerminatingSignal(int sig, siginfo_t* info, void*) {
    const int savedErrno = errno;
    // Only a fault carries an address; a SIGBUS sent by kill does not.
    if (sig == SIGBUS && IsFault(sig, info) && RepairInputFault(info->si_addr)) {
        errno = savedErrno;
        return;
    }
    RemoveNewFiles();
    struct sigaction next {};
    if (sig == SIGBUS && g_chainBus) {
        next = g_busBefore;
    } else {
        next.sa_handler = SIG_DFL;
        sigemptyset(&next.sa_mask);
    }
    ::sigaction(sig, &next, nullptr);
    // The signal is blocked while its handler runs: a signal that was sent
    // and is raised again takes the next action as soon as the handler
    // returns; a fault happens again when the faulting instruction is
    // retried, with its own address for whoever reports it.
    if (!IsFault(sig, info)) ::raise(sig);
    errno = savedErrno;
}

// The process whose descriptors a folder lists (/proc/PID/fd, also spelled
// /proc/self/fd, /dev/fd or /proc/PID/task/TID/fd), or 0 for any other
// folder.
pid_t DescriptorFolderOwner(const std::string& dir) {
    char real[PATH_MAX];
    if (!::realpath(dir.c_str(), real)) return 0;
    std::string_view p(real);
    const auto number = [&p]() -> long {
        std::size_t n = 0;
        while (n < p.size() && n < 10 && p[n] >= '0' && p[n] <= '9') ++n;
        if (n == 0 || n == 10) return 0;
        const long value = std::stol(std::string(p.substr(0, n)));
        p.remove_prefix(n);
        return value;
    };
    if (p.substr(0, 6) != "/proc/") return 0;
    p.remove_prefix(6);
    const long pid = number();
    if (pid <= 0) return 0;
    if (p.substr(0, 6) == "/task/") {
        p.remove_prefix(6);
        if (number() <= 0) return 0;
    }
    return p == "/fd" ? static_cast<pid_t>(pid) : 0;
}

bool IsNumber(std::string_view s) {
    return !s.empty() && s.size() < 10 && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// Where an output path leads once its links are followed: a descriptor of
// this process (/dev/stdout, /proc/self/fd/N), a stream of another process
// reached by name (/proc/PID/fd/N naming a pipe or socket), or the path of
// the file at the end of the links, which may not exist yet.
struct Destination {
    std::string path;
    int descriptor = -1;
    bool foreignStream = false;
};

int Follow(const std::string& target, Destination* d) {
    std::string path = target;
    for (int hops = 0; hops <= 40; ++hops) {
        const auto slash = path.find_last_of('/');
        const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        d->path = path;
        const pid_t owner = IsNumber(name) ? DescriptorFolderOwner(dir) : 0;
        if (owner != 0 && owner == ::getpid()) {
            d->descriptor = std::stoi(name);
            return 0;
        }
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode)) return 0;
        char to[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), to, sizeof to);
        if (n < 0) return errno;
        if (static_cast<std::size_t>(n) == sizeof to) return ENAMETOOLONG;
        if (owner != 0 && to[0] != '/') {
            // Another process's pipe, socket or the like ("pipe:[4242]").
            d->foreignStream = true;
            return 0;
        }
        path = to[0] == '/' ? std::string(to, static_cast<std::size_t>(n)) : dir + "/" + std::string(to, static_cast<std::size_t>(n));
    }
    return ELOOP;
}

// ".<name>.XXXXXX.part", the name shortened so that the whole stays within
// NAME_MAX. The six characters mix the process id, a counter and the clock;
// a name that exists already is retried by the caller.
std::string PartName(const std::string& name) {
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t x = (static_cast<std::uint64_t>(::getpid()) << 40) ^
                      (counter.fetch_add(1, std::memory_order_relaxed) * 0x9E3779B97F4A7C15ull) ^
                      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string part = "." + name.substr(0, NAME_MAX - 13) + ".";
    for (int i = 0; i < 6; ++i, x /= 62) part += kChars[x % 62];
    return part + ".part";
}

void Unregister(void*& slot) {
    g_newFiles.Remove(static_cast<SignalSafeRegistry<NewFile>::Handle>(slot));
    slot = nullptr;
}

}  // namespace

OutputFile::~OutputFile() { Abandon(); }

bool OutputFile::Open(const std::string& target) {
    Abandon();
    error_ = 0;
    target_ = target;
    const auto fail = [this](int error) {
        error_ = error;
        Abandon();
        return false;
    };
    const auto nameOf = [](const std::string& path) {
        const auto slash = path.find_last_of('/');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    };
    if (target.empty()) return fail(ENOENT);
    if (const std::string name = nameOf(target); name.empty() || name == "." || name == "..") return fail(EISDIR);
    try {
        buffer_.reserve(kBufferSize);
    } catch (const std::bad_alloc&) {
        return fail(ENOMEM);
    }

    // A link is followed to its end: the file there is the one replaced.
    Destination d;
    if (const int error = Follow(target, &d)) return fail(error);
    struct stat st {};
    if (d.descriptor >= 0) {
        // Written through a descriptor of its own, so that the offset and
        // the appending mode the shell gave it are kept.
        fd_ = ::fcntl(d.descriptor, F_DUPFD_CLOEXEC, 3);
        if (fd_ < 0) return fail(errno);
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) return fail(EBADF);
        if (::fstat(fd_, &st) != 0) return fail(errno);
        if (S_ISDIR(st.st_mode)) return fail(EISDIR);
        if (S_ISBLK(st.st_mode)) return fail(EINVAL);
        inPlace_ = true;
        return true;
    }

    const auto slash = d.path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : d.path.substr(0, slash);
    targetName_ = nameOf(d.path);
    if (targetName_.empty() || targetName_ == "." || targetName_ == "..") return fail(EISDIR);
    dirFd_ = ::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dirFd_ < 0) return fail(errno);
    if (d.foreignStream) {
        inPlace_ = true;
    } else if (::fstatat(dirFd_, targetName_.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) return fail(errno);
    } else if (S_ISDIR(st.st_mode)) {
        return fail(EISDIR);
    } else if (S_ISBLK(st.st_mode)) {
        // Nothing this program writes belongs on a disk.
        return fail(EINVAL);
    } else if (S_ISLNK(st.st_mode)) {
        return fail(EAGAIN);  // a link made since it was followed
    } else if (!S_ISREG(st.st_mode)) {
        // A device, a pipe or a socket has no contents to protect and
        // cannot be replaced: the reader waiting on a pipe gets the bytes.
        inPlace_ = true;
    } else if (::faccessat(dirFd_, targetName_.c_str(), W_OK, AT_EACCESS) != 0) {
        // A file the user may not write is not replaced either, though the
        // folder would allow it (as cp and the shell refuse it).
        return fail(errno);
    }

    if (inPlace_) {
        // O_NONBLOCK: a pipe without a reader fails with ENXIO instead of
        // waiting for one forever.
        fd_ = ::openat(dirFd_, targetName_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) return fail(errno);
        // The path may have changed since it was looked at: never write into
        // a regular file in place.
        if (::fstat(fd_, &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode) || S_ISBLK(st.st_mode))
            return fail(EAGAIN);
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) return fail(errno);
        return true;
    }

    if (targetName_.size() > NAME_MAX) return fail(ENAMETOOLONG);
    sigset_t saved;
    for (int attempt = 0; attempt < 100; ++attempt) {
        partName_ = PartName(targetName_);
        ::pthread_sigmask(SIG_BLOCK, &TerminatingSet(), &saved);
        g_creating.fetch_add(1);
        int error = EINTR;  // the process is ending
        if (!g_dying.load()) {
            // Registered before it exists, so that a signal cannot come
            // between the creation and the registration.
            slot_ = g_newFiles.Add([&](NewFile& f) {
                f.owner = ::getpid();
                f.dirFd = dirFd_;
                std::memcpy(f.name, partName_.c_str(), partName_.size() + 1);
            });
            error = ENOMEM;
            if (slot_) {
                fd_ = ::openat(dirFd_, partName_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
                error = errno;
            }
        }
        g_creating.fetch_sub(1);
        ::pthread_sigmask(SIG_SETMASK, &saved, nullptr);
        if (fd_ >= 0) return true;
        partName_.clear();  // not ours: Abandon must not remove it
        Unregister(slot_);
        if (error != EEXIST) return fail(error);
    }
    return fail(EEXIST);
}

void OutputFile::Write(std::string_view bytes) {
    if (fd_ < 0 || error_) return;
    if (buffer_.size() + bytes.size() > kBufferSize) {
        Flush();
        if (bytes.size() >= kBufferSize) {
            WriteOut(bytes.data(), bytes.size());
            return;
        }
    }
    if (!error_) buffer_.append(bytes);
}

void OutputFile::Flush() {
    WriteOut(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void OutputFile::WriteOut(const char* data, std::size_t size) {
    while (size > 0 && !error_) {
        const ssize_t n = ::write(fd_, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            error_ = errno;
        } else if (n == 0) {
            error_ = EIO;
        }
    }
}

void OutputFile::Close() {
    if (fd_ < 0) return;
    // Any error of close counts, EINTR included: whether the bytes arrived
    // is then unknown, and an output that may be incomplete is not kept.
    if (::close(fd_) != 0 && !error_) error_ = errno;
    fd_ = -1;
}

// No fsync. Every failure this class guards against is a failure of the
// process (an error, an exception, a signal, another writer): the page cache
// is shared by all processes, so once the complete file is renamed over the
// target every reader sees the complete file. Only a crash of the whole
// machine could lose it, and then the input is still there to convert again;
// ext4 moreover writes the data of a file renamed over an existing one
// before the rename (auto_da_alloc). fsync of a 20 MB output measured about
// 11 ms on the project machine, near a tenth of the conversion that wrote
// it, and it waits for the other users' dirty data on a shared disk.
bool OutputFile::Finish() {
    if (fd_ < 0) {
        if (!error_) error_ = EBADF;
        Abandon();
        return false;
    }
    Flush();
    if (!error_ && !inPlace_) {
        // The user's choice of permissions on the earlier file survives.
        struct stat st {};
        if (::fstatat(dirFd_, targetName_.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            ::fchmod(fd_, st.st_mode & 0777) != 0)
            error_ = errno;
    }
    Close();
    if (error_) {
        Abandon();
        return false;
    }
    finished_ = true;
    return true;
}

bool OutputFile::Publish() {
    if (!finished_) {
        if (!error_) error_ = EBADF;
        Abandon();
        return false;
    }
    if (!inPlace_ && ::renameat(dirFd_, partName_.c_str(), dirFd_, targetName_.c_str()) != 0) {
        error_ = errno;
        Abandon();
        return false;
    }
    // Unregistered only after the rename: a signal in between removes a
    // name that is gone already.
    partName_.clear();
    Abandon();
    return true;
}

bool OutputFile::Commit() { return Finish() && Publish(); }

void OutputFile::Abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!partName_.empty()) ::unlinkat(dirFd_, partName_.c_str(), 0);
    partName_.clear();
    Unregister(slot_);
    if (dirFd_ >= 0) ::close(dirFd_);
    dirFd_ = -1;
    buffer_.clear();
    inPlace_ = false;
    finished_ = false;
}

void InstallOutputCleanup() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction sa {};
        sa.sa_sigaction = OnTerminatingSignal;
        sa.sa_flags = SA_SIGINFO;
        sa.sa_mask = TerminatingSet();
        for (int sig : TerminatingSignals()) {
            struct sigaction old {};
            if (::sigaction(sig, nullptr, &old) != 0) continue;
            const bool handled = (old.sa_flags & SA_SIGINFO) || (old.sa_handler != SIG_DFL && old.sa_handler != SIG_IGN);
            if (sig == SIGBUS) {
                // Always taken, for the inputs that shrink under their
                // mapping; a handler there before gets every other bus error.
                g_chainBus = handled;
                if (handled) g_busBefore = old;
            } else if (handled || old.sa_handler == SIG_IGN) {
                continue;
            }
            ::sigaction(sig, &sa, nullptr);
        }
    });
}

void AbandonOutputsAndExit(int status) {
    RemoveNewFiles();
    ::_exit(status);
}

int OutputDescriptor(const std::string& target) {
    Destination d;
    return Follow(target, &d) == 0 ? d.descriptor : -1;
}

bool IsStreamOutput(const std::string& target) {
    Destination d;
    if (Follow(target, &d) != 0) return false;
    struct stat st {};
    return d.descriptor >= 0 || d.foreignStream || (::stat(d.path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode));
}

bool WriteFileAtomically(const std::string& target, std::string_view bytes, int* error) {
    OutputFile out;
    bool ok = out.Open(target);
    if (ok) {
        out.Write(bytes);
        ok = out.Commit();
    }
    if (error) *error = ok ? 0 : out.Error();
    return ok;
}

}  // namespace corvane
