// What a conversion left out or could not carry across, collected beside
// the history. An entry keeps its kind and the few words of its sentence;
// the sentence itself is made only when it is shown or written. Entries
// never change a table, an output file or a history line.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class ReportKind : std::uint8_t {
    AreaJointCount,
    UnsupportedShape,
    MemberWithoutProperty,
    MemberWithoutMaterial,
    NonlinearCombination,
    CombinationCaseUnknown,
    LoadPatternUnknown,
    LoadDirectionUnsupported,
    JointLoadZero,
    NumberNotInteger,
    NumberOutOfRange,
    NumberInvalid,
    DuplicateName,
    Renumbered,
    LabelsRenumbered,
    ElementsInAreaOrder,
    MissingJoint,
    TableCut,
    NotTabular,
    NoShells,
    LineEndsDoubled,
    MomentLoadAsForce,
    TableNotRead,
    NotConverted,
    NameChanged,
    TableMissing,
    // What the full conversion cannot carry across.
    InactiveDofsRestrained,
    MassModifier,
    ModifierWithoutProperties,
    OffsetNotConverted,
    InsertionPoint,
    TemperatureNotUniform,
    GroundDisplacementUnsupported,
    CombinationNotConverted,
    ConstraintNotConverted,
    AreaTypeUnsupported,
    AreaModifier,
    PressureFaceUnsupported,
    AreaSpringUnsupported,
    InclinedAxesDiffer,
    CoordinateSystemUnsupported,
    SolidWithoutMaterial,
    MomentLoadUnsupported,
    CombinationCycle,
    AreaNotWritten,
    ConstraintSupportedJoint,
    SpectrumNotConverted,
    MeshNotConverted,
    NotInDeck,
    PatternWithoutCase,
    CaseNotConverted,
    CombinationTermNotConverted,
    AccelerationNotConverted,
    EnvelopeOverlap,
    MemberWithoutStiffness,
    MaterialAnisotropic,
    PressureNotConverted,
    TemperatureGradientNotConverted,
};

struct ReportEntry {
    ReportKind kind;
    std::string_view table;  // the SAP2000 table the record comes from
    std::string name;        // name or number of the record
    std::string a, b;        // the other words of the sentence
};

// The stable short identifier of a kind, e.g. "missing-joint".
std::string_view KindId(ReportKind kind);
// Whether the console sums a kind up by its first word (the section of a
// member without a property) rather than by the record's name.
bool SummarisedByFirstWord(ReportKind kind);
// The one plain sentence of an entry.
std::string Sentence(const ReportEntry& entry);

class Report {
public:
    void Add(ReportKind kind, std::string_view table, std::string name = {}, std::string a = {}, std::string b = {});
    // A table name that is not one of the converter's own lives as long as
    // the report.
    std::string_view Intern(std::string_view text);
    // Moves the other report's entries to the end of this one.
    void Append(Report&& other);
    void Clear() {
        entries.clear();
        names_.clear();
    }
    bool Empty() const { return entries.empty(); }
    // A deque: a long report grows without copying what it holds.
    std::deque<ReportEntry> entries;

private:
    // Shared and never moved, so that the views of the entries stay valid
    // when reports are copied or appended.
    std::vector<std::shared_ptr<const std::string>> names_;
};

}  // namespace corvane
