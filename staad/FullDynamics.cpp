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

}  // namespace

void WriteMassModel(FullContext& c) {
    const Structure& s = c.s;
    if (s.modalCases.empty()) return;
    if (s.metresPerLength == 0) {
        c.Add(ReportKind::NotConverted, "PROGRAM CONTROL", "masses in the length unit " + s.lengthUnit, "1");
        return;
    }
    // Modes up to the number the case asks for, whatever their frequency
    // (STAAD.Pro stops at 6 modes and 108 Hz unless told otherwise).
    c.out.Line("CUT OFF MODE SHAPE " + std::to_string(s.modalCases.front().modes));
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

std::size_t WriteModalCases(FullContext& c, std::size_t number) {
    const Structure& s = c.s;
    if (s.modalCases.empty() || !c.massModel) return 0;
    // STAAD.Pro solves one modal case: the first; it takes the reference
    // loads of mass type as its masses.
    const ModalCase& modal = s.modalCases.front();
    c.out.Line("LOAD " + std::to_string(number) + " LOADTYPE None TITLE " + modal.name);
    c.out.Line("MODAL CALCULATION REQUESTED");
    if (modal.ritz) c.Add(ReportKind::NotConverted, "CASE - MODAL 1 - GENERAL", "Ritz vectors, written as eigenvectors", "1");
    for (std::size_t k = 1; k < s.modalCases.size(); ++k)
        c.Add(ReportKind::NotConverted, "CASE - MODAL 1 - GENERAL", "a modal case besides the first (" + s.modalCases[k].name + ")", "1");
    return 1;
}

}  // namespace corvane
