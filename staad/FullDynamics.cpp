// The full conversion's dynamics: the number of modes, the mass model as a
// reference load of mass type, and the modal analysis.
#include "staad/FullBlocks.h"
#include "structure/Masses.h"

#include <cmath>

namespace corvane {

namespace {

// The acceleration of gravity in metres per second squared; STAAD.Pro takes
// masses as the weights they give.
constexpr double kGravity = 9.80665;

constexpr const char* kCombinationWords[] = {"CQC", "SRSS", "ABS"};

// One load per direction of each spectrum case (directions in one STAAD.Pro
// spectrum act together; the model combines them by the square root of the
// sum of squares, which a combination of the loads does).
std::size_t WriteSpectrumCases(FullContext& c, std::size_t number) {
    std::size_t written = 0;
    for (const SpectrumCase& x : c.s.spectrumCases) {
        std::vector<std::size_t> loads;
        for (const SpectrumDirection& d : x.directions) {
            const std::size_t n = number + written++;
            loads.push_back(n);
            // A case of several directions titles each by its direction.
            static constexpr const char* kDirections[3] = {"U1", "U2", "U3"};
            c.out.Line("LOAD " + std::to_string(n) + " LOADTYPE None TITLE " + StaadName(x.name) + (x.directions.size() > 1 ? std::string(" ") + kDirections[d.axis] : ""));
            const char axis = kAxisLetters[kStaadDof[d.axis].index];
            c.out.Line(std::string("SPECTRUM ") + kCombinationWords[static_cast<int>(x.combination)] + " " + axis + " 1 ACC SCALE " +
                       NumberToText(d.scale) + " DAMP " + NumberToText(x.damping));
            // Period and value pairs, lines kept within the input width
            // without continuation marks.
            std::string line;
            for (const auto& [period, value] : d.points) {
                const std::string pair = NumberToText(period) + " " + NumberToText(value);
                if (!line.empty() && line.size() + 2 + pair.size() > 78) {
                    c.out.Line(line);
                    line.clear();
                }
                line += (line.empty() ? "" : "; ") + pair;
            }
            if (!line.empty()) c.out.Line(line);
        }
        if (loads.size() > 1) c.spectrumCombinations.push_back({x.name, loads});
    }
    return written;
}

}  // namespace

void WriteMassModel(FullContext& c) {
    const Structure& s = c.s;
    if (s.modalCases.empty() && s.spectrumCases.empty()) return;
    if (s.metresPerLength == 0) {
        c.Add(ReportKind::NotConverted, "PROGRAM CONTROL", "masses in the length unit " + s.lengthUnit, "1");
        return;
    }
    // Modes up to the number the case asks for, whatever their frequency
    // (STAAD.Pro stops at 6 modes and 108 Hz unless told otherwise).
    c.out.Line("CUT OFF MODE SHAPE " + std::to_string(s.modalCases.empty() ? 12u : s.modalCases.front().modes));
    c.out.Line("CUT OFF FREQUENCY 100000");
    const double g = kGravity / s.metresPerLength;
    const std::vector<DofValues> masses = LumpedMasses(s, g);
    TextGroups groups;
    for (std::uint32_t k = 0; k < masses.size(); ++k) {
        std::string text;
        // Weights along every direction the mass moves in, weight moments
        // of inertia about the axes, with the axes exchanged.
        DofValues staad{};
        for (int d = 0; d < 6; ++d) staad[kStaadDof[d].index] = masses[k][d] * g;
        for (int d = 0; d < 6; ++d) {
            const std::string v = Number(staad[d]);
            if (v != "0") text += std::string(" ") + kDofWords[d] + " " + v;
        }
        if (!text.empty()) groups.Add(k, text);
    }
    groups.Finish();
    if (groups.size() == 0) {
        c.Add(ReportKind::NotConverted, "MASS SOURCE", "a modal case without masses", "1");
        groups.Clear();
        return;
    }
    c.out.Line("DEFINE REFERENCE LOADS");
    c.out.Line("LOAD R1 LOADTYPE MASS TITLE MASSES");
    c.out.Line("JOINT LOAD");
    WriteGroupLines(
        c, groups, [&](std::string& out, const Groups::Range& rows) { return AppendJoints(out, c, rows.size(), [&](std::size_t i) { return rows.begin()[i]; }); },
        nullptr, false);
    c.out.Line("END DEFINE REFERENCE LOADS");
    c.massModel = true;
}

std::size_t DynamicLoadCount(const Structure& s) {
    if (s.metresPerLength == 0) return 0;
    if (!s.spectrumCases.empty()) {
        std::size_t n = 0;
        for (const SpectrumCase& x : s.spectrumCases) n += x.directions.size();
        return n;
    }
    return s.modalCases.empty() ? 0 : 1;
}

std::size_t SpectrumCombinationCount(const Structure& s) {
    std::size_t n = 0;
    if (s.metresPerLength != 0)
        for (const SpectrumCase& x : s.spectrumCases) n += x.directions.size() > 1;
    return n;
}

std::size_t WriteModalCases(FullContext& c, std::size_t number) {
    const Structure& s = c.s;
    if (s.metresPerLength == 0) return 0;
    // A model with spectra solves its modes in its spectrum cases:
    // STAAD.Pro takes no modal calculation beside them.
    if (!s.spectrumCases.empty()) return WriteSpectrumCases(c, number);
    if (s.modalCases.empty()) return 0;
    // STAAD.Pro solves one modal case: the first; it takes the reference
    // loads of mass type as its masses.
    const ModalCase& modal = s.modalCases.front();
    c.out.Line("LOAD " + std::to_string(number) + " LOADTYPE None TITLE " + StaadName(modal.name));
    c.out.Line("MODAL CALCULATION REQUESTED");
    if (modal.ritz) c.Add(ReportKind::NotConverted, "CASE - MODAL 1 - GENERAL", "Ritz vectors, written as eigenvectors", "1");
    for (std::size_t k = 1; k < s.modalCases.size(); ++k)
        c.Add(ReportKind::NotConverted, "CASE - MODAL 1 - GENERAL", "a modal case besides the first (" + s.modalCases[k].name + ")", "1");
    return 1;
}

}  // namespace corvane
