// The full conversion's loads of a pattern: self weight by direction and
// its corrections, member, element, solid, joint and temperature loads,
// support displacements, each scaled by the factor of the case that
// applies the pattern.
#include "staad/FullBlocks.h"

#include <cmath>
#include <unordered_map>

namespace corvane {

namespace {

constexpr double kDegreesPerRadian = 180 / kPi;

// STAAD.Pro's load type of each category of load pattern.
constexpr struct {
    LoadCategory category;
    const char* word;
} kLoadTypes[] = {
    {LoadCategory::Dead, "Dead"},         {LoadCategory::SuperDead, "Dead"}, {LoadCategory::Live, "Live"},
    {LoadCategory::ReducibleLive, "Live REDUCIBLE"}, {LoadCategory::RoofLive, "Roof Live"}, {LoadCategory::Wind, "Wind"},
    {LoadCategory::Seismic, "Seismic-H"}, {LoadCategory::Snow, "Snow"},    {LoadCategory::Temperature, "Temperature"},
};

constexpr const char* kComponentNames[6] = {"U1", "U2", "U3", "R1", "R2", "R3"};

// The direction word of a member load ("GY", "PX", "Y") and its sign, or
// false when STAAD.Pro has none.
bool MemberDirection(const Direction& d, std::string* word, bool* negate) {
    char letter;
    if (d.axes == LoadAxes::Local) {
        // The member's own axes are the model's local axes once BETA is
        // written.
        for (int k = 0; k < 3; ++k)
            if (d.vector.x == (k == 0) && d.vector.y == (k == 1) && d.vector.z == (k == 2)) {
                *word = std::string(1, kAxisLetters[k]);
                *negate = false;
                return true;
            }
        return false;
    }
    if (!StaadAxis(d.vector, &letter, negate)) return false;
    *word = std::string(1, d.axes == LoadAxes::Projected ? 'P' : 'G') + letter;
    return true;
}

// The direction word of an element pressure: "" along the local normal,
// "LX"/"LY" in the element's plane, "GX".."GZ" globally.
bool ElementDirection(const Direction& d, std::string* word, bool* negate) {
    if (d.axes == LoadAxes::Projected) return false;
    if (d.axes == LoadAxes::Local) {
        *negate = false;
        if (d.vector.z == 1) {
            word->clear();
            return true;
        }
        *word = d.vector.x == 1 ? "LX" : "LY";
        return true;
    }
    char letter;
    if (!StaadAxis(d.vector, &letter, negate)) return false;
    *word = std::string("G") + letter;
    return true;
}

// Lines of a group each: the list, a blank, the text.
template <class AppendList>
void WriteSpacedLines(const FullContext& c, TextGroups& groups, AppendList appendList) {
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

// " SELFWEIGHT d f LIST ..." lines, one per value.
template <class AppendList>
void WriteSelfweightLines(const FullContext& c, const char* direction, TextGroups& byValue, AppendList appendList) {
    byValue.Finish();
    std::string line;
    for (std::size_t g = 0; g < byValue.size(); ++g) {
        line = std::string(" SELFWEIGHT ") + direction + " ";
        line.append(byValue.Text(g));
        line += " LIST ";
        if (!appendList(line, byValue.Rows(g))) continue;
        line.pop_back();
        c.out.Line(line);
    }
    byValue.Clear();
}

class PatternWriter {
public:
    PatternWriter(FullContext& c, const LoadPattern& p, double scale) : c_(c), s_(c.s), p_(p), scale_(scale) {
        SplitAtRigidZones(s_, p_.memberLoads, &memberLoads_, &zoneLoads_);
        SpringDisplacements();
    }

    void Write() {
        if (p_.selfWeightGiven) {
            c_.out.Line(" SELFWEIGHT Y " + NumberToText(-S(p_.selfWeight).value));
            SelfweightCorrections(S(p_.selfWeight).value);
        }
        Gravity();
        c_.out.Line("MEMBER LOAD");
        MemberLoads();
        c_.out.Line("ELEMENT LOAD");
        ShellLoads();
        Pressures();
        c_.out.Line("JOINT LOAD");
        JointLoads();
        Temperatures();
        Displacements();
    }

private:
    template <class Item>
    auto MemberList(Item item) {
        return [this, item](std::string& out, const Groups::Range& rows) {
            return AppendMembers(out, c_, rows.size(), [&](std::size_t i) { return item(rows.begin()[i]); });
        };
    }
    template <class Item>
    auto ElementList(Item item) {
        return [this, item](std::string& out, const Groups::Range& rows) {
            return AppendElements(out, c_, rows.size(), [&](std::size_t i) { return item(rows.begin()[i]); });
        };
    }
    static std::uint32_t Same(std::uint32_t k) { return k; }
    // A load value times the case's factor; as the input gave it when the
    // factor is 1.
    Value S(const Value& v) const { return scale_ == 1 ? v : Value{v.value * scale_, {}}; }

    // STAAD.Pro weighs the area it is given; members whose area is
    // modified, and members and elements with weight modifiers, get the
    // difference to the model's weight as a self weight of their own.
    void SelfweightCorrections(double multiplier) {
        TextGroups byValue;
        for (std::uint32_t k = 0; k < s_.members.size(); ++k)
            if (s_.members[k].weightScale != 1) byValue.Add(k, Number(-multiplier * (s_.members[k].weightScale - 1)));
        WriteSelfweightLines(c_, "Y", byValue, MemberList(Same));
        for (std::uint32_t k = 0; k < s_.shells.size(); ++k)
            if (s_.shells[k].weightScale != 1) byValue.Add(k, Number(-multiplier * (s_.shells[k].weightScale - 1)));
        WriteSelfweightLines(c_, "Y", byValue, ElementList(Same));
    }

    void Gravity() {
        for (bool shells : {false, true}) {
            for (int axis = 0; axis < 3; ++axis) {
                const StaadDof dof = kStaadDof[axis];
                TextGroups byValue;
                for (std::uint32_t k = 0; k < p_.gravity.size(); ++k) {
                    const GravityLoad& g = p_.gravity[k];
                    if (g.shell != shells || g.multipliers[axis].text.empty()) continue;
                    const Value v = S(g.multipliers[axis]);
                    const double scale = shells ? s_.shells[g.item].weightScale : s_.members[g.item].weightScale;
                    std::string text;
                    if (scale == 1) AppendSigned(text, v, dof.negate);
                    else text = Number((dof.negate ? -1 : 1) * scale * v.value);
                    byValue.Add(k, text);
                }
                const char word[2] = {kAxisLetters[dof.index], 0};
                const auto item = [this](std::uint32_t k) { return p_.gravity[k].item; };
                if (shells) WriteSelfweightLines(c_, word, byValue, ElementList(item));
                else WriteSelfweightLines(c_, word, byValue, MemberList(item));
            }
        }
    }

    void MemberLoads() {
        TextGroups groups;
        std::string text, word;
        bool negate = false;
        for (std::uint32_t k = 0; k < memberLoads_.size(); ++k) {
            const MemberLoad& x = memberLoads_[k];
            if (x.concentrated) continue;
            if (!MemberDirection(x.direction, &word, &negate)) continue;
            const bool varying = x.qa.value != x.qb.value;
            const bool moment = x.kind == LoadKind::Moment;
            if (moment && (varying || x.direction.axes == LoadAxes::Projected)) {
                c_.Add(ReportKind::MomentLoadUnsupported, "FRAME LOADS - DISTRIBUTED", std::string(s_.members[x.member].name), p_.name);
                continue;
            }
            text = moment ? " UMOM " : varying ? " TRAP " : " UNI ";
            text += word;
            text += ' ';
            AppendSigned(text, S(x.qa), negate);
            if (varying) {
                text += ' ';
                AppendSigned(text, S(x.qb), negate);
            }
            text += ' ';
            AppendValue(text, x.a);
            text += ' ';
            AppendValue(text, x.b);
            groups.Add(k, text);
        }
        WriteSpacedLines(c_, groups, MemberList([this](std::uint32_t k) { return memberLoads_[k].member; }));
        for (const MemberLoad& x : memberLoads_) {
            if (!x.concentrated) continue;
            if (!MemberDirection(x.direction, &word, &negate)) continue;
            const bool moment = x.kind == LoadKind::Moment;
            if (moment && x.direction.axes == LoadAxes::Projected) {
                c_.Add(ReportKind::MomentLoadUnsupported, "FRAME LOADS - POINT", std::string(s_.members[x.member].name), p_.name);
                continue;
            }
            text = std::to_string(c_.memberNumbers[x.member]);
            text += moment ? " CMOM " : " CON ";
            text += word;
            text += ' ';
            AppendSigned(text, S(x.qa), negate);
            text += ' ';
            AppendValue(text, x.a);
            c_.out.Line(text);
        }
    }

    void ShellLoads() {
        TextGroups groups;
        std::string text, word;
        bool negate = false;
        for (std::uint32_t k = 0; k < p_.shellLoads.size(); ++k) {
            const ShellLoad& x = p_.shellLoads[k];
            if (!ElementDirection(x.direction, &word, &negate)) continue;
            text = " PR " + word + "  ";
            AppendSigned(text, S(x.value), negate);
            groups.Add(k, text);
        }
        WriteSpacedLines(c_, groups, ElementList([this](std::uint32_t k) { return p_.shellLoads[k].shell; }));
    }

    void Pressures() {
        // A pressure on the top face pushes along -3 (STAAD.Pro's -z, the
        // same normal by the same corner order), on the bottom face along +3.
        TextGroups groups;
        std::string text;
        for (std::uint32_t k = 0; k < p_.pressures.size(); ++k) {
            const FacePressure& x = p_.pressures[k];
            if (x.solid) continue;
            text = " PR   ";
            AppendSigned(text, S(x.pressure), x.face > 0);
            groups.Add(k, text);
        }
        WriteGroupLines(c_, groups, ElementList([this](std::uint32_t k) { return p_.pressures[k].item; }));
        // Solid faces as STAAD.Pro numbers them on the same corner order.
        for (std::uint32_t k = 0; k < p_.pressures.size(); ++k) {
            const FacePressure& x = p_.pressures[k];
            if (!x.solid) continue;
            text = " FACE " + std::to_string(StaadSolidFace(x.face)) + " PRESSURE ";
            AppendSigned(text, S(x.pressure), false);
            groups.Add(k, text);
        }
        WriteGroupLines(
            c_, groups,
            [this](std::string& out, const Groups::Range& rows) {
                return AppendSolids(out, c_, rows.size(), [&](std::size_t i) { return p_.pressures[rows.begin()[i]].item; });
            },
            "ELEMENT LOAD SOLIDS");
    }

    void JointLoads() {
        TextGroups groups;
        std::string text;
        const auto load = [this](std::uint32_t k) -> const JointLoad& {
            return k < p_.jointLoads.size() ? p_.jointLoads[k] : zoneLoads_[k - p_.jointLoads.size()];
        };
        for (std::uint32_t k = 0; k < p_.jointLoads.size() + zoneLoads_.size(); ++k) {
            const JointLoad& x = load(k);
            text.clear();
            bool finite = true;
            for (int d = 0; d < 6; ++d) {
                const Value v = S(x.components[d]);
                const StaadDof dof = kStaadDof[d];
                std::string part;
                if (!v.text.empty()) {
                    if (IsZeroNumber(v.text)) continue;
                    if (dof.negate) AppendSigned(part, v, true);
                    else part.assign(v.text);
                } else {
                    finite = finite && std::isfinite(v.value);
                    part = Number(dof.negate ? -v.value : v.value);
                    if (part == "0") continue;
                }
                text += std::string(" ") + kDofWords[dof.index] + " " + part;
            }
            if (!finite || text.empty()) continue;
            groups.Add(k, text);
        }
        WriteSpacedLines(c_, groups, [this, &load](std::string& out, const Groups::Range& rows) {
            return AppendJoints(out, c_, rows.size(), [&](std::size_t i) { return load(rows.begin()[i]).joint; });
        });
    }

    // One line per member or element: TEMP, the uniform change, the
    // difference from top to bottom (the member's y, which is the model's
    // local 2, or across the element's thickness, along its z, which is
    // the model's local 3), and the member's difference from side to side
    // (its z, the model's local 3). The rows of one item are added up; a
    // lone uniform change keeps the input's digits.
    void Temperatures() {
        struct Total {
            std::uint32_t first;  // the first row, which names the item
            double f[3];
            int rows;
        };
        std::vector<Total> totals;
        std::unordered_map<std::uint64_t, std::size_t> indexOf;
        for (std::uint32_t k = 0; k < p_.temperatures.size(); ++k) {
            const TemperatureLoad& t = p_.temperatures[k];
            double difference[2] = {t.difference[0], t.difference[1]};
            if (!t.shell) {
                for (int a = 0; a < 2; ++a)
                    if (difference[a] != 0 && !PropertyGivesDepth(s_, t.item, a)) {
                        c_.Add(ReportKind::TemperatureGradientNotConverted, "FRAME LOADS - TEMPERATURE", std::string(s_.members[t.item].name), p_.name,
                               a == 0 ? "STAAD.Pro's property of the member gives no depth" : "STAAD.Pro's property of the member gives no width");
                        difference[a] = 0;
                    }
            }
            const double f[3] = {t.change.value, t.shell ? difference[1] : difference[0], t.shell ? 0 : difference[1]};
            const auto [at, added] = indexOf.emplace((std::uint64_t{t.shell} << 32) | t.item, totals.size());
            if (added) totals.push_back({k, {0, 0, 0}, 0});
            Total& total = totals[at->second];
            for (int i = 0; i < 3; ++i) total.f[i] += scale_ * f[i];
            ++total.rows;
        }
        TextGroups members, elements;
        for (const Total& total : totals) {
            // Nothing left of a gradient STAAD.Pro cannot take.
            if (total.f[0] == 0 && total.f[1] == 0 && total.f[2] == 0) continue;
            const TemperatureLoad& t = p_.temperatures[total.first];
            std::string text = " TEMP ";
            const int terms = total.f[2] != 0 ? 3 : total.f[1] != 0 ? 2 : 1;
            if (terms == 1 && total.rows == 1) {
                AppendValue(text, S(t.change));
            } else {
                for (int i = 0; i < terms; ++i) text += (i ? " " : "") + Number(total.f[i]);
            }
            (t.shell ? elements : members).Add(total.first, text);
        }
        members.Finish();
        elements.Finish();
        if (members.size() + elements.size() == 0) return;
        c_.out.Line("TEMPERATURE LOAD");
        const auto item = [this](std::uint32_t k) { return p_.temperatures[k].item; };
        WriteGroupLines(c_, members, MemberList(item));
        WriteGroupLines(c_, elements, ElementList(item));
    }

    // SAP2000 moves the grounded end of a spring; STAAD.Pro would move the
    // joint itself. The moved ground pulls the joint with the force k d.
    void SpringDisplacements() {
        for (const GroundDisplacement& g : p_.displacements) {
            const Joint& j = s_.joints[g.joint];
            JointLoad load;
            load.joint = g.joint;
            bool any = false;
            for (int d = 0; d < 6; ++d) {
                const bool spring = g.given[d] && !HeldRigidly(c_, j, d) && j.spring[d] != 0;
                load.components[d] = {spring ? j.spring[d] * g.components[d].value : 0, {}};
                any = any || spring;
            }
            if (any) zoneLoads_.push_back(load);
        }
    }

    void Displacements() {
        TextGroups groups;
        for (std::uint32_t k = 0; k < p_.displacements.size(); ++k) {
            const GroundDisplacement& g = p_.displacements[k];
            const Joint& j = s_.joints[g.joint];
            for (int d = 0; d < 6; ++d) {
                if (!g.given[d]) continue;
                if (j.spring[d] != 0 && !HeldRigidly(c_, j, d)) continue;
                if (!HeldRigidly(c_, j, d)) {
                    c_.Add(ReportKind::GroundDisplacementUnsupported, "JOINT LOADS - GROUND DISPLACEMENT", std::string(j.name), p_.name,
                           kComponentNames[d]);
                    continue;
                }
                const StaadDof dof = kStaadDof[d];
                std::string text = std::string(" ") + kDofWords[dof.index] + " ";
                // Rotations are written in degrees.
                if (d >= 3) text += NumberToText((dof.negate ? -1 : 1) * S(g.components[d]).value * kDegreesPerRadian);
                else AppendSigned(text, S(g.components[d]), dof.negate);
                groups.Add(k, text);
            }
        }
        groups.Finish();
        if (groups.size() == 0) {
            groups.Clear();
            return;
        }
        c_.out.Line("SUPPORT DISPLACEMENT");
        WriteGroupLines(c_, groups, [this](std::string& out, const Groups::Range& rows) {
            return AppendJoints(out, c_, rows.size(), [&](std::size_t i) { return p_.displacements[rows.begin()[i]].joint; });
        });
    }

    FullContext& c_;
    const Structure& s_;
    const LoadPattern& p_;
    // The member loads as STAAD.Pro measures them, and the joint loads of
    // what lies on rigid end zones and of moved spring grounds.
    std::vector<MemberLoad> memberLoads_;
    std::vector<JointLoad> zoneLoads_;
    double scale_;
};

}  // namespace

const char* LoadTypeWord(LoadCategory category) {
    for (const auto& t : kLoadTypes)
        if (t.category == category) return t.word;
    return "None";
}

void WritePatternLoads(FullContext& c, const LoadPattern& p, double scale) { PatternWriter(c, p, scale).Write(); }

}  // namespace corvane
