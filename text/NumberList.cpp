#include "text/NumberList.h"

namespace corvane {

std::vector<std::string> FoldRuns(const std::vector<std::string>& numbers) {
    std::vector<std::string> items;
    if (numbers.empty()) items.emplace_back();
    FoldNumbers(numbers.size(), [&](std::size_t i) -> std::string_view { return numbers[i]; },
                [&](std::string_view item) { items.emplace_back(item); });
    return items;
}

std::string JoinItems(const std::vector<std::string>& items) {
    std::size_t size = 0;
    for (const auto& item : items) size += item.size() + 1;
    std::string text;
    text.reserve(size);
    for (const auto& item : items) {
        text += item;
        text += ' ';
    }
    return text;
}

}  // namespace corvane
