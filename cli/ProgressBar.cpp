#include "cli/ProgressBar.h"

#include <algorithm>

namespace corvane {

std::string ProgressBarText(std::string_view label, std::size_t done, std::size_t total, std::size_t width) {
    const std::size_t shown = total ? std::min(done, total) : 0;
    const std::size_t marks = total ? shown * width / total : 0;
    const std::size_t percent = total ? shown * 100 / total : 0;
    std::string text = "[" + std::string(marks, '#') + std::string(width - marks, ' ') + "] ";
    const std::string number = std::to_string(percent);
    text += std::string(3 - std::min<std::size_t>(3, number.size()), ' ') + number + "% ";
    text.append(label);
    return text;
}

ProgressBar::ProgressBar(std::string label, std::function<void(const std::string&)> draw, std::function<Clock::time_point()> now)
    : label_(std::move(label)), draw_(std::move(draw)), now_(std::move(now)), start_(now_()) {}

ProgressBar::~ProgressBar() {
    if (drawn_) draw_("");
}

void ProgressBar::Step(std::size_t done, std::size_t total) {
    if (now_() - start_ < kDelay) return;
    drawn_ = true;
    draw_(ProgressBarText(label_, done, total));
}

}  // namespace corvane
