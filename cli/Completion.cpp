#include "cli/Completion.h"

#include <CLI/CLI.hpp>

namespace corvane {

namespace {

std::string Join(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
    return text;
}

// "-o|--output" for the case patterns, and every spelling for the word list.
std::vector<std::string> Spellings(const CLI::Option& option) {
    std::vector<std::string> names;
    for (const std::string& s : option.get_snames()) names.push_back("-" + s);
    for (const std::string& l : option.get_lnames()) names.push_back("--" + l);
    return names;
}

std::string CasePattern(const std::vector<std::string>& names) {
    std::string pattern;
    for (const std::string& n : names) pattern += (pattern.empty() ? "" : "|") + n;
    return pattern;
}

}  // namespace

std::string BashCompletion(const CLI::App& app) {
    std::vector<std::string> commands;
    for (const CLI::App* sub : app.get_subcommands({})) commands.push_back(sub->get_name());
    std::vector<std::string> top = commands;
    for (const CLI::Option* option : app.get_options())
        if (!option->get_positional())
            for (const std::string& n : Spellings(*option)) top.push_back(n);

    std::string s =
        "# bash completion for corvane (made by `corvane completion bash`)\n"
        "_corvane() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command= i\n"
        "    # --option=value: bash splits the = off as a word of its own.\n"
        "    if [[ $cur == = ]]; then cur=; prev=${COMP_WORDS[COMP_CWORD-1]}; fi\n"
        "    if [[ $prev == = ]]; then prev=${COMP_WORDS[COMP_CWORD-2]}; fi\n"
        "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
        "        case ${COMP_WORDS[i]} in\n"
        "            " + CasePattern(commands) + ") command=${COMP_WORDS[i]}; break ;;\n"
        "        esac\n"
        "    done\n"
        "    COMPREPLY=()\n"
        "    case $command in\n"
        "        '')\n"
        "            mapfile -t COMPREPLY < <(compgen -W '" + Join(top) + "' -- \"$cur\")\n"
        "            return ;;\n";
    for (const CLI::App* sub : app.get_subcommands({})) {
        std::vector<std::string> words, files, folders, values;
        for (const CLI::Option* option : sub->get_options()) {
            if (option->get_positional()) continue;
            const std::vector<std::string> names = Spellings(*option);
            words.insert(words.end(), names.begin(), names.end());
            if (option->get_expected_max() == 0) continue;  // a flag
            const std::string type = option->get_type_name();
            auto& into = type == "FILE" ? files : type == "DIR" ? folders : values;
            into.insert(into.end(), names.begin(), names.end());
        }
        s += "        " + sub->get_name() + ")\n"
             "            case $prev in\n";
        if (!files.empty())
            s += "                " + CasePattern(files) +
                 ") compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- \"$cur\"); return ;;\n";
        if (!folders.empty())
            s += "                " + CasePattern(folders) +
                 ") compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -d -- \"$cur\"); return ;;\n";
        if (!values.empty()) s += "                " + CasePattern(values) + ") return ;;\n";
        s += "            esac\n"
             "            if [[ $cur == -* ]]; then\n"
             "                mapfile -t COMPREPLY < <(compgen -W '" + Join(words) + "' -- \"$cur\")\n"
             "                return\n"
             "            fi\n";
        if (sub->get_name() == "completion") {
            // Its argument is the shell, not a file.
            s += "            mapfile -t COMPREPLY < <(compgen -W 'bash' -- \"$cur\")\n"
                 "            return ;;\n";
        } else {
            s += "            ;;\n";
        }
    }
    s += "    esac\n"
         "    compopt -o filenames 2>/dev/null\n"
         "    mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
         "}\n"
         "complete -F _corvane corvane\n";
    return s;
}

}  // namespace corvane
