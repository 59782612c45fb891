// The Abaqus deck of the full conversion, from the structural model.
#include "abaqus/AbaqusDeck.h"
#include "abaqus/DeckParts.h"
#include "link/NameIndex.h"
#include "structure/Numbering.h"
#include "text/NumberText.h"
#include "text/SafeNames.h"

namespace corvane {

namespace {

// A name as the deck takes it (see text/SafeNames.h).
std::string DeckName(std::string_view name) { return SafeName(NameFormat::Abaqus, name); }

class FullDeck {
public:
    FullDeck(const Structure& s, LineSink& out) : s_(s), out_(out), numbers_(NumberElements(s)) {}

    void Write() {
        out_.Line("*Heading");
        out_.Line("*Preprint, echo=NO, model=NO, history=NO, contact=NO");
        out_.Line("*Part, name=Part-1");
        Nodes();
        Shells();
        Solids();
        out_.Line("*End Part");
        for (const char* l : kAssembly) out_.Line(l);
        Assembly();
        out_.Line("*End Assembly");
        out_.Line("**");
        Materials();
        Step();
    }

private:
    // Shell elements keep the deck's own offset.
    std::string ShellNumber(std::uint32_t shell) const { return NumberToText(ShellNumberOffset + static_cast<double>(s_.shells[shell].number)); }

    void Nodes() {
        out_.Line("*Node");
        for (const Joint& j : s_.joints) {
            if (!j.valid) continue;
            line_ = std::to_string(j.number);
            for (const Value& v : j.at) {
                line_ += ", ";
                // A joint made by meshing has computed coordinates.
                if (v.text.empty()) line_ += NumberToText(v.value);
                else line_.append(v.text);
            }
            out_.Line(line_);
        }
    }

    void Element(std::uint32_t k) {
        const Shell& sh = s_.shells[k];
        line_ = ShellNumber(k);
        for (int i = 0; i < sh.corners; ++i) line_ += ", " + std::to_string(s_.joints[sh.joints[i]].number);
        out_.Line(line_);
    }

    bool Complete(const Shell& sh) const {
        for (int i = 0; i < sh.corners; ++i)
            if (sh.joints[i] == kNoItem) return false;
        return sh.corners != 0;
    }

    // Each section's elements, in the order of their assignments.
    void ElementsOf(std::size_t section) {
        for (std::uint32_t k : bySection_[static_cast<std::int64_t>(section)]) out_.Line(ShellNumber(s_.shellAssignments[k].item) + ",");
    }

    void Shells() {
        if (s_.shells.empty()) return;
        // Four-node shells first, then three-node shells under their own header.
        out_.Line("*Element, type=S4R");
        bool triangles = false;
        for (std::uint32_t k = 0; k < s_.shells.size(); ++k) {
            if (!Complete(s_.shells[k])) continue;
            if (s_.shells[k].corners == 3) triangles = true;
            else Element(k);
        }
        if (triangles) {
            out_.Line("*Element, type=S3");
            for (std::uint32_t k = 0; k < s_.shells.size(); ++k)
                if (Complete(s_.shells[k]) && s_.shells[k].corners == 3) Element(k);
        }
        std::vector<std::int64_t> keys(s_.shellAssignments.size(), NameIndex::kNone);
        for (std::size_t k = 0; k < keys.size(); ++k)
            if (s_.shellAssignments[k].section != kNoItem) keys[k] = s_.shellAssignments[k].section;
        bySection_ = Groups(s_.shellSections.size(), keys);
        // Sections without elements would give the solver empty sets.
        const auto used = [&](std::size_t i) { return !bySection_[static_cast<std::int64_t>(i)].empty(); };
        for (std::size_t i = 0; i < s_.shellSections.size(); ++i) {
            if (!used(i)) continue;
            out_.Line("*Elset, elset=" + DeckName(s_.shellSections[i].name));
            ElementsOf(i);
        }
        for (std::size_t i = 0; i < s_.shellSections.size(); ++i) {
            if (!used(i)) continue;
            const ShellSection& section = s_.shellSections[i];
            out_.Line("*Shell Section, elset=" + DeckName(section.name) + ", material=" + DeckName(section.materialName));
            out_.Line(std::string(section.thickness.text) + ", 5");
        }
    }

    // Eight-node bricks, in a set per material: the material is what a
    // section needs.
    void Solids() {
        std::vector<std::int64_t> keys(s_.solids.size(), NameIndex::kNone);
        bool header = false;
        for (std::uint32_t k = 0; k < s_.solids.size(); ++k) {
            const Solid& x = s_.solids[k];
            if (!x.complete || x.material == kNoItem) continue;
            keys[k] = x.material;
            if (!header) out_.Line("*Element, type=C3D8");
            header = true;
            line_ = NumberToText(numbers_.Solid(k));
            for (std::uint32_t j : x.joints) line_ += ", " + std::to_string(s_.joints[j].number);
            out_.Line(line_);
        }
        const Groups byMaterial(s_.materials.size(), keys);
        for (std::size_t i = 0; i < s_.materials.size(); ++i) {
            const auto rows = byMaterial[static_cast<std::int64_t>(i)];
            if (rows.empty()) continue;
            const std::string set = "Solids-" + DeckName(s_.materials[i].name);
            out_.Line("*Elset, elset=" + set);
            for (std::uint32_t k : rows) out_.Line(NumberToText(numbers_.Solid(k)) + ",");
            out_.Line("*Solid Section, elset=" + set + ", material=" + DeckName(s_.materials[i].name));
        }
    }

    void Assembly() {
        // A node set without nodes stops the solver: a model without
        // supports has neither the set nor the boundary condition on it.
        for (const Joint& j : s_.joints) {
            bool held = false;
            for (bool h : j.held) held = held || h;
            if (!held) continue;
            if (!supported_) out_.Line("*Nset, nset=_PickedSet4, internal, instance=Part-1-1");
            supported_ = true;
            out_.Line(std::to_string(j.number));
        }
        if (s_.shells.empty()) return;
        out_.Line("*Elset, elset=__PickedSurf5_SNEG, internal, instance=PART-1-1");
        for (std::size_t i = 0; i < s_.shellSections.size(); ++i) ElementsOf(i);
        out_.Line("*Surface, type=ELEMENT, name=_PickedSurf5, internal");
        out_.Line("__PickedSurf5_SNEG, SNEG");
    }

    void Materials() {
        for (const Material& m : s_.materials) {
            out_.Line("*Material, name= " + DeckName(m.name));
            out_.Line("*DENSITY ");
            out_.Line(std::string(m.weightDensity.text));
            out_.Line("*Elastic ");
            out_.Line(FormatOneDecimal(m.elasticity.value) + " , " + std::string(m.poisson.text));
        }
    }

    void Step() {
        // The pressure acts on the shells; a deck of solids alone has none.
        const bool shells = !s_.shells.empty();
        for (const char* l : kStep) {
            const std::string_view line = l;
            if (!supported_ && (line == "*Boundary" || line.substr(0, 12) == "_PickedSet4,")) continue;
            if (!shells && (line == "*Dsload" || line.substr(0, 13) == "_PickedSurf5,")) continue;
            out_.Line(line);
        }
    }

    const Structure& s_;
    LineSink& out_;
    ElementNumbers numbers_;
    std::string line_;
    Groups bySection_;
    bool supported_ = false;
};

}  // namespace

void WriteFullAbaqusDeck(const Structure& s, LineSink& out) { FullDeck(s, out).Write(); }

}  // namespace corvane
