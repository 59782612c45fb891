// The console's side of the services the core needs: history lines go to
// standard output the moment they are appended, message texts to standard
// error, one line each.
#pragma once

#include "model/History.h"

#include <cstdio>

namespace corvane {

class ConsoleHistory : public HistoryLog {
public:
    void Clear() override {}
    void Append(const std::string& line) override {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
};

class ConsoleMessages : public MessageSink {
public:
    void Show(const std::string& text, const std::string&, bool) override {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
        ++shown;
    }
    int shown = 0;
};

}  // namespace corvane
