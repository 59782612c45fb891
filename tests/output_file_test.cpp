// Outputs written all or nothing: the earlier file survives every failure,
// signals leave nothing behind, links and pipes at the target are replaced,
// concurrent writers do not mix; and the check that two paths are one file.
#include "TestSupport.h"
#include "driver/Files.h"
#include "driver/OutputFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
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

// SIGTERM from outside in the middle of the output; SIGPIPE from a reader
// that has gone (`convert ... | head -1`).
TEST(OutputFile, TerminatingSignalRemovesTheNewFile) {
    for (int sig : {SIGTERM, SIGPIPE}) {
        TempDir dir;
        const std::string target = dir.Write("model.std", kEarlier);
        int gone[2];
        ASSERT_EQ(::pipe(gone), 0);
        ::close(gone[0]);
        const int status = RunChild(
            [&] {
                InstallOutputCleanup();
                OutputFile out;
                if (!out.Open(target)) return 2;
                out.Write(std::string(3 << 20, 'x'));
                if (sig == SIGPIPE) (void)!::write(gone[1], "line\n", 5);
                Ready();
                for (;;) ::pause();
            },
            sig == SIGTERM ? SIGTERM : 0);
        ::close(gone[1]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig;
        ExpectOnlyTheEarlierFile(dir);
    }
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

TEST(OutputFile, LinkOrPipeAtTheTargetIsReplacedNotFollowed) {
    TempDir dir;
    const std::string destination = dir.Write("destination.std", kEarlier);
    ASSERT_EQ(::symlink(destination.c_str(), dir.Path("link.std").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.Path("pipe.std").c_str(), 0600), 0);
    ::alarm(10);  // a writer that opened the pipe would wait for a reader forever
    for (const char* name : {"link.std", "pipe.std"}) {
        EXPECT_TRUE(WriteFileAtomically(dir.Path(name), "new", nullptr)) << name;
        EXPECT_TRUE(S_ISREG(Mode(dir.Path(name)))) << name;
        EXPECT_EQ(ReadFile(dir.Path(name)), "new");
    }
    ::alarm(0);
    EXPECT_EQ(ReadFile(destination), kEarlier);
    EXPECT_EQ(Listing(dir), (Names{"destination.std", "link.std", "pipe.std"}));
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
