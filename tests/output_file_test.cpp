// Outputs written all or nothing: the earlier file survives every failure,
// signals leave nothing behind, links are written through and streams in
// place, concurrent writers do not mix; an input that shrinks while mapped;
// and the check that two paths are one file.
#include "TestSupport.h"
#include "driver/Files.h"
#include "driver/OutputFile.h"
#include "reader/InputText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace corvane;
using namespace corvane::test;

namespace {

using Names = std::vector<std::string>;
const std::string kEarlier = "earlier output\r\n";

Names Listing(const TempDir& dir) {
    Names names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path(""))) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// model.std as the test wrote it, and nothing else in the folder.
void ExpectOnlyTheEarlierFile(const TempDir& dir) {
    EXPECT_EQ(ReadFile(dir.Path("model.std")), kEarlier);
    EXPECT_EQ(Listing(dir), Names{"model.std"});
}

mode_t Mode(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode;
}

template <class Body>
pid_t Fork(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    return pid;
}

int Wait(pid_t pid) {
    int status = -1;
    ::waitpid(pid, &status, 0);
    return status;
}

// Runs `body` in a child process and returns its wait status. With `sig`,
// the signal is sent once the child has called Ready().
int g_ready[2];
void Ready() { (void)!::write(g_ready[1], "r", 1); }
template <class Body>
int RunChild(Body body, int sig = 0) {
    if (::pipe(g_ready) != 0) return -1;
    const pid_t pid = Fork([&] {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGPIPE, SIG_DFL);
        return body();
    });
    ::close(g_ready[1]);
    char c = 0;
    if (sig && ::read(g_ready[0], &c, 1) == 1) ::kill(pid, sig);
    ::close(g_ready[0]);
    return Wait(pid);
}

}  // namespace

TEST(OutputFile, AbandonedOrUnwoundWriterLeavesTheEarlierFile) {
    TempDir dir;
    const std::string target = dir.Write("model.std", kEarlier);
    OutputFile abandoned;
    ASSERT_TRUE(abandoned.Open(target));
    abandoned.Write(std::string(3 << 20, 'x'));
    EXPECT_EQ(Listing(dir).size(), 2u);
    abandoned.Abandon();
    EXPECT_THROW(
        {
            OutputFile out;
            out.Open(target);
            out.Write("half a li");
            throw std::bad_alloc();
        },
        std::bad_alloc);
    ExpectOnlyTheEarlierFile(dir);
}

TEST(OutputFile, CommitWritesEveryByteAndKeepsThePermissions) {
    TempDir dir;
    const std::string target = dir.Path("model.std");
    std::string expected;
    const mode_t oldMask = ::umask(022);
    OutputFile out;
    ASSERT_TRUE(out.Open(target));
    for (std::size_t size : {10u, 700000u, 500000u, 3000000u, 1u}) {  // around and over the buffer
        expected += std::string(size, static_cast<char>('a' + expected.size() % 26));
        out.Write(std::string_view(expected).substr(expected.size() - size));
    }
    EXPECT_TRUE(out.Commit());
    ::umask(oldMask);
    EXPECT_EQ(ReadFile(target), expected);
    EXPECT_EQ(Mode(target) & 0777, 0644u);

    ::chmod(target.c_str(), 0640);
    EXPECT_TRUE(WriteFileAtomically(target, "second", nullptr));
    EXPECT_EQ(ReadFile(target), "second");
    EXPECT_EQ(Mode(target) & 0777, 0640u);
}

// A write error while buffering, and one found only by the final flush.
TEST(OutputFile, FullDiskFailsTheCommitAndKeepsTheEarlierFile) {
    for (std::size_t size : {600u << 10, 3u << 20}) {
        TempDir dir;
        const std::string target = dir.Write("model.std", kEarlier);
        const int status = RunChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{256 << 10, 256 << 10};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            OutputFile out;
            if (!out.Open(target)) return 2;
            out.Write(std::string(size, 'x'));
            return !out.Commit() && out.Error() == EFBIG ? 0 : 1;
        });
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << size;
        ExpectOnlyTheEarlierFile(dir);
    }
}

// Every signal that ends the process removes the new file: sent from
// outside in the middle of the output (TERM, QUIT, ALRM, USR1, ...), SIGPIPE
// from a reader that has gone (`convert ... | head -1`), SIGXFSZ from a file
// size limit (`ulimit -f`).
TEST(OutputFile, TerminatingSignalRemovesTheNewFile) {
    const int xfsz = -SIGXFSZ;  // raised by the write itself
    std::vector<int> signals{SIGTERM, SIGPIPE, SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF, SIGXCPU, SIGABRT, SIGRTMIN + 1, xfsz};
#if !defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reports these itself and exits instead.
    signals.push_back(SIGBUS);
    signals.push_back(SIGSEGV);
#endif
    for (int sig : signals) {
        TempDir dir;
        const std::string target = dir.Write("model.std", kEarlier);
        int gone[2];
        ASSERT_EQ(::pipe(gone), 0);
        ::close(gone[0]);
        const int status = RunChild(
            [&] {
                const rlimit noCore{0, 0};
                ::setrlimit(RLIMIT_CORE, &noCore);
                std::signal(std::abs(sig), SIG_DFL);  // whatever the test runner ignores
                InstallOutputCleanup();
                OutputFile out;
                if (!out.Open(target)) return 2;
                out.Write(std::string(3 << 20, 'x'));
                if (sig == SIGPIPE) (void)!::write(gone[1], "line\n", 5);
                if (sig == xfsz) {
                    const rlimit limit{1 << 20, 1 << 20};
                    ::setrlimit(RLIMIT_FSIZE, &limit);
                    out.Write(std::string(3 << 20, 'y'));
                }
                Ready();
                for (;;) ::pause();
            },
            sig > 0 && sig != SIGPIPE ? sig : 0);
        ::close(gone[1]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == std::abs(sig)) << strsignal(std::abs(sig));
        ExpectOnlyTheEarlierFile(dir);
    }
}

// Far more outputs in progress than any fixed table would hold (`--jobs 100
// --full` has three per input): every one is removed.
TEST(OutputFile, SignalRemovesAnyNumberOfNewFiles) {
    TempDir dir;
    const int status = RunChild(
        [&] {
            InstallOutputCleanup();
            std::vector<std::unique_ptr<OutputFile>> outs;
            for (int i = 0; i < 300; ++i) {
                outs.push_back(std::make_unique<OutputFile>());
                if (!outs.back()->Open(dir.Path("out" + std::to_string(i) + ".std"))) return 2;
                outs.back()->Write("x");
            }
            Ready();
            for (;;) ::pause();
        },
        SIGTERM);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(Listing(dir), Names{});
}

// An input truncated while it is mapped: reading on finds zeros where the
// bytes were instead of dying by SIGBUS, and the input says it changed. A
// bus error elsewhere still ends the process, and removes the new files.
TEST(OutputFile, InputThatShrinksIsReadOnAndTold) {
    TempDir dir;
    const std::string input = dir.Write("m.s2k", std::string(1 << 20, 'a'));
    const int status = RunChild([&] {
        InstallOutputCleanup();
        int error = 0;
        const auto text = InputText::Load(input, &error);
        if (!text || text->Changed()) return 2;
        if (::truncate(input.c_str(), 5000) != 0) return 3;
        std::size_t letters = 0;
        for (char c : text->bytes()) letters += c == 'a';
        return letters == 5000 && text->bytes().size() == 1u << 20 && text->Changed() ? 0 : 1;
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    const std::string target = dir.Write("model.std", kEarlier);
    const std::string other = dir.Write("other.bin", std::string(1 << 16, 'b'));
    const int crashed = RunChild([&] {
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        InstallOutputCleanup();
        OutputFile out;
        if (!out.Open(target)) return 2;
        const int fd = ::open(other.c_str(), O_RDONLY);
        auto* mapped = static_cast<const volatile char*>(::mmap(nullptr, 1 << 16, PROT_READ, MAP_SHARED, fd, 0));
        if (::truncate(other.c_str(), 0) != 0) return 3;
        return mapped[1 << 15] == 'b' ? 4 : 5;
    });
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_TRUE(WIFSIGNALED(crashed) && WTERMSIG(crashed) == SIGBUS) << crashed;
#endif
    EXPECT_EQ(ReadFile(target), kEarlier);
    EXPECT_EQ(Listing(dir), (Names{"m.s2k", "model.std", "other.bin"}));

    // Any change of size or time after loading counts, not only a shrink.
    int error = 0;
    const auto text = InputText::Load(input, &error);
    ASSERT_TRUE(text);
    EXPECT_FALSE(text->Changed());
    ::truncate(input.c_str(), 6000);
    EXPECT_TRUE(text->Changed());
}

// The cleanup registry has room for a bounded number of outputs in progress.
// Every way an output ends must give its entry back, or after enough outputs
// a signal no longer removes the new file of the next one. Each way runs
// more times than the registry holds, all in one process.
TEST(OutputFile, EveryWayAnOutputEndsGivesBackItsCleanupEntry) {
    TempDir dir;
    const std::string target = dir.Write("model.std", kEarlier);
    const int status = RunChild(
        [&] {
            InstallOutputCleanup();
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1 << 20, 1 << 20};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const std::string big(2 << 20, 'x');
            for (int i = 0; i < 200; ++i) {
                OutputFile committed, abandoned, reopened, unwound, failed, twoSteps;
                if (!committed.Open(target) || !abandoned.Open(target) || !reopened.Open(target) || !unwound.Open(target) ||
                    !failed.Open(target) || !twoSteps.Open(target))
                    return 2;
                committed.Write(kEarlier);
                if (!committed.Commit()) return 3;
                abandoned.Abandon();
                if (!reopened.Open(target)) return 4;  // gives up the first new file
                reopened.Abandon();
                failed.Write(big);
                if (failed.Commit()) return 5;  // beyond the file size limit
                twoSteps.Write(kEarlier);
                if (!twoSteps.Finish() || !twoSteps.Publish()) return 6;
            }  // `unwound` ends with its scope
            OutputFile last;
            if (!last.Open(target)) return 8;
            last.Write("half a line");
            Ready();
            for (;;) ::pause();
        },
        SIGTERM);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    ExpectOnlyTheEarlierFile(dir);
}

// Threads that keep creating outputs while the handler removes them: none
// may create a new file the handler does not see.
TEST(OutputFile, SignalAmidParallelWritersLeavesNoNewFile) {
    TempDir dir;
    const int status = RunChild(
        [&]() -> int {
            InstallOutputCleanup();
            for (int t = 0; t < 4; ++t)
                std::thread([&dir, t] {
                    for (int i = 0;; ++i) {
                        OutputFile out;
                        out.Open(dir.Path("out" + std::to_string(t) + ".std"));
                        out.Write(std::string(65536, 'x'));
                        if (i % 2) out.Commit();
                    }
                }).detach();
            ::usleep(20000);
            Ready();
            for (;;) ::pause();
        },
        SIGTERM);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    for (const std::string& name : Listing(dir)) EXPECT_EQ(name.find(".part"), std::string::npos) << name;
}

// A forked child dying by a signal removes only its own new files; a signal
// ignored at the start (nohup) stays ignored.
TEST(OutputFile, SignalCleanupSparesTheParentAndIgnoredSignals) {
    TempDir dir;
    OutputFile out;
    ASSERT_TRUE(out.Open(dir.Path("parent.std")));
    out.Write("parent");
    const int status = RunChild([&] {
        std::signal(SIGHUP, SIG_IGN);
        InstallOutputCleanup();
        ::raise(SIGHUP);
        ::raise(SIGTERM);
        return 0;
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_TRUE(out.Commit()) << out.Error();
    EXPECT_EQ(ReadFile(dir.Path("parent.std")), "parent");
}

// A link at the target is followed, through a chain of relative links and
// to a file that does not exist yet: the file at its end is replaced, the
// links stay as they are. A pipe a reader waits on gets the bytes in place.
TEST(OutputFile, LinkIsWrittenThroughAndPipeInPlace) {
    TempDir dir;
    const std::string destination = dir.Write("destination.std", kEarlier);
    ::mkdir(dir.Path("sub").c_str(), 0755);
    ASSERT_EQ(::symlink("../destination.std", dir.Path("sub/middle.std").c_str()), 0);
    ASSERT_EQ(::symlink("sub/middle.std", dir.Path("link.std").c_str()), 0);
    ASSERT_EQ(::symlink("new.std", dir.Path("dangling.std").c_str()), 0);
    ASSERT_EQ(::chmod(destination.c_str(), 0640), 0);
    EXPECT_TRUE(WriteFileAtomically(dir.Path("link.std"), "new", nullptr));
    EXPECT_TRUE(WriteFileAtomically(dir.Path("dangling.std"), "created", nullptr));
    EXPECT_EQ(ReadFile(destination), "new");
    EXPECT_EQ(Mode(destination) & 0777, 0640u);
    EXPECT_EQ(ReadFile(dir.Path("new.std")), "created");
    EXPECT_TRUE(S_ISLNK(Mode(dir.Path("link.std"))));
    EXPECT_TRUE(S_ISLNK(Mode(dir.Path("sub/middle.std"))));
    EXPECT_TRUE(S_ISLNK(Mode(dir.Path("dangling.std"))));
    EXPECT_EQ(Listing(dir), (Names{"dangling.std", "destination.std", "link.std", "new.std", "sub"}));

    ASSERT_EQ(::mkfifo(dir.Path("pipe.std").c_str(), 0600), 0);
    const int reader = ::open(dir.Path("pipe.std").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ::alarm(10);
    EXPECT_TRUE(WriteFileAtomically(dir.Path("pipe.std"), "through the pipe", nullptr));
    ::alarm(0);
    char got[64] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 16);
    EXPECT_EQ(std::string(got), "through the pipe");
    ::close(reader);
    EXPECT_TRUE(S_ISFIFO(Mode(dir.Path("pipe.std"))));
}

// A path naming a descriptor of the process (/dev/stdout, /dev/fd/N,
// /proc/self/fd/N, or a link to one) is a stream: written in place through
// the descriptor, keeping its appending mode, never replaced.
TEST(OutputFile, DescriptorPathIsAStreamWrittenInPlace) {
    TempDir dir;
    const std::string log = dir.Write("log.txt", "before\n");
    const int fd = ::open(log.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    const std::string n = std::to_string(fd);
    ASSERT_EQ(::symlink(("/proc/self/fd/" + n).c_str(), dir.Path("to-fd").c_str()), 0);
    for (const std::string& path : {"/dev/fd/" + n, "/proc/self/fd/" + n, dir.Path("to-fd")}) {
        EXPECT_EQ(OutputDescriptor(path), fd) << path;
        EXPECT_TRUE(IsStreamOutput(path)) << path;
        EXPECT_TRUE(WriteFileAtomically(path, "x\n", nullptr)) << path;
    }
    EXPECT_EQ(ReadFile(log), "before\nx\nx\nx\n");
    EXPECT_EQ(OutputDescriptor("/dev/stdout"), 1);
    EXPECT_EQ(OutputDescriptor(log), -1);
    EXPECT_FALSE(IsStreamOutput(log));
    EXPECT_TRUE(S_ISLNK(Mode("/dev/stdout")));

    // A descriptor not open for writing is no stream to write to.
    const int readOnly = ::open(log.c_str(), O_RDONLY);
    int error = 0;
    EXPECT_FALSE(WriteFileAtomically("/dev/fd/" + std::to_string(readOnly), "x", &error));
    EXPECT_EQ(error, EBADF);
    ::close(readOnly);
    ::close(fd);
    EXPECT_EQ(Listing(dir), (Names{"log.txt", "to-fd"}));
}

// A file the user may not write is refused, as cp refuses it, though the
// folder would let the file be replaced. Root may write any file; the check
// runs as nobody then.
TEST(OutputFile, TargetTheUserMayNotWriteIsRefused) {
    TempDir dir;
    ::chmod(dir.Path("").c_str(), 0777);
    const std::string target = dir.Write("model.std", kEarlier);
    ::chmod(target.c_str(), 0444);
    const int status = RunChild([&] {
        if (::geteuid() == 0 && (::chown(target.c_str(), 65534, 65534) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 2;
        int error = 0;
        return !WriteFileAtomically(target, "new", &error) && error == EACCES ? 0 : 1;
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ExpectOnlyTheEarlierFile(dir);
}

// A link to a device or a pipe (/dev/stdout) is written through, since
// replacing it would replace the link; a pipe without reader fails at once.
TEST(OutputFile, LinkToADeviceOrPipeIsWrittenThrough) {
    TempDir dir;
    ASSERT_EQ(::symlink("/dev/null", dir.Path("null.std").c_str()), 0);
    EXPECT_TRUE(WriteFileAtomically(dir.Path("null.std"), "discarded", nullptr));
    EXPECT_TRUE(S_ISLNK(Mode(dir.Path("null.std"))));
    ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("pipe", dir.Path("pipe.std").c_str()), 0);
    int error = 0;
    ::alarm(10);
    EXPECT_FALSE(WriteFileAtomically(dir.Path("pipe.std"), "x", &error));
    ::alarm(0);
    EXPECT_EQ(error, ENXIO);
    EXPECT_EQ(Listing(dir), (Names{"null.std", "pipe", "pipe.std"}));
}

TEST(OutputFile, ConcurrentWritersLeaveOneWholeFile) {
    TempDir dir;
    const std::string target = dir.Write("model.std", kEarlier);
    const std::string contents[] = {std::string(3 << 20, 'a'), std::string(4 << 20, 'b')};
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t pids[2];
    for (int i = 0; i < 2; ++i) {
        pids[i] = Fork([&] {
            ::close(start[1]);
            char c;
            (void)!::read(start[0], &c, 1);  // both start when the parent closes the pipe
            OutputFile out;
            if (!out.Open(target)) return 2;
            for (std::size_t at = 0; at < contents[i].size(); at += 65536)
                out.Write(std::string_view(contents[i]).substr(at, 65536));
            return out.Commit() ? 0 : 1;
        });
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t pid : pids) EXPECT_EQ(Wait(pid), 0);
    const std::string result = ReadFile(target);
    EXPECT_TRUE(result == contents[0] || result == contents[1]) << result.size();
    EXPECT_EQ(Listing(dir), Names{"model.std"});
}

TEST(OutputFile, UnusableTargetsFailAndCreateNothing) {
    TempDir dir;
    ::mkdir(dir.Path("folder").c_str(), 0755);
    OutputFile out;
    EXPECT_FALSE(out.Open(dir.Path("missing/model.std")));
    EXPECT_EQ(out.Error(), ENOENT);
    EXPECT_FALSE(out.Open(dir.Path("folder")));
    EXPECT_EQ(out.Error(), EISDIR);
    EXPECT_EQ(Listing(dir), Names{"folder"});
}

TEST(OutputFile, ReadOnlyFolderFailsAndCreatesNothing) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores permissions";
    TempDir dir;
    const std::string target = dir.Write("model.std", kEarlier);
    ::chmod(dir.Path("").c_str(), 0555);
    int error = 0;
    EXPECT_FALSE(WriteFileAtomically(target, "new", &error));
    EXPECT_EQ(error, EACCES);
    ::chmod(dir.Path("").c_str(), 0755);
    ExpectOnlyTheEarlierFile(dir);
}

TEST(PathsClash, SameFileHoweverSpelledExistingOrNot) {
    TempDir dir;
    ::mkdir(dir.Path("a").c_str(), 0755);
    const std::string x = dir.Write("a/x.std", "x");
    ASSERT_EQ(::symlink(dir.Path("a").c_str(), dir.Path("linked").c_str()), 0);
    ASSERT_EQ(::link(x.c_str(), dir.Path("a/hard.std").c_str()), 0);
    EXPECT_TRUE(PathsClash(x, dir.Path("a/../a/./x.std")));
    EXPECT_TRUE(PathsClash(x, dir.Path("linked/x.std")));
    EXPECT_TRUE(PathsClash(x, dir.Path("a/hard.std")));
    EXPECT_TRUE(PathsClash(dir.Path("a/new.std"), dir.Path("a/../a/new.std")));
    EXPECT_TRUE(PathsClash(dir.Path("linked/new.std"), dir.Path("a//new.std")));
    EXPECT_FALSE(PathsClash(x, dir.Path("a/new.std")));
    EXPECT_FALSE(PathsClash(dir.Path("a/new.std"), dir.Path("a/other.std")));
    EXPECT_FALSE(PathsClash(dir.Path("a/new.std"), dir.Path("new.std")));

    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_TRUE(PathsClash("not-there.std", std::string(cwd) + "/./not-there.std"));
}
