// Primary load cases and load combinations.
#include "staad/Blocks.h"
#include "model/TextSet.h"
#include "staad/NumberList.h"
#include "staad/NumberText.h"

#include <optional>
#include <unordered_map>

namespace corvane {

namespace {

// A STAAD.Pro axis letter and the sign a SAP2000 direction gives the value.
// Whatever points along SAP2000's +Y points along STAAD.Pro's -Z, and
// gravity acts along -Y.
struct Axis {
    std::string_view word;
    const char* letter;
    double sign;
};

constexpr Axis kMemberAxes[] = {
    {"Gravity", "Y", -1}, {"Z", "Y", 1}, {"X", "X", 1}, {"Y", "Z", -1}, {"1", "X", 1}, {"2", "Y", 1}, {"3", "Z", 1},
};
constexpr Axis kProjectedAxes[] = {
    {"X", "X", 1}, {"Y", "Z", -1}, {"Z", "Y", 1}, {"Gravity", "Y", -1},
};
constexpr Axis kElementAxes[] = {
    {"1", "X", 1}, {"2", "Y", 1}, {"3", "Z", 1}, {"X", "X", 1}, {"Y", "Z", -1}, {"Gravity", "Y", -1}, {"Z", "Y", 1},
};

template <std::size_t N>
std::optional<Axis> FindAxis(const Axis (&table)[N], std::string_view word) {
    for (const Axis& a : table)
        if (a.word == word) return a;
    return std::nullopt;
}

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// Prefix and axis of a member load (UNI, TRAP, CON), or nothing when the
// direction has no rule.
struct MemberDirection {
    std::string prefixAxis;
    double sign;
};

std::optional<MemberDirection> MemberLoadDirection(const std::string& coordSys, const std::string& dir) {
    std::optional<Axis> axis;
    std::string prefix = coordSys == "GLOBAL" ? "G" : "";
    if (EndsWith(dir, "Proj")) {
        prefix = "P";
        axis = FindAxis(kProjectedAxes, std::string_view(dir).substr(0, dir.find_first_of("_ ")));
    } else {
        axis = FindAxis(kMemberAxes, dir);
    }
    if (!axis) return std::nullopt;
    return MemberDirection{prefix + axis->letter, axis->sign};
}

std::optional<MemberDirection> ElementLoadDirection(const std::string& coordSys, const std::string& dir) {
    std::string prefix;
    if (coordSys == "Local") prefix = "L";
    else if (coordSys == "GLOBAL") prefix = "G";
    else return std::nullopt;
    const auto axis = FindAxis(kElementAxes, dir);
    if (!axis) return std::nullopt;
    // A local pressure normal to the shell is plain PR.
    if (prefix == "L" && std::string_view(axis->letter) == "Z") return MemberDirection{"", axis->sign};
    return MemberDirection{prefix + axis->letter, axis->sign};
}

std::string Signed(double sign, const std::string& cell) { return NumberToText(sign * TextToNumber(cell)); }

// Rows of a load table grouped by their pattern name, in row order.
using RowsByPattern = std::unordered_map<std::string_view, std::vector<std::size_t>>;

RowsByPattern GroupRows(const Column& patterns) {
    RowsByPattern rows;
    for (std::size_t i = 0; i < patterns.size(); ++i) rows[patterns[i]].push_back(i);
    return rows;
}

const std::vector<std::size_t>& RowsOf(const RowsByPattern& rows, const std::string& pattern) {
    static const std::vector<std::size_t> none;
    const auto it = rows.find(pattern);
    return it == rows.end() ? none : it->second;
}

// Groups numbers by their load text, texts in order of first appearance,
// and writes one line per text.
class TextGroups {
public:
    void Add(const std::string& number, std::string text) {
        auto [it, inserted] = index_.try_emplace(text, groups_.size());
        if (inserted) groups_.push_back({std::move(text), {}});
        groups_[it->second].numbers.push_back(number);
    }
    void Write(WriteContext& c) {
        for (const auto& g : groups_) {
            shortList(g.numbers, c.runList);
            if (!c.runList.front().empty()) c.out.Line(joinArray(c.runList) + " " + g.text);
        }
        groups_.clear();
        index_.clear();
    }

private:
    struct Group {
        std::string text;
        std::vector<std::string> numbers;
    };
    std::vector<Group> groups_;
    std::unordered_map<std::string, std::size_t> index_;
};

void ReportUnknownPatterns(WriteContext& c, const Column& patterns, const Column& names, const char* table) {
    if (!c.report) return;
    const TextSet known(c.tables.loadPatterns.LoadPat);
    for (std::size_t i = 0; i < patterns.size(); ++i)
        if (!known.Contains(patterns[i]))
            c.report->Add("load-pattern-unknown", table, names[i],
                          "A load on " + names[i] + " names the pattern " + patterns[i] + ", which is not defined; it is not written.");
}

void ReportDirection(WriteContext& c, const char* table, const std::string& name, const std::string& coordSys,
                     const std::string& dir) {
    if (c.report)
        c.report->Add("load-direction-unsupported", table, name,
                      "A load on " + name + " in direction " + dir + " (" + coordSys + ") is not written: that direction has no rule.");
}

}  // namespace

void WriteLoadingBlock(WriteContext& c) {
    const auto& t = c.tables;
    const auto& dist = t.frameDistLoads;
    const auto& point = t.framePointLoads;
    const auto& area = t.areaLoads;
    const auto& joint = t.jointLoads;
    c.history.append("Writing Loading Data (Frame, Joint and Shell)..........");
    const RowsByPattern distRows = GroupRows(dist.LoadPat), pointRows = GroupRows(point.LoadPat),
                        areaRows = GroupRows(area.LoadPat), jointRows = GroupRows(joint.LoadPat);
    TextGroups groups;

    for (std::size_t i = 0; i < t.loadPatterns.LoadPat.size(); ++i) {
        const std::string& name = t.loadPatterns.LoadPat[i];
        const std::string& type = t.loadPatterns.DesignType[i];
        c.out.Line("LOAD " + std::to_string(i + 1) + " LOADTYPE " + (type == "QUAKE" ? std::string(" Seismic ") : type) +
                   " TITLE " + name);
        const std::string& mult = t.loadPatterns.SelfWtMult[i];
        bool hasNumber = false;
        const double multiplier = TextToNumber(mult, &hasNumber);
        if (mult == "1") c.out.Line(" SELFWEIGHT Y -" + mult);
        else if (hasNumber && multiplier != 0) c.out.Line(" SELFWEIGHT Y " + NumberToText(-multiplier));

        c.out.Line("MEMBER LOAD");
        for (std::size_t r : RowsOf(distRows, name)) {
            const auto d = MemberLoadDirection(dist.CoordSys[r], dist.Dir[r]);
            if (!d) {
                ReportDirection(c, "FRAME LOADS - DISTRIBUTED", dist.Frame[r], dist.CoordSys[r], dist.Dir[r]);
                continue;
            }
            const std::string v1 = Signed(d->sign, dist.FOverLA[r]);
            const double start = TextToNumber(dist.FOverLA[r]), end = TextToNumber(dist.FOverLB[r]);
            std::string text = start != end ? " TRAP " + d->prefixAxis + " " + v1 + " " + Signed(d->sign, dist.FOverLB[r])
                                            : " UNI " + d->prefixAxis + " " + v1;
            text += " " + dist.AbsDistA[r] + " " + dist.AbsDistB[r];
            groups.Add(dist.Frame[r], std::move(text));
        }
        groups.Write(c);
        for (std::size_t r : RowsOf(pointRows, name)) {
            const auto d = MemberLoadDirection(point.CoordSys[r], point.Dir[r]);
            if (!d) {
                ReportDirection(c, "FRAME LOADS - POINT", point.Frame[r], point.CoordSys[r], point.Dir[r]);
                continue;
            }
            c.out.Line(point.Frame[r] + " CON " + d->prefixAxis + " " + Signed(d->sign, point.Force[r]) + " " + point.AbsDist[r]);
        }

        c.out.Line("ELEMENT LOAD");
        for (std::size_t r : RowsOf(areaRows, name)) {
            const auto d = ElementLoadDirection(area.CoordSys[r], area.Dir[r]);
            if (!d) {
                ReportDirection(c, "AREA LOADS - UNIFORM", area.Area[r], area.CoordSys[r], area.Dir[r]);
                continue;
            }
            groups.Add(ShellNumber(area.Area[r]), " PR " + d->prefixAxis + "  " + Signed(d->sign, area.UnifLoad[r]));
        }
        groups.Write(c);

        c.out.Line("JOINT LOAD");
        for (std::size_t r : RowsOf(jointRows, name)) {
            std::string text;
            const auto part = [&](const char* word, const std::string& cell, bool negate) {
                const double v = TextToNumber(cell);
                if (v == 0) return;
                text += word;
                text += negate ? NumberToText(-v) : cell;
            };
            part(" FX ", joint.F1[r], false);
            part(" FZ ", joint.F2[r], true);
            part(" FY ", joint.F3[r], false);
            part(" MX ", joint.M1[r], false);
            part(" MZ ", joint.M2[r], true);
            part(" MY ", joint.M3[r], false);
            if (text.empty()) {
                if (c.report)
                    c.report->Add("joint-load-zero", "JOINT LOADS - FORCE", joint.Joint[r],
                                  "A joint load on " + joint.Joint[r] + " in pattern " + name + " has all six components 0; it is not written.");
                continue;
            }
            groups.Add(joint.Joint[r], std::move(text));
        }
        groups.Write(c);
    }
    ReportUnknownPatterns(c, dist.LoadPat, dist.Frame, "FRAME LOADS - DISTRIBUTED");
    ReportUnknownPatterns(c, point.LoadPat, point.Frame, "FRAME LOADS - POINT");
    ReportUnknownPatterns(c, area.LoadPat, area.Area, "AREA LOADS - UNIFORM");
    ReportUnknownPatterns(c, joint.LoadPat, joint.Joint, "JOINT LOADS - FORCE");
    c.history.append(".......... Done ");
}

void WriteCombinationsBlock(WriteContext& c) {
    const auto& list = c.tables.CombinationList;
    if (list.empty() || list.front().empty()) return;
    c.history.append("Writing Load Combinations (Only Static Add)..........");
    const std::size_t patterns = c.tables.loadPatterns.LoadPat.size();
    // The rows of each combination, so that each entry costs only its own rows.
    const auto& k = c.tables.combinations;
    std::unordered_map<std::string_view, std::vector<std::size_t>> rowsOf;
    for (std::size_t i = 0; i < k.LoadNumber.size() && i < k.ComboName.size(); ++i) rowsOf[k.ComboName[i]].push_back(i);
    for (std::size_t i = 0; i < list.size(); ++i) {
        c.out.Line("LOAD COMB " + std::to_string(patterns + 1 + i) + " " + list[i]);
        c.runList.clear();
        if (const auto it = rowsOf.find(list[i]); it != rowsOf.end())
            for (std::size_t r : it->second) {
                c.runList.push_back(k.LoadNumber[r]);
                c.runList.push_back(k.ScaleFactor[r]);
            }
        c.out.Line(joinArray(c.runList));
    }
    c.history.append(".......... Done ");
}

}  // namespace corvane
