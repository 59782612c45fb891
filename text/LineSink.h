// Where writers put their lines. Every line ends in CR LF.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void Line(std::string_view text) = 0;
};

// Keeps every line in one text.
class StringSink : public LineSink {
public:
    void Line(std::string_view line) override {
        text.append(line);
        text.append("\r\n");
    }
    std::string text;
};

}  // namespace corvane
