#include "link/Link.h"

#include "model/ShellNumbers.h"
#include "text/NumberList.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <iterator>
#include <thread>
#include <unordered_set>

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

// Where the names of each set are defined, what the report calls them, and
// which output format writes them. Joints and members are labels: the
// STAAD.Pro file writes them as they are unless they are renumbered, and
// the deck always gives them numbers; areas become element numbers.
struct NameSetRule {
    NameSet set;
    TableId table;
    int col;
    const char* what;
    bool staad, abaqus;
    NameIndex Links::*index;  // nothing for a column that names no row
};
constexpr NameSetRule kNameSets[kNameSetCount] = {
    {NameSet::Joint, TableId::Joints, JointCol::Joint, "Joint", true, false, &Links::joints},
    {NameSet::Member, TableId::Frames, FrameCol::Frame, "Member", true, false, &Links::frames},
    {NameSet::Area, TableId::Areas, AreaCol::Area, "Area", false, false, &Links::areas},
    {NameSet::Material, TableId::Materials, MaterialCol::Material, "Material", true, true, &Links::materials},
    {NameSet::FrameSection, TableId::FrameSections, FrameSectionCol::SectionName, "Frame section", true, false, &Links::frameSections},
    {NameSet::AreaSection, TableId::AreaSections, AreaSectionCol::Section, "Area section", false, true, &Links::areaSections},
    {NameSet::Pattern, TableId::LoadPatterns, LoadPatternCol::LoadPat, "Load pattern", true, false, &Links::patterns},
    {NameSet::LoadType, TableId::LoadPatterns, LoadPatternCol::DesignType, "Design type", true, false, nullptr},
    {NameSet::Combination, TableId::Combinations, CombinationCol::ComboName, "Combination", true, false, &Links::combinations},
};

}  // namespace

void ChangedNames::Add(std::uint32_t row, std::string spelling) {
    rows_.push_back(row);
    spellings_.push_back(std::move(spelling));
}

const std::string* ChangedNames::Of(std::size_t row) const {
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), row);
    if (at == rows_.end() || *at != row) return nullptr;
    return &spellings_[static_cast<std::size_t>(at - rows_.begin())];
}

std::string_view Links::SafeNameOf(NameSet set, const Table& t, std::size_t row, int col, std::string& scratch) const {
    const ChangedNames& changed = changedNames[static_cast<std::size_t>(set)];
    const NameIndex Links::*index = kNameSets[static_cast<std::size_t>(set)].index;
    const std::string_view shown = Shown(t, row, col, scratch);
    const bool safe = IsSafeName(format, shown);
    if (changed.empty() && safe) return shown;
    const std::int64_t first = index ? (this->*index).Find(t, row, col) : static_cast<std::int64_t>(row);
    if (first != NameIndex::kNone)
        if (const std::string* spelling = changed.Of(static_cast<std::size_t>(first))) return *spelling;
    if (safe) return shown;
    // A name no row defines (the report names the reference): made safe
    // where it stands.
    scratch = SafeName(format, shown);
    return scratch;
}

std::string_view Links::OwnName(NameKind kind, const Table& t, std::size_t row, int col, std::string& scratch) const {
    if (renumbered) {
        const auto& numbers = newNumbers[static_cast<int>(kind)];
        if (row < numbers.size() && numbers[row]) return NumberText(numbers[row], scratch);
    }
    return SafeNameOf(static_cast<NameSet>(kind), t, row, col, scratch);
}

std::string_view Links::NameOf(NameKind kind, const Table& t, std::size_t row, int col, std::string& scratch) const {
    if (renumbered) {
        const NameIndex& index = kind == NameKind::Joint ? joints : kind == NameKind::Member ? frames : areas;
        const auto& numbers = newNumbers[static_cast<int>(kind)];
        const std::int64_t first = index.Find(t, row, col);
        if (first != NameIndex::kNone && static_cast<std::size_t>(first) < numbers.size() && numbers[static_cast<std::size_t>(first)])
            return NumberText(numbers[static_cast<std::size_t>(first)], scratch);
    }
    return SafeNameOf(static_cast<NameSet>(kind), t, row, col, scratch);
}

void Links::AppendOwnElement(std::string& out, const Table& areaTable, std::size_t row) const {
    std::string scratch;
    AppendNumber(out, shellOffset + TextToNumber(OwnName(NameKind::Area, areaTable, row, AreaCol::Area, scratch)));
}

void Links::AppendElementOf(std::string& out, const Table& t, std::size_t row, int col) const {
    std::string scratch;
    AppendNumber(out, shellOffset + TextToNumber(NameOf(NameKind::Area, t, row, col, scratch)));
}

namespace {

bool CoordinateValid(const Table& joints, std::size_t row, int col) {
    const Cell c = joints.cell(row, col);
    return !c.absent() && !c.quoted() && IsFiniteDecimal(joints.View(c));
}

constexpr int kCoordinates[] = {JointCol::GlobalX, JointCol::GlobalY, JointCol::GlobalZ};

}  // namespace

bool JointPlaced(const Table& joints, std::size_t row) {
    for (int col : kCoordinates)
        if (!CoordinateValid(joints, row, col)) return false;
    return true;
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

// The numbers an output takes for the rows of one table: a name of one to
// `digits` digits, not starting with 0, that no earlier row has (the first
// row of its name in `index`) stays; every other row gets the next number
// after the largest kept one, in row order.
std::vector<std::uint32_t> Renumber(const Table& t, int col, const NameIndex& index, std::size_t digits) {
    constexpr std::uint32_t kPending = ~std::uint32_t(0);
    std::vector<std::uint32_t> numbers(t.rows(), 0);
    std::uint32_t largest = 0;
    for (std::size_t r = 0; r < t.rows(); ++r) {
        const Cell c = t.cell(r, col);
        const std::string_view name = c.absent() || c.quoted() ? std::string_view() : t.View(c);
        std::uint32_t value = 0;
        const bool number = !name.empty() && name.size() <= digits && name[0] != '0' && IsDigits(name);
        if (!number || index.Find(t, r, col) != static_cast<std::int64_t>(r)) {
            numbers[r] = kPending;
            continue;
        }
        for (char ch : name) value = value * 10 + static_cast<std::uint32_t>(ch - '0');
        if (value > largest) largest = value;
    }
    std::uint32_t next = largest;
    for (std::uint32_t& n : numbers)
        if (n == kPending) n = ++next;
    return numbers;
}

// The digits of the largest number each output takes: STAAD.Pro numbers
// up to 999999, Abaqus labels up to 999999999.
constexpr std::size_t kStaadDigits = 6, kDeckDigits = 9;

std::size_t Renumbered(const std::vector<std::uint32_t>& numbers) {
    std::size_t n = 0;
    for (std::uint32_t v : numbers) n += v != 0;
    return n;
}


constexpr double kLargestNumber = 999999;

// The largest number of the rows of a table as renumbering leaves them:
// the new number of a moved row, the name's value of a kept one.
std::uint32_t LargestNumber(const Table& t, int col, const std::vector<std::uint32_t>& numbers) {
    std::uint32_t largest = 0;
    for (std::size_t r = 0; r < t.rows(); ++r) {
        std::uint32_t value = numbers[r];
        if (!value)
            for (char ch : t.View(r, col)) value = value * 10 + static_cast<std::uint32_t>(ch - '0');
        largest = std::max(largest, value);
    }
    return largest;
}

std::size_t DigitCount(std::uint32_t n) { return n ? std::to_string(n).size() : 0; }

// Areas numbered 1, 2, ... in the order of the area table, a repeated name
// keeping the number of its first row.
std::vector<std::uint32_t> NumberInOrder(const Table& areas, const NameIndex& index) {
    std::vector<std::uint32_t> numbers(areas.rows(), 0);
    std::uint32_t next = 0;
    for (std::size_t r = 0; r < areas.rows(); ++r) {
        const std::int64_t first = index.Find(areas, r, AreaCol::Area);
        numbers[r] = first == NameIndex::kNone || static_cast<std::size_t>(first) == r ? ++next : numbers[static_cast<std::size_t>(first)];
    }
    return numbers;
}

// Joints and members: their names, and the references between them.
void LinkGeometry(const Model& m, Links& k, Report* report, const LinkOptions& o) {
    const Table& joints = m[TableId::Joints];
    const Table& frames = m[TableId::Frames];
    const Table& areas = m[TableId::Areas];
    k.joints.Build(joints, JointCol::Joint);
    k.frames.Build(frames, FrameCol::Frame);
    k.areas.Build(areas, AreaCol::Area);

    // Renumbering, when asked for or when the STAAD.Pro file needs it: a
    // label renumbering would move (STAAD.Pro reads no other), or shell
    // elements that would pass 999999. Those are numbered after the
    // largest member in the order of the area table.
    auto& jointNumbers = k.newNumbers[static_cast<int>(NameKind::Joint)];
    auto& memberNumbers = k.newNumbers[static_cast<int>(NameKind::Member)];
    auto& areaNumbers = k.newNumbers[static_cast<int>(NameKind::Area)];
    std::size_t elementsPassing = 0;
    std::uint32_t largestMember = 0;
    if (o.renumber || o.staad) {
        jointNumbers = Renumber(joints, JointCol::Joint, k.joints, kStaadDigits);
        memberNumbers = Renumber(frames, FrameCol::Frame, k.frames, kStaadDigits);
        areaNumbers = Renumber(areas, AreaCol::Area, k.areas, kStaadDigits);
        largestMember = LargestNumber(frames, FrameCol::Frame, memberNumbers);
        const double offset = ElementOffset(DigitCount(largestMember));
        for (std::size_t r = 0; r < areas.rows(); ++r)
            if (offset + (areaNumbers[r] ? areaNumbers[r] : TextToNumber(areas.View(r, AreaCol::Area))) > kLargestNumber)
                ++elementsPassing;
        const bool moved = Renumbered(jointNumbers) || Renumbered(memberNumbers) || Renumbered(areaNumbers);
        k.renumbered = o.renumber || moved || elementsPassing;
        if (!k.renumbered)
            for (auto& numbers : k.newNumbers) numbers.clear();
    } else {
        // The deck writes no label that is not a whole number.
        jointNumbers = Renumber(joints, JointCol::Joint, k.joints, kDeckDigits);
        areaNumbers = Renumber(areas, AreaCol::Area, k.areas, kDeckDigits);
        k.renumbered = Renumbered(jointNumbers) || Renumbered(areaNumbers);
    }
    if (elementsPassing) {
        k.elementsInAreaOrder = true;
        areaNumbers = NumberInOrder(areas, k.areas);
    }

    // The largest member number, as its significant digits.
    std::string scratch, largestText;
    for (std::size_t r = 0; r < frames.rows(); ++r) {
        std::string_view name = k.OwnName(NameKind::Member, frames, r, FrameCol::Frame, scratch);
        if (!IsDigits(name)) continue;
        while (name.size() > 1 && name[0] == '0') name.remove_prefix(1);
        if (name.size() > largestText.size() || (name.size() == largestText.size() && name > largestText)) largestText.assign(name);
    }
    k.shellOffset = k.elementsInAreaOrder ? largestMember : ElementOffset(largestText.size());
    if (!report) return;

    // A model without joints or without elements converts to an empty
    // file; the missing table is named.
    if (!joints.found()) report->Add(ReportKind::TableMissing, "JOINT COORDINATES", "JOINT COORDINATES", "", "joints");
    if (!frames.found() && !areas.found() && !m[TableId::Solids].found())
        report->Add(ReportKind::TableMissing, "CONNECTIVITY - FRAME", "CONNECTIVITY - FRAME", " nor \"CONNECTIVITY - AREA\"",
                    "members or elements");

    if (k.elementsInAreaOrder)
        report->Add(ReportKind::ElementsInAreaOrder, "CONNECTIVITY - AREA", "", std::to_string(largestMember + 1ull), std::to_string(elementsPassing));
    // How many labels of each kind got new numbers: every area when they
    // are numbered in order (the map lists each name once).
    static constexpr struct {
        NameKind kind;
        const char* word;
        const char* plural;
        std::string_view table;
    } kKinds[] = {{NameKind::Joint, "joint", "joints", "JOINT COORDINATES"},
                  {NameKind::Member, "member", "members", "CONNECTIVITY - FRAME"},
                  {NameKind::Area, "area", "areas", "CONNECTIVITY - AREA"}};
    const auto renumberedOf = [&](NameKind kind) {
        if (kind == NameKind::Area && k.elementsInAreaOrder)
            return areaNumbers.empty() ? std::size_t(0) : std::size_t(*std::max_element(areaNumbers.begin(), areaNumbers.end()));
        return Renumbered(k.newNumbers[static_cast<int>(kind)]);
    };
    if (o.renumber) {
        for (const auto& kind : kKinds)
            if (const std::size_t n = renumberedOf(kind.kind)) report->Add(ReportKind::Renumbered, kind.table, kind.word, std::to_string(n), o.numberMap);
    } else if (k.renumbered) {
        std::size_t total = 0;
        std::string counts;
        for (const auto& kind : kKinds)
            if (const std::size_t n = renumberedOf(kind.kind)) {
                total += n;
                counts += (counts.empty() ? "" : ", ") + std::to_string(n) + " " + (n == 1 ? kind.word : kind.plural);
            }
        if (total) report->Add(ReportKind::LabelsRenumbered, "", std::to_string(total), counts, o.numberMap);
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
    // A coordinate is no number when it is missing too: the joint has no
    // place.
    for (int col : kCoordinates)
        for (std::size_t r = 0; r < joints.rows(); ++r)
            if (!CoordinateValid(joints, r, col))
                report->Add(ReportKind::NumberInvalid, "JOINT COORDINATES", joints.Text(r, JointCol::Joint),
                            std::string(joints.descriptor().columns[col].name), joints.Text(r, col));

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

// The names the output format takes only in another spelling: computed
// once, for the row that defines each, and reported with both spellings.
void LinkNames(const Model& m, Links& k, Report* report, const LinkOptions& o) {
    k.format = o.staad ? NameFormat::Staad : NameFormat::Abaqus;
    std::string scratch;
    for (const NameSetRule& rule : kNameSets) {
        if (!(o.staad ? rule.staad : rule.abaqus)) continue;
        // Renumbered labels are whole numbers.
        if (k.renumbered && static_cast<std::size_t>(rule.set) < std::size(k.newNumbers)) continue;
        const Table& t = m[rule.table];
        ChangedNames& changed = k.changedNames[static_cast<std::size_t>(rule.set)];
        std::unordered_set<std::string> told;  // a column that names no row is reported once per text
        for (std::size_t r = 0; r < t.rows(); ++r) {
            const std::string_view shown = Shown(t, r, rule.col, scratch);
            if (IsSafeName(k.format, shown)) continue;
            if (rule.index && (k.*rule.index).Find(t, r, rule.col) != static_cast<std::int64_t>(r)) continue;
            std::string spelling = SafeName(k.format, shown);
            if (report && (rule.index || told.insert(std::string(shown)).second))
                report->Add(ReportKind::NameChanged, Describe(rule.table).sapName, std::string(shown), rule.what, spelling);
            changed.Add(static_cast<std::uint32_t>(r), std::move(spelling));
        }
    }
    // The deck's labels: every joint and area that got a number.
    if (!report || o.staad) return;
    for (const NameSetRule& rule : kNameSets) {
        if (static_cast<std::size_t>(rule.set) >= std::size(k.newNumbers)) continue;
        const Table& t = m[rule.table];
        const auto& numbers = k.newNumbers[static_cast<std::size_t>(rule.set)];
        for (std::size_t r = 0; r < t.rows() && r < numbers.size(); ++r)
            if (numbers[r])
                report->Add(ReportKind::NameChanged, Describe(rule.table).sapName, t.Text(r, rule.col), rule.what, std::to_string(numbers[r]));
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
    LinkNames(m, k, report, o);
    return k;
}

}  // namespace corvane
