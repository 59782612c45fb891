#include "driver/Lookups.h"

#include "driver/Files.h"
#include "link/Link.h"
#include "model/ShellNumbers.h"
#include "reader/Readers.h"

namespace corvane {

const char* const kNoAreaInformation = "No Area Information Found";

namespace {

class NoHistory : public HistoryLog {
public:
    void Clear() override {}
    void Append(const std::string&) override {}
};

// One assignment table read from the input alone, without history lines;
// false (and the message) when the input has no such table.
bool ReadAssignments(const std::string& inputPath, void (*reader)(ReadContext&), TableId id, Model& model, MessageSink& messages) {
    auto text = IsExistingFile(inputPath) ? InputText::Load(inputPath, nullptr) : std::nullopt;
    if (text) {
        NoHistory quiet;
        ReadContext c{*text, model, quiet};
        reader(c);
    }
    if (!model[id].found()) {
        messages.Show(kNoAreaInformation);
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> SectionFrames(const std::string& inputPath, const std::string& section, MessageSink& messages) {
    std::vector<std::string> frames;
    Model model;
    if (!ReadAssignments(inputPath, ReadFrameSectionAssigns, TableId::FrameAssigns, model, messages)) return frames;
    const Table& a = model[TableId::FrameAssigns];
    for (std::size_t r = 0; r < a.rows(); ++r)
        if (a.Is(r, FrameAssignCol::AnalSect, section)) frames.push_back(a.Text(r, FrameAssignCol::Frame));
    return frames;
}

std::vector<std::string> SectionElements(const std::string& inputPath, const std::string& section, MessageSink& messages) {
    std::vector<std::string> elements;
    Model model;
    if (!ReadAssignments(inputPath, ReadAreaSectionAssigns, TableId::AreaAssigns, model, messages)) return elements;
    const Table& a = model[TableId::AreaAssigns];
    for (std::size_t r = 0; r < a.rows(); ++r)
        if (a.Is(r, AreaAssignCol::Section, section)) elements.push_back(ElementNumber(a.View(r, AreaAssignCol::Area), ShellNumberOffset));
    return elements;
}

std::vector<std::string> CombinationCases(const Model& model, std::uint32_t start) {
    std::vector<std::string> cases;
    const Table& k = model[TableId::Combinations];
    if (start >= k.rows()) return cases;
    const std::string name = k.Text(start, CombinationCol::ComboName);
    for (std::size_t r = 0; r < k.rows(); ++r) {
        if (!k.Is(r, CombinationCol::ComboName, name)) continue;
        cases.push_back(k.Text(r, CombinationCol::LoadNumber));
        cases.push_back(k.Text(r, CombinationCol::ScaleFactor));
    }
    return cases;
}

}  // namespace corvane
