// The structure builder's dynamics: the material mass, the added masses of
// joints, members and shells, the mass source and the modal cases.
#include "structure/BuildSupport.h"
#include "text/NumberText.h"

#include <cmath>

namespace corvane {

void BuildDynamics(BuildContext& c) {
    const Model& m = c.model;
    Structure& s = c.s;
    const Table& materials = m[TableId::Materials];
    for (std::size_t r = 0; r < s.materials.size() && r < materials.rows(); ++r) {
        double v;
        if (c.Finite(materials, r, MaterialFullCol::UnitMass, &v)) s.materials[r].massDensity = v;
    }

    // Added masses.
    const Table& frameMasses = m[TableId::FrameMasses];
    for (std::size_t r = 0; r < frameMasses.rows(); ++r) {
        const std::uint32_t member = ItemOf(c.links.frames.Find(frameMasses, r, FrameMassCol::Frame));
        double v;
        if (member != kNoItem && c.Finite(frameMasses, r, FrameMassCol::MassPerLen, &v)) s.members[member].addedMass += v;
    }
    const Table& areaMasses = m[TableId::AreaMasses];
    for (std::size_t r = 0; r < areaMasses.rows(); ++r) {
        const std::uint32_t shell = ItemOf(c.links.areas.Find(areaMasses, r, AreaMassCol::Area));
        double v;
        if (shell != kNoItem && c.Finite(areaMasses, r, AreaMassCol::MassPerArea, &v)) s.shells[shell].addedMass += v;
    }
    const Table& jointMasses = m[TableId::JointMasses];
    for (std::size_t r = 0; r < jointMasses.rows(); ++r) {
        JointMass x;
        x.origin = {TableId::JointMasses, static_cast<std::uint32_t>(r)};
        x.joint = ItemOf(c.links.joints.Find(jointMasses, r, JointMassCol::Joint));
        if (x.joint == kNoItem) continue;
        const std::string system = Word(jointMasses, r, JointMassCol::CoordSys);
        const Joint& joint = s.joints[x.joint];
        if (system != "GLOBAL" && system != "JOINT LOCAL") {
            c.Add(ReportKind::CoordinateSystemUnsupported, "JOINT ADDED MASS ASSIGNMENTS", "joint " + jointMasses.Text(r, JointMassCol::Joint),
                  jointMasses.Text(r, JointMassCol::CoordSys));
            continue;
        }
        double local[6];
        for (int k = 0; k < 6; ++k) local[k] = TextToNumber(jointMasses.View(r, JointMassCol::Mass1 + k));
        // Masses along the joint's own axes, lumped along the global ones:
        // each global direction takes the share of every local mass that
        // moves along it.
        const Axes3 axes = system == "JOINT LOCAL" && joint.rotated ? joint.axes : kGlobalAxes;
        for (int k = 0; k < 3; ++k) {
            const double parts[3] = {axes[k].x, axes[k].y, axes[k].z};
            for (int d = 0; d < 3; ++d) {
                x.mass[d] += parts[d] * parts[d] * local[k];
                x.mass[3 + d] += parts[d] * parts[d] * local[3 + k];
            }
        }
        s.jointMasses.push_back(x);
    }

    // The modal cases, with the mass source they name or the default one.
    const Table& cases = m[TableId::ModalCases];
    const Table& sources = m[TableId::MassSources];
    for (std::size_t r = 0; r < cases.rows(); ++r) {
        ModalCase x;
        x.origin = {TableId::ModalCases, static_cast<std::uint32_t>(r)};
        x.name = cases.Text(r, ModalCaseCol::Case);
        double modes;
        if (c.Finite(cases, r, ModalCaseCol::MaxNumModes, &modes) && modes >= 1) x.modes = static_cast<std::uint32_t>(modes);
        x.ritz = Word(cases, r, ModalCaseCol::ModeType) == "RITZ";
        s.modalCases.push_back(x);
    }
    std::int64_t source = NameIndex::kNone;
    const NameIndex sourceOf(sources, MassSourceCol::MassSource);
    if (!cases.empty() && !cases.Absent(0, ModalCaseCol::MassSource)) source = sourceOf.Find(cases, 0, ModalCaseCol::MassSource);
    for (std::size_t r = 0; r < sources.rows() && source == NameIndex::kNone; ++r)
        if (IsYes(sources, r, MassSourceCol::IsDefault)) source = static_cast<std::int64_t>(r);
    if (source != NameIndex::kNone) {
        const std::size_t row = static_cast<std::size_t>(source);
        s.mass.elements = IsYes(sources, row, MassSourceCol::Elements);
        s.mass.added = IsYes(sources, row, MassSourceCol::Masses);
        // The patterns are listed on the source's rows, one each.
        if (IsYes(sources, row, MassSourceCol::Loads))
            for (std::size_t r = 0; r < sources.rows(); ++r) {
                if (sourceOf.Find(sources, r, MassSourceCol::MassSource) != source || sources.Absent(r, MassSourceCol::LoadPat)) continue;
                const std::int64_t pattern = c.links.patterns.Find(sources, r, MassSourceCol::LoadPat);
                double factor;
                if (pattern == NameIndex::kNone || !c.Finite(sources, r, MassSourceCol::Multiplier, &factor)) {
                    c.Add(ReportKind::LoadPatternUnknown, "MASS SOURCE", sources.Text(r, MassSourceCol::MassSource), sources.Text(r, MassSourceCol::LoadPat));
                    continue;
                }
                s.mass.patterns.emplace_back(static_cast<std::uint32_t>(pattern), factor);
            }
    }
}

}  // namespace corvane

namespace corvane {

// Response-spectrum cases with their directions and user spectra; what
// the structure cannot hold is reported, and the case left out.
void BuildSpectra(BuildContext& c) {
    const Model& m = c.model;
    const Table& cases = m[TableId::SpectrumCases];
    const Table& loads = m[TableId::SpectrumLoads];
    const Table& functions = m[TableId::SpectrumFunctions];
    const NameIndex caseOf(cases, SpectrumCaseCol::Case), functionOf(functions, SpectrumFunctionCol::Name);
    std::vector<std::int64_t> keys(loads.rows()), points(functions.rows());
    for (std::size_t r = 0; r < loads.rows(); ++r) keys[r] = caseOf.Find(loads, r, SpectrumLoadCol::Case);
    for (std::size_t r = 0; r < functions.rows(); ++r) points[r] = functionOf.Find(functions, r, SpectrumFunctionCol::Name);
    const Groups directionsOf(cases.rows(), keys), pointsOf(functions.rows(), points);
    static constexpr struct {
        std::string_view word;
        ModalCombination combination;
    } kCombinations[] = {{"CQC", ModalCombination::Cqc}, {"SRSS", ModalCombination::Srss}, {"ABS", ModalCombination::Abs}};
    static constexpr std::string_view kAxes[3] = {"U1", "U2", "U3"};
    const char* const table = "CASE - RESPONSE SPECTRUM 1 - GENERAL";
    for (std::size_t r = 0; r < cases.rows(); ++r) {
        if (caseOf.Find(cases, r, SpectrumCaseCol::Case) != static_cast<std::int64_t>(r)) continue;
        SpectrumCase x;
        x.origin = {TableId::SpectrumCases, static_cast<std::uint32_t>(r)};
        x.name = cases.Text(r, SpectrumCaseCol::Case);
        std::string problem;
        const std::string combo = Word(cases, r, SpectrumCaseCol::ModalCombo);
        bool known = false;
        for (const auto& k : kCombinations)
            if (k.word == combo) x.combination = k.combination, known = true;
        if (!known) problem = "modal combination " + cases.Text(r, SpectrumCaseCol::ModalCombo);
        double damping;
        if (c.Finite(cases, r, SpectrumCaseCol::ConstDamp, &damping)) x.damping = damping;
        for (std::uint32_t l : directionsOf[static_cast<std::int64_t>(r)]) {
            SpectrumDirection d;
            const std::string axis = Word(loads, l, SpectrumLoadCol::LoadName);
            d.axis = -1;
            for (int k = 0; k < 3; ++k)
                if (kAxes[k] == axis) d.axis = k;
            double angle = 0;
            c.Finite(loads, l, SpectrumLoadCol::Angle, &angle);
            if (d.axis < 0) problem = "acceleration " + loads.Text(l, SpectrumLoadCol::LoadName);
            else if (Word(loads, l, SpectrumLoadCol::CoordSys) != "GLOBAL" || angle != 0) problem = "direction at an angle or in " + loads.Text(l, SpectrumLoadCol::CoordSys);
            if (!c.Finite(loads, l, SpectrumLoadCol::TransAccSF, &d.scale)) d.scale = 1;
            const std::int64_t function = functionOf.Find(loads, l, SpectrumLoadCol::Function);
            if (function == NameIndex::kNone) {
                problem = "spectrum " + loads.Text(l, SpectrumLoadCol::Function) + " given by a design code";
                continue;
            }
            for (std::uint32_t p : pointsOf[function]) {
                double period, value;
                if (c.Finite(functions, p, SpectrumFunctionCol::Period, &period) && c.Finite(functions, p, SpectrumFunctionCol::Accel, &value))
                    d.points.emplace_back(period, value);
            }
            x.directions.push_back(std::move(d));
        }
        if (x.directions.empty() && problem.empty()) problem = "no direction";
        if (!problem.empty()) {
            c.Add(ReportKind::SpectrumNotConverted, table, x.name, problem);
            continue;
        }
        c.s.spectrumCases.push_back(std::move(x));
    }
}

}  // namespace corvane
