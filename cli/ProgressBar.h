// The progress bar of the command line: one line on standard error, drawn
// only on a terminal and only for an input that has taken more than a
// second, so that quick conversions and logs never see it.
#pragma once

#include "model/History.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

// "[#########           ]  45% m.s2k": `width` marks between the brackets.
std::string ProgressBarText(std::string_view label, std::size_t done, std::size_t total, std::size_t width = 30);

class ProgressBar : public Progress {
public:
    using Clock = std::chrono::steady_clock;
    // `draw` puts a bar text on the line ("" clears it); `now` tells the
    // time (the tests give their own).
    ProgressBar(std::string label, std::function<void(const std::string&)> draw,
                std::function<Clock::time_point()> now = Clock::now);
    // Clears the bar when it was drawn.
    ~ProgressBar() override;
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Step(std::size_t done, std::size_t total) override;
    bool Drawn() const { return drawn_; }

    static constexpr std::chrono::milliseconds kDelay{1000};

private:
    std::string label_;
    std::function<void(const std::string&)> draw_;
    std::function<Clock::time_point()> now_;
    Clock::time_point start_;
    bool drawn_ = false;
};

}  // namespace corvane
