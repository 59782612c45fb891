// Helpers shared by the tests: temporary folders, files, and running the
// core on a text.
#pragma once

#include "driver/Session.h"
#include "model/Table.h"
#include "model/History.h"

#include <string>
#include <vector>

namespace corvane::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string dir_;
};

std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

// Replaces a table of the model by rows made from columns of texts (in the
// table's column order), as if its header had been found.
void FillTable(Model& model, TableId id, const std::vector<std::vector<std::string>>& columns);

// The shown texts of one column of a table, row by row.
std::vector<std::string> ColumnTexts(const Table& table, int col);

// Lines of a CR LF text, without their line ends.
std::vector<std::string> CrlfLines(const std::string& text);
// The same with the pieces of a continued STAAD.Pro line (" -" at the end)
// joined again by a blank, as STAAD.Pro reads them.
std::vector<std::string> StaadLines(const std::string& text);

// Whether the lines hold this line.
bool Has(const std::vector<std::string>& lines, const std::string& line);

// The numbers of a STAAD.Pro list ("1 TO 3 7" gives 1, 2, 3, 7), up to its
// first word that is no whole number of 1 to 999999; false when there is
// such a word.
bool ListNumbers(const std::string& list, std::vector<long>* out);

// "TABLE:  \"name\"" + CR LF + every record + CR LF + a blank line.
std::string TableText(const std::string& name, const std::vector<std::string>& records);

// A conversion of `s2k` in a temporary folder.
struct Conversion {
    bool ok = false;
    std::vector<std::string> history;
    std::vector<ShownMessage> messages;
    std::string staad;  // the output file's bytes
    Session session;
};
Conversion Convert(const std::string& s2k, bool allSections = false);

// Real exports. Those whose licence allows a copy are kept in the repository
// (tests/data/corpus); the others are read from ../shared/corpus beside the
// project. Tests on shared exports carry "SharedCorpus" in their names: CMake
// leaves them out, saying so in one line, when that folder is missing.
enum class CorpusPlace { Repository, Shared };
// Whether ../shared/corpus is beside the project.
bool SharedCorpusPresent();
// Path of an export: the repository's copy, else the shared folder's (which
// may not exist, for the test to fail on), or "" when that folder is missing.
std::string CorpusFile(const std::string& name);
// The exports kept in the repository, or those of the shared folder that are
// not (none when it is missing), by name.
std::vector<std::string> CorpusExports(CorpusPlace place);

// Runs the command line; returns its exit status and captures both streams.
struct CliRun {
    int status = -1;
    std::string out, err;
};
CliRun RunCli(const std::vector<std::string>& args);
// Runs any program the same way, after environment settings `env`
// ("A=1 B=2"), if given.
CliRun RunCommand(const std::string& program, const std::vector<std::string>& args, const std::string& env = {});
// A word quoted for the shell.
std::string ShellQuoted(const std::string& word);
// Runs a bash script with $CORVANE naming the command line (for redirections,
// pipes and limits); the status is bash's, 128 + N for a signal N.
CliRun RunScript(const std::string& script);

}  // namespace corvane::test
