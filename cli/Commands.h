// The commands of `corvane` once their arguments are parsed: what each does
// with its inputs, and the exit statuses they give.
#pragma once

#include "driver/Session.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane {

enum ExitStatus : int {
    kDone = 0,
    kFailed = 1,          // an input was not converted (or an output not written)
    kUsageError = 2,      // the arguments make no sense; nothing was done
    kReportNotEmpty = 3,  // --strict and something was left out
};

// The worse of two statuses of inputs: a failure over a report that is not
// empty over success.
int WorseStatus(int a, int b);

// Arguments that parse but do not fit together; exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CliSettings {
    std::vector<std::string> inputs;
    std::string output;     // -o; "-" is standard output
    std::string outputDir;  // --output-dir
    std::string reportFile;
    ConvertOptions convert;  // --all-sections, --renumber, --full
    bool strict = false;
    bool quiet = false;
    bool verbose = false;
    unsigned jobs = 0;  // 0: one per core
    // tables
    bool json = false;
    // preview
    bool staadAxes = false;
    std::string size = "1200x900";
};

enum class BatchCommand { Convert, Abaqus, Preprocess };

// Throws UsageError when the settings do not fit the command.
void CheckBatchUsage(BatchCommand command, const CliSettings& o);
void CheckPreviewUsage(const CliSettings& o);

// Converts every input in turn, or `jobs` at once; the worst status.
int RunBatch(BatchCommand command, const CliSettings& o);
int RunTables(const CliSettings& o);
int RunPreview(const CliSettings& o);

// "INPUT: file not found", "INPUT: is a directory", ...; empty when the
// path names a regular file.
std::string InputProblem(const std::string& path);
// The problem of a path that is there but is no regular file ("PATH: is a
// directory"), or "": such an input is told so, and no command runs on it.
std::string ThereButNoFile(const std::string& path);
// "INPUT: out of memory while reading (N MB)".
std::string OutOfMemoryText(const std::string& input);
// The console's style for the settings: quiet, verbose or neither, the
// history on the given stream.
struct ConsoleStyle;
enum class Stream;
ConsoleStyle StyleOf(const CliSettings& o, Stream history);
// The picture format of a preview's output by its extension: "PNG" (also
// for standard output and the default name), "JPEG", or null for any other.
const char* PictureFormat(const std::string& output);

class JobConsole;
// Runs a command on one input; memory that runs out (an allocation, or a
// thread that cannot be started) or any other exception is told on the
// console and gives status 1. The outputs in progress were abandoned on the
// way out, so every earlier file is as it was.
int RunGuarded(const std::string& input, JobConsole& console, const std::function<int()>& run);

}  // namespace corvane
