#include "reader/Lookups.h"

#include "reader/Fields.h"
#include "reader/TableCursor.h"
#include "staad/NumberText.h"

namespace corvane {

const char* const kNoAreaInformation = "No Area Information Found";

std::vector<std::string> FindSectionFrames(const InputText& input, MessageSink& messages, const std::string& sectionName) {
    std::vector<std::string> frames;
    const auto at = input.FindTable("FRAME SECTION ASSIGNMENTS");
    if (!at) {
        messages.show(kNoAreaInformation);
        return frames;
    }
    TableCursor cursor(input, *at);
    TokenStore t;
    while (cursor.NextRecord(t)) {
        const int pf = FieldPosition(t, "Frame");
        const int ps = FieldPosition(t, "AnalSect");
        if (JoinedOr(t, ps, "NULL") == sectionName) frames.push_back(ValueOr(t, pf, "NULL"));
    }
    return frames;
}

void SectionAreaLookup::Scan() {
    scanned_ = true;
    const auto at = input_.FindTable("AREA SECTION ASSIGNMENTS");
    if (!at) return;
    found_ = true;
    TableCursor cursor(input_, *at);
    TokenStore t;
    while (cursor.NextRecord(t)) {
        // Token 1 is the area, token 2 its section, whatever their keys.
        const std::string_view areaToken = t[1];
        const auto eq = areaToken.find('=');
        const std::string_view area = eq == std::string_view::npos ? areaToken : areaToken.substr(eq + 1);
        const std::string section = JoinQuotedValue(t, 2);
        bySection_[section].push_back(NumberToText(TextToNumber(area) + 100000));
    }
}

const std::vector<std::string>& SectionAreaLookup::FindSectionAreas(const std::string& sectionName) {
    if (!scanned_) Scan();
    if (!found_) {
        messages_.show(kNoAreaInformation);
        return none_;
    }
    const auto it = bySection_.find(sectionName);
    return it == bySection_.end() ? none_ : it->second;
}

void ListComboCases(const CombinationTable& combos, const std::string& name, RunList& runList) {
    runList.clear();
    for (std::size_t i = 0; i < combos.LoadNumber.size() && i < combos.ComboName.size(); ++i) {
        if (combos.ComboName[i] != name) continue;
        runList.push_back(combos.LoadNumber[i]);
        runList.push_back(i < combos.ScaleFactor.size() ? combos.ScaleFactor[i] : std::string());
    }
}

}  // namespace corvane
