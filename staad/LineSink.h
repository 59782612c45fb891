// Where writer blocks put their lines. Every line ends in CR LF.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace corvane {

class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void Line(std::string_view text) = 0;
};

class StringSink : public LineSink {
public:
    void Line(std::string_view line) override {
        text.append(line);
        text.append("\r\n");
    }
    std::string text;
};

// A file written through a large buffer. The first failing call is kept:
// once it has failed, nothing more is written and Close() reports it.
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
