#include "app/CommandLine.h"

#include <cstdio>
#include <cstring>

namespace corvane {

const char* const kGuiUsage =
    "Usage: corvane-gui [MODEL.s2k] [options]\n"
    "\n"
    "Opens the Corvane Converter window, with MODEL.s2k read when given.\n"
    "\n"
    "Options:\n"
    "  --input MODEL        the SAP2000 text export to open (as MODEL.s2k above)\n"
    "  --convert            press \"Make Staad\" once the window shows\n"
    "  --screenshot FILE    save a PNG picture of the window once the commands and\n"
    "                       the picture of the model are done, then end; messages go\n"
    "                       to standard error instead of message boxes\n"
    "  --tab tables|report  the page shown on the left\n"
    "  --size WIDTHxHEIGHT  the window's size in pixels (at least 800x500)\n"
    "  --help               show this text\n"
    "  --version            show the version\n"
    "\n"
    "Exit status: 0, or 1 when the arguments are wrong, the screenshot cannot be\n"
    "written or the command of a screenshot run failed.\n";

GuiArguments ParseGuiArguments(const std::vector<std::string>& args) {
    GuiArguments a;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&](std::string* into) {
            if (i + 1 >= args.size()) a.error = "option " + arg + " needs a value";
            else *into = args[++i];
        };
        if (arg == "-h" || arg == "--help") a.help = true;
        else if (arg == "--version") a.version = true;
        else if (arg == "--convert") a.convert = true;
        else if (arg == "--input") value(&a.input);
        else if (arg == "--screenshot") value(&a.screenshot);
        else if (arg == "--tab") {
            value(&a.tab);
            if (a.error.empty() && a.tab != "tables" && a.tab != "report") a.error = "--tab takes tables or report";
        } else if (arg == "--size") {
            std::string size;
            value(&size);
            char x = 0;
            char rest = 0;
            if (a.error.empty() &&
                (std::sscanf(size.c_str(), "%d%c%d%c", &a.width, &x, &a.height, &rest) != 3 || x != 'x' || a.width < 800 ||
                 a.height < 500 || a.width > 10000 || a.height > 10000))
                a.error = "--size takes WIDTHxHEIGHT, at least 800x500";
        } else if (arg.size() > 1 && arg[0] == '-') a.error = "unknown option " + arg;
        else if (a.input.empty()) a.input = arg;
        else a.error = "more than one MODEL given";
        if (!a.error.empty()) break;
    }
    if (a.error.empty() && a.convert && a.input.empty()) a.error = "--convert needs a MODEL";
    return a;
}

bool AsksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--input") == 0 || std::strcmp(argv[i], "--screenshot") == 0 || std::strcmp(argv[i], "--tab") == 0 ||
            std::strcmp(argv[i], "--size") == 0) {
            ++i;  // a value, even one spelled like an option
            continue;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--version") == 0)
            return true;
    }
    return false;
}

}  // namespace corvane
