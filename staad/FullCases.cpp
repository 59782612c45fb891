// The full conversion's primary loads and combinations: one load per load
// case (the loads of its patterns times their factors), P-Delta cases in
// analyses of their own, then the combinations and envelopes.
#include "staad/FullBlocks.h"

#include <cmath>

namespace corvane {

namespace {

constexpr const char* kAxisNames[3] = {"X", "Y", "Z"};

// A combination's head by its kind; envelopes have none.
constexpr struct {
    CombinationKind kind;
    const char* head;
} kHeads[] = {{CombinationKind::Add, "LOAD COMB "}, {CombinationKind::Srss, "LOAD COMBINATION SRSS "}, {CombinationKind::Abs, "LOAD COMBINATION ABS "}};

void WriteCase(FullContext& c, const LoadCase& x, std::uint32_t number) {
    c.out.Line("LOAD " + std::to_string(number) + " LOADTYPE " + LoadTypeWord(x.category) + " TITLE " + StaadName(x.name));
    for (const CaseTerm& t : x.terms) WritePatternLoads(c, c.s.patterns[t.pattern], t.factor.value);
    // SAP2000 accelerates the masses of its mass source, which need not be
    // the self weight STAAD.Pro would accelerate.
    for (const CaseAcceleration& a : x.accelerations)
        c.Add(ReportKind::AccelerationNotConverted, "CASE - STATIC 1 - LOAD ASSIGNMENTS", x.name,
              a.name + " (" + kAxisNames[a.axis] + " " + std::string(a.factor.text) + ")", "the masses it accelerates need not be the self weight");
}

bool HasPDelta(const LoadNumbers& n) { return !n.phases.empty(); }

// Whether the loads are analysed more than once.
bool SeveralAnalyses(const LoadNumbers& n) { return n.phases.size() + (n.linear > 0 ? 1 : 0) > 1; }

}  // namespace

LoadNumbers NumberLoads(const Structure& s) {
    LoadNumbers n;
    n.ofCase.assign(s.cases.size(), 0);
    std::uint32_t next = 1;
    for (std::uint32_t k = 0; k < s.cases.size(); ++k)
        if (s.cases[k].converted && s.cases[k].kind == CaseKind::LinearStatic) n.ofCase[k] = next++;
    n.linear = next - 1;
    n.firstDynamic = next;
    next += static_cast<std::uint32_t>(DynamicLoadCount(s));
    for (std::uint32_t k = 0; k < s.cases.size(); ++k) {
        const LoadCase& x = s.cases[k];
        if (!x.converted || x.kind != CaseKind::PDeltaStatic) continue;
        std::size_t g = 0;
        while (g < n.iterations.size() && n.iterations[g] != x.iterations) ++g;
        if (g == n.iterations.size()) {
            n.iterations.push_back(x.iterations);
            n.phases.emplace_back();
        }
        n.phases[g].push_back(k);
    }
    for (const auto& phase : n.phases)
        for (std::uint32_t k : phase) n.ofCase[k] = next++;
    n.primaries = next - 1;
    n.firstSpectrumCombination = next;
    next += static_cast<std::uint32_t>(SpectrumCombinationCount(s));
    n.ofCombination.assign(s.combinations.size(), 0);
    n.ofEnvelope.assign(s.combinations.size(), 0);
    std::uint32_t envelopes = 0;
    for (std::uint32_t k = 0; k < s.combinations.size(); ++k)
        if (s.combinations[k].kind != CombinationKind::Envelope) n.ofCombination[k] = next++;
    // STAAD.Pro keeps a load in one envelope only.
    std::vector<bool> enveloped(next, false);
    for (std::uint32_t k = 0; k < s.combinations.size(); ++k) {
        const Combination& combo = s.combinations[k];
        if (combo.kind != CombinationKind::Envelope) continue;
        std::string shared;
        for (const CombinationTerm& t : combo.terms) {
            const std::uint32_t load = t.combination ? n.ofCombination[t.item] : n.ofCase[t.item];
            if (enveloped[load] && shared.empty())
                shared = t.combination ? s.combinations[t.item].name : s.cases[t.item].name;
        }
        if (!shared.empty()) {
            n.overlaps.emplace_back(k, shared);
            continue;
        }
        for (const CombinationTerm& t : combo.terms) enveloped[t.combination ? n.ofCombination[t.item] : n.ofCase[t.item]] = true;
        n.ofEnvelope[k] = ++envelopes;
    }
    return n;
}

void WriteFullAnalysisSettings(FullContext& c) {
    const LoadNumbers n = NumberLoads(c.s);
    if (SeveralAnalyses(n)) c.out.Line("SET NL " + std::to_string(n.primaries));
}

void WriteFullLoads(FullContext& c) {
    const Structure& s = c.s;
    c.history.Append("Writing Loading Data (Frame, Joint and Shell)..........");
    const LoadNumbers n = NumberLoads(s);
    WriteMassModel(c);
    for (std::uint32_t k = 0; k < s.cases.size(); ++k)
        if (n.ofCase[k] != 0 && s.cases[k].kind == CaseKind::LinearStatic) WriteCase(c, s.cases[k], n.ofCase[k]);
    WriteModalCases(c, n.firstDynamic);
    // Each group of P-Delta cases is analysed after the loads before it;
    // the last group's analysis follows the combinations.
    for (std::size_t g = 0; g < n.phases.size(); ++g) {
        if (g > 0 || n.linear > 0) {
            c.out.Line(g == 0 ? "PERFORM ANALYSIS" : "PDELTA " + std::to_string(n.iterations[g - 1]) + " ANALYSIS");
            c.out.Line("CHANGE");
        }
        for (std::uint32_t k : n.phases[g]) WriteCase(c, s.cases[k], n.ofCase[k]);
    }
    c.history.Append(".......... Done ");
}

void WriteFullCombinations(FullContext& c) {
    const Structure& s = c.s;
    const LoadNumbers n = NumberLoads(s);
    const auto number = [&](const CombinationTerm& t) { return t.combination ? n.ofCombination[t.item] : n.ofCase[t.item]; };
    if (!s.combinations.empty() || !c.spectrumCombinations.empty()) {
        c.history.Append("Writing Load Combinations (Only Static Add)..........");
        std::string line;
        // The directions of a spectrum case, combined as the model combines them.
        std::uint32_t spectrum = n.firstSpectrumCombination;
        for (const FullContext::SpectrumCombination& x : c.spectrumCombinations) {
            c.out.Line("LOAD COMBINATION SRSS " + std::to_string(spectrum++) + " " + StaadName(x.name));
            line.clear();
            for (std::size_t load : x.loads) line += std::to_string(load) + " 1 ";
            c.out.Line(line);
        }
        for (std::size_t i = 0; i < s.combinations.size(); ++i) {
            const Combination& combo = s.combinations[i];
            if (n.ofCombination[i] == 0) continue;
            const char* head = "LOAD COMB ";
            for (const auto& h : kHeads)
                if (h.kind == combo.kind) head = h.head;
            c.out.Line(head + std::to_string(n.ofCombination[i]) + " " + StaadName(combo.name));
            line.clear();
            for (const CombinationTerm& t : combo.terms) {
                // STAAD.Pro adds f |R|, SAP2000 |f R|.
                const bool turn = combo.kind == CombinationKind::Abs && t.factor < 0;
                line += std::to_string(number(t));
                line += ' ';
                line += t.text.empty() || turn ? NumberToText(turn ? -t.factor : t.factor) : std::string(t.text);
                line += ' ';
            }
            c.out.Line(line);
        }
        for (const auto& [k, shared] : n.overlaps) c.Add(ReportKind::EnvelopeOverlap, "COMBINATION DEFINITIONS", s.combinations[k].name, shared);
        bool first = true;
        for (std::size_t i = 0; i < s.combinations.size(); ++i) {
            if (n.ofEnvelope[i] == 0) continue;
            if (first) c.out.Line("DEFINE ENVELOPE");
            first = false;
            const std::vector<CombinationTerm>& terms = s.combinations[i].terms;
            line.clear();
            std::string scratch;
            AppendFoldedList(line, terms.size(), [&](std::size_t t) -> std::string_view {
                scratch = std::to_string(number(terms[t]));
                return scratch;
            });
            line += "ENVELOPE " + std::to_string(n.ofEnvelope[i]);
            c.out.Line(line);
        }
        if (!first) c.out.Line("END DEFINE ENVELOPE");
        c.history.Append(".......... Done ");
    }
    c.out.Line(HasPDelta(n) ? "PDELTA " + std::to_string(n.iterations.back()) + " ANALYSIS" : std::string("PERFORM ANALYSIS"));
}

}  // namespace corvane
