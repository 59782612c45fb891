// Lines written to an output file all or nothing: they go to a new file
// beside the target, which replaces the target only when complete.
#pragma once

#include "driver/OutputFile.h"
#include "text/LineSink.h"

#include <string>

namespace corvane {

class FileSink : public LineSink {
public:
    // False with Error() set when the new file cannot be created.
    bool Open(const std::string& path) { return file_.Open(path); }
    void Line(std::string_view line) override {
        file_.Write(line);
        file_.Write(std::string_view("\r\n", 2));
    }
    // As OutputFile: Commit, or Finish and Publish for files replaced
    // together. The destructor abandons a file not committed.
    bool Commit() { return file_.Commit(); }
    bool Finish() { return file_.Finish(); }
    bool Publish() { return file_.Publish(); }
    int Error() const { return file_.Error(); }

private:
    OutputFile file_;
};

}  // namespace corvane
