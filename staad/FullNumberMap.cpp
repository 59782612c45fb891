// The number map of the full conversion: renumbered items, solids and
// loads.
#include "staad/FullBlocks.h"
#include "staad/StaadText.h"

namespace corvane {

void WriteFullNumberMap(const Structure& s, LineSink& out) {
    MemoryHistory unused;
    FullContext c(s, out, unused, nullptr);
    c.numbers = NumberElements(s);
    out.Line("kind,sap2000,staad");
    std::string line;
    const auto row = [&](const char* kind, std::string_view name, const std::string& number) {
        line.assign(kind);
        line += ',';
        AppendCsvField(line, name);
        line += ',';
        line += number;
        out.Line(line);
    };
    for (const Joint& j : s.joints)
        if (j.renumbered) row("joint", j.name, std::to_string(j.number));
    for (const Member& m : s.members)
        if (m.renumbered) row("member", m.name, std::to_string(m.number));
    for (const Shell& sh : s.shells)
        if (sh.renumbered) row("area", sh.name, std::to_string(sh.number));
    // What meshing made, by the frame or area it comes from: new joints,
    // the members of a frame's pieces after its first, the elements of an
    // area's pieces after its first.
    for (const Joint& j : s.joints)
        if (j.added) row("joint-new", j.name, std::to_string(j.number));
    for (const Member& m : s.members)
        if (m.piece) row("member-piece", m.name, std::to_string(m.number));
    for (std::uint32_t k = 0; k < s.shells.size(); ++k)
        if (s.shells[k].piece) row("element-piece", s.shells[k].name, NumberToText(c.numbers.Shell(s, k)));
    // Solid elements always get new numbers, after the members and shells.
    for (std::uint32_t k = 0; k < s.solids.size(); ++k) row("solid", s.solids[k].name, c.SolidNumber(k));
    // Every load: the case or combination it stands for; envelopes by
    // their own numbers.
    const LoadNumbers loads = NumberLoads(s);
    for (std::size_t k = 0; k < s.cases.size(); ++k)
        if (loads.ofCase[k]) row("load", s.cases[k].name, std::to_string(loads.ofCase[k]));
    for (std::size_t k = 0; k < s.combinations.size(); ++k) {
        if (loads.ofCombination[k]) row("load", s.combinations[k].name, std::to_string(loads.ofCombination[k]));
        if (loads.ofEnvelope[k]) row("envelope", s.combinations[k].name, std::to_string(loads.ofEnvelope[k]));
    }
}

}  // namespace corvane
