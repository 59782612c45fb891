// corvane: the command-line front end.
//   corvane convert INPUT... [-o OUTPUT | --output-dir DIR] [--all-sections] [--renumber] [--full]
//                   [--report FILE] [--strict] [-j N] [-q | -v]
//   corvane abaqus INPUT... [-o OUTPUT | --output-dir DIR] [--full] [--report FILE] [--strict] [-j N] [-q | -v]
//   corvane preprocess INPUT... [-o OUTPUT | --output-dir DIR] [-j N] [-q | -v]
//   corvane tables INPUT [--json] [--all-sections] [--full] [-o FILE] [-q | -v]
//   corvane preview INPUT [-o PICTURE.png|.jpg] [--staad] [--size WxH] [-q | -v]
//   corvane completion bash [-o FILE]
// Exit status: 0 done, 1 a conversion failed, 2 wrong arguments, 3 --strict
// and a report that is not empty.
#include "cli/Commands.h"
#include "cli/Completion.h"
#include "cli/Console.h"
#include "driver/Files.h"
#include "driver/OutputFile.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

using namespace corvane;

namespace {

const char* const kVersion = "corvane " CORVANE_VERSION;

const char* const kExitStatus =
    "Exit status: 0 when every output was written, 1 when an input failed (the\n"
    "others are still converted), 2 for arguments that make no sense, 3 with\n"
    "--strict when a report is not empty.";

// The usage line first, then what the command does, its options by group
// (help and version last) and the exit statuses. The list of commands shows
// each command's one-line description; its own help shows the longer text.
class HelpFormatter : public CLI::Formatter {
public:
    HelpFormatter() {
        column_width(24);
        label("SUBCOMMAND", "COMMAND");
    }
    void Explain(const std::string& command, std::string text) { details_[command] = std::move(text); }

    std::string make_help(const CLI::App* app, std::string name, CLI::AppFormatMode mode) const override {
        if (mode == CLI::AppFormatMode::Sub) return make_expanded(app);
        std::string text = make_usage(app, name);
        const auto detail = details_.find(app->get_name());
        const std::string about = detail != details_.end() ? detail->second : app->get_description();
        if (!about.empty()) text += "\n" + about + "\n";
        text += make_positionals(app);
        std::vector<std::string> groups = app->get_groups();
        std::stable_partition(groups.begin(), groups.end(), [](const std::string& g) { return g != "General"; });
        for (const std::string& group : groups) {
            const auto options = app->get_options(
                [&](const CLI::Option* opt) { return opt->get_group() == group && opt->nonpositional(); });
            if (!group.empty() && !options.empty()) text += make_group(group, false, options);
        }
        text += make_subcommands(app, mode);
        if (!app->get_footer().empty()) text += "\n" + app->get_footer() + "\n";
        return text;
    }

    // The value an option takes ("FILE", "N"), without the validators' and
    // exclusions' notes; "..." after an argument that repeats.
    std::string make_option_opts(const CLI::Option* opt) const override {
        if (opt->get_positional()) return opt->get_expected_max() > 1 ? " ..." : "";
        if (opt->get_expected_max() == 0) return "";
        const std::string type = opt->get_type_name();
        return " " + type.substr(0, type.find(':'));
    }

private:
    std::map<std::string, std::string> details_;
};

void AddGeneral(CLI::App* c) {
    c->get_help_ptr()->group("General");
    c->set_version_flag("--version", kVersion, "show the version and exit")->group("General");
}

void AddInputs(CLI::App* c, CliSettings& o, bool several) {
    CLI::Option* in = c->add_option("INPUT", o.inputs,
                                    several ? "SAP2000 text exports (.s2k, .$2k), any number"
                                            : "the SAP2000 text export (.s2k, .$2k)");
    in->required();
    if (!several) in->expected(1);
}

void AddConsole(CLI::App* c, CliSettings& o, bool jobs) {
    CLI::Option* quiet = c->add_flag("-q,--quiet", o.quiet, "print failures only");
    CLI::Option* verbose = c->add_flag("-v,--verbose", o.verbose, "print every history line too, as it is written (the old output)");
    quiet->group("Console")->excludes(verbose);
    verbose->group("Console");
    if (jobs)
        c->add_option("-j,--jobs", o.jobs, "convert N inputs at once (default: one per core)")
            ->type_name("N")
            ->check(CLI::Validator(
                [](std::string& value) -> std::string {
                    const bool digits = !value.empty() && value.size() <= 4 && value.find_first_not_of("0123456789") == std::string::npos;
                    if (digits && std::stoi(value) >= 1 && std::stoi(value) <= 1024) return {};
                    return "give the number of inputs to convert at once, a whole number from 1 to 1024 (not '" + value + "')";
                },
                "N"))
            ->group("Console");
}

void AddOutputs(CLI::App* c, CliSettings& o, const std::string& what) {
    CLI::Option* output =
        c->add_option("-o,--output", o.output, what + " to write (one INPUT only; - for standard output)");
    CLI::Option* dir = c->add_option("--output-dir", o.outputDir, "write each output in DIR under its default name (made if missing)");
    output->type_name("FILE")->group("Output")->excludes(dir);
    dir->type_name("DIR")->group("Output");
}

void AddReport(CLI::App* c, CliSettings& o) {
    c->add_option("--report", o.reportFile, "write every report entry to FILE (tab-separated; JSON for *.json); with several inputs, the input first")
        ->type_name("FILE")
        ->group("Report");
    c->add_flag("--strict", o.strict, "exit with 3 when the report is not empty")->group("Report");
}

struct Commands {
    CLI::App* convert;
    CLI::App* abaqus;
    CLI::App* preprocess;
    CLI::App* tables;
    CLI::App* preview;
    CLI::App* completion;
};

Commands Define(CLI::App& app, CliSettings& o, std::string& shell) {
    const auto help = std::make_shared<HelpFormatter>();
    app.formatter(help);
    app.set_help_flag("-h,--help", "show this help and exit");
    app.require_subcommand(1);
    AddGeneral(&app);
    app.footer("Run 'corvane COMMAND --help' for the options of a command.\n\n" + std::string(kExitStatus));
    Commands c{};

    c.convert = app.add_subcommand("convert", "convert SAP2000 text exports to STAAD.Pro input files");
    help->Explain("convert",
        "Converts each SAP2000 text export INPUT to a STAAD.Pro input command file,\n"
        "by default beside it with its extension replaced by .std. Labels STAAD.Pro\n"
        "cannot read are renumbered, with the map in OUTPUT.numbers.csv. For each\n"
        "input, standard error gets one line of counts and the output path, then\n"
        "the summary of what was left out; every message names its path first.\n"
        "Several inputs are converted in their order (their lines too, with -j),\n"
        "one failing input does not stop the others, and a last line counts them.\n"
        "-v adds every history line on standard output (standard error with -o -).");
    AddInputs(c.convert, o, true);
    AddOutputs(c.convert, o, "the STAAD.Pro file");
    c.convert->add_flag("--all-sections", o.convert.allSections,
                        "give members of every section shape a property (PRIS AX IX ...)")
        ->group("Conversion");
    c.convert->add_flag("--renumber", o.convert.renumber,
                        "number joints, members and shells 1 to 999999; map in OUTPUT.numbers.csv")
        ->group("Conversion");
    c.convert->add_flag("--full", o.convert.full, "the full conversion (all sections and renumbering included)")
        ->group("Conversion");
    AddReport(c.convert, o);
    AddConsole(c.convert, o, true);
    AddGeneral(c.convert);
    c.convert->footer(kExitStatus);

    c.abaqus = app.add_subcommand("abaqus", "write the shell part of models as Abaqus input decks");
    help->Explain("abaqus",
        "Writes the shell part of each SAP2000 model INPUT (nodes, shell elements,\n"
        "shell sections, materials, supports, one pressure step) as an Abaqus input\n"
        "deck, by default beside it with its extension replaced by .inp. The\n"
        "console is that of convert.");
    AddInputs(c.abaqus, o, true);
    AddOutputs(c.abaqus, o, "the Abaqus deck");
    c.abaqus->add_flag("--full", o.convert.full, "the whole model: frames, shells, solids, supports, springs, constraints and a step per load pattern")->group("Conversion");
    AddReport(c.abaqus, o);
    AddConsole(c.abaqus, o, true);
    AddGeneral(c.abaqus);
    c.abaqus->footer(kExitStatus);

    c.preprocess = app.add_subcommand("preprocess", "write cleaned copies of SAP2000 text exports");
    help->Explain("preprocess",
        "Writes a copy of each INPUT, by default at INPUT.tmp, with every item on\n"
        "its own line and every comma inside an item turned into a full stop.\n"
        "INPUT is never changed.");
    AddInputs(c.preprocess, o, true);
    AddOutputs(c.preprocess, o, "the copy");
    AddConsole(c.preprocess, o, true);
    AddGeneral(c.preprocess);
    c.preprocess->footer("Exit status: 0 when every copy was written, 1 when one was not, 2 for\n"
                         "arguments that make no sense.");

    c.tables = app.add_subcommand("tables", "print every table the converter reads from a model");
    help->Explain("tables",
        "Reads every table the converter knows from INPUT and prints it on standard\n"
        "output: a titled, tab-separated block per table, or with --json one JSON\n"
        "object holding the history, the units, every table as columns of cell\n"
        "texts and the list of combinations. With -v the history goes to standard\n"
        "error.");
    AddInputs(c.tables, o, false);
    c.tables->add_flag("--json", o.json, "one JSON object instead of text blocks")->group("Output");
    c.tables->add_option("-o,--output", o.output, "write the listing to FILE instead of standard output")
        ->type_name("FILE")
        ->group("Output");
    c.tables->add_flag("--all-sections", o.convert.allSections, "read the computed properties of every section shape")
        ->group("Conversion");
    c.tables->add_flag("--full", o.convert.full, "read the full conversion's columns and tables too")->group("Conversion");
    AddConsole(c.tables, o, false);
    AddGeneral(c.tables);
    c.tables->footer("Exit status: 0 when the input was read and listed, 1 when it was not, 2\n"
                     "for arguments that make no sense.");

    c.preview = app.add_subcommand("preview", "draw a picture of a model (PNG)");
    help->Explain("preview",
        "Reads the model INPUT and draws its joints, members, shells and supports\n"
        "as a PNG picture (JPEG for an output named .jpg or .jpeg), by default\n"
        "beside it with its extension replaced by .png. With -v the history goes\n"
        "to standard output (standard error with -o -).");
    AddInputs(c.preview, o, false);
    c.preview->add_option("-o,--output", o.output, "the picture to write: .png, .jpg or .jpeg (- for PNG on standard output)")
        ->type_name("FILE")
        ->group("Output");
    c.preview->add_option("--size", o.size, "the picture's size in pixels (default 1200x900)")
        ->type_name("WxH")
        ->group("Output");
    c.preview->add_flag("--staad", o.staadAxes, "name the axes as STAAD.Pro does (Y up)")->group("Output");
    AddConsole(c.preview, o, false);
    AddGeneral(c.preview);
    c.preview->footer("Exit status: 0 when the picture was written, 1 when it was not, 2 for\n"
                      "arguments that make no sense.");

    c.completion = app.add_subcommand("completion", "print the shell completion script");
    help->Explain("completion",
        "Prints the completion script for SHELL (bash), for example:\n"
        "  source <(corvane completion bash)");
    c.completion->add_option("SHELL", shell, "bash")->required()->check(CLI::IsMember({"bash"}));
    c.completion->add_option("-o,--output", o.output, "write the script to FILE")->type_name("FILE")->group("Output");
    AddGeneral(c.completion);
    c.completion->footer("Exit status: 0 when the script was written, 1 when it was not, 2 for\n"
                         "arguments that make no sense.");
    for (CLI::App* sub : app.get_subcommands({})) sub->group("Commands");
    return c;
}

// Tells what is wrong with the arguments and where to look; exit status 2.
int Usage(const std::string& who, const std::string& message) {
    ConsoleWrite(Stream::Err, who + ": " + message + "\nRun '" + who + " --help' for more information.\n");
    return kUsageError;
}

int WriteText(const std::string& output, const std::string& text) {
    if (output.empty() || output == "-") return ConsoleWrite(Stream::Out, text) ? kDone : kFailed;
    int error = 0;
    if (WriteFileAtomically(output, text, &error)) return kDone;
    ConsoleWrite(Stream::Err, "Cannot write " + DescribeFileError(output, error) + "\n");
    return kFailed;
}

int Run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // "corvane help [COMMAND]" is "corvane [COMMAND] --help".
    if (!args.empty() && args[0] == "help") {
        args.erase(args.begin());
        args.push_back("--help");
    }
    CliSettings o;
    std::string shell;
    CLI::App app{"Converts SAP2000 text exports (.s2k, .$2k) to STAAD.Pro input files (.std)\nand Abaqus decks (.inp).",
                 "corvane"};
    const Commands c = Define(app, o, shell);

    if (args.empty()) return Usage("corvane", "a COMMAND is needed");
    if (args[0].empty() || args[0][0] != '-') {
        bool known = false;
        for (const CLI::App* sub : app.get_subcommands({})) known = known || sub->get_name() == args[0];
        if (!known) return Usage("corvane", "unknown command '" + args[0] + "'");
    }

    std::vector<char*> pointers{argv[0]};
    for (std::string& a : args) pointers.push_back(a.data());
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::CallForHelp&) {
        return ConsoleWrite(Stream::Out, app.help()) ? kDone : kFailed;
    } catch (const CLI::CallForVersion& e) {
        return ConsoleWrite(Stream::Out, std::string(e.what()) + "\n") ? kDone : kFailed;
    } catch (const CLI::ParseError& e) {
        const auto chosen = app.get_subcommands();
        return Usage(chosen.empty() ? "corvane" : "corvane " + chosen[0]->get_name(), e.what());
    }

    const auto chosen = app.get_subcommands();
    const std::string who = "corvane " + chosen.at(0)->get_name();
    try {
        if (c.convert->parsed()) {
            CheckBatchUsage(BatchCommand::Convert, o);
            return RunBatch(BatchCommand::Convert, o);
        }
        if (c.abaqus->parsed()) {
            CheckBatchUsage(BatchCommand::Abaqus, o);
            return RunBatch(BatchCommand::Abaqus, o);
        }
        if (c.preprocess->parsed()) {
            CheckBatchUsage(BatchCommand::Preprocess, o);
            return RunBatch(BatchCommand::Preprocess, o);
        }
        if (c.tables->parsed()) return RunTables(o);
        if (c.preview->parsed()) {
            CheckPreviewUsage(o);
            return RunPreview(o);
        }
        if (c.completion->parsed()) return WriteText(o.output, BashCompletion(app));
    } catch (const UsageError& e) {
        return Usage(who, e.what());
    }
    return Usage("corvane", "a COMMAND is needed");
}

}  // namespace

int main(int argc, char** argv) {
    OpenStandardStreams();
    InstallOutputCleanup();
    int status = kFailed;
    try {
        status = Run(argc, argv);
    } catch (const std::bad_alloc&) {
        ConsoleWrite(Stream::Err, "corvane: out of memory\n");
    } catch (const std::exception& e) {
        ConsoleWrite(Stream::Err, std::string("corvane: ") + e.what() + "\n");
    }
    // Output that did not reach standard output (a full disk, /dev/full) is
    // a failure of the command, whatever it wrote elsewhere.
    if (const int error = StdoutError()) {
        ConsoleWrite(Stream::Err, std::string("corvane: standard output: ") + std::strerror(error) + "\n");
        status = WorseStatus(status, kFailed);
    }
    return status;
}
