// The Abaqus deck of the full conversion, from the structural model: the
// whole model in the forms CalculiX runs (beams, shells, membranes, solids,
// materials, supports, springs, constraints) and one static step per load
// pattern. What CalculiX cannot carry is reported.
#include "abaqus/AbaqusDeck.h"
#include "structure/BeamLoads.h"
#include "structure/Numbering.h"
#include "text/NumberText.h"
#include "text/SafeNames.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace corvane {

namespace {

// Numbers with 13 significant digits: at most 19 characters, within the
// 20 that CalculiX reads of a field.
std::string Num(double v) {
    if (v == 0) return "0.";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.13g", v);
    std::string s = buf;
    if (s.find_first_of(".eEn") == std::string::npos) s += '.';
    return s;
}

// A value as the input gave it when it is a plain number, else computed.
std::string Num(const Value& v) {
    if (!v.text.empty() && v.text.size() <= 20 && IsFiniteDecimal(v.text)) return std::string(v.text);
    return Num(v.value);
}

// Names as a deck takes them: letters, digits and - _ . only, blanks as
// underscores, at most 60 characters.
std::string DeckName(std::string_view text) {
    std::string out;
    for (char c : text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        out += plain ? c : '_';
        if (out.size() == 60) break;
    }
    if (out.empty() || !((out[0] >= 'A' && out[0] <= 'Z') || (out[0] >= 'a' && out[0] <= 'z'))) out.insert(0, "N");
    return out;
}

// The standard acceleration of gravity, 9.80665 m/s^2, in the model's
// length unit per second squared (the unit of time is the second).
constexpr struct {
    std::string_view unit;
    double g;
} kGravity[] = {{"m", 9.80665}, {"cm", 980.665}, {"mm", 9806.65}, {"ft", 9.80665 / 0.3048}, {"in", 9.80665 / 0.0254}};

double GravityIn(std::string_view unit, bool* known) {
    std::string lower;
    for (char c : unit)
        if (c != ' ' && c != '"') lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    for (const auto& u : kGravity)
        if (lower == u.unit) {
            *known = true;
            return u.g;
        }
    *known = false;
    return kGravity[0].g;
}

// The faces of CalculiX's eight-node brick, P1 to P6, as corner positions.
constexpr int kBrickFaces[6][4] = {{0, 1, 2, 3}, {4, 7, 6, 5}, {0, 4, 5, 1}, {1, 5, 6, 2}, {2, 6, 7, 3}, {3, 7, 4, 0}};

// The brick face (1 to 6) whose corners are the given corner positions.
int BrickFace(const std::array<int, 4>& corners) {
    std::array<int, 4> want = corners;
    std::sort(want.begin(), want.end());
    for (int f = 0; f < 6; ++f) {
        std::array<int, 4> have{{kBrickFaces[f][0], kBrickFaces[f][1], kBrickFaces[f][2], kBrickFaces[f][3]}};
        std::sort(have.begin(), have.end());
        if (have == want) return f + 1;
    }
    return 0;
}

// Saint-Venant's torsion constant of a rectangle (Roark).
double RectangleTorsion(double h, double b) {
    const double a = std::max(h, b), c = std::min(h, b);
    if (!(a > 0)) return 0;
    const double r = c / a;
    return a * c * c * c * (1.0 / 3 - 0.21 * r * (1 - r * r * r * r / 12));
}

// Poisson's ratios a written section may take: the solver expands a beam
// into bricks, which lock as the ratio nears 0.5.
constexpr double kLowestPoisson = -0.9, kHighestPoisson = 0.45;

// A step of the deck: the loads of its patterns times their factors.
struct StepTerm {
    std::uint32_t pattern;
    double factor;
};
struct DeckStep {
    std::string name;
    std::vector<StepTerm> terms;
};

// Today one step per load pattern, of the pattern's name.
std::vector<DeckStep> StepsOf(const Structure& s) {
    std::vector<DeckStep> steps;
    for (std::uint32_t p = 0; p < s.patterns.size(); ++p) steps.push_back({s.patterns[p].name, {{p, 1.0}}});
    return steps;
}


class FullDeck {
public:
    FullDeck(const Structure& s, LineSink& out, Report* report) : s_(s), out_(out), report_(report), numbers_(NumberElements(s)) {
        bool known = false;
        g_ = GravityIn(s.lengthUnit, &known);
        if (!known)
            Add(ReportKind::NotInDeck, "PROGRAM CONTROL", "the model", "The length unit " + s.lengthUnit,
                "it is no unit of a known size, so the mass density takes g = 9.80665 of it per second squared");
    }

    void Write() {
        Plan();
        out_.Line("*HEADING");
        out_.Line("Whole model from SAP2000, units " + s_.forceUnit + " " + s_.lengthUnit + " s");
        Nodes();
        Beams();
        Shells();
        Solids();
        Springs();
        Sets();
        Materials();
        Sections();
        Transforms();
        Equations();
        Boundaries();
        const std::vector<DeckStep> steps = StepsOf(s_);
        // Imposed displacements stay until changed: every step gives every
        // direction any step moves its own value (0 where it moves nothing).
        reporting_ = false;
        for (const DeckStep& step : steps)
            for (const auto& [key, value] : Collect(step).moved) moved_.insert(key);
        reporting_ = true;
        for (const DeckStep& step : steps) Step(step);
        Combinations();
    }

private:
    struct BeamGroup {
        std::uint32_t section, material;
        Modifiers modifiers;
        double weightScale;
        Vec3 n1;
        std::vector<std::uint32_t> members;
        std::string set, materialName;
        std::string depth, width;  // along n1 and n2
        double e = 0, poisson = 0, density = 0, area = 0;
        bool own = false;          // a material of its own
    };
    struct ShellGroup {
        std::uint32_t section;
        double weightScale;
        std::vector<std::uint32_t> shells;
        std::string set, materialName;
        bool membrane = false;
        bool own = false;
    };

    void Add(ReportKind kind, std::string_view table, std::string_view name, std::string a = {}, std::string b = {}) {
        if (report_ && reporting_) report_->Add(kind, table, std::string(name), std::move(a), std::move(b));
    }

    std::string NodeText(std::uint32_t joint) const { return std::to_string(s_.joints[joint].number); }

    const Material* MaterialOf(std::uint32_t m) const { return m < s_.materials.size() ? &s_.materials[m] : nullptr; }

    double Density(const Material& m) const { return m.weightDensity.value / g_; }

    double Poisson(const Material& m) const { return m.poissonGiven ? m.poisson.value : 0; }

    // -------------------------------------------------------------- plan

    void Plan() {
        rotational_.assign(s_.joints.size(), 0);
        memberGroup_.assign(s_.members.size(), kNoItem);
        shellGroup_.assign(s_.shells.size(), kNoItem);
        PlanBeams();
        PlanShells();
        for (std::uint32_t k = 0; k < s_.solids.size(); ++k) {
            const Solid& x = s_.solids[k];
            if (!x.complete || !MaterialOf(x.material)) continue;
            if (!std::all_of(x.joints.begin(), x.joints.end(), [&](std::uint32_t j) { return s_.joints[j].valid; })) continue;
            for (std::uint32_t j : x.joints) Use(j, false);
            solids_.push_back(k);
        }
        PlanSprings();
    }

    void Use(std::uint32_t joint, bool rotations) {
        rotational_[joint] = std::max<char>(rotational_[joint], rotations ? 2 : 1);
    }

    void PlanBeams() {
        std::map<std::string, std::uint32_t> byKey;
        for (std::uint32_t k = 0; k < s_.members.size(); ++k) {
            const Member& m = s_.members[k];
            if (m.section == kNoItem || !m.hasAxes) continue;
            const FrameSection& sec = s_.frameSections[m.section];
            const std::uint32_t material = m.material != kNoItem ? m.material : sec.material;
            if (!sec.hasProperties || !MaterialOf(material)) continue;
            std::string key = std::to_string(m.section) + ' ' + std::to_string(material) + ' ' + Num(m.weightScale);
            for (double f : m.modifiers) key += ' ' + Num(f);
            for (double c : {m.axes[1].x, m.axes[1].y, m.axes[1].z}) key += ' ' + Num(std::round(c * 1e12) / 1e12);
            auto [it, fresh] = byKey.emplace(key, static_cast<std::uint32_t>(beams_.size()));
            if (fresh) beams_.push_back(Group(m, material));
            beams_[it->second].members.push_back(k);
            memberGroup_[k] = it->second;
            Use(m.i, true);
            Use(m.j, true);
            for (int end = 0; end < 2; ++end) {
                const MemberEnd& e = m.ends[end];
                const bool released = std::any_of(e.released.begin(), e.released.end(), [](bool r) { return r; });
                if (released)
                    Add(ReportKind::NotInDeck, "FRAME RELEASE ASSIGNMENTS 1 - GENERAL", "member " + std::string(m.name), end == 0 ? "The release at joint I" : "The release at joint J",
                        "CalculiX ignores *RELEASE, so the member is written continuous");
                if (e.rigidLength > 0)
                    Add(ReportKind::NotInDeck, "FRAME OFFSET ALONG LENGTH ASSIGNMENTS", "member " + std::string(m.name), end == 0 ? "The rigid end zone at joint I" : "The rigid end zone at joint J",
                        "CalculiX has no rigid end form for beams; the member runs from joint to joint with its section");
            }
        }
        for (std::uint32_t k = 0; k < beams_.size(); ++k) SizeBeam(k);
    }

    BeamGroup Group(const Member& m, std::uint32_t material) const {
        BeamGroup g;
        g.section = m.section;
        g.material = material;
        g.modifiers = m.modifiers;
        g.weightScale = m.weightScale;
        g.n1 = m.axes[1];
        return g;
    }

    // The section CalculiX is given: a rectangle (the only beam section it
    // expands for two-node beams) with the section's area and both moments
    // of inertia, the material's modulus scaled by the section's area over
    // the rectangle's and its Poisson's ratio set so that G times the
    // rectangle's torsion constant is the section's torsional stiffness.
    // A rectangular section without modifiers is written as itself.
    void SizeBeam(std::uint32_t k) {
        BeamGroup& g = beams_[k];
        const FrameSection& sec = s_.frameSections[g.section];
        const Material& mat = s_.materials[g.material];
        const auto& p = sec.properties;
        const double area = p[kArea].value * g.modifiers[kArea];
        const double i22 = p[kI22].value * g.modifiers[kI22], i33 = p[kI33].value * g.modifiers[kI33];
        const double torsion = p[kTorsion].value * g.modifiers[kTorsion];
        const double e = mat.elasticity.value, nu = Poisson(mat);
        g.set = "B-" + DeckName(sec.name) + "-" + std::to_string(k + 1);
        g.area = area;
        const bool plain = sec.profile == Profile::Rectangle && std::all_of(g.modifiers.begin(), g.modifiers.end(), [](double f) { return f == 1; }) &&
                           sec.depth.value > 0 && sec.width.value > 0;
        double h, b;
        if (plain) {
            h = sec.depth.value;
            b = sec.width.value;
            g.depth = Num(sec.depth);
            g.width = Num(sec.width);
            g.e = e;
            g.poisson = nu;
        } else {
            if (!(area > 0) || !(i22 > 0) || !(i33 > 0)) {
                Add(ReportKind::NotInDeck, "FRAME SECTION PROPERTIES 01 - GENERAL", "frame section " + sec.name, "Every member",
                    "its area or a moment of inertia is not positive, so its members are left out");
                for (std::uint32_t m : g.members) memberGroup_[m] = kNoItem;
                g.members.clear();
                return;
            }
            h = std::sqrt(12 * i33 / area);
            b = std::sqrt(12 * i22 / area);
            g.depth = Num(h);
            g.width = Num(b);
            g.e = e * area / (h * b);
            const double shear = e / (2 * (1 + nu)) * torsion / RectangleTorsion(h, b);
            double poisson = shear > 0 ? g.e / (2 * shear) - 1 : kHighestPoisson;
            if (poisson < kLowestPoisson || poisson > kHighestPoisson) {
                poisson = std::clamp(poisson, kLowestPoisson, kHighestPoisson);
                if (reportedSections_.insert(g.section).second)
                    Add(ReportKind::NotInDeck, "FRAME SECTION PROPERTIES 01 - GENERAL", "frame section " + sec.name, "The torsion constant",
                        "the rectangle of the same area and moments of inertia cannot reach it within Poisson's ratios " + Num(kLowestPoisson) +
                            " to " + Num(kHighestPoisson));
            }
            g.poisson = poisson;
        }
        g.density = Density(mat) * area * g.weightScale / (h * b);
        g.own = !(plain && g.weightScale == 1);
        g.materialName = g.own ? DeckName(mat.name) + "-" + g.set : DeckName(mat.name);
        if (!g.own) baseUsed_.insert(g.material);
    }

    void PlanShells() {
        std::map<std::pair<std::uint32_t, double>, std::uint32_t> byKey;
        for (std::uint32_t k = 0; k < s_.shells.size(); ++k) {
            const Shell& sh = s_.shells[k];
            if (sh.section == kNoItem || (sh.corners != 3 && sh.corners != 4)) continue;
            bool complete = true;
            for (int i = 0; i < sh.corners; ++i) complete = complete && sh.joints[i] != kNoItem && s_.joints[sh.joints[i]].valid;
            if (!complete) continue;
            const ShellSection& sec = s_.shellSections[sh.section];
            if (!MaterialOf(sec.material) || !Writable(sh.section)) continue;
            auto [it, fresh] = byKey.emplace(std::make_pair(sh.section, sh.weightScale), static_cast<std::uint32_t>(shellGroups_.size()));
            if (fresh) {
                ShellGroup g;
                g.section = sh.section;
                g.weightScale = sh.weightScale;
                g.membrane = sec.kind == ShellKind::Membrane || sec.kind == ShellKind::PlaneStress;
                g.set = "S-" + DeckName(sec.name) + "-" + std::to_string(shellGroups_.size() + 1);
                g.own = sh.weightScale != 1;
                g.materialName = g.own ? DeckName(s_.materials[sec.material].name) + "-" + g.set : DeckName(s_.materials[sec.material].name);
                if (!g.own) baseUsed_.insert(sec.material);
                shellGroups_.push_back(std::move(g));
            }
            shellGroups_[it->second].shells.push_back(k);
            shellGroup_[k] = it->second;
            for (int i = 0; i < sh.corners; ++i) Use(sh.joints[i], !shellGroups_[it->second].membrane);
        }
    }

    // Whether a shell section has an element here; reported once if not.
    bool Writable(std::uint32_t section) {
        const ShellSection& sec = s_.shellSections[section];
        const bool flat = sec.kind == ShellKind::PlaneStrain || sec.kind == ShellKind::Axisymmetric;
        const bool thin = !(sec.thickness.value > 0);
        if ((flat || thin) && reportedShellSections_.insert(section).second)
            Add(ReportKind::NotInDeck, "AREA SECTION PROPERTIES", "area section " + sec.name, "Every area",
                flat ? "plane-strain and axisymmetric areas are two-dimensional elements in the model's x-y plane, which a space model cannot hold; its areas are left out"
                     : "its thickness is not positive; its areas are left out");
        else if (sec.kind == ShellKind::Plate && reportedShellSections_.insert(section).second)
            Add(ReportKind::NotInDeck, "AREA SECTION PROPERTIES", "area section " + sec.name, "The bending alone",
                "CalculiX has no plate element; its areas are written as shells, which carry membrane forces too");
        return !flat && !thin;
    }

    void PlanSprings() {
        std::uint32_t top = 0;
        for (const Joint& j : s_.joints) top = std::max(top, j.number);
        double elementTop = numbers_.solidBase + static_cast<double>(s_.solids.size());
        for (const Member& m : s_.members) elementTop = std::max(elementTop, static_cast<double>(m.number));
        for (const Shell& sh : s_.shells) elementTop = std::max(elementTop, numbers_.Shell(s_, static_cast<std::uint32_t>(&sh - s_.shells.data())));
        nextNode_ = top + 1;
        nextElement_ = static_cast<std::uint64_t>(elementTop) + 1;
        for (std::uint32_t k = 0; k < s_.joints.size(); ++k) {
            const Joint& j = s_.joints[k];
            if (!j.valid || !rotational_[k]) continue;
            for (int d = 0; d < 6; ++d) {
                if (j.spring[d] == 0 || j.held[d]) continue;
                if (d >= 3) {
                    Add(ReportKind::NotInDeck, "JOINT SPRING ASSIGNMENTS 1 - UNCOUPLED", "joint " + std::string(j.name), "The rotational spring",
                        "CalculiX's spring elements take translations only");
                    continue;
                }
                springs_.push_back({k, d, j.spring[d]});
            }
        }
    }

    // -------------------------------------------------------------- model data

    void Nodes() {
        out_.Line("*NODE");
        for (const Joint& j : s_.joints) {
            if (!j.valid) continue;
            line_ = std::to_string(j.number);
            for (const Value& v : j.at) line_ += ", " + Num(v);
            out_.Line(line_);
        }
        // A spring along a joint's own axis reaches a grounded node one
        // length unit away along that axis.
        std::uint32_t node = nextNode_;
        for (Spring& sp : springs_) {
            const Joint& j = s_.joints[sp.joint];
            if (!j.rotated) continue;
            sp.ground = node++;
            const Vec3 at = Position(j) + j.axes[sp.dof];
            out_.Line(std::to_string(sp.ground) + ", " + Num(at.x) + ", " + Num(at.y) + ", " + Num(at.z));
        }
    }

    void ElementLine(const std::string& number, const std::uint32_t* joints, int count) {
        line_ = number;
        for (int i = 0; i < count; ++i) line_ += ", " + NodeText(joints[i]);
        out_.Line(line_);
    }

    void Beams() {
        for (const BeamGroup& g : beams_) {
            if (g.members.empty()) continue;
            out_.Line("*ELEMENT, TYPE=B31, ELSET=" + g.set);
            for (std::uint32_t k : g.members) {
                const Member& m = s_.members[k];
                const std::uint32_t ends[2] = {m.i, m.j};
                ElementLine(std::to_string(m.number), ends, 2);
            }
        }
    }

    std::string ShellNumber(std::uint32_t k) const { return NumberToText(numbers_.Shell(s_, k)); }

    void Shells() {
        for (const ShellGroup& g : shellGroups_) {
            for (int corners : {4, 3}) {
                bool header = false;
                for (std::uint32_t k : g.shells) {
                    const Shell& sh = s_.shells[k];
                    if (sh.corners != corners) continue;
                    if (!header) out_.Line(std::string("*ELEMENT, TYPE=") + (g.membrane ? (corners == 4 ? "M3D4" : "M3D3") : (corners == 4 ? "S4" : "S3")) +
                                           ", ELSET=" + g.set);
                    header = true;
                    ElementLine(ShellNumber(k), sh.joints.data(), corners);
                }
            }
        }
    }

    // The solid's corners in the order written: its own order when it is
    // right-handed, else with the two faces exchanged.
    std::array<std::uint32_t, 8> Corners(const Solid& x) const {
        std::array<std::uint32_t, 8> c = x.joints;
        const Vec3 o = Position(s_.joints[c[0]]);
        const Vec3 a = Position(s_.joints[c[1]]) - o, b = Position(s_.joints[c[3]]) - o, up = Position(s_.joints[c[4]]) - o;
        if (Dot(Cross(a, b), up) < 0) std::rotate(c.begin(), c.begin() + 4, c.end());
        return c;
    }

    void Solids() {
        std::map<std::uint32_t, std::vector<std::uint32_t>> byMaterial;
        for (std::uint32_t k : solids_) byMaterial[s_.solids[k].material].push_back(k);
        for (const auto& [material, list] : byMaterial) {
            const std::string set = "V-" + DeckName(s_.materials[material].name);
            solidSets_.push_back({set, DeckName(s_.materials[material].name)});
            baseUsed_.insert(material);
            out_.Line("*ELEMENT, TYPE=C3D8, ELSET=" + set);
            for (std::uint32_t k : list) {
                const auto c = Corners(s_.solids[k]);
                ElementLine(NumberToText(numbers_.Solid(k)), c.data(), 8);
            }
        }
    }

    void Springs() {
        std::uint64_t number = nextElement_;
        for (Spring& sp : springs_) {
            const std::string set = "K" + std::to_string(number);
            const Joint& j = s_.joints[sp.joint];
            if (j.rotated) {
                out_.Line("*ELEMENT, TYPE=SPRINGA, ELSET=" + set);
                out_.Line(std::to_string(number) + ", " + NodeText(sp.joint) + ", " + std::to_string(sp.ground));
                out_.Line("*SPRING, ELSET=" + set);
                out_.Line("");
            } else {
                out_.Line("*ELEMENT, TYPE=SPRING1, ELSET=" + set);
                out_.Line(std::to_string(number) + ", " + NodeText(sp.joint));
                out_.Line("*SPRING, ELSET=" + set);
                out_.Line(std::to_string(sp.dof + 1));
            }
            out_.Line(Num(sp.stiffness));
            ++number;
        }
    }

    void Sets() {
        std::vector<std::string> sets;
        for (const BeamGroup& g : beams_)
            if (!g.members.empty()) sets.push_back(g.set);
        for (const ShellGroup& g : shellGroups_) sets.push_back(g.set);
        for (const auto& v : solidSets_) sets.push_back(v.first);
        hasBody_ = !sets.empty();
        if (hasBody_) {
            out_.Line("*ELSET, ELSET=EBODY");
            for (const std::string& set : sets) out_.Line(set);
        }
        bool header = false;
        line_.clear();
        int count = 0;
        for (std::uint32_t k = 0; k < s_.joints.size(); ++k) {
            if (!rotational_[k]) continue;
            if (!header) out_.Line("*NSET, NSET=JOINTS");
            header = true;
            if (count) line_ += ", ";
            line_ += NodeText(k);
            if (++count == 12) {
                out_.Line(line_);
                line_.clear();
                count = 0;
            }
        }
        if (count) out_.Line(line_);
        hasJoints_ = header;
    }

    void MaterialLines(const std::string& name, const std::string& e, const std::string& nu, double density, const Material& m) {
        out_.Line("*MATERIAL, NAME=" + name);
        out_.Line("*ELASTIC");
        out_.Line(e + ", " + nu);
        out_.Line("*DENSITY");
        out_.Line(Num(density));
        if (m.expansionGiven) {
            out_.Line("*EXPANSION");
            out_.Line(Num(m.expansion));
        }
    }

    void Materials() {
        std::vector<bool> told(s_.materials.size(), false);
        const auto tell = [&](std::uint32_t k) {
            if (k == kNoItem) return;
            const Material& m = s_.materials[k];
            if (told[k] || m.symmetry == MaterialSymmetry::Isotropic || m.symmetry == MaterialSymmetry::Uniaxial) return;
            told[k] = true;
            Add(ReportKind::MaterialAnisotropic, "MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", m.name, "the Abaqus deck (E1, U12)",
                "its moduli along its other directions (E2, E3, G12, G13, G23)");
        };
        for (std::uint32_t k : baseUsed_) tell(k);
        for (const BeamGroup& g : beams_)
            if (!g.members.empty()) tell(g.material);
        for (const ShellGroup& g : shellGroups_) tell(s_.shellSections[g.section].material);
        for (std::uint32_t k : baseUsed_) {
            const Material& m = s_.materials[k];
            MaterialLines(DeckName(m.name), Num(m.elasticity), Num(Poisson(m)), Density(m), m);
        }
        for (const BeamGroup& g : beams_)
            if (g.own && !g.members.empty()) MaterialLines(g.materialName, Num(g.e), Num(g.poisson), g.density, s_.materials[g.material]);
        for (const ShellGroup& g : shellGroups_) {
            if (!g.own) continue;
            const Material& m = s_.materials[s_.shellSections[g.section].material];
            MaterialLines(g.materialName, Num(m.elasticity), Num(Poisson(m)), Density(m) * g.weightScale, m);
        }
    }

    void Sections() {
        for (const BeamGroup& g : beams_) {
            if (g.members.empty()) continue;
            out_.Line("*BEAM SECTION, ELSET=" + g.set + ", MATERIAL=" + g.materialName + ", SECTION=RECT");
            out_.Line(g.depth + ", " + g.width);
            out_.Line(Num(g.n1.x) + ", " + Num(g.n1.y) + ", " + Num(g.n1.z));
        }
        for (const ShellGroup& g : shellGroups_) {
            const ShellSection& sec = s_.shellSections[g.section];
            out_.Line(std::string(g.membrane ? "*MEMBRANE SECTION" : "*SHELL SECTION") + ", ELSET=" + g.set + ", MATERIAL=" + g.materialName);
            out_.Line(Num(sec.thickness));
        }
        for (const auto& [set, material] : solidSets_) out_.Line("*SOLID SECTION, ELSET=" + set + ", MATERIAL=" + material);
    }

    // Joints with axes of their own take supports, springs and loads in
    // those axes.
    void Transforms() {
        for (std::uint32_t k = 0; k < s_.joints.size(); ++k) {
            const Joint& j = s_.joints[k];
            if (!j.rotated || !rotational_[k]) continue;
            const std::string set = "T" + std::to_string(j.number);
            out_.Line("*NSET, NSET=" + set);
            out_.Line(std::to_string(j.number));
            out_.Line("*TRANSFORM, NSET=" + set + ", TYPE=R");
            const Axes3& a = j.axes;
            out_.Line(Num(a[0].x) + ", " + Num(a[0].y) + ", " + Num(a[0].z) + ", " + Num(a[1].x) + ", " + Num(a[1].y) + ", " + Num(a[1].z));
        }
    }

    // -------------------------------------------------------------- constraints

    // The degrees of freedom a support, an inactive direction or an earlier
    // equation already fixes cannot be made dependent again.
    bool Held(std::uint32_t joint, int d) const {
        return s_.joints[joint].held[d] || !s_.active[d];
    }

    struct Term {
        std::uint32_t joint;
        int dof;
        double factor;
    };

    void Equation(const std::vector<Term>& terms) {
        std::vector<Term> kept;
        for (const Term& t : terms)
            if (std::fabs(t.factor) > 1e-12) kept.push_back(t);
        equations_.push_back(std::to_string(kept.size()));
        line_.clear();
        int count = 0;
        for (const Term& t : kept) {
            if (count) line_ += ", ";
            line_ += NodeText(t.joint) + ", " + std::to_string(t.dof + 1) + ", " + Num(t.factor);
            if (++count == 4) {
                equations_.push_back(line_ + ",");
                line_.clear();
                count = 0;
            }
        }
        if (count) equations_.push_back(line_);
        else if (!equations_.empty() && equations_.back().back() == ',') equations_.back().pop_back();
    }

    // Body constraints that tie translations alone make them equal; a
    // diaphragm moves its joints as one rigid plate, written with the
    // translations of the master and of a second joint, since CalculiX's
    // equations have no effect on the rotations of beams and shells.
    void Equations() {
        std::vector<char> dependent(s_.joints.size(), 0);
        for (const Constraint& c : s_.constraints) {
            const std::string name = "Constraint " + std::to_string(&c - s_.constraints.data() + 1);
            const bool rotations = c.tied[3] || c.tied[4] || c.tied[5];
            const std::string_view joint = s_.joints[c.master].name;
            if (!c.diaphragm && rotations) {
                Add(ReportKind::ConstraintNotConverted, "JOINT CONSTRAINT ASSIGNMENTS", joint,
                    "a body constraint with rotations, which CalculiX's equations cannot tie");
                continue;
            }
            const bool rotated = s_.joints[c.master].rotated ||
                                 std::any_of(c.slaves.begin(), c.slaves.end(), [&](std::uint32_t j) { return s_.joints[j].rotated; });
            if (rotated || !rotational_[c.master]) {
                Add(ReportKind::ConstraintNotConverted, "JOINT CONSTRAINT ASSIGNMENTS", joint,
                    rotated ? "a joint with axes of its own is tied" : "its master joint has no element");
                continue;
            }
            if (c.diaphragm) Diaphragm(c, dependent);
            else
                for (std::uint32_t s : c.slaves) {
                    if (!rotational_[s]) continue;
                    for (int d = 0; d < 3; ++d) {
                        if (!c.tied[d]) continue;
                        if (Held(s, d) || dependent[s] & (1 << d)) {
                            Add(ReportKind::ConstraintNotConverted, "JOINT CONSTRAINT ASSIGNMENTS", s_.joints[s].name,
                                "a tied joint is supported or tied twice in that direction");
                            continue;
                        }
                        dependent[s] |= static_cast<char>(1 << d);
                        Equation({{s, d, 1}, {c.master, d, -1}});
                    }
                }
        }
        if (equations_.empty()) return;
        out_.Line("*EQUATION");
        for (const std::string& l : equations_) out_.Line(l);
    }

    void Diaphragm(const Constraint& c, std::vector<char>& dependent) {
        // The two translations in the plane (u, v) and the offsets in it.
        int u = 0, v = 1;
        if (std::fabs(c.axis.x) > 0.5) u = 1, v = 2;
        else if (std::fabs(c.axis.y) > 0.5) u = 0, v = 2;
        const auto in = [&](std::uint32_t j, int d) { return s_.joints[j].at[d].value; };
        const auto offset = [&](std::uint32_t j) { return std::array<double, 2>{in(j, u) - in(c.master, u), in(j, v) - in(c.master, v)}; };
        std::uint32_t second = kNoItem;
        double far = 0;
        for (std::uint32_t s : c.slaves) {
            if (!rotational_[s]) continue;
            const auto r = offset(s);
            if (r[0] * r[0] + r[1] * r[1] > far) far = r[0] * r[0] + r[1] * r[1], second = s;
        }
        const auto free = [&](std::uint32_t j, int d) { return !Held(j, d) && !(dependent[j] & (1 << d)); };
        if (second == kNoItem) return;
        Add(ReportKind::NotInDeck, "JOINT CONSTRAINT ASSIGNMENTS", "the diaphragm at joint " + std::string(s_.joints[c.master].name), "The rotation about its axis",
            "its joints move as one rigid plate through their translations, but their own rotations about the axis are not tied to it");
        const auto d = offset(second);
        const double dd = far;
        // The second joint keeps its distance from the master: d . (u2 - um) = 0.
        const int lead = std::fabs(d[0]) >= std::fabs(d[1]) ? u : v;
        if (!free(second, lead)) {
            Add(ReportKind::ConstraintNotConverted, "JOINT CONSTRAINT ASSIGNMENTS", s_.joints[second].name, "a tied joint is supported or tied twice");
            return;
        }
        dependent[second] |= static_cast<char>(1 << lead);
        {
            std::vector<Term> t{{second, u, d[0]}, {c.master, u, -d[0]}, {second, v, d[1]}, {c.master, v, -d[1]}};
            std::stable_partition(t.begin(), t.end(), [&](const Term& x) { return x.joint == second && x.dof == lead; });
            Equation(t);
        }
        // Every other joint turns with the plate: the rotation is
        // (-d1 (u2 - um) + d0 (v2 - vm)) / |d|^2.
        for (std::uint32_t s : c.slaves) {
            if (s == second || !rotational_[s]) continue;
            const auto r = offset(s);
            for (int k = 0; k < 2; ++k) {
                const int dof = k == 0 ? u : v;
                // u_s = u_m - theta r1; v_s = v_m + theta r0.
                const double arm = k == 0 ? -r[1] : r[0];
                if (!free(s, dof)) {
                    Add(ReportKind::ConstraintNotConverted, "JOINT CONSTRAINT ASSIGNMENTS", s_.joints[s].name, "a tied joint is supported or tied twice");
                    continue;
                }
                dependent[s] |= static_cast<char>(1 << dof);
                const double a = arm / dd;
                Equation({{s, dof, 1}, {c.master, dof, -1}, {second, u, a * d[1]}, {c.master, u, -a * d[1]}, {second, v, -a * d[0]}, {c.master, v, a * d[0]}});
            }
        }
    }

    // -------------------------------------------------------------- supports

    bool HasDof(std::uint32_t joint, int d) const { return rotational_[joint] == 2 || (d < 3 && rotational_[joint]); }

    void Boundaries() {
        std::vector<std::string> lines;
        bool inactiveReported = false;
        for (std::uint32_t k = 0; k < s_.joints.size(); ++k) {
            const Joint& j = s_.joints[k];
            if (!j.valid || !rotational_[k]) continue;
            for (int d = 0; d < 6; ++d) {
                if (!HasDof(k, d)) continue;
                bool held = j.held[d];
                if (!s_.active[d]) {
                    if (j.rotated && !inactiveReported) {
                        inactiveReported = true;
                        Add(ReportKind::NotInDeck, "ACTIVE DEGREES OF FREEDOM", "joint " + std::string(j.name), "The inactive directions",
                            "they are held in the joint's axes");
                    }
                    held = true;
                }
                if (held) {
                    lines.push_back(NodeText(k) + ", " + std::to_string(d + 1) + ", " + std::to_string(d + 1));
                    held_.insert(Key(k, d));
                }
            }
        }
        // The far ends of springs along joint axes.
        for (const Spring& sp : springs_)
            if (s_.joints[sp.joint].rotated) lines.push_back(std::to_string(sp.ground) + ", 1, 3");
        if (lines.empty()) return;
        out_.Line("*BOUNDARY");
        for (const std::string& l : lines) out_.Line(l);
    }

    static std::uint64_t Key(std::uint32_t joint, int d) { return (static_cast<std::uint64_t>(joint) << 3) | static_cast<std::uint64_t>(d); }

    // -------------------------------------------------------------- loads

    struct StepLoads {
        std::vector<std::array<double, 6>> joint;  // global forces and moments per joint
        std::vector<std::string> dloads;
        std::map<std::uint64_t, double> moved;     // imposed values per (joint, dof), in the joint's axes
    };

    void AddForce(StepLoads& l, std::uint32_t joint, Vec3 f, Vec3 m) {
        auto& a = l.joint[joint];
        a[0] += f.x, a[1] += f.y, a[2] += f.z, a[3] += m.x, a[4] += m.y, a[5] += m.z;
    }

    BeamStiffness StiffnessOf(const Member& m, const BeamGroup& g) const {
        const FrameSection& sec = s_.frameSections[g.section];
        const Material& mat = s_.materials[g.material];
        BeamStiffness b;
        b.length = Norm(Position(s_.joints[m.j]) - Position(s_.joints[m.i]));
        const double e = mat.elasticity.value, shear = e / (2 * (1 + Poisson(mat)));
        b.bending2 = e * sec.properties[kI22].value * g.modifiers[kI22];
        b.bending3 = e * sec.properties[kI33].value * g.modifiers[kI33];
        b.shear2 = shear * sec.properties[kShear2].value * g.modifiers[kShear2];
        b.shear3 = shear * sec.properties[kShear3].value * g.modifiers[kShear3];
        return b;
    }

    void MemberLoads(const LoadPattern& p, double factor, StepLoads& l) {
        for (const MemberLoad& x : p.memberLoads) {
            const std::uint32_t group = memberGroup_[x.member];
            if (group == kNoItem) continue;
            const Member& m = s_.members[x.member];
            if (x.kind == LoadKind::Moment && x.direction.axes == LoadAxes::Projected) {
                Add(ReportKind::MomentLoadUnsupported, x.concentrated ? "FRAME LOADS - POINT" : "FRAME LOADS - DISTRIBUTED", m.name, p.name);
                continue;
            }
            const Vec3 dir = DirectionInMember(m, x.direction);
            const EndLoads f = EquivalentEndLoads(StiffnessOf(m, beams_[group]), x.kind == LoadKind::Moment, x.concentrated, (factor * x.qa.value) * dir,
                                                  (factor * x.qb.value) * dir, x.a.value, x.b.value);
            AddEnds(l, m, f);
        }
    }

    void AddEnds(StepLoads& l, const Member& m, const EndLoads& f) {
        const auto global = [&](int at) { return f[at] * m.axes[0] + f[at + 1] * m.axes[1] + f[at + 2] * m.axes[2]; };
        AddForce(l, m.i, global(0), global(3));
        AddForce(l, m.j, global(6), global(9));
    }

    // The corners of a shell and, for each, its share of a load per unit
    // area (bilinear shapes, integrated on the element's surface).
    std::array<double, 4> Shares(const Shell& sh, Vec3* normal) const {
        std::array<Vec3, 4> x;
        for (int i = 0; i < sh.corners; ++i) x[i] = Position(s_.joints[sh.joints[i]]);
        std::array<double, 4> w{};
        if (sh.corners == 3) {
            const Vec3 n = 0.5 * Cross(x[1] - x[0], x[2] - x[0]);
            *normal = Unit(n);
            w[0] = w[1] = w[2] = Norm(n) / 3;
            return w;
        }
        *normal = Unit(Cross(x[2] - x[0], x[3] - x[1]));
        const double g = 1 / std::sqrt(3.0);
        for (double xi : {-g, g})
            for (double eta : {-g, g}) {
                const double n[4] = {(1 - xi) * (1 - eta) / 4, (1 + xi) * (1 - eta) / 4, (1 + xi) * (1 + eta) / 4, (1 - xi) * (1 + eta) / 4};
                const Vec3 dxi = 0.25 * ((1 - eta) * (x[1] - x[0]) + (1 + eta) * (x[2] - x[3]));
                const Vec3 deta = 0.25 * ((1 - xi) * (x[3] - x[0]) + (1 + xi) * (x[2] - x[1]));
                const double da = Norm(Cross(dxi, deta));
                for (int i = 0; i < 4; ++i) w[i] += n[i] * da;
            }
        return w;
    }

    void ShellLoads(const LoadPattern& p, double factor, StepLoads& l) {
        for (const ShellLoad& x : p.shellLoads) {
            if (shellGroup_[x.shell] == kNoItem) continue;
            const Shell& sh = s_.shells[x.shell];
            const double q = factor * x.value.value;
            if (x.direction.axes == LoadAxes::Local) {
                if (x.direction.vector.z != 0) {
                    dloads_.push_back(ShellNumber(x.shell) + ", P, " + Num(q * x.direction.vector.z));
                    continue;
                }
                Add(ReportKind::LoadDirectionUnsupported, "AREA LOADS - UNIFORM", sh.name, "a local axis in the area's plane", "LOCAL");
                continue;
            }
            Vec3 normal;
            const auto w = Shares(sh, &normal);
            const double scale = x.direction.axes == LoadAxes::Projected ? std::fabs(Dot(normal, x.direction.vector)) : 1;
            for (int i = 0; i < sh.corners; ++i) AddForce(l, sh.joints[i], (q * scale * w[i]) * x.direction.vector, {});
        }
    }

    void JointLoads(const LoadPattern& p, double factor, StepLoads& l) {
        for (const JointLoad& x : p.jointLoads) {
            if (!rotational_[x.joint]) continue;
            auto& a = l.joint[x.joint];
            for (int d = 0; d < 6; ++d) a[d] += factor * x.components[d].value;
        }
    }

    // Self weight of the whole model as gravity on every element; the
    // weight of single members and shells along given multipliers as the
    // distributed loads it is (the joint loads it gives).
    void Gravity(const LoadPattern& p, double factor, StepLoads& l) {
        if (p.selfWeightGiven && hasBody_) dloads_.push_back("EBODY, GRAV, " + Num(g_ * factor * p.selfWeight.value) + ", 0., 0., -1.");
        for (const GravityLoad& x : p.gravity) {
            const Vec3 m{x.multipliers[0].value, x.multipliers[1].value, x.multipliers[2].value};
            if (x.shell) {
                const std::uint32_t group = shellGroup_[x.item];
                if (group == kNoItem) continue;
                const Shell& sh = s_.shells[x.item];
                const ShellSection& sec = s_.shellSections[shellGroups_[group].section];
                const double w = s_.materials[sec.material].weightDensity.value * sec.thickness.value * sh.weightScale * factor;
                Vec3 normal;
                const auto shares = Shares(sh, &normal);
                for (int i = 0; i < sh.corners; ++i) AddForce(l, sh.joints[i], (w * shares[i]) * m, {});
                continue;
            }
            const std::uint32_t group = memberGroup_[x.item];
            if (group == kNoItem) continue;
            const Member& mem = s_.members[x.item];
            const BeamGroup& g = beams_[group];
            const double w = s_.materials[g.material].weightDensity.value * g.area * g.weightScale * factor;
            const Vec3 q = DirectionInMember(mem, {LoadAxes::Global, w * m});
            const BeamStiffness b = StiffnessOf(mem, g);
            AddEnds(l, mem, EquivalentEndLoads(b, false, false, q, q, 0, b.length));
        }
    }

    // A temperature change as the joint forces its restrained strain
    // gives: E A alpha dT along a member, and for a gradient g across it
    // the moment E I alpha g of its restrained curvature at either end;
    // E t alpha dT / (1 - nu) normal to each edge of a shell, half to each
    // of its corners, and for a gradient across the thickness the moment
    // E t^3 alpha g / 12 (1 - nu) per length along each edge.
    void Temperatures(const LoadPattern& p, double factor, StepLoads& l) {
        for (const TemperatureLoad& x : p.temperatures) {
            const double change = factor * x.change.value;
            if (!x.shell) {
                const std::uint32_t group = memberGroup_[x.item];
                if (group == kNoItem) continue;
                const Member& m = s_.members[x.item];
                const Material& mat = s_.materials[beams_[group].material];
                const double force = mat.elasticity.value * beams_[group].area * mat.expansion.value * change;
                AddForce(l, m.i, (-force) * m.axes[0], {});
                AddForce(l, m.j, force * m.axes[0], {});
                // Warmer towards +2 bends the member about 3 towards -2;
                // warmer towards +3 bends it about 2 towards -3.
                const BeamStiffness b = StiffnessOf(m, beams_[group]);
                const double alpha = factor * mat.expansion.value;
                const Vec3 moment = (-b.bending3 * alpha * x.gradient[0]) * m.axes[2] + (b.bending2 * alpha * x.gradient[1]) * m.axes[1];
                AddForce(l, m.i, {}, -1.0 * moment);
                AddForce(l, m.j, {}, moment);
                continue;
            }
            const std::uint32_t group = shellGroup_[x.item];
            if (group == kNoItem) continue;
            const Shell& sh = s_.shells[x.item];
            const ShellSection& sec = s_.shellSections[shellGroups_[group].section];
            const Material& mat = s_.materials[sec.material];
            if (!(Poisson(mat) < 1)) continue;
            const double n = mat.elasticity.value * sec.thickness.value * mat.expansion.value * change / (1 - Poisson(mat));
            Vec3 normal;
            Shares(sh, &normal);
            const double t = sec.thickness.value;
            const double m = mat.elasticity.value * t * t * t * mat.expansion.value * factor * x.gradient[1] / (12 * (1 - Poisson(mat)));
            for (int i = 0; i < sh.corners; ++i) {
                const std::uint32_t a = sh.joints[i], b = sh.joints[(i + 1) % sh.corners];
                const Vec3 along = Position(s_.joints[b]) - Position(s_.joints[a]);
                const Vec3 outward = Cross(along, normal);
                AddForce(l, a, (n / 2) * outward, (m / 2) * along);
                AddForce(l, b, (n / 2) * outward, (m / 2) * along);
            }
        }
    }

    void Pressures(const LoadPattern& p, double factor) {
        for (const FacePressure& x : p.pressures) {
            const double value = factor * x.pressure.value;
            if (!x.solid) {
                // CalculiX pushes a positive P along the normal; a pressure
                // on the top face pushes against it.
                if (shellGroup_[x.item] == kNoItem) continue;
                dloads_.push_back(ShellNumber(x.item) + ", P, " + Num(x.face > 0 ? -value : value));
                continue;
            }
            const Solid& v = s_.solids[x.item];
            if (!v.complete || !MaterialOf(v.material) || x.face < 1 || x.face > 6) continue;
            const auto c = Corners(v);
            std::array<int, 4> at{};
            for (int i = 0; i < 4; ++i) at[i] = static_cast<int>(std::find(c.begin(), c.end(), v.joints[kSolidFaceCorners[x.face - 1][i]]) - c.begin());
            const int face = BrickFace(at);
            if (face == 0) continue;
            dloads_.push_back(NumberToText(numbers_.Solid(x.item)) + ", P" + std::to_string(face) + ", " + Num(value));
        }
    }

    // A ground displacement moves a held direction; at a spring it pulls
    // the joint with the spring's force; elsewhere it has nothing to move.
    void Displacements(const LoadPattern& p, double factor, StepLoads& l) {
        static constexpr const char* kDofs[6] = {"UX", "UY", "UZ", "RX", "RY", "RZ"};
        for (const GroundDisplacement& x : p.displacements) {
            const Joint& j = s_.joints[x.joint];
            if (!rotational_[x.joint]) continue;
            Vec3 t{x.components[0].value, x.components[1].value, x.components[2].value};
            Vec3 r{x.components[3].value, x.components[4].value, x.components[5].value};
            std::array<double, 6> local{};
            std::array<bool, 6> given = x.given;
            if (j.rotated) {
                for (int d = 0; d < 3; ++d) local[d] = Dot(j.axes[d], t), local[d + 3] = Dot(j.axes[d], r);
                const bool any = std::any_of(given.begin(), given.end(), [](bool b) { return b; });
                given.fill(any);
            } else {
                for (int d = 0; d < 6; ++d) local[d] = x.components[d].value;
            }
            for (int d = 0; d < 6; ++d) {
                if (!given[d] || local[d] == 0) continue;
                if (held_.count(Key(x.joint, d))) l.moved[Key(x.joint, d)] += factor * local[d];
                else if (d < 3 && j.spring[d] != 0) {
                    Vec3 f{};
                    const Vec3 along = j.rotated ? j.axes[d] : kGlobalAxes[d];
                    f = (factor * local[d] * j.spring[d]) * along;
                    AddForce(l, x.joint, f, {});
                } else if (!x.given[d] || j.rotated) {
                    continue;
                } else {
                    Add(ReportKind::GroundDisplacementUnsupported, "JOINT LOADS - GROUND DISPLACEMENT", j.name, p.name, kDofs[d]);
                }
            }
        }
    }

    StepLoads Collect(const DeckStep& step) {
        StepLoads l;
        l.joint.assign(s_.joints.size(), {});
        dloads_.clear();
        for (const StepTerm& t : step.terms) {
            const LoadPattern& p = s_.patterns[t.pattern];
            JointLoads(p, t.factor, l);
            MemberLoads(p, t.factor, l);
            ShellLoads(p, t.factor, l);
            Gravity(p, t.factor, l);
            Temperatures(p, t.factor, l);
            Pressures(p, t.factor);
            Displacements(p, t.factor, l);
        }
        return l;
    }

    void Step(const DeckStep& step) {
        const StepLoads l = Collect(step);
        out_.Line("**");
        out_.Line("** Load pattern " + step.name);
        out_.Line("*STEP, NAME=" + StepName(step.name));
        out_.Line("*STATIC");
        if (!moved_.empty()) {
            out_.Line("*BOUNDARY");
            for (std::uint64_t key : moved_) {
                const auto at = l.moved.find(key);
                const std::string dof = std::to_string((key & 7) + 1);
                out_.Line(NodeText(static_cast<std::uint32_t>(key >> 3)) + ", " + dof + ", " + dof + ", " + Num(at == l.moved.end() ? 0.0 : at->second));
            }
        }
        out_.Line("*CLOAD, OP=NEW");
        for (std::uint32_t k = 0; k < s_.joints.size(); ++k) {
            if (!rotational_[k]) continue;
            std::array<double, 6> f = l.joint[k];
            const Joint& j = s_.joints[k];
            if (j.rotated) {
                const Vec3 force{f[0], f[1], f[2]}, moment{f[3], f[4], f[5]};
                for (int d = 0; d < 3; ++d) f[d] = Dot(j.axes[d], force), f[d + 3] = Dot(j.axes[d], moment);
            }
            for (int d = 0; d < 6; ++d) {
                // A load on a held direction goes to the support; CalculiX
                // cannot take a moment at a node whose rotations are held.
                if (f[d] == 0 || !std::isfinite(f[d]) || held_.count(Key(k, d))) continue;
                if (!HasDof(k, d)) {
                    Add(ReportKind::NotInDeck, "JOINT LOADS - FORCE", "joint " + std::string(j.name), "A moment", "the joint belongs to solids or membranes alone, which have no rotations");
                    continue;
                }
                out_.Line(NodeText(k) + ", " + std::to_string(d + 1) + ", " + Num(f[d]));
            }
        }
        out_.Line("*DLOAD, OP=NEW");
        for (const std::string& d : dloads_) out_.Line(d);
        if (hasJoints_) {
            out_.Line("*NODE PRINT, NSET=JOINTS");
            out_.Line("U");
        }
        out_.Line("*NODE FILE");
        out_.Line("U");
        out_.Line("*END STEP");
    }

    static std::string StepName(const std::string& name) {
        std::string out;
        for (char c : name) out += (c == ' ' || c == ',' || c == '"' || c == '=') ? '_' : c;
        return out.empty() ? "Step" : out;
    }

    void Combinations() {
        if (s_.combinations.empty()) return;
        static constexpr const char* kKinds[] = {"linear add", "SRSS", "absolute add", "envelope"};
        out_.Line("**");
        out_.Line("** Combinations: CalculiX combines no static steps; each is the sum of its steps'");
        out_.Line("** results times the factors (SRSS: the root of the sum of their squares).");
        for (const Combination& c : s_.combinations) {
            line_ = "** " + c.name + " (" + kKinds[static_cast<int>(c.kind)] + "):";
            for (const CombinationTerm& t : c.terms)
                line_ += " " + Num(t.factor) + " x " + (t.combination ? s_.combinations[t.item].name : s_.cases[t.item].name) + ";";
            line_.pop_back();
            out_.Line(line_);
        }
    }

    struct Spring {
        std::uint32_t joint;
        int dof;
        double stiffness;
        std::uint32_t ground = 0;
    };

    const Structure& s_;
    LineSink& out_;
    Report* report_;
    ElementNumbers numbers_;
    double g_ = 9.80665;
    std::string line_;
    std::vector<char> rotational_;  // 0 no element, 1 translations, 2 rotations too
    std::vector<BeamGroup> beams_;
    std::vector<std::uint32_t> memberGroup_, shellGroup_;
    std::vector<ShellGroup> shellGroups_;
    std::vector<std::uint32_t> solids_;
    std::vector<std::pair<std::string, std::string>> solidSets_;
    std::vector<Spring> springs_;
    std::set<std::uint32_t> baseUsed_;
    std::unordered_set<std::uint32_t> reportedSections_, reportedShellSections_;
    std::vector<std::string> equations_, dloads_;
    std::unordered_set<std::uint64_t> held_;
    std::set<std::uint64_t> moved_;
    bool reporting_ = true;
    std::uint32_t nextNode_ = 1;
    std::uint64_t nextElement_ = 1;
    bool hasJoints_ = false, hasBody_ = false;
};

}  // namespace

void WriteFullAbaqusDeck(const Structure& s, LineSink& out, Report* report) { FullDeck(s, out, report).Write(); }

}  // namespace corvane
