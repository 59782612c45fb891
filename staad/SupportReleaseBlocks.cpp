// Supports and member end releases.
#include "staad/Blocks.h"
#include "staad/NumberList.h"

#include <unordered_map>

namespace corvane {

namespace {

// The STAAD.Pro word of each SAP2000 degree of freedom when it is free, in
// the order ux, uy, uz, rx, ry, rz (SAP2000's Y and Z exchange places).
constexpr const char* kFreeWords[6] = {"FX", "FZ", "FY", "MX", "MZ", "MY"};

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

std::string Support_Condition(const std::string& ux, const std::string& uy, const std::string& uz,
                              const std::string& rx, const std::string& ry, const std::string& rz) {
    const std::string* flags[6] = {&ux, &uy, &uz, &rx, &ry, &rz};
    if (ux == "Yes" && uy == "Yes" && uz == "Yes" && rx == "No" && ry == "No" && rz == "No") return "PINNED";
    bool allHeld = true;
    for (const auto* f : flags) allHeld = allHeld && *f == "Yes";
    if (allHeld) return "FIXED";
    std::string text = "FIXED BUT ";
    for (int k = 0; k < 6; ++k) {
        if (k) text += ' ';
        if (*flags[k] != "Yes") text += kFreeWords[k];
    }
    return text;
}

void WriteSupportsBlock(WriteContext& c) {
    const auto& r = c.tables.restraints;
    c.history.append("Writing Support Information..........");
    c.out.Line("SUPPORTS");
    std::vector<std::string> conditions;
    conditions.reserve(r.Joint.size());
    for (std::size_t i = 0; i < r.Joint.size(); ++i)
        conditions.push_back(Support_Condition(r.ux[i], r.uy[i], r.uz[i], r.rx[i], r.ry[i], r.rz[i]));
    // Distinct conditions in order of first appearance (compared without
    // their outer blanks); the joints of each, by exact text.
    std::vector<std::string_view> distinct;
    std::unordered_map<std::string_view, bool> seen;
    std::unordered_map<std::string_view, std::vector<std::string>> jointsOf;
    for (std::size_t i = 0; i < conditions.size(); ++i) {
        if (seen.emplace(Trimmed(conditions[i]), true).second) distinct.push_back(conditions[i]);
        jointsOf[conditions[i]].push_back(r.Joint[i]);
    }
    for (std::string_view condition : distinct) {
        shortList(jointsOf[condition], c.runList);
        if (!c.runList.front().empty()) c.out.Line(joinArray(c.runList) + " " + std::string(condition));
    }
    c.history.append(".......... Done ");
}

void WriteReleasesBlock(WriteContext& c) {
    const auto& r = c.tables.releases;
    c.history.append("Writing Member Release Data..........");
    c.out.Line("MEMBER RELEASE");
    const struct {
        const Column& m2;
        const Column& m3;
        const char* tail;
    } ends[2] = {{r.M2I, r.M3I, " START MY MZ"}, {r.M2J, r.M3J, " END MY MZ"}};
    for (const auto& end : ends) {
        std::vector<std::string> members;
        for (std::size_t i = 0; i < r.Frame.size(); ++i)
            if (end.m2[i] == "Yes" || end.m3[i] == "Yes") members.push_back(r.Frame[i]);
        if (members.empty() || members.front().empty()) continue;
        shortList(members, c.runList);
        if (!c.runList.front().empty()) c.out.Line(joinArray(c.runList) + end.tail);
    }
    c.history.append(".......... Done ");
}

}  // namespace corvane
