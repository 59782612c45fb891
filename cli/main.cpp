// corvane: the command-line front end.
//   corvane convert INPUT [-o OUTPUT] [--all-sections] [--report FILE] [--strict]
//   corvane abaqus INPUT [-o OUTPUT] [--report FILE] [--strict]
//   corvane preprocess INPUT
//   corvane tables INPUT [--json] [--all-sections]
#include "cli/Console.h"
#include "driver/ReportOutput.h"
#include "cli/TablesOutput.h"
#include "driver/Files.h"
#include "driver/OutputFile.h"
#include "driver/Preprocessor.h"
#include "driver/Session.h"
#include "text/Json.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace corvane;

namespace {

const char* const kUsage =
    "Usage: corvane COMMAND INPUT [options]\n"
    "\n"
    "Commands:\n"
    "  convert INPUT [-o OUTPUT]   convert a SAP2000 text export (.s2k) to a STAAD.Pro input file\n"
    "  abaqus INPUT [-o OUTPUT]    write the shell part of the model as an Abaqus input deck\n"
    "  preprocess INPUT            write a cleaned copy of INPUT at INPUT.tmp\n"
    "  tables INPUT [--json]       read every table of INPUT and print it\n"
    "\n"
    "Run 'corvane COMMAND --help' for the options of a command.\n";

const char* const kConvertHelp =
    "Usage: corvane convert INPUT [-o OUTPUT] [--all-sections] [--renumber] [--report FILE] [--strict]\n"
    "\n"
    "Converts the SAP2000 text export INPUT to a STAAD.Pro input command file.\n"
    "OUTPUT defaults to INPUT with its extension replaced by \".std\".\n"
    "The history of the conversion goes to standard output line by line; messages\n"
    "and the summary of what was left out go to standard error.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUTPUT  the STAAD.Pro file to write (never the input itself)\n"
    "  --all-sections       give members of every section shape a property, from the\n"
    "                       section's computed properties (PRIS AX IX IY IZ ...)\n"
    "  --renumber           give joints, members and shells whole numbers of 1 to\n"
    "                       999999 where SAP2000 named them otherwise; the map of new\n"
    "                       numbers goes beside OUTPUT (OUTPUT.numbers.csv)\n"
    "  --report FILE        write every report entry to FILE (tab-separated; JSON when\n"
    "                       FILE ends in .json)\n"
    "  --strict             exit with 2 when the report is not empty\n"
    "\n"
    "Exit status: 0 when the file was written, 1 when it was not, 2 with --strict\n"
    "when something was left out.\n";

const char* const kAbaqusHelp =
    "Usage: corvane abaqus INPUT [-o OUTPUT] [--report FILE] [--strict]\n"
    "\n"
    "Writes the shell part of the SAP2000 model INPUT (nodes, shell elements, shell\n"
    "sections, materials, supports, one pressure step) as an Abaqus input deck.\n"
    "OUTPUT defaults to INPUT with its extension replaced by \".inp\".\n"
    "\n"
    "Exit status: 0 when the deck was written, 1 when it was not, 2 with --strict\n"
    "when something was left out.\n";

const char* const kPreprocessHelp =
    "Usage: corvane preprocess INPUT\n"
    "\n"
    "Writes a copy of INPUT at INPUT.tmp with every item on its own line and every\n"
    "comma inside an item turned into a full stop. INPUT is never changed.\n"
    "\n"
    "Exit status: 0 when the copy was written, 1 otherwise.\n";

const char* const kTablesHelp =
    "Usage: corvane tables INPUT [--json] [--all-sections]\n"
    "\n"
    "Reads every table the converter knows from INPUT and prints it: a titled,\n"
    "tab-separated block per table, or with --json one JSON object holding the\n"
    "history, the units, every table as columns of cell texts and the list of\n"
    "combinations.\n"
    "\n"
    "Exit status: 0 when the input was read, 1 when it is missing.\n";

struct Options {
    std::string command;
    std::string input;
    std::string output;
    std::string reportFile;
    bool json = false;
    bool allSections = false;
    bool renumber = false;
    bool full = false;
    bool strict = false;
    bool help = false;
    std::string error;
};

Options Parse(int argc, char** argv) {
    Options o;
    if (argc < 2) {
        o.help = true;
        return o;
    }
    o.command = argv[1];
    std::vector<std::string> positional;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        const auto value = [&](std::string* into) {
            if (i + 1 >= argc) o.error = "option " + a + " needs a value";
            else *into = argv[++i];
        };
        if (a == "-h" || a == "--help") o.help = true;
        else if (a == "-o" || a == "--output") value(&o.output);
        else if (a == "--report") value(&o.reportFile);
        else if (a == "--json") o.json = true;
        else if (a == "--all-sections") o.allSections = true;
        else if (a == "--renumber") o.renumber = true;
        else if (a == "--full") o.full = true;
        else if (a == "--strict") o.strict = true;
        else if (a.size() > 1 && a[0] == '-') o.error = "unknown option " + a;
        else positional.push_back(a);
    }
    if (positional.size() == 1) o.input = positional[0];
    else if (!o.help && o.error.empty()) o.error = positional.empty() ? "no INPUT given" : "more than one INPUT given";
    return o;
}

// Prints the report summary, writes the report file; the exit status of a
// command that succeeded.
int FinishWithReport(const Options& o, const Session& s) {
    const std::string summary = ReportSummary(s.report);
    std::fputs(summary.c_str(), stderr);
    if (!o.reportFile.empty()) {
        const bool json = o.reportFile.size() >= 5 && o.reportFile.compare(o.reportFile.size() - 5, 5, ".json") == 0;
        if (SameFile(o.reportFile, o.input)) {
            std::fprintf(stderr, "Output file is the input file: %s\n", o.reportFile.c_str());
            return 1;
        }
        int error = 0;
        if (!WriteFileAtomically(o.reportFile, json ? ReportJson(s.report) : ReportTsv(s.report), &error)) {
            std::fprintf(stderr, "Cannot write the report %s\n", DescribeFileError(o.reportFile, error).c_str());
            return 1;
        }
    }
    return o.strict && !s.report.Empty() ? 2 : 0;
}

void ExplainFailure(const Session& s, const ConsoleMessages& messages) {
    if (!s.failure.empty() && messages.shown == 0) std::fprintf(stderr, "%s\n", s.failure.c_str());
}

int Convert(const Options& o) {
    Session s;
    s.inputPath = o.input;
    s.outputPath = o.output.empty() ? ReplaceExtension(o.input, ".std") : o.output;
    s.options.allSections = o.allSections;
    s.options.renumber = o.renumber;
    s.options.full = o.full;
    if (!o.reportFile.empty()) s.otherOutputs.push_back(o.reportFile);
    ConsoleHistory history;
    ConsoleMessages messages;
    if (!MakeStaad(s, history, messages)) {
        ExplainFailure(s, messages);
        return 1;
    }
    std::fprintf(stderr, "Output: %s\n", s.outputPath.c_str());
    if (!s.numberMap.empty()) std::fprintf(stderr, "Number map: %s\n", s.numberMap.c_str());
    return FinishWithReport(o, s);
}

int Abaqus(const Options& o) {
    Session s;
    s.inputPath = o.input;
    const std::string deck = o.output.empty() ? ReplaceExtension(o.input, ".inp") : o.output;
    s.options.full = o.full;
    if (!o.reportFile.empty()) s.otherOutputs.push_back(o.reportFile);
    ConsoleHistory history;
    ConsoleMessages messages;
    if (!MakeAbaqus(s, deck, history, messages)) {
        ExplainFailure(s, messages);
        return 1;
    }
    std::fprintf(stderr, "Output: %s\n", deck.c_str());
    return FinishWithReport(o, s);
}

int PreprocessCommand(const Options& o) {
    ConsoleHistory history;
    ConsoleMessages messages;
    return Preprocess(o.input, history, messages) ? 0 : 1;
}

int Tables(const Options& o) {
    Session s;
    s.inputPath = o.input;
    s.options.allSections = o.allSections;
    s.options.full = o.full;
    if (o.json) {
        MemoryHistory history;
        const bool read = ReadAllTables(s, history);
        if (!read) {
            std::fprintf(stderr, "%s\n", history.lines.empty() ? "" : history.lines.back().c_str());
            return 1;
        }
        return WriteTablesJson(s.model, history.lines, stdout) ? 0 : 1;
    }
    ConsoleHistory history;
    if (!ReadAllTables(s, history)) return 1;
    std::printf("\n");
    return WriteTablesText(s.model, stdout) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    InstallOutputCleanup();
    const Options o = Parse(argc, argv);
    struct Command {
        const char* name;
        const char* help;
        int (*run)(const Options&);
    };
    static const Command commands[] = {
        {"convert", kConvertHelp, Convert},
        {"abaqus", kAbaqusHelp, Abaqus},
        {"preprocess", kPreprocessHelp, PreprocessCommand},
        {"tables", kTablesHelp, Tables},
    };
    for (const auto& c : commands) {
        if (o.command != c.name) continue;
        if (o.help) {
            std::fputs(c.help, stdout);
            return 0;
        }
        if (!o.error.empty()) {
            std::fprintf(stderr, "corvane %s: %s\n\n%s", c.name, o.error.c_str(), c.help);
            return 1;
        }
        return c.run(o);
    }
    if (o.command.empty() || o.command == "--help" || o.command == "-h" || o.command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::fprintf(stderr, "corvane: unknown command '%s'\n\n%s", o.command.c_str(), kUsage);
    return 1;
}
