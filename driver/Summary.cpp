#include "driver/Summary.h"

#include "driver/Files.h"
#include "driver/Session.h"

#include <algorithm>
#include <cerrno>
#include <charconv>

namespace corvane {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The words of a line, split at blanks.
template <typename F>
void ForEachWord(std::string_view line, F&& f) {
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start && !f(line.substr(start, i - start))) return;
    }
}

std::string_view FirstWord(std::string_view line) {
    std::string_view first;
    ForEachWord(line, [&](std::string_view w) {
        first = w;
        return false;
    });
    return first;
}

std::optional<long long> WholeNumber(std::string_view w) {
    long long v = 0;
    const auto [end, error] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (error != std::errc() || end != w.data() + w.size()) return std::nullopt;
    return v;
}

// The first words of the STAAD.Pro commands the writers use: a line that
// starts with one ends the block of numbered lines before it.
bool IsCommandWord(std::string_view w) {
    static constexpr std::string_view kWords[] = {
        "STAAD", "START", "END", "UNIT", "JOINT", "MEMBER", "ELEMENT", "DEFINE", "ISOTROPIC", "E", "POISSON", "DENSITY",
        "ALPHA", "CONSTANTS", "MATERIAL", "BETA", "SUPPORTS", "SUPPORT", "LOAD", "PERFORM", "FINISH", "SELFWEIGHT",
        "SLAVE", "SPRING", "PRINT", "REPEAT", "FLOOR", "CUT", "TEMPERATURE", "SET", "INPUT", "DAMPING", "CONSTANT"};
    for (std::string_view k : kWords)
        if (k == w) return true;
    return false;
}

// The words that start a support's condition after its joint list.
bool IsSupportWord(std::string_view w) {
    static constexpr std::string_view kWords[] = {"FIXED", "PINNED", "INCLINED", "ENFORCED", "PLATE", "ELASTIC", "FOUNDATION"};
    for (std::string_view k : kWords)
        if (k == w) return true;
    return false;
}

// The joints a support line lists before its condition: names, and runs
// "a TO b" of whole numbers; none for the subgrade of plates.
std::size_t SupportJoints(std::string_view line) {
    if (line.find(" PLATE MAT ") != std::string_view::npos) return 0;
    std::size_t n = 0;
    std::optional<long long> last;
    bool to = false;
    ForEachWord(line, [&](std::string_view w) {
        if (IsSupportWord(w)) return false;
        if (w == "-") return true;
        if (w == "TO") {
            to = true;
            return true;
        }
        const auto value = WholeNumber(w);
        if (to && last && value && *value > *last) n += static_cast<std::size_t>(*value - *last);
        else ++n;
        to = false;
        last = value;
        return true;
    });
    return n;
}

// Entries of an incidence or coordinate line: several may stand on one
// line, separated by semicolons.
std::size_t Entries(std::string_view line) {
    std::size_t n = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(';', start);
        if (!Trim(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start)).empty()) ++n;
        if (end == std::string_view::npos) return n;
        start = end + 1;
    }
}

}  // namespace

const char* const kCountNames[ModelCounts::kItems] = {"Joints", "Members", "Elements", "Supports", "Load cases", "Combinations"};

UnitNames UnitNamesOf(const InputText& input) {
    UnitNames names;
    const auto at = input.FindTable("PROGRAM CONTROL");
    if (!at) return names;
    // The first record, up to the end of its line.
    const std::string_view bytes = input.bytes();
    std::size_t from = *at;
    while (from < bytes.size() && (bytes[from] == '\r' || bytes[from] == '\n' || bytes[from] == ' ')) ++from;
    const std::size_t end = std::min(bytes.find('\n', from), bytes.size());
    const std::string_view record = bytes.substr(from, end - from);
    const std::size_t key = record.find("CurrUnits=\"");
    if (key == std::string_view::npos) return names;
    std::string_view value = record.substr(key + 11);
    value = value.substr(0, value.find('"'));
    std::string* parts[] = {&names.force, &names.length, &names.temperature};
    for (std::string* part : parts) {
        const std::size_t comma = value.find(',');
        *part = std::string(Trim(value.substr(0, comma)));
        if (comma == std::string_view::npos) break;
        value.remove_prefix(comma + 1);
    }
    return names;
}

UnitNames ReadUnitNames(const std::string& path) {
    int error = 0;
    const auto input = IsExistingFile(path) ? InputText::Load(path, &error) : std::nullopt;
    return input ? UnitNamesOf(*input) : UnitNames{};
}

ModelCounts CountModel(const Model& model) {
    ModelCounts c;
    c.n[ModelCounts::Joints] = model[TableId::Joints].rows();
    c.n[ModelCounts::Members] = model[TableId::Frames].rows();
    c.n[ModelCounts::Elements] = model[TableId::Areas].rows() + model[TableId::Solids].rows();
    c.n[ModelCounts::Supports] = model[TableId::Restraints].rows();
    c.n[ModelCounts::LoadCases] = model[TableId::LoadPatterns].rows();
    c.n[ModelCounts::Combinations] = model.combinationStarts.size();
    return c;
}

ModelCounts CountStaadText(std::string_view text) {
    ModelCounts c;
    enum class Block { None, Joints, Members, Elements, Supports } block = Block::None;
    std::string joined;  // a line with its continuation lines
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        // A line that ends in " -" goes on in the next one.
        if (line.size() >= 2 && line.substr(line.size() - 2) == " -") {
            joined.append(line.substr(0, line.size() - 1));
            continue;
        }
        if (!joined.empty()) {
            joined.append(line);
            line = joined;
        }
        const std::string_view first = FirstWord(line);
        if (IsCommandWord(first)) {
            block = Block::None;
            if (line == "JOINT COORDINATES") block = Block::Joints;
            else if (line == "MEMBER INCIDENCES") block = Block::Members;
            else if (line.substr(0, 18) == "ELEMENT INCIDENCES") block = Block::Elements;
            else if (line == "SUPPORTS") block = Block::Supports;
            else if (first == "LOAD") {
                const std::string_view rest = Trim(line.substr(4));
                if (rest.substr(0, 4) == "COMB") ++c.n[ModelCounts::Combinations];
                else if (WholeNumber(FirstWord(rest))) ++c.n[ModelCounts::LoadCases];
            }
        } else if (!first.empty()) {
            switch (block) {
                case Block::Joints: c.n[ModelCounts::Joints] += Entries(line); break;
                case Block::Members: c.n[ModelCounts::Members] += Entries(line); break;
                case Block::Elements: c.n[ModelCounts::Elements] += Entries(line); break;
                case Block::Supports: c.n[ModelCounts::Supports] += SupportJoints(line); break;
                case Block::None: break;
            }
        }
        joined.clear();
    }
    return c;
}

std::optional<ModelCounts> CountStaadFile(const std::string& path, int* error) {
    int e = 0;
    const auto input = IsExistingFile(path) ? InputText::Load(path, &e) : std::nullopt;
    if (!input) {
        if (error) *error = e ? e : ENOENT;
        return std::nullopt;
    }
    return CountStaadText(input->bytes());
}

Severity SeverityOf(ReportKind kind) {
    switch (kind) {
        // The output is wrong, or STAAD.Pro will not read it.
        case ReportKind::NumberNotInteger:
        case ReportKind::NumberOutOfRange:
        case ReportKind::NumberInvalid:
        case ReportKind::MissingJoint:
        case ReportKind::NotTabular:
        case ReportKind::NoShells:
        case ReportKind::TableCut:
        case ReportKind::TableMissing:
            return Severity::Error;
        // Done without loss.
        case ReportKind::Renumbered:
        case ReportKind::LabelsRenumbered:
        case ReportKind::ElementsInAreaOrder:
        case ReportKind::DuplicateName:
        case ReportKind::LineEndsDoubled:
        case ReportKind::JointLoadZero:
        case ReportKind::TableNotRead:
        case ReportKind::NameChanged:
            return Severity::Note;
        // Part of the model left behind.
        case ReportKind::AreaJointCount:
        case ReportKind::UnsupportedShape:
        case ReportKind::MemberWithoutProperty:
        case ReportKind::MemberWithoutMaterial:
        case ReportKind::NonlinearCombination:
        case ReportKind::CombinationCaseUnknown:
        case ReportKind::LoadPatternUnknown:
        case ReportKind::LoadDirectionUnsupported:
        case ReportKind::MomentLoadAsForce:
        case ReportKind::NotConverted:
        case ReportKind::InactiveDofsRestrained:
        case ReportKind::MassModifier:
        case ReportKind::ModifierWithoutProperties:
        case ReportKind::OffsetNotConverted:
        case ReportKind::InsertionPoint:
        case ReportKind::TemperatureNotUniform:
        case ReportKind::GroundDisplacementUnsupported:
        case ReportKind::CombinationNotConverted:
        case ReportKind::ConstraintNotConverted:
        case ReportKind::AreaTypeUnsupported:
        case ReportKind::AreaModifier:
        case ReportKind::PressureFaceUnsupported:
        case ReportKind::PressureNotConverted:
        case ReportKind::TemperatureGradientNotConverted:
        case ReportKind::AreaSpringUnsupported:
        case ReportKind::InclinedAxesDiffer:
        case ReportKind::CoordinateSystemUnsupported:
        case ReportKind::SolidWithoutMaterial:
        case ReportKind::MomentLoadUnsupported:
        case ReportKind::CombinationCycle:
        case ReportKind::AreaNotWritten:
        case ReportKind::ConstraintSupportedJoint:
        case ReportKind::SpectrumNotConverted:
        case ReportKind::MeshNotConverted:
        case ReportKind::NotInDeck:
        case ReportKind::PatternWithoutCase:
        case ReportKind::CaseNotConverted:
        case ReportKind::CombinationTermNotConverted:
        case ReportKind::AccelerationNotConverted:
        case ReportKind::EnvelopeOverlap:
        case ReportKind::MemberWithoutStiffness:
        case ReportKind::MaterialAnisotropic:
            return Severity::Warning;
    }
    return Severity::Warning;
}

std::array<std::size_t, kSeverityCount> CountBySeverity(const Report& report) {
    std::array<std::size_t, kSeverityCount> n{};
    for (const ReportEntry& e : report.entries) ++n[static_cast<std::size_t>(SeverityOf(e.kind))];
    return n;
}

bool OpenModelTables(Session& s, HistoryLog& history, UnitNames* units) {
    s.report.Clear();
    s.failure.clear();
    int error = 0;
    auto text = IsExistingFile(s.inputPath) ? InputText::Load(s.inputPath, &error) : std::nullopt;
    if (!text) {
        history.Append(kInputNotFound);
        if (error) s.failure = "Cannot read " + DescribeFileError(s.inputPath, error);
        return false;
    }
    ReadTablesOf(*text, s.model, s.options, history, s.report);
    if (units) *units = UnitNamesOf(*text);
    if (!text->HasTableItem()) {
        s.report.Add(ReportKind::NotTabular, "");
        s.failure = s.inputPath + ": not a SAP2000 table export (no TABLE: line); nothing was read";
        return false;
    }
    return true;
}

}  // namespace corvane
