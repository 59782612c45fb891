#include "link/Link.h"

#include "model/ShellNumbers.h"
#include "text/NumberList.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <thread>

namespace corvane {

namespace {

// Group keys of every row of a table: the row a name index gives its cell.
std::vector<std::int64_t> KeysOf(const NameIndex& index, const Table& table, int col) {
    std::vector<std::int64_t> keys(table.rows());
    for (std::size_t r = 0; r < keys.size(); ++r) keys[r] = index.Find(table, r, col);
    return keys;
}

Groups GroupBy(const NameIndex& index, std::size_t groups, const Table& table, int col) {
    return Groups(groups, KeysOf(index, table, col));
}

int PatternColumn(TableId id) {
    switch (id) {
        case TableId::FrameDistLoads: return FrameDistLoadCol::LoadPat;
        case TableId::FramePointLoads: return FramePointLoadCol::LoadPat;
        case TableId::AreaLoads: return AreaLoadCol::LoadPat;
        default: return JointLoadCol::LoadPat;
    }
}

// Every load table names what it loads in its first column.
constexpr int kLoadOwner = 0;

SectionShape ShapeOf(const Table& t, std::size_t row) {
    if (t.Is(row, FrameSectionCol::Shape, "Rectangular")) return SectionShape::Rectangular;
    if (t.Is(row, FrameSectionCol::Shape, "Circle")) return SectionShape::Circle;
    if (t.Is(row, FrameSectionCol::Shape, "I/Wide$")) return SectionShape::IWide;
    return SectionShape::Other;
}

SapAxis AxisOf(std::string_view word) {
    static constexpr struct {
        std::string_view word;
        SapAxis axis;
    } kWords[] = {{"Gravity", SapAxis::Gravity}, {"X", SapAxis::X},      {"Y", SapAxis::Y},      {"Z", SapAxis::Z},
                  {"1", SapAxis::Local1},        {"2", SapAxis::Local2}, {"3", SapAxis::Local3}};
    for (const auto& w : kWords)
        if (w.word == word) return w.axis;
    return SapAxis::None;
}

// A direction as the load tables write it: an axis word, or an axis word
// and "Proj" after a blank or "_" for a projected load.
LoadDirection DirectionOf(const Table& t, std::size_t row, int col) {
    constexpr std::string_view kProj = "Proj";
    const Cell c = t.cell(row, col);
    // A quoted value is shown with a final "$": no word of the vocabulary.
    if (c.quoted()) return {};
    const std::string_view dir = c.absent() ? t.descriptor().columns[col].absentText : t.View(c);
    if (dir.size() >= kProj.size() && dir.substr(dir.size() - kProj.size()) == kProj) {
        const SapAxis axis = AxisOf(dir.substr(0, dir.find_first_of("_ ")));
        const bool global = axis == SapAxis::Gravity || axis == SapAxis::X || axis == SapAxis::Y || axis == SapAxis::Z;
        return {global ? axis : SapAxis::None, true};
    }
    return {AxisOf(dir), false};
}

CoordSystem CoordSystemOf(const Table& t, std::size_t row, int col) {
    if (t.Is(row, col, "GLOBAL")) return CoordSystem::Global;
    if (t.Is(row, col, "Local")) return CoordSystem::Local;
    return CoordSystem::Other;
}

// The bytes of a cell some rows ahead are asked for early: the checks below
// touch each cell's text once, long after the reader left it, and would
// otherwise wait for memory at every row.
constexpr std::size_t kCellsAhead = 16;
void PrefetchAhead(const Table& t, std::size_t row, int col) {
    if (row + kCellsAhead < t.rows()) __builtin_prefetch(t.View(row + kCellsAhead, col).data());
}

void CheckNumbers(Report& report, const Table& t, int col, std::string_view table, const char* what) {
    for (std::size_t r = 0; r < t.rows(); ++r) {
        PrefetchAhead(t, r, col);
        const Cell c = t.cell(r, col);
        if (!c.absent() && !c.quoted() && IsDigits(t.View(c))) continue;
        report.Add(ReportKind::NumberNotInteger, table, t.Text(r, col), what);
    }
}

// Number texts that are no finite decimal numbers: one entry each, naming
// the record (by the text of `ownerCol`) and the column. Missing fields
// take their defaults and are not reported.
void CheckDecimals(Report& report, const Table& t, int col, int ownerCol, std::string_view table) {
    for (std::size_t r = 0; r < t.rows(); ++r) {
        PrefetchAhead(t, r, col);
        const Cell c = t.cell(r, col);
        if (c.absent() || (!c.quoted() && IsFiniteDecimal(t.View(c)))) continue;
        report.Add(ReportKind::NumberInvalid, table, t.Text(r, ownerCol), std::string(t.descriptor().columns[col].name), t.Text(r, col));
    }
}

// Names that stand in their table more than once.
void CheckRepeats(Report& report, const NameIndex& index, const Table& t, int col, std::string_view table, const char* what) {
    for (std::uint32_t r : index.repeats()) report.Add(ReportKind::DuplicateName, table, t.Text(r, col), what);
}

}  // namespace

namespace {

// The shown text of a cell: its bytes when they show as they are.
std::string_view Shown(const Table& t, std::size_t row, int col, std::string& scratch) {
    const Cell c = t.cell(row, col);
    if (!c.absent() && !c.quoted()) return t.View(c);
    scratch.clear();
    t.AppendText(scratch, row, col);
    return scratch;
}

std::string_view NumberText(std::uint32_t n, std::string& scratch) {
    scratch = std::to_string(n);
    return scratch;
}

}  // namespace

std::string_view Links::OwnName(NameKind kind, const Table& t, std::size_t row, int col, std::string& scratch) const {
    if (renumbered) {
        const auto& numbers = newNumbers[static_cast<int>(kind)];
        if (row < numbers.size() && numbers[row]) return NumberText(numbers[row], scratch);
    }
    return Shown(t, row, col, scratch);
}

std::string_view Links::NameOf(NameKind kind, const Table& t, std::size_t row, int col, std::string& scratch) const {
    if (renumbered) {
        const NameIndex& index = kind == NameKind::Joint ? joints : kind == NameKind::Member ? frames : areas;
        const auto& numbers = newNumbers[static_cast<int>(kind)];
        const std::int64_t first = index.Find(t, row, col);
        if (first != NameIndex::kNone && numbers[static_cast<std::size_t>(first)])
            return NumberText(numbers[static_cast<std::size_t>(first)], scratch);
    }
    return Shown(t, row, col, scratch);
}

void Links::AppendOwnElement(std::string& out, const Table& areaTable, std::size_t row) const {
    std::string scratch;
    AppendNumber(out, shellOffset + TextToNumber(OwnName(NameKind::Area, areaTable, row, AreaCol::Area, scratch)));
}

void Links::AppendElementOf(std::string& out, const Table& t, std::size_t row, int col) const {
    std::string scratch;
    AppendNumber(out, shellOffset + TextToNumber(NameOf(NameKind::Area, t, row, col, scratch)));
}

void AppendElementNumber(std::string& out, std::string_view areaName, double offset) {
    AppendNumber(out, offset + TextToNumber(areaName));
}

std::string ElementNumber(std::string_view areaName, double offset) {
    std::string s;
    AppendElementNumber(s, areaName, offset);
    return s;
}

namespace {

// The numbers STAAD.Pro accepts for the rows of one table: a name of one to
// six digits, not starting with 0, that no earlier row kept stays; every
// other row gets the next number after the largest kept one, in row order.
std::vector<std::uint32_t> Renumber(const Table& t, int col) {
    constexpr std::uint32_t kLargest = 999999, kPending = ~std::uint32_t(0);
    std::vector<std::uint32_t> numbers(t.rows(), 0);
    std::vector<bool> taken(kLargest + 1, false);
    std::uint32_t largest = 0;
    for (std::size_t r = 0; r < t.rows(); ++r) {
        const Cell c = t.cell(r, col);
        const std::string_view name = c.absent() || c.quoted() ? std::string_view() : t.View(c);
        std::uint32_t value = 0;
        const bool number = !name.empty() && name.size() <= 6 && name[0] != '0' && IsDigits(name);
        if (number)
            for (char ch : name) value = value * 10 + static_cast<std::uint32_t>(ch - '0');
        if (!number || taken[value]) {
            numbers[r] = kPending;
            continue;
        }
        taken[value] = true;
        if (value > largest) largest = value;
    }
    std::uint32_t next = largest;
    for (std::uint32_t& n : numbers)
        if (n == kPending) n = ++next;
    return numbers;
}

std::size_t Renumbered(const std::vector<std::uint32_t>& numbers) {
    std::size_t n = 0;
    for (std::uint32_t v : numbers) n += v != 0;
    return n;
}

// The smallest power of ten above every member number, but at least
// 100000, so that no shell element gets the number of a member. `digits`
// is the count of significant digits of the largest member number.
double ShellOffset(std::size_t digits) {
    if (digits < 6) return ShellNumberOffset;
    return std::pow(10.0, static_cast<double>(std::min<std::size_t>(digits, 300)));
}

// Joints and members: their names, and the references between them.
void LinkGeometry(const Model& m, Links& k, Report* report, const LinkOptions& o) {
    const Table& joints = m[TableId::Joints];
    const Table& frames = m[TableId::Frames];
    const Table& areas = m[TableId::Areas];
    k.joints.Build(joints, JointCol::Joint);
    k.frames.Build(frames, FrameCol::Frame);
    k.areas.Build(areas, AreaCol::Area);

    // The largest member number, as its significant digits.
    std::string_view largest;
    if (o.renumber) {
        k.renumbered = true;
        k.newNumbers[static_cast<int>(NameKind::Joint)] = Renumber(joints, JointCol::Joint);
        k.newNumbers[static_cast<int>(NameKind::Member)] = Renumber(frames, FrameCol::Frame);
        k.newNumbers[static_cast<int>(NameKind::Area)] = Renumber(areas, AreaCol::Area);
    }
    std::string scratch, largestText;
    for (std::size_t r = 0; r < frames.rows(); ++r) {
        std::string_view name = k.OwnName(NameKind::Member, frames, r, FrameCol::Frame, scratch);
        if (!IsDigits(name)) continue;
        while (name.size() > 1 && name[0] == '0') name.remove_prefix(1);
        if (name.size() > largestText.size() || (name.size() == largestText.size() && name > largestText)) largestText.assign(name);
    }
    k.shellOffset = ShellOffset(largestText.size());
    if (!report) return;

    if (o.staad && k.shellOffset != ShellNumberOffset)
        report->Add(ReportKind::ElementNumbersMoved, "CONNECTIVITY - FRAME", "", NumberToText(k.shellOffset), largestText);
    if (o.renumber) {
        static constexpr struct {
            NameKind kind;
            const char* word;
            std::string_view table;
        } kKinds[] = {{NameKind::Joint, "joint", "JOINT COORDINATES"},
                      {NameKind::Member, "member", "CONNECTIVITY - FRAME"},
                      {NameKind::Area, "area", "CONNECTIVITY - AREA"}};
        for (const auto& kind : kKinds)
            if (const std::size_t n = Renumbered(k.newNumbers[static_cast<int>(kind.kind)]))
                report->Add(ReportKind::Renumbered, kind.table, kind.word, std::to_string(n), o.numberMap);
    } else {
        // Names STAAD.Pro cannot take as numbers (renumbering gives them new
        // ones).
        CheckNumbers(*report, joints, JointCol::Joint, "JOINT COORDINATES", "Joint");
        if (o.staad) CheckNumbers(*report, frames, FrameCol::Frame, "CONNECTIVITY - FRAME", "Member");
        CheckNumbers(*report, areas, AreaCol::Area, "CONNECTIVITY - AREA", "Area");
    }
    if (o.staad) {
        // Numbers STAAD.Pro does not take: joints, members and elements
        // above 999999 (as the file writes them).
        const auto outOfRange = [&](std::string_view name) { return IsDigits(name) && RunValue(name) < 0; };
        for (std::size_t r = 0; r < joints.rows(); ++r)
            if (const std::string_view name = k.OwnName(NameKind::Joint, joints, r, JointCol::Joint, scratch); outOfRange(name))
                report->Add(ReportKind::NumberOutOfRange, "JOINT COORDINATES", std::string(name), "Joint");
        for (std::size_t r = 0; r < frames.rows(); ++r)
            if (const std::string_view name = k.OwnName(NameKind::Member, frames, r, FrameCol::Frame, scratch); outOfRange(name))
                report->Add(ReportKind::NumberOutOfRange, "CONNECTIVITY - FRAME", std::string(name), "Member");
        std::string element;
        for (std::size_t r = 0; r < areas.rows(); ++r) {
            element.clear();
            k.AppendOwnElement(element, areas, r);
            if (outOfRange(element)) report->Add(ReportKind::NumberOutOfRange, "CONNECTIVITY - AREA", element, "Shell element");
        }
    }
    CheckRepeats(*report, k.joints, joints, JointCol::Joint, "JOINT COORDINATES", "Joint");
    if (o.staad) CheckRepeats(*report, k.frames, frames, FrameCol::Frame, "CONNECTIVITY - FRAME", "Member");
    CheckRepeats(*report, k.areas, areas, AreaCol::Area, "CONNECTIVITY - AREA", "Area");
    for (int col : {JointCol::GlobalX, JointCol::GlobalY, JointCol::GlobalZ})
        CheckDecimals(*report, joints, col, JointCol::Joint, "JOINT COORDINATES");

    const auto check = [&](const char* table, const char* what, const Table& owner, std::size_t r, int nameCol, int jointCol) {
        if (k.joints.Find(owner, r, jointCol) == NameIndex::kNone)
            report->Add(ReportKind::MissingJoint, table, owner.Text(r, nameCol), what, owner.Text(r, jointCol));
    };
    for (std::size_t r = 0; o.staad && r < frames.rows(); ++r) {
        check("CONNECTIVITY - FRAME", "Member", frames, r, FrameCol::Frame, FrameCol::JointI);
        check("CONNECTIVITY - FRAME", "Member", frames, r, FrameCol::Frame, FrameCol::JointJ);
    }
    for (std::size_t r = 0; r < areas.rows(); ++r) {
        for (int col = AreaCol::Joint1; col <= AreaCol::Joint3; ++col) check("CONNECTIVITY - AREA", "Area", areas, r, AreaCol::Area, col);
        if (TextToNumber(areas.View(r, AreaCol::NumJoints)) >= 4) check("CONNECTIVITY - AREA", "Area", areas, r, AreaCol::Area, AreaCol::Joint4);
    }
}

// Materials and sections: which members and elements each has.
void LinkSections(const Model& m, Links& k, Report* report, const LinkOptions& o) {
    const Table& assigns = m[TableId::FrameAssigns];
    const Table& sections = m[TableId::FrameSections];
    k.materials.Build(m[TableId::Materials], MaterialCol::Material);
    k.frameSections.Build(sections, FrameSectionCol::SectionName);
    k.areaSections.Build(m[TableId::AreaSections], AreaSectionCol::Section);
    const std::vector<std::int64_t> sectionOf = KeysOf(k.frameSections, assigns, FrameAssignCol::AnalSect);
    const std::vector<std::int64_t> materialOf = KeysOf(k.materials, assigns, FrameAssignCol::Material);
    k.membersOfSection = Groups(sections.rows(), sectionOf);
    k.membersOfMaterial = Groups(m[TableId::Materials].rows(), materialOf);
    k.areasOfSection = GroupBy(k.areaSections, m[TableId::AreaSections].rows(), m[TableId::AreaAssigns], AreaAssignCol::Section);
    k.areaAssignmentsFound = m[TableId::AreaAssigns].found();
    k.sectionShapes.resize(sections.rows());
    for (std::size_t r = 0; r < sections.rows(); ++r) k.sectionShapes[r] = ShapeOf(sections, r);
    if (!report) return;

    const Table& materials = m[TableId::Materials];
    for (int col : {MaterialCol::UnitWeight, MaterialCol::E1}) CheckDecimals(*report, materials, col, MaterialCol::Material, "MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES");
    // An empty Poisson's ratio has a meaning of its own (0.2).
    for (std::size_t r = 0; r < materials.rows(); ++r)
        if (!materials.Absent(r, MaterialCol::U12) && !materials.Is(r, MaterialCol::U12, "") &&
            !IsFiniteDecimal(materials.Text(r, MaterialCol::U12)))
            report->Add(ReportKind::NumberInvalid, "MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", materials.Text(r, MaterialCol::Material),
                        "U12", materials.Text(r, MaterialCol::U12));
    CheckDecimals(*report, m[TableId::AreaSections], AreaSectionCol::Thickness, AreaSectionCol::Section, "AREA SECTION PROPERTIES");
    // The dimensions of the shapes that are written from them.
    for (std::size_t r = 0; r < sections.rows(); ++r) {
        if (k.sectionShapes[r] == SectionShape::Other) continue;
        std::vector<int> cols{FrameSectionCol::Dim1};
        if (k.sectionShapes[r] == SectionShape::Rectangular) cols.push_back(FrameSectionCol::Dim2);
        for (int col : cols) {
            const std::string text = sections.Text(r, col);
            std::size_t from = 0;
            for (;;) {
                const std::size_t blank = text.find(' ', from);
                const std::string_view word = std::string_view(text).substr(from, blank - from);
                if (!IsFiniteDecimal(word)) {
                    report->Add(ReportKind::NumberInvalid, "FRAME SECTION PROPERTIES 01 - GENERAL", sections.Text(r, FrameSectionCol::SectionName),
                                std::string(sections.descriptor().columns[col].name), std::string(word));
                    break;
                }
                if (blank == std::string::npos) break;
                from = blank + 1;
            }
        }
    }
    if (!o.staad) return;

    for (std::size_t j = 0; j < assigns.rows(); ++j)
        if (materialOf[j] == NameIndex::kNone)
            report->Add(ReportKind::MemberWithoutMaterial, "FRAME SECTION ASSIGNMENTS", assigns.Text(j, FrameAssignCol::Frame),
                        assigns.Text(j, FrameAssignCol::AnalSect));
    for (std::size_t j = 0; j < assigns.rows(); ++j)
        if (sectionOf[j] == NameIndex::kNone)
            report->Add(ReportKind::MemberWithoutProperty, "FRAME SECTION ASSIGNMENTS", assigns.Text(j, FrameAssignCol::Frame),
                        assigns.Text(j, FrameAssignCol::AnalSect));
}

// Load patterns and combinations: which load rows each pattern has, which
// rows each combination has, and the direction of every load.
void LinkLoads(const Model& m, Links& k, Report* report, const LinkOptions& o) {
    const Table& combos = m[TableId::Combinations];
    k.patterns.Build(m[TableId::LoadPatterns], LoadPatternCol::LoadPat);
    k.combinations.Build(combos, CombinationCol::ComboName);
    std::array<std::vector<std::int64_t>, 4> patternOf;
    for (std::size_t t = 0; t < kLoadTables.size(); ++t) {
        patternOf[t] = KeysOf(k.patterns, m[kLoadTables[t]], PatternColumn(kLoadTables[t]));
        k.loadsOfPattern[t] = Groups(m[TableId::LoadPatterns].rows(), patternOf[t]);
    }
    k.rowsOfCombination = GroupBy(k.combinations, combos.rows(), combos, CombinationCol::ComboName);

    static constexpr int kDirCol[3] = {FrameDistLoadCol::Dir, FramePointLoadCol::Dir, AreaLoadCol::Dir};
    static constexpr int kCoordCol[3] = {FrameDistLoadCol::CoordSys, FramePointLoadCol::CoordSys, AreaLoadCol::CoordSys};
    for (std::size_t t = 0; t < 3; ++t) {
        const Table& loads = m[kLoadTables[t]];
        k.loadDirections[t].resize(loads.rows());
        k.loadCoordSystems[t].resize(loads.rows());
        for (std::size_t r = 0; r < loads.rows(); ++r) {
            k.loadDirections[t][r] = DirectionOf(loads, r, kDirCol[t]);
            k.loadCoordSystems[t][r] = CoordSystemOf(loads, r, kCoordCol[t]);
        }
    }
    if (!report || !o.staad) return;

    static constexpr struct {
        TableId table;
        std::initializer_list<int> cols;
    } kNumbers[] = {
        {TableId::FrameDistLoads, {FrameDistLoadCol::FOverLA, FrameDistLoadCol::FOverLB}},
        {TableId::FramePointLoads, {FramePointLoadCol::AbsDist, FramePointLoadCol::Force}},
        {TableId::AreaLoads, {AreaLoadCol::UnifLoad}},
        {TableId::JointLoads, {JointLoadCol::F1, JointLoadCol::F2, JointLoadCol::F3, JointLoadCol::M1, JointLoadCol::M2, JointLoadCol::M3}},
    };
    for (const auto& n : kNumbers)
        for (int col : n.cols) CheckDecimals(*report, m[n.table], col, kLoadOwner, Describe(n.table).sapName);
    // Distances, unless the load covers the whole frame (a blank).
    const Table& dist = m[TableId::FrameDistLoads];
    for (int col : {FrameDistLoadCol::AbsDistA, FrameDistLoadCol::AbsDistB})
        for (std::size_t r = 0; r < dist.rows(); ++r)
            if (!dist.Absent(r, col) && !dist.Is(r, col, " ") && (dist.Quoted(r, col) || !IsFiniteDecimal(dist.View(r, col))))
                report->Add(ReportKind::NumberInvalid, "FRAME LOADS - DISTRIBUTED", dist.Text(r, kLoadOwner),
                            std::string(dist.descriptor().columns[col].name), dist.Text(r, col));
    const Table& patterns = m[TableId::LoadPatterns];
    for (std::size_t r = 0; r < patterns.rows(); ++r)
        if (!patterns.Absent(r, LoadPatternCol::SelfWtMult) && !IsFiniteDecimal(patterns.Text(r, LoadPatternCol::SelfWtMult)))
            report->Add(ReportKind::NumberInvalid, "LOAD PATTERN DEFINITIONS", patterns.Text(r, LoadPatternCol::LoadPat), "SelfWtMult",
                        patterns.Text(r, LoadPatternCol::SelfWtMult));
    CheckDecimals(*report, m[TableId::Combinations], CombinationCol::ScaleFactor, CombinationCol::ComboName, "COMBINATION DEFINITIONS");

    for (std::size_t t = 0; t < kLoadTables.size(); ++t) {
        const Table& loads = m[kLoadTables[t]];
        for (std::size_t r = 0; r < loads.rows(); ++r)
            if (patternOf[t][r] == NameIndex::kNone)
                report->Add(ReportKind::LoadPatternUnknown, Describe(kLoadTables[t]).sapName, loads.Text(r, kLoadOwner),
                            loads.Text(r, PatternColumn(kLoadTables[t])));
    }
}

}  // namespace

Links Link(const Model& m, Report* report, const LinkOptions& o) {
    Links k;
    // The three parts touch different tables and fill different links; the
    // geometry, the largest, runs beside the other two when the model is
    // large enough to be worth a thread.
    // The geometry's entries, which come first and may be many, go straight
    // into the report; the other two parts keep theirs until it is done.
    Report sections, loads;
    Report* const part[3] = {report, report ? &sections : nullptr, report ? &loads : nullptr};
    const std::size_t size = m[TableId::Frames].rows() + m[TableId::Joints].rows() + m[TableId::Areas].rows();
    if (size > 20000 && std::thread::hardware_concurrency() > 1) {
        std::exception_ptr failure;
        std::thread helper([&] {
            try {
                LinkGeometry(m, k, part[0], o);
            } catch (...) {
                failure = std::current_exception();
            }
        });
        try {
            LinkSections(m, k, part[1], o);
            LinkLoads(m, k, part[2], o);
        } catch (...) {
            helper.join();
            throw;
        }
        helper.join();
        if (failure) std::rethrow_exception(failure);
    } else {
        LinkGeometry(m, k, part[0], o);
        LinkSections(m, k, part[1], o);
        LinkLoads(m, k, part[2], o);
    }
    if (report) {
        report->Append(std::move(sections));
        report->Append(std::move(loads));
    }
    if (o.full) {
        k.isFull = true;
        LinkFull(m, k, report, o.staad);
    }
    return k;
}

}  // namespace corvane
