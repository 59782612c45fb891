// Times the corvane commands as whole processes on generated models of
// several sizes (best of five) and prints one table: input size, seconds,
// MB/s, peak resident memory (the mapped input included), and, measured in
// the same run on the same file, `wc -l` and the minimal tokenizer with the
// ratio of the command's time to each. The shared machine's speed varies
// from hour to hour; the ratios are what compares across runs.
//   run_bench CORVANE GENERATOR TOKENIZER MODELS_DIR SIZE...
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Measure {
    double seconds = 1e300;
    long peakKb = 0;
    int status = 0;
};

// Runs argv with both streams sent to /dev/null; the best wall time and the
// largest peak memory of `repeats` runs.
Measure Run(const std::vector<std::string>& args, int repeats) {
    Measure m;
    for (int r = 0; r < repeats; ++r) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            std::vector<char*> argv;
            for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
        int status = 0;
        struct rusage usage {};
        ::wait4(pid, &status, 0, &usage);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (s < m.seconds) m.seconds = s;
        if (usage.ru_maxrss > m.peakKb) m.peakKb = usage.ru_maxrss;
        m.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return m;
}

long long FileSize(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: run_bench CORVANE GENERATOR TOKENIZER MODELS_DIR SIZE...\n");
        return 2;
    }
    const std::string corvane = argv[1], generator = argv[2], tokenizer = argv[3], dir = argv[4];
    constexpr int kRepeats = 5;
    ::mkdir(dir.c_str(), 0755);
    std::printf("| joints | command | input MB | seconds | MB/s | peak RSS MB | RSS / input | wc -l s | x wc -l | tokenizer s | x tokenizer |\n");
    std::printf("|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (int i = 5; i < argc; ++i) {
        const std::string joints = argv[i];
        const std::string model = dir + "/model-" + joints + ".s2k";
        if (FileSize(model) <= 0) {
            std::fprintf(stderr, "generating %s ...\n", model.c_str());
            if (Run({generator, joints, "20261206", model}, 1).status != 0) {
                std::fprintf(stderr, "generation failed\n");
                return 1;
            }
        }
        const double mb = static_cast<double>(FileSize(model)) / 1e6;
        Run({"cat", model}, 1);  // into the page cache
        const Measure wc = Run({"wc", "-l", model}, kRepeats);
        const Measure tok = Run({tokenizer, model}, kRepeats);
        const struct {
            const char* name;
            std::vector<std::string> args;
        } commands[] = {
            {"convert", {corvane, "convert", model, "-o", dir + "/out.std"}},
            {"convert --full", {corvane, "convert", model, "-o", dir + "/full.std", "--full"}},
            {"abaqus", {corvane, "abaqus", model, "-o", dir + "/out.inp"}},
            {"tables --json", {corvane, "tables", model, "--json"}},
        };
        for (const auto& c : commands) {
            const Measure m = Run(c.args, kRepeats);
            if (m.status != 0) std::fprintf(stderr, "%s exited with %d\n", c.name, m.status);
            std::printf("| %s | %s | %.1f | %.3f | %.0f | %.0f | %.2f | %.3f | %.1f | %.3f | %.1f |\n", joints.c_str(), c.name, mb,
                        m.seconds, mb / m.seconds, m.peakKb * 1024.0 / 1e6, m.peakKb * 1024.0 / 1e6 / mb, wc.seconds, m.seconds / wc.seconds,
                        tok.seconds, m.seconds / tok.seconds);
            std::fflush(stdout);
        }
    }
    std::remove((dir + "/out.std").c_str());
    std::remove((dir + "/out.inp").c_str());
    return 0;
}
