#include "staad/NumberList.h"

#include "staad/NumberText.h"

namespace corvane {

void shortList(const std::vector<std::string>& list, RunList& runList) {
    runList.clear();
    runList.push_back(list.empty() ? std::string() : list.front());
    if (list.size() < 2) return;
    double last = TextToNumber(list[0]);
    long count = 0;
    for (std::size_t i = 1; i < list.size(); ++i) {
        const double cur = TextToNumber(list[i]);
        if (last + 1 == cur) {
            last = cur;
            ++count;
            continue;
        }
        if (count > 0) {
            runList.emplace_back("TO");
            runList.push_back(NumberToText(last));
        }
        runList.push_back(list[i]);
        last = cur;
        count = 0;
    }
    if (count > 0) {
        runList.emplace_back("TO");
        runList.push_back(NumberToText(last));
    }
}

std::string joinArray(const RunList& list) {
    std::size_t size = 0;
    for (const auto& item : list) size += item.size() + 1;
    std::string text;
    text.reserve(size);
    for (const auto& item : list) {
        text += item;
        text += ' ';
    }
    return text;
}

}  // namespace corvane
