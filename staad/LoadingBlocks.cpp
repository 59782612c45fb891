// Primary load cases and load combinations.
#include "staad/Blocks.h"
#include "staad/Lists.h"

#include <cmath>
#include <optional>
#include <unordered_map>

namespace corvane {

namespace {

// A STAAD.Pro axis letter and whether a SAP2000 direction negates the
// value. Whatever points along SAP2000's +Y points along STAAD.Pro's -Z,
// and gravity acts along -Y.
struct Axis {
    SapAxis from;
    char letter;
    bool negate;
};

constexpr Axis kMemberAxes[] = {
    {SapAxis::Gravity, 'Y', true}, {SapAxis::Z, 'Y', false},      {SapAxis::X, 'X', false},      {SapAxis::Y, 'Z', true},
    {SapAxis::Local1, 'X', false}, {SapAxis::Local2, 'Y', false}, {SapAxis::Local3, 'Z', false},
};
constexpr Axis kProjectedAxes[] = {
    {SapAxis::X, 'X', false}, {SapAxis::Y, 'Z', true}, {SapAxis::Z, 'Y', false}, {SapAxis::Gravity, 'Y', true},
};
constexpr Axis kElementAxes[] = {
    {SapAxis::Local1, 'X', false}, {SapAxis::Local2, 'Y', false}, {SapAxis::Local3, 'Z', false}, {SapAxis::X, 'X', false},
    {SapAxis::Y, 'Z', true},       {SapAxis::Gravity, 'Y', true}, {SapAxis::Z, 'Y', false},
};

template <std::size_t N>
std::optional<Axis> FindAxis(const Axis (&table)[N], SapAxis from) {
    for (const Axis& a : table)
        if (a.from == from) return a;
    return std::nullopt;
}

// Prefix and axis of a load (UNI, TRAP, CON, PR) and its sign, or nothing
// when the direction has no rule.
struct Direction {
    char word[3] = {};  // prefix and axis letter, e.g. "GY", "PZ", "X", ""
    bool negate = false;
    std::string_view text() const { return word; }
};

std::optional<Direction> MakeDirection(char prefix, char letter, bool negate) {
    Direction d;
    std::size_t n = 0;
    if (prefix) d.word[n++] = prefix;
    if (letter) d.word[n++] = letter;
    d.negate = negate;
    return d;
}

std::optional<Direction> MemberLoadDirection(CoordSystem coordSys, LoadDirection dir) {
    const auto axis = dir.projected ? FindAxis(kProjectedAxes, dir.axis) : FindAxis(kMemberAxes, dir.axis);
    if (!axis) return std::nullopt;
    const char prefix = dir.projected ? 'P' : coordSys == CoordSystem::Global ? 'G' : 0;
    return MakeDirection(prefix, axis->letter, axis->negate);
}

std::optional<Direction> ElementLoadDirection(CoordSystem coordSys, LoadDirection dir) {
    if (coordSys == CoordSystem::Other || dir.projected) return std::nullopt;
    const auto axis = FindAxis(kElementAxes, dir.axis);
    if (!axis) return std::nullopt;
    // A local pressure normal to the shell is plain PR.
    if (coordSys == CoordSystem::Local && axis->letter == 'Z') return MakeDirection(0, 0, axis->negate);
    return MakeDirection(coordSys == CoordSystem::Local ? 'L' : 'G', axis->letter, axis->negate);
}

bool Finite(std::string_view text) { return HasFiniteValue(text); }

// One line per text of the groups: the rows' list, a blank, the text.
template <class AppendList>
void WriteGroups(StaadContext& c, TextGroups& groups, AppendList appendList) {
    groups.Finish();
    std::string line;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        line.clear();
        if (!appendList(line, groups.Rows(g))) continue;
        line += ' ';
        line.append(groups.Text(g));
        c.out.Line(line);
    }
    groups.Clear();
}

void ReportDirection(StaadContext& c, TableId id, const Table& t, std::size_t row, int coordCol, int dirCol) {
    if (c.report)
        c.report->Add(ReportKind::LoadDirectionUnsupported, Describe(id).sapName, t.Text(row, 0), t.Text(row, dirCol),
                      t.Text(row, coordCol));
}

}  // namespace

void WriteLoadingBlock(StaadContext& c) {
    const Model& m = c.model;
    const Links& k = c.links;
    const Table& patterns = m[TableId::LoadPatterns];
    const Table& dist = m[TableId::FrameDistLoads];
    const Table& point = m[TableId::FramePointLoads];
    const Table& area = m[TableId::AreaLoads];
    const Table& joint = m[TableId::JointLoads];
    c.history.Append("Writing Loading Data (Frame, Joint and Shell)..........");
    TextGroups groups;
    std::string text;
    const auto nameList = [&](NameKind kind, const Table& t) {
        return [&t, &k, kind](std::string& out, const Groups::Range& rows) { return AppendNameList(out, k, kind, t, 0, rows); };
    };
    std::string scratch;

    for (std::size_t i = 0; i < patterns.rows(); ++i) {
        const std::int64_t group = k.patterns.Find(patterns, i, LoadPatternCol::LoadPat);
        const std::string name = patterns.Text(i, LoadPatternCol::LoadPat);
        const bool quake = patterns.Is(i, LoadPatternCol::DesignType, "QUAKE");
        const std::string loadType =
            quake ? std::string(" Seismic ") : std::string(k.SafeNameOf(NameSet::LoadType, patterns, i, LoadPatternCol::DesignType, scratch));
        c.out.Line("LOAD " + std::to_string(i + 1) + " LOADTYPE " + loadType + " TITLE " +
                   std::string(k.SafeNameOf(NameSet::Pattern, patterns, i, LoadPatternCol::LoadPat, scratch)));
        const std::string mult = patterns.Text(i, LoadPatternCol::SelfWtMult);
        bool hasNumber = false;
        const double multiplier = TextToNumber(mult, &hasNumber);
        if (mult == "1") c.out.Line(" SELFWEIGHT Y -" + mult);
        else if (hasNumber && multiplier != 0 && std::isfinite(multiplier)) c.out.Line(" SELFWEIGHT Y " + NumberToText(-multiplier));

        c.out.Line("MEMBER LOAD");
        for (std::uint32_t r : k.loadsOfPattern[0][group]) {
            const auto d = MemberLoadDirection(k.loadCoordSystems[0][r], k.loadDirections[0][r]);
            if (!d) {
                ReportDirection(c, TableId::FrameDistLoads, dist, r, FrameDistLoadCol::CoordSys, FrameDistLoadCol::Dir);
                continue;
            }
            const std::string_view a = dist.View(r, FrameDistLoadCol::FOverLA), b = dist.View(r, FrameDistLoadCol::FOverLB);
            // Loads are computed (signed): a value that is no finite number
            // leaves the load out (the report names it).
            if (!Finite(a) || !Finite(b)) continue;
            text.clear();
            const bool varying = !SameNumber(a, b);
            text += varying ? " TRAP " : " UNI ";
            text += d->text();
            text += ' ';
            AppendSignedNumber(text, a, d->negate);
            if (varying) {
                text += ' ';
                AppendSignedNumber(text, b, d->negate);
            }
            text += ' ';
            dist.AppendText(text, r, FrameDistLoadCol::AbsDistA);
            text += ' ';
            dist.AppendText(text, r, FrameDistLoadCol::AbsDistB);
            groups.Add(r, text);
        }
        WriteGroups(c, groups, nameList(NameKind::Member, dist));
        for (std::uint32_t r : k.loadsOfPattern[1][group]) {
            const auto d = MemberLoadDirection(k.loadCoordSystems[1][r], k.loadDirections[1][r]);
            if (!d) {
                ReportDirection(c, TableId::FramePointLoads, point, r, FramePointLoadCol::CoordSys, FramePointLoadCol::Dir);
                continue;
            }
            const int valueCol = FramePointLoadCol::Force;
            if (!Finite(point.View(r, valueCol))) continue;
            text.assign(k.NameOf(NameKind::Member, point, r, FramePointLoadCol::Frame, scratch));
            text += " CON ";
            text += d->text();
            text += ' ';
            AppendSignedNumber(text, point.View(r, valueCol), d->negate);
            text += ' ';
            point.AppendText(text, r, FramePointLoadCol::AbsDist);
            c.out.Line(text);
        }

        c.out.Line("ELEMENT LOAD");
        for (std::uint32_t r : k.loadsOfPattern[2][group]) {
            const auto d = ElementLoadDirection(k.loadCoordSystems[2][r], k.loadDirections[2][r]);
            if (!d) {
                ReportDirection(c, TableId::AreaLoads, area, r, AreaLoadCol::CoordSys, AreaLoadCol::Dir);
                continue;
            }
            if (!Finite(area.View(r, AreaLoadCol::UnifLoad))) continue;
            text = " PR ";
            text += d->text();
            text += "  ";
            AppendSignedNumber(text, area.View(r, AreaLoadCol::UnifLoad), d->negate);
            groups.Add(r, text);
        }
        WriteGroups(c, groups, [&](std::string& out, const Groups::Range& rows) {
            return AppendElementList(out, k, area, AreaLoadCol::Area, rows);
        });

        c.out.Line("JOINT LOAD");
        for (std::uint32_t r : k.loadsOfPattern[3][group]) {
            text.clear();
            // Each component that is not 0; F2 and M2 point along STAAD.Pro's -Z.
            static constexpr struct {
                const char* word;
                int col;
                bool computed;  // written as a computed (negated) number, not copied
            } kParts[] = {{" FX ", JointLoadCol::F1, false}, {" FZ ", JointLoadCol::F2, true}, {" FY ", JointLoadCol::F3, false},
                          {" MX ", JointLoadCol::M1, false}, {" MZ ", JointLoadCol::M2, true}, {" MY ", JointLoadCol::M3, false}};
            bool invalid = false, infinite = false;
            for (const auto& part : kParts) {
                const std::string_view value = joint.View(r, part.col);
                if (!joint.Absent(r, part.col) && !IsFiniteDecimal(value)) invalid = true;
                if (!Finite(value)) infinite = true;
                if (IsZeroNumber(value)) continue;
                text += part.word;
                if (part.computed) AppendSignedNumber(text, value, true);
                else joint.AppendText(text, r, part.col);
            }
            // A component that is no finite number leaves the load out; one
            // that is no number at all is reported as such, not as 0.
            if (infinite) continue;
            if (text.empty()) {
                if (c.report && !invalid)
                    c.report->Add(ReportKind::JointLoadZero, "JOINT LOADS - FORCE", joint.Text(r, JointLoadCol::Joint), name);
                continue;
            }
            groups.Add(r, text);
        }
        WriteGroups(c, groups, nameList(NameKind::Joint, joint));
    }
    c.history.Append(".......... Done ");
}

void WriteCombinationsBlock(StaadContext& c) {
    const Model& m = c.model;
    const Table& k = m[TableId::Combinations];
    const auto& starts = m.combinationStarts;
    if (starts.empty() || k.Is(starts.front(), CombinationCol::ComboName, "")) return;
    c.history.Append("Writing Load Combinations (Only Static Add)..........");
    const std::size_t patterns = m[TableId::LoadPatterns].rows();
    std::string line, scratch;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        c.out.Line("LOAD COMB " + std::to_string(patterns + 1 + i) + " " +
                   std::string(c.links.SafeNameOf(NameSet::Combination, k, starts[i], CombinationCol::ComboName, scratch)));
        line.clear();
        for (std::uint32_t r : c.links.rowsOfCombination[c.links.combinations.Find(k, starts[i], CombinationCol::ComboName)]) {
            k.AppendText(line, r, CombinationCol::LoadNumber);
            line += ' ';
            k.AppendText(line, r, CombinationCol::ScaleFactor);
            line += ' ';
        }
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

}  // namespace corvane
