#include "TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <algorithm>

namespace corvane::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "corvane-test-XXXXXX").string();
    dir_ = ::mkdtemp(tmpl.data());
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    const std::string p = Path(name);
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path) { return fs::exists(path); }

void FillTable(Model& model, TableId id, const std::vector<std::vector<std::string>>& columns) {
    Table& t = model[id];
    t.Clear();
    t.SetFound(true);
    const std::size_t rows = columns.empty() ? 0 : columns[0].size();
    for (std::size_t r = 0; r < rows; ++r) {
        t.AppendRow();
        for (std::size_t c = 0; c < columns.size() && c < t.columns(); ++c)
            if (r < columns[c].size()) t.at(r, static_cast<int>(c)) = t.TextCell(columns[c][r]);
    }
}

std::vector<std::string> ColumnTexts(const Table& table, int col) {
    std::vector<std::string> texts;
    for (std::size_t r = 0; r < table.rows(); ++r) texts.push_back(table.Text(r, col));
    return texts;
}

std::vector<std::string> CrlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> StaadLines(const std::string& text) {
    std::vector<std::string> lines;
    bool continued = false;
    for (std::string line : CrlfLines(text)) {
        const bool continues = line.size() >= 2 && line.compare(line.size() - 2, 2, " -") == 0;
        if (continues) line.resize(line.size() - 2);
        if (continued) lines.back() += " " + line;
        else lines.push_back(line);
        continued = continues;
    }
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool ListNumbers(const std::string& list, std::vector<long>* out) {
    std::istringstream in(list);
    std::string word;
    long last = 0;
    bool to = false;
    while (in >> word) {
        if (word == "TO") {
            to = true;
            continue;
        }
        if (word.size() > 6 || word.find_first_not_of("0123456789") != std::string::npos) return false;
        const long v = std::stol(word);
        if (v < 1) return false;
        if (to)
            for (long k = last + 1; k <= v; ++k) out->push_back(k);
        else
            out->push_back(v);
        last = v;
        to = false;
    }
    return true;
}

std::string TableText(const std::string& name, const std::vector<std::string>& records) {
    std::string t = "TABLE:  \"" + name + "\"\r\n";
    for (const auto& r : records) t += "   " + r + "\r\n";
    return t + " \r\n";
}

Conversion Convert(const std::string& s2k, bool allSections) {
    TempDir dir;
    Conversion c;
    c.session.inputPath = dir.Write("model.s2k", s2k);
    c.session.outputPath = dir.Path("model.std");
    c.session.options.allSections = allSections;
    MemoryHistory history;
    MemoryMessages messages;
    c.ok = MakeStaad(c.session, history, messages);
    c.history = history.lines;
    c.messages = messages.shown;
    c.staad = ReadFile(c.session.outputPath);
    return c;
}

namespace {

fs::path RepositoryCorpus() { return fs::path(CORVANE_SOURCE_DIR) / "tests" / "data" / "corpus"; }
fs::path SharedCorpus() { return fs::path(CORVANE_SOURCE_DIR) / ".." / "shared" / "corpus"; }

}  // namespace

bool SharedCorpusPresent() { return fs::is_directory(SharedCorpus()); }

std::string CorpusFile(const std::string& name) {
    if (fs::exists(RepositoryCorpus() / name)) return (RepositoryCorpus() / name).string();
    return SharedCorpusPresent() ? (SharedCorpus() / name).string() : std::string();
}

std::vector<std::string> CorpusExports(CorpusPlace place) {
    std::vector<std::string> files;
    const fs::path dir = place == CorpusPlace::Repository ? RepositoryCorpus() : SharedCorpus();
    if (!fs::is_directory(dir)) return files;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        if (!e.is_regular_file() || name.rfind("sap2000_", 0) != 0) continue;
        if (place == CorpusPlace::Shared && fs::exists(RepositoryCorpus() / name)) continue;
        files.push_back(e.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

namespace {

// Runs a shell command with both streams caught in files of `dir`.
CliRun RunCaught(const TempDir& dir, const std::string& command) {
    CliRun r;
    const int raw = std::system((command + " >'" + dir.Path("out") + "' 2>'" + dir.Path("err") + "' </dev/null").c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFile(dir.Path("out"));
    r.err = ReadFile(dir.Path("err"));
    return r;
}

}  // namespace

std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (char ch : word) quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return quoted + "'";
}

CliRun RunCommand(const std::string& program, const std::vector<std::string>& args, const std::string& env) {
    TempDir dir;
    std::string cmd = env.empty() ? std::string() : env + " ";
    cmd += ShellQuoted(program);
    for (const auto& a : args) cmd += " " + ShellQuoted(a);
    return RunCaught(dir, cmd);
}

CliRun RunCli(const std::vector<std::string>& args) { return RunCommand(CORVANE_CLI, args); }

CliRun RunScript(const std::string& script) {
    TempDir dir;
    const std::string file = dir.Write("script.sh", script);
    return RunCaught(dir, std::string("CORVANE='") + CORVANE_CLI + "' /bin/bash '" + file + "'");
}

}  // namespace corvane::test
