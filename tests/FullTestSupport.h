// Running the conversion on a model held in memory, with or without the
// full conversion, and looking into its file and its report.
#pragma once

#include "TestSupport.h"
#include "model/Report.h"

#include <string>
#include <vector>

namespace corvane::test {

struct FullRun {
    std::string text;                // the STAAD.Pro file
    std::vector<std::string> lines;  // its lines, continued ones joined
    Report report;
};
FullRun RunFull(const std::string& s2k);
using ClassicRun = FullRun;
ClassicRun RunClassic(const std::string& s2k);
// The classic STAAD.Pro file alone.
std::string Classic(const std::string& s2k);
// The Abaqus deck of the full conversion, and of the classic one.
FullRun RunFullAbaqus(const std::string& s2k);
FullRun RunClassicAbaqus(const std::string& s2k);

// Whether the report has an entry of this kind and name, and, when given,
// of this table and first word.
bool HasEntry(const Report& report, const std::string& kind, const std::string& name, const std::string& table = "",
              const std::string& a = "");
std::string NumberText(double value);

// A model of tests/models (made by make_models.py), as its text.
std::string TestModel(const std::string& name);
// The lines of the primary load whose title ends the LOAD line, up to the
// next load.
std::vector<std::string> LoadLines(const FullRun& r, const std::string& title);
// The number map a full conversion of the model writes beside its file.
std::string FullNumberMap(const std::string& s2k);

}  // namespace corvane::test
