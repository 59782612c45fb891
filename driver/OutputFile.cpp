#include "driver/OutputFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <new>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

// The new files in progress, for the signal handler. Every entry is written
// while its state is kFilling and published by the store of kPublished; the
// handler reads only published entries and takes no lock, so it may run at
// any moment in any thread. The entry keeps the folder descriptor and the
// plain name, so neither a long path nor a later chdir matters.
constexpr int kSlots = 64;
enum SlotState : int { kFree, kFilling, kPublished };
struct Slot {
    std::atomic<int> state{kFree};
    pid_t owner = 0;  // a forked child must not remove its parent's files
    int dirFd = -1;
    char name[NAME_MAX + 1] = {};
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slot states");
Slot g_slots[kSlots];

// Other threads go on running while the handler removes the files, and one
// of them could create a new file just after the handler has looked. So the
// handler first raises g_dying and then waits for the creations in progress
// (g_creating) to end, and a creation that starts after g_dying is refused.
// Both sides use sequentially consistent operations: either the creating
// thread sees g_dying or the handler sees the creation. A thread blocks the
// cleanup signals while it creates, so the handler never waits for itself.
std::atomic<int> g_creating{0};
std::atomic<bool> g_dying{false};

// -1 when every slot is taken: the file is still written, it is only not
// removed by a signal.
int Register(int dirFd, const std::string& name) {
    if (name.size() > NAME_MAX) return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (!g_slots[i].state.compare_exchange_strong(expected, kFilling, std::memory_order_acquire)) continue;
        Slot& slot = g_slots[i];
        slot.owner = ::getpid();
        slot.dirFd = dirFd;
        std::memcpy(slot.name, name.c_str(), name.size() + 1);
        slot.state.store(kPublished, std::memory_order_release);
        return i;
    }
    return -1;
}

void Unregister(int& slot) {
    if (slot >= 0) g_slots[slot].state.store(kFree, std::memory_order_release);
    slot = -1;
}

void RemoveNewFilesAndDie(int sig) {
    const int savedErrno = errno;
    const pid_t self = ::getpid();
    g_dying.store(true);
    for (int waited = 0; g_creating.load() > 0 && waited < 1000; ++waited) {
        const timespec millisecond{0, 1000000};
        ::nanosleep(&millisecond, nullptr);
    }
    for (Slot& slot : g_slots)
        if (slot.state.load(std::memory_order_acquire) == kPublished && slot.owner == self)
            ::unlinkat(slot.dirFd, slot.name, 0);
    // The signal is blocked while its handler runs: raised again under the
    // default action it ends the process as soon as the handler returns.
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    ::sigaction(sig, &dfl, nullptr);
    ::raise(sig);
    errno = savedErrno;
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
    const auto slash = target.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    targetName_ = slash == std::string::npos ? target : target.substr(slash + 1);
    if (target.empty()) return fail(ENOENT);
    if (targetName_.empty() || targetName_ == "." || targetName_ == "..") return fail(EISDIR);
    try {
        buffer_.reserve(kBufferSize);
    } catch (const std::bad_alloc&) {
        return fail(ENOMEM);
    }

    dirFd_ = ::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dirFd_ < 0) return fail(errno);
    struct stat st {};
    if (::fstatat(dirFd_, targetName_.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT) return fail(errno);
    } else if (S_ISDIR(st.st_mode)) {
        return fail(EISDIR);
    } else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
        inPlace_ = true;
    } else if (S_ISLNK(st.st_mode) && ::fstatat(dirFd_, targetName_.c_str(), &st, 0) == 0) {
        // A link to a regular file is replaced. A link to a folder is most
        // likely a mistake; a link to a device, pipe or socket (/dev/stdout)
        // is written through, as replacing it would change the link itself.
        if (S_ISDIR(st.st_mode)) return fail(EISDIR);
        inPlace_ = !S_ISREG(st.st_mode);
    }
    // Block devices are refused: nothing this program writes belongs on a disk.
    if (inPlace_ && S_ISBLK(st.st_mode)) return fail(EINVAL);

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

    sigset_t cleanupSignals, saved;
    sigemptyset(&cleanupSignals);
    for (int sig : kCleanupSignals) sigaddset(&cleanupSignals, sig);
    for (int attempt = 0; attempt < 100; ++attempt) {
        partName_ = PartName(targetName_);
        ::pthread_sigmask(SIG_BLOCK, &cleanupSignals, &saved);
        g_creating.fetch_add(1);
        int error = EINTR;  // the process is ending
        if (!g_dying.load()) {
            // Registered before it exists, so that a signal cannot come
            // between the creation and the registration.
            slot_ = Register(dirFd_, partName_);
            fd_ = ::openat(dirFd_, partName_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
            error = errno;
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
        sa.sa_handler = RemoveNewFilesAndDie;
        sigemptyset(&sa.sa_mask);
        for (int sig : kCleanupSignals) sigaddset(&sa.sa_mask, sig);
        for (int sig : kCleanupSignals) {
            struct sigaction old {};
            if (::sigaction(sig, nullptr, &old) != 0) continue;
            if ((old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL) continue;
            ::sigaction(sig, &sa, nullptr);
        }
    });
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
