// Supports and member end releases.
#include "staad/Blocks.h"
#include "staad/Lists.h"

#include <unordered_map>

namespace corvane {

namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

std::string SupportCondition(const std::string_view (&flags)[6]) {
    const auto held = [&](int k) { return flags[k] == "Yes"; };
    if (held(0) && held(1) && held(2) && flags[3] == "No" && flags[4] == "No" && flags[5] == "No") return "PINNED";
    bool allHeld = true;
    for (int k = 0; k < 6; ++k) allHeld = allHeld && held(k);
    if (allHeld) return "FIXED";
    std::string text = "FIXED BUT ";
    for (int k = 0; k < 6; ++k) {
        if (k) text += ' ';
        if (!held(k)) text += kStaadDirection[k];
    }
    return text;
}

void WriteSupportsBlock(StaadContext& c) {
    const Table& r = c.model[TableId::Restraints];
    c.history.Append("Writing Support Information..........");
    c.out.Line("SUPPORTS");
    // Joints by their exact condition text; the conditions are listed once
    // each, compared without their outer blanks, in order of first
    // appearance.
    TextGroups jointsOf;
    std::unordered_map<std::string_view, bool> seen;
    std::string text[6];
    std::string_view flags[6];
    for (std::size_t i = 0; i < r.rows(); ++i) {
        for (int k = 0; k < 6; ++k) {
            text[k] = r.Text(i, RestraintCol::ux + k);
            flags[k] = text[k];
        }
        jointsOf.Add(static_cast<std::uint32_t>(i), SupportCondition(flags));
    }
    jointsOf.Finish();
    std::string line;
    for (std::size_t g = 0; g < jointsOf.size(); ++g) {
        if (!seen.emplace(Trimmed(jointsOf.Text(g)), true).second) continue;
        line.clear();
        if (AppendNameList(line, c.links, NameKind::Joint, r, RestraintCol::Joint, jointsOf.Rows(g)))
            c.out.Line(line + " " + std::string(jointsOf.Text(g)));
    }
    c.history.Append(".......... Done ");
}

void WriteReleasesBlock(StaadContext& c) {
    const Table& r = c.model[TableId::Releases];
    c.history.Append("Writing Member Release Data..........");
    c.out.Line("MEMBER RELEASE");
    // At each end, the members that free both moments, then those that free
    // only the moment about local 2 (STAAD.Pro's y), then only about 3 (z).
    static constexpr struct {
        int m2, m3;
        const char* word;
    } kEnds[2] = {{ReleaseCol::M2I, ReleaseCol::M3I, " START"}, {ReleaseCol::M2J, ReleaseCol::M3J, " END"}};
    static constexpr const char* kFreed[3] = {" MY MZ", " MY", " MZ"};
    std::string line;
    for (const auto& end : kEnds) {
        std::vector<std::uint32_t> members[3];
        for (std::size_t i = 0; i < r.rows(); ++i) {
            const bool m2 = r.Is(i, end.m2, "Yes"), m3 = r.Is(i, end.m3, "Yes");
            if (m2 || m3) members[m2 && m3 ? 0 : m2 ? 1 : 2].push_back(static_cast<std::uint32_t>(i));
        }
        for (int k = 0; k < 3; ++k) {
            line.clear();
            if (AppendNameList(line, c.links, NameKind::Member, r, ReleaseCol::Frame, members[k]))
                c.out.Line(line + end.word + kFreed[k]);
        }
    }
    c.history.Append(".......... Done ");
}

}  // namespace corvane
