#include "link/Link.h"

#include "model/ShellNumbers.h"
#include "text/NumberText.h"

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

void CheckNumbers(Report& report, const Table& t, int col, std::string_view table, const char* what) {
    for (std::size_t r = 0; r < t.rows(); ++r) {
        const Cell c = t.cell(r, col);
        if (!c.absent() && !c.quoted() && IsDigits(t.View(c))) continue;
        report.Add(ReportKind::NumberNotInteger, table, t.Text(r, col), what);
    }
}

}  // namespace

void AppendElementNumber(std::string& out, std::string_view areaName, double offset) {
    AppendNumber(out, offset + TextToNumber(areaName));
}

std::string ElementNumber(std::string_view areaName, double offset) {
    std::string s;
    AppendElementNumber(s, areaName, offset);
    return s;
}

namespace {

// Joints and members: their names, and the references between them.
void LinkGeometry(const Model& m, Links& k, Report* report, bool staad) {
    const Table& joints = m[TableId::Joints];
    const Table& frames = m[TableId::Frames];
    const Table& areas = m[TableId::Areas];
    k.joints.Build(joints, JointCol::Joint);
    k.frames.Build(frames, FrameCol::Frame);
    if (!report) return;

    CheckNumbers(*report, joints, JointCol::Joint, "JOINT COORDINATES", "Joint");
    if (staad) CheckNumbers(*report, frames, FrameCol::Frame, "CONNECTIVITY - FRAME", "Member");
    CheckNumbers(*report, areas, AreaCol::Area, "CONNECTIVITY - AREA", "Area");

    std::string element;
    if (staad) {
        for (std::size_t r = 0; r < areas.rows(); ++r) {
            element.clear();
            AppendElementNumber(element, areas.View(r, AreaCol::Area), k.shellOffset);
            if (k.frames.Find(element) != NameIndex::kNone)
                report->Add(ReportKind::NumberCollision, "CONNECTIVITY - AREA", areas.Text(r, AreaCol::Area), element);
        }
    }

    const auto check = [&](const char* table, const char* what, const Table& owner, std::size_t r, int nameCol, int jointCol) {
        if (k.joints.Find(owner, r, jointCol) == NameIndex::kNone)
            report->Add(ReportKind::MissingJoint, table, owner.Text(r, nameCol), what, owner.Text(r, jointCol));
    };
    for (std::size_t r = 0; staad && r < frames.rows(); ++r) {
        check("CONNECTIVITY - FRAME", "Member", frames, r, FrameCol::Frame, FrameCol::JointI);
        check("CONNECTIVITY - FRAME", "Member", frames, r, FrameCol::Frame, FrameCol::JointJ);
    }
    for (std::size_t r = 0; r < areas.rows(); ++r) {
        for (int col = AreaCol::Joint1; col <= AreaCol::Joint3; ++col) check("CONNECTIVITY - AREA", "Area", areas, r, AreaCol::Area, col);
        if (TextToNumber(areas.View(r, AreaCol::NumJoints)) >= 4) check("CONNECTIVITY - AREA", "Area", areas, r, AreaCol::Area, AreaCol::Joint4);
    }
}

// Materials and sections: which members and elements each has.
void LinkSections(const Model& m, Links& k, Report* report, bool staad) {
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
    if (!report || !staad) return;

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
void LinkLoads(const Model& m, Links& k, Report* report, bool staad) {
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
    if (!report || !staad) return;

    for (std::size_t t = 0; t < kLoadTables.size(); ++t) {
        const Table& loads = m[kLoadTables[t]];
        for (std::size_t r = 0; r < loads.rows(); ++r)
            if (patternOf[t][r] == NameIndex::kNone)
                report->Add(ReportKind::LoadPatternUnknown, Describe(kLoadTables[t]).sapName, loads.Text(r, kLoadOwner),
                            loads.Text(r, PatternColumn(kLoadTables[t])));
    }
}

}  // namespace

Links Link(const Model& m, Report* report, bool staad) {
    Links k;
    k.shellOffset = ShellNumberOffset;
    // The three parts touch different tables and fill different links; the
    // geometry, the largest, runs beside the other two when the model is
    // large enough to be worth a thread.
    Report geometry, sections, loads;
    Report* const part[3] = {report ? &geometry : nullptr, report ? &sections : nullptr, report ? &loads : nullptr};
    const std::size_t size = m[TableId::Frames].rows() + m[TableId::Joints].rows() + m[TableId::Areas].rows();
    if (size > 20000 && std::thread::hardware_concurrency() > 1) {
        std::exception_ptr failure;
        std::thread helper([&] {
            try {
                LinkGeometry(m, k, part[0], staad);
            } catch (...) {
                failure = std::current_exception();
            }
        });
        try {
            LinkSections(m, k, part[1], staad);
            LinkLoads(m, k, part[2], staad);
        } catch (...) {
            helper.join();
            throw;
        }
        helper.join();
        if (failure) std::rethrow_exception(failure);
    } else {
        LinkGeometry(m, k, part[0], staad);
        LinkSections(m, k, part[1], staad);
        LinkLoads(m, k, part[2], staad);
    }
    if (report)
        for (Report* r : part) report->Append(std::move(*r));
    return k;
}

}  // namespace corvane
