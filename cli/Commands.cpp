// tables and preview, and what every command shares: exit statuses and the
// messages that name a path.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/PreviewPlugin.h"
#include "cli/TablesOutput.h"
#include "driver/Files.h"
#include "driver/OutputFile.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <system_error>

namespace corvane {

namespace {

int Rank(int status) {
    switch (status) {
        case kDone: return 0;
        case kReportNotEmpty: return 1;
        case kUsageError: return 2;
        default: return 3;
    }
}

// The path of an output given with -o: "-" (or nothing) is standard output.
bool IsStdout(const std::string& output) { return output.empty() || output == "-"; }

constexpr int kMaxPictureSide = 16384;

bool ParseSize(const std::string& text, int* width, int* height) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
    const auto number = [](const std::string& digits, int* into) {
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
        *into = std::stoi(digits);
        return *into >= 1 && *into <= kMaxPictureSide;
    };
    return number(text.substr(0, x), width) && number(text.substr(x + 1), height);
}

// The drawing library's thread pool loses the work it meant for a thread
// that could not start, and the drawing would wait for it forever: the
// command ends here, its unfinished picture removed.
std::string g_drawnInput;
[[noreturn]] void DrawingThreadFailed(const char* reason) {
    ConsoleWrite(Stream::Err, g_drawnInput + ": cannot start a thread for the drawing: " + reason + "\n");
    AbandonOutputsAndExit(kFailed);
}
std::string CannotWrite(const std::string& path, int error) { return path + ": cannot write: " + std::strerror(error); }

// Reads every table of the input for tables and preview; false, with the
// reason told, when the input cannot be read.
bool ReadModel(Session& s, ConsoleHistory& history, JobConsole& console) {
    if (const std::string problem = ThereButNoFile(s.inputPath); !problem.empty()) {
        console.Message(problem);
        return false;
    }
    if (ReadAllTables(s, history)) return true;
    const std::string problem = InputProblem(s.inputPath);
    console.Message(problem.empty() ? s.inputPath + ": cannot read" : problem);
    return false;
}

}  // namespace

int WorseStatus(int a, int b) { return Rank(b) > Rank(a) ? b : a; }

ConsoleStyle StyleOf(const CliSettings& o, Stream history) {
    ConsoleStyle style;
    style.verbosity = o.quiet ? Verbosity::Quiet : o.verbose ? Verbosity::Verbose : Verbosity::Normal;
    style.history = history;
    return style;
}

std::string ThereButNoFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) ? InputProblem(path) : std::string();
}

const char* PictureFormat(const std::string& output) {
    if (output.empty() || output == "-") return "PNG";
    const std::size_t dot = output.rfind('.'), slash = output.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return nullptr;
    std::string extension = output.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "png") return "PNG";
    if (extension == "jpg" || extension == "jpeg") return "JPEG";
    return nullptr;
}

std::string InputProblem(const std::string& path) {
    struct stat st {};
    const std::string name = path.empty() ? "\"\"" : path;
    if (::stat(path.c_str(), &st) != 0)
        return name + (errno == ENOENT ? std::string(": file not found") : ": " + std::string(std::strerror(errno)));
    if (S_ISDIR(st.st_mode)) return name + ": is a directory";
    if (!S_ISREG(st.st_mode)) return name + ": is not a regular file";
    return {};
}

std::string OutOfMemoryText(const std::string& input) {
    const auto mb = static_cast<long long>(std::llround(static_cast<double>(FileSize(input)) / 1e6));
    return input + ": out of memory while reading (" + std::to_string(mb) + " MB)";
}

int RunGuarded(const std::string& input, JobConsole& console, const std::function<int()>& run) {
    try {
        return run();
    } catch (const std::bad_alloc&) {
        console.Message(OutOfMemoryText(input));
    } catch (const std::system_error& e) {
        // A thread that cannot start throws EAGAIN: said as such, not as
        // memory that ran out.
        if (e.code() == std::errc::resource_unavailable_try_again)
            console.Message(ThreadFailureMessage(input, EAGAIN));
        else if (e.code() == std::errc::not_enough_memory)
            console.Message(OutOfMemoryText(input));
        else
            console.Message(input + ": " + e.what());
    } catch (const std::exception& e) {
        console.Message(input + ": " + e.what());
    }
    return kFailed;
}

int RunTables(const CliSettings& o) {
    const std::string& input = o.inputs.front();
    // Standard output holds the tables alone.
    JobConsole console(StyleOf(o, Stream::Err), false);
    return RunGuarded(input, console, [&]() -> int {
        OutputFile file;
        if (!IsStdout(o.output)) {
            if (PathsClash(input, o.output)) {
                console.Message(o.output + ": is the input file, which is never written over");
                return kFailed;
            }
            if (!file.Open(o.output)) {
                console.Message(CannotWrite(o.output, file.Error()));
                return kFailed;
            }
        }
        Session s;
        s.inputPath = input;
        s.options.allSections = o.convert.allSections;
        s.options.full = o.convert.full;
        ConsoleHistory history(console, o.json);
        if (!ReadModel(s, history, console)) return kFailed;
        const ByteWriter write = [&](std::string_view bytes) {
            if (!file.IsOpen()) return ConsoleWrite(Stream::Out, bytes);
            file.Write(bytes);
            return file.Error() == 0;
        };
        const bool written = o.json ? WriteTablesJson(s.model, history.lines, write) : WriteTablesText(s.model, write);
        if (InputChanged(s.model)) {
            console.Message(InputChangedMessage(input));
            return kFailed;
        }
        if (!file.IsOpen()) return written ? kDone : kFailed;  // main tells standard output's failure
        if (!written || !file.Commit()) {
            console.Message(CannotWrite(o.output, file.Error()));
            return kFailed;
        }
        std::size_t tables = 0;
        for (TableId id : kTableOrder) tables += !Describe(id).full || s.model.full;
        console.Note(input + ": " + std::to_string(tables) + " tables -> " + o.output);
        return kDone;
    });
}

void CheckPreviewUsage(const CliSettings& o) {
    int width = 0, height = 0;
    if (!ParseSize(o.size, &width, &height))
        throw UsageError("--size " + o.size + ": give WIDTHxHEIGHT in pixels, each 1 to " + std::to_string(kMaxPictureSide));
    if (!PictureFormat(o.output))
        throw UsageError("-o " + o.output + ": preview writes PNG or JPEG pictures; give a name ending in .png, .jpg or .jpeg");
}

int RunPreview(const CliSettings& o) {
    const std::string& input = o.inputs.front();
    const std::string output = o.output.empty() ? ReplaceExtension(input, ".png") : o.output;
    const char* const format = PictureFormat(output);
    JobConsole console(StyleOf(o, output == "-" || OutputDescriptor(output) == 1 ? Stream::Err : Stream::Out), false);
    return RunGuarded(input, console, [&]() -> int {
        // The picture file is made first, so that one that cannot be
        // written stops the command before the model is read.
        OutputFile file;
        if (output != "-") {
            if (PathsClash(input, output)) {
                console.Message(output + ": is the input file, which is never written over");
                return kFailed;
            }
            if (!file.Open(output)) {
                console.Message(CannotWrite(output, file.Error()));
                return kFailed;
            }
        }
        int width = 0, height = 0;
        ParseSize(o.size, &width, &height);
        Session s;
        s.inputPath = input;
        ConsoleHistory history(console);
        if (!ReadModel(s, history, console)) return kFailed;
        std::string picture, problem;
        g_drawnInput = input;
        const PreviewResult drawn = DrawPreview(s.model, width, height, o.staadAxes, format, &picture, &problem, DrawingThreadFailed);
        if (InputChanged(s.model)) {
            console.Message(InputChangedMessage(input));
            return kFailed;
        }
        switch (drawn) {
            case PreviewResult::Done: break;
            case PreviewResult::NoJoints:
                console.Message(input + ": no joint with coordinates, nothing to draw");
                return kFailed;
            case PreviewResult::NotEncoded:
                console.Message(output + ": the picture could not be encoded as " + format);
                return kFailed;
            case PreviewResult::OutOfMemory: throw std::bad_alloc();
            case PreviewResult::NotAvailable:
                console.Message("corvane preview: not available in this installation (" + problem + ")");
                return kFailed;
        }
        if (output == "-") return ConsoleWrite(Stream::Out, picture) ? kDone : kFailed;
        file.Write(picture);
        if (!file.Commit()) {
            console.Message(CannotWrite(output, file.Error()));
            return kFailed;
        }
        console.Note(input + ": " + std::to_string(s.model[TableId::Joints].rows()) + " joints, " +
                     std::to_string(s.model[TableId::Frames].rows()) + " frames, " + std::to_string(s.model[TableId::Areas].rows()) +
                     " areas -> " + output);
        return kDone;
    });
}

}  // namespace corvane
