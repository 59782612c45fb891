// A file written through a large buffer. The first failing call is kept:
// once it has failed, nothing more is written and Close() reports it.
#pragma once

#include "text/LineSink.h"

#include <cstdio>
#include <string>

namespace corvane {

class FileSink : public LineSink {
public:
    FileSink() = default;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;
    ~FileSink() override;

    // Creates or empties the file; false with Error() set when it cannot.
    bool Open(const std::string& path);
    void Line(std::string_view line) override;
    // Writes what is buffered and closes the file; false on any error.
    bool Close();
    int Error() const { return error_; }

private:
    void Flush();
    std::FILE* file_ = nullptr;
    std::string buffer_;
    int error_ = 0;
};

}  // namespace corvane
