#include "model/Report.h"

#include <iterator>

namespace corvane {

namespace {

struct KindText {
    ReportKind kind;
    std::string_view id;
    // {name}, {a}, {b} and {table} stand for the entry's words.
    std::string_view sentence;
};

constexpr KindText kKinds[] = {
    {ReportKind::AreaJointCount, "area-joint-count", "Area {name} is left out: only areas with 3 or 4 joints are converted."},
    {ReportKind::UnsupportedShape, "unsupported-shape", "Frame section {name} of shape {a} is left out: its shape is not converted."},
    {ReportKind::MemberWithoutProperty, "member-without-property", "Member {name} gets no property: its section {a} is not converted."},
    {ReportKind::MemberWithoutMaterial, "member-without-material", "Member {name} gets no material: its section {a} has no material row."},
    {ReportKind::NonlinearCombination, "nonlinear-combination",
     "A record of combination {name} is left out: only linear combinations are converted."},
    {ReportKind::CombinationCaseUnknown, "combination-case-unknown",
     "Combination {name} names the case {a}, which is no load pattern; that case is left out."},
    {ReportKind::LoadPatternUnknown, "load-pattern-unknown",
     "A load on {name} names the pattern {a}, which is not defined; it is not written."},
    {ReportKind::LoadDirectionUnsupported, "load-direction-unsupported",
     "A load on {name} in direction {a} ({b}) is not written: that direction has no rule."},
    {ReportKind::JointLoadZero, "joint-load-zero", "A joint load on {name} in pattern {a} has all six components 0; it is not written."},
    {ReportKind::NumberNotInteger, "number-not-integer", "{a} {name} is not a whole number, which STAAD.Pro requires."},
    {ReportKind::NumberOutOfRange, "number-out-of-range",
     "{a} {name} is above 999999, the largest number STAAD.Pro takes; it is never folded into a TO list."},
    {ReportKind::NumberInvalid, "number-invalid", "The {a} of {name} is \"{b}\", which is no finite decimal number."},
    {ReportKind::DuplicateName, "duplicate-name",
     "{a} {name} stands more than once in its table; the later row is written as well."},
    {ReportKind::Renumbered, "renumbered", "{a} {name} names got new numbers for STAAD.Pro; {b} lists them."},
    {ReportKind::LabelsRenumbered, "labels-renumbered",
     "{name} labels were renumbered as --renumber does, so that STAAD.Pro can read the file ({a}); {b} lists them."},
    {ReportKind::ElementsInAreaOrder, "elements-in-area-order",
     "Shell elements are numbered from {a} on in the order of the area table: with their area numbers, {b} of them would pass 999999."},
    {ReportKind::MissingJoint, "missing-joint", "{a} {name} names joint {b}, which is not in the joint table."},
    {ReportKind::TableCut, "table-cut",
     "The table \"{table}\" runs to the end of the file without an empty line; the records up to the end were read."},
    {ReportKind::NotTabular, "not-tabular",
     "The input has no \"TABLE:\" line; it is not a tabular SAP2000 export and nothing was read."},
    {ReportKind::NoShells, "no-shells", "The model has no shell elements; no Abaqus deck is written."},
    {ReportKind::LineEndsDoubled, "line-ends-doubled",
     "Every line of the input ends in CR CR LF (its line ends were converted twice); each was read as one line end."},
    {ReportKind::MomentLoadAsForce, "moment-load-as-force",
     "A moment load on {name} in pattern {a} is written as a force of 0; the full conversion writes it as a moment."},
    {ReportKind::TableNotRead, "table-not-read", "The table \"{table}\" has {a} record(s) the conversion does not read."},
    {ReportKind::NotConverted, "not-converted", "The model holds {name} ({a}), which the conversion does not carry across."},
    {ReportKind::NameChanged, "name-changed",
     "{a} {name} is written as {b}: the output would read its name as something else."},
    {ReportKind::TableMissing, "table-missing", "The input has no table \"{name}\"{a}; the model has no {b}."},
    {ReportKind::InactiveDofsRestrained, "inactive-dofs-restrained",
     "The active degrees of freedom ({a}) match no STAAD.Pro structure type; every joint is held in {b}."},
    {ReportKind::MassModifier, "mass-modifier",
     "{a} {name} has a mass modifier other than 1 ({b}); STAAD.Pro takes no such modifier."},
    {ReportKind::ModifierWithoutProperties, "modifier-without-properties",
     "Member {name} has stiffness modifiers, but its section {a} has no computed properties; the modifiers are left out."},
    {ReportKind::OffsetNotConverted, "offset-not-converted",
     "The end offsets of member {name} are of type {a}; only user offsets are converted."},
    {ReportKind::InsertionPoint, "insertion-point", "Member {name} has the cardinal point {a}; only the centroid is converted."},
    {ReportKind::TemperatureNotUniform, "temperature-not-uniform",
     "A temperature load on {name} in pattern {a} is not a uniform temperature ({b}); it is left out."},
    {ReportKind::GroundDisplacementUnsupported, "ground-displacement-unsupported",
     "A ground displacement of joint {name} in pattern {a} along {b} is left out: the joint is not supported in that direction."},
    {ReportKind::CombinationNotConverted, "combination-not-converted",
     "Combination {name} is of type {a}, which no STAAD.Pro combination matches; it is left out."},
    {ReportKind::ConstraintNotConverted, "constraint-not-converted", "Constraint {name} ({a}) is not converted."},
    {ReportKind::AreaTypeUnsupported, "area-type-unsupported",
     "Area section {name} is of type {a}, for which STAAD.Pro has no element; its areas are written as shells."},
    {ReportKind::AreaModifier, "area-modifier",
     "{a} {name} has stiffness modifiers other than 1; STAAD.Pro has no element modifiers, so they are left out."},
    {ReportKind::PressureFaceUnsupported, "pressure-face-unsupported",
     "A surface pressure on {name} in pattern {a} acts on face {b}; only the top and bottom faces and the edges of areas are converted."},
    {ReportKind::AreaSpringUnsupported, "area-spring-unsupported",
     "The spring of area {name} ({a}) is not normal to the area; it is left out."},
    {ReportKind::InclinedAxesDiffer, "inclined-axes-differ",
     "Joint {name} has local axes 2 and 3 other than STAAD.Pro's inclined y and z, and its {a} differ about them; they are written about STAAD.Pro's axes."},
    {ReportKind::CoordinateSystemUnsupported, "coordinate-system-unsupported",
     "A record of {name} is given in the coordinate system {a}; it is left out."},
    {ReportKind::MomentLoadUnsupported, "moment-load-unsupported",
     "A moment load on {name} in pattern {a} is left out: STAAD.Pro takes uniform moments along the member's or the global axes only."},
    {ReportKind::SolidWithoutMaterial, "solid-without-material", "Solid {name} gets no material: its property {a} has no material row."},
    {ReportKind::CombinationCycle, "combination-cycle",
     "Combinations {a} include each other in a loop (through {name}); none of them is written."},
    {ReportKind::ConstraintSupportedJoint, "constraint-supported-joint",
     "Joint {name} is supported in a direction its constraint ({a}) ties; it keeps its support and is left out of the constraint."},
    {ReportKind::SpectrumNotConverted, "spectrum-not-converted", "Response-spectrum case {name} is left out: its {a} has no STAAD.Pro form."},
    {ReportKind::AreaNotWritten, "area-not-written",
     "Area {name} has {a} joints as its record counts them, which the shell incidences do not take; it is left out of them."},
    {ReportKind::MeshNotConverted, "mesh-not-converted",
     "The automatic mesh of {b} {name} by {a} is not converted; the {b} is not divided that way."},
    {ReportKind::NotInDeck, "not-in-deck", "{a} of {name} is not carried into the Abaqus deck as CalculiX runs it: {b}."},
    {ReportKind::PatternWithoutCase, "pattern-without-case",
     "Load pattern {name} is applied by no load case, so nothing analyses it; it is not written."},
    {ReportKind::CaseNotConverted, "case-not-converted", "Load case {name} ({a}) is not converted."},
    {ReportKind::CombinationTermNotConverted, "combination-term-not-converted",
     "Combination {name} names {a}, which the conversion does not carry across; the combination is left out."},
    {ReportKind::AccelerationNotConverted, "acceleration-not-converted",
     "The acceleration {a} of load case {name} is left out: {b}."},
    {ReportKind::EnvelopeOverlap, "envelope-overlap",
     "Envelope {name} shares {a} with an earlier envelope, and STAAD.Pro keeps a load in one envelope only; it is left out."},
    {ReportKind::MemberWithoutStiffness, "member-without-stiffness",
     "Frame {name} has every stiffness modifier 0: it is left out, and its loads, weight and mass go to its joints (the end forces of the loaded beam, half its mass at each end)."},
    {ReportKind::MaterialAnisotropic, "material-anisotropic",
     "Material {name} is not isotropic; {a} takes it as isotropic, leaving out {b}."},
    {ReportKind::PressureNotConverted, "pressure-not-converted", "A surface pressure on {name} in pattern {a} is left out: {b}."},
    {ReportKind::TemperatureGradientNotConverted, "temperature-gradient-not-converted",
     "The temperature gradient on {name} in pattern {a} is left out: {b}."},
};

const KindText& TextOf(ReportKind kind) {
    for (const KindText& k : kKinds)
        if (k.kind == kind) return k;
    return kKinds[0];
}

}  // namespace

std::string_view KindId(ReportKind kind) { return TextOf(kind).id; }

bool SummarisedByFirstWord(ReportKind kind) { return kind == ReportKind::MemberWithoutProperty; }

std::string Sentence(const ReportEntry& e) {
    const std::string_view pattern = TextOf(e.kind).sentence;
    std::string out;
    out.reserve(pattern.size() + e.name.size() + e.a.size() + e.b.size());
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern[i] == '{') {
            const std::size_t close = pattern.find('}', i);
            const std::string_view word = pattern.substr(i + 1, close - i - 1);
            if (word == "name") out += e.name;
            else if (word == "a") out += e.a;
            else if (word == "b") out += e.b;
            else if (word == "table") out += e.table;
            i = close + 1;
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

void Report::Add(ReportKind kind, std::string_view table, std::string name, std::string a, std::string b) {
    entries.push_back({kind, table, std::move(name), std::move(a), std::move(b)});
}

std::string_view Report::Intern(std::string_view text) {
    names_.push_back(std::make_shared<const std::string>(text));
    return *names_.back();
}

void Report::Append(Report&& other) {
    for (auto& e : other.entries) entries.push_back(std::move(e));
    for (auto& n : other.names_) names_.push_back(std::move(n));
    other.entries.clear();
    other.names_.clear();
}

}  // namespace corvane
