// A conversion never loses an earlier output: whatever stops it (an input
// that cannot be read, a signal, a closed pipe, a second conversion to the
// same file), the file at the output path is the earlier one or a whole new
// one, and no half-written file is left beside it.
#include "TestSupport.h"
#include "bench/ModelGenerator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace corvane;
using namespace corvane::test;

namespace {

const std::string kEarlier = "the earlier output\r\n";

// Files in the folder other than the ones named.
std::vector<std::string> Leftovers(const TempDir& dir, const std::vector<std::string>& known) {
    std::vector<std::string> extra;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path(""))) {
        const std::string name = e.path().filename().string();
        if (std::find(known.begin(), known.end(), name) == known.end()) extra.push_back(name);
    }
    return extra;
}

std::string Generated(const TempDir& dir, long joints) {
    const std::string path = dir.Path("big.s2k");
    std::ofstream out(path, std::ios::binary);
    bench::GenerateModel(joints, 3, out);
    return path;
}

// Starts the command line in a child process; the pid.
pid_t Start(const std::vector<std::string>& args, const std::string& stdoutPath) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::FILE* out = std::freopen(stdoutPath.c_str(), "w", stdout);
        std::FILE* err = std::freopen("/dev/null", "w", stderr);
        (void)out;
        (void)err;
        std::vector<char*> argv{const_cast<char*>(CORVANE_CLI)};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(CORVANE_CLI, argv.data());
        ::_exit(127);
    }
    return pid;
}

}  // namespace

TEST(KeptOutputs, AnUnreadableInputLeavesTheEarlierOutput) {
    TempDir dir;
    const std::string output = dir.Write("m.std", kEarlier);
    EXPECT_EQ(RunCli({"convert", dir.Path("missing.s2k"), "-o", output}).status, 1);
    EXPECT_EQ(ReadFile(output), kEarlier);
    const std::string input = dir.Write("m.s2k", TableText("JOINT COORDINATES", {}));
    if (::geteuid() != 0) {  // root reads files whatever their mode
        ::chmod(input.c_str(), 0);
        EXPECT_EQ(RunCli({"convert", input, "-o", output}).status, 1);
        EXPECT_EQ(ReadFile(output), kEarlier);
    }
    EXPECT_TRUE(Leftovers(dir, {"m.std", "m.s2k"}).empty());
}

TEST(KeptOutputs, ASignalMidwayLeavesTheEarlierOutput) {
    TempDir dir;
    const std::string input = Generated(dir, 60000);
    const std::string output = dir.Write("big.std", kEarlier);
    for (int signal : {SIGTERM, SIGINT}) {
        const pid_t pid = Start({"convert", input, "-o", output}, dir.Path("history.txt"));
        // Wait until the conversion is under way (its history has begun).
        for (int i = 0; i < 400; ++i) {
            struct stat st {};
            if (::stat(dir.Path("history.txt").c_str(), &st) == 0 && st.st_size > 200) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            // The conversion won the race: the whole new file is there.
            EXPECT_EQ(ReadFile(output).substr(ReadFile(output).size() - 8), "FINISH\r\n");
            dir.Write("big.std", kEarlier);
            continue;
        }
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        // The signal may also come after the new file replaced the earlier
        // one, while the process ends (slowly under a sanitizer's exit
        // checks): then the file is the whole new one. Never a part of it.
        const std::string now = ReadFile(output);
        if (now != kEarlier) {
            EXPECT_EQ(now.substr(now.size() - 8), "FINISH\r\n");
        }
        EXPECT_TRUE(Leftovers(dir, {"big.s2k", "big.std", "history.txt"}).empty());
        dir.Write("big.std", kEarlier);
    }
}

TEST(KeptOutputs, AClosedPipeLeavesTheEarlierOutput) {
    TempDir dir;
    const std::string input = Generated(dir, 20000);
    const std::string output = dir.Write("big.std", kEarlier);
    const std::string cmd = std::string("'") + CORVANE_CLI + "' convert '" + input + "' -o '" + output + "' 2>/dev/null | head -1 >/dev/null";
    std::system(cmd.c_str());
    const std::string now = ReadFile(output);
    EXPECT_TRUE(now == kEarlier || now.substr(now.size() - 8) == "FINISH\r\n");
    EXPECT_TRUE(Leftovers(dir, {"big.s2k", "big.std"}).empty());
}

TEST(KeptOutputs, TwoConversionsToOneFileLeaveOneWholeFile) {
    TempDir dir;
    const std::string big = Generated(dir, 20000);
    const std::string small = dir.Write("small.s2k", ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/building.s2k"));
    const std::string output = dir.Path("out.std");
    const pid_t a = Start({"convert", big, "-o", output}, "/dev/null");
    const pid_t b = Start({"convert", small, "-o", output}, "/dev/null");
    int sa = 0, sb = 0;
    ::waitpid(a, &sa, 0);
    ::waitpid(b, &sb, 0);
    EXPECT_EQ(WEXITSTATUS(sa), 0);
    EXPECT_EQ(WEXITSTATUS(sb), 0);
    TempDir alone;
    const std::string bigAlone = alone.Path("big.std"), smallAlone = alone.Path("small.std");
    RunCli({"convert", big, "-o", bigAlone});
    RunCli({"convert", small, "-o", smallAlone});
    const std::string result = ReadFile(output);
    EXPECT_TRUE(result == ReadFile(bigAlone) || result == ReadFile(smallAlone));
    EXPECT_TRUE(Leftovers(dir, {"big.s2k", "small.s2k", "out.std"}).empty());
}

// A link at the output is written through: the file it names is replaced
// and the link stays. A pipe nobody reads fails at once instead of waiting.
TEST(KeptOutputs, ALinkAtTheOutputIsWrittenThroughAndAPipeWithoutReaderFails) {
    TempDir dir;
    const std::string input = dir.Write("m.s2k", ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/building.s2k"));
    const std::string other = dir.Write("other.txt", kEarlier);
    ASSERT_EQ(::symlink(other.c_str(), dir.Path("link.std").c_str()), 0);
    EXPECT_EQ(RunCli({"convert", input, "-o", dir.Path("link.std")}).status, 0);
    EXPECT_EQ(ReadFile(other).substr(0, 11), "STAAD SPACE");
    struct stat st {};
    EXPECT_TRUE(::lstat(dir.Path("link.std").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    ASSERT_EQ(::mkfifo(dir.Path("fifo.std").c_str(), 0600), 0);
    const CliRun r = RunCli({"convert", input, "-o", dir.Path("fifo.std")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No such device or address"), std::string::npos) << r.err;
    EXPECT_TRUE(::lstat(dir.Path("fifo.std").c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    // The preprocessed copy too.
    dir.Write("copy.txt", kEarlier);
    ASSERT_EQ(::symlink("copy.txt", (input + ".tmp").c_str()), 0);
    EXPECT_EQ(RunCli({"preprocess", input}).status, 0);
    EXPECT_NE(ReadFile(dir.Path("copy.txt")), kEarlier);
    EXPECT_TRUE(Leftovers(dir, {"m.s2k", "other.txt", "link.std", "fifo.std", "copy.txt", "m.s2k.tmp"}).empty());
}

TEST(KeptOutputs, AReportThatIsTheOutputIsRefusedFirst) {
    TempDir dir;
    const std::string input = dir.Write("m.s2k", ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/building.s2k"));
    const std::string output = dir.Write("same.std", kEarlier);
    const CliRun r = RunCli({"convert", input, "-o", output, "--report", dir.Path("./same.std")});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("same.std"), std::string::npos);
    EXPECT_EQ(ReadFile(output), kEarlier);
}
