// The full conversion's member and element properties: the shapes STAAD.Pro
// knows with the model's own torsion constant and shear areas, members with
// stiffness modifiers under a property of their own, element thicknesses and
// plane-stress elements.
#include "staad/FullBlocks.h"

namespace corvane {

namespace {

constexpr const char* kPropertyWords[6] = {"AX", "IX", "IY", "IZ", "AY", "AZ"};
// The section properties in STAAD.Pro's order AX IX IY IZ AY AZ: STAAD.Pro's
// y is the model's local 2.
constexpr int kStaadProperty[6] = {kArea, kTorsion, kI22, kI33, kShear2, kShear3};

// The PRIS text of six properties; shear areas of 0 are left out.
std::string Prismatic(const double (&p)[6]) {
    std::string text = " PRIS";
    for (int k = 0; k < 6; ++k) {
        if (k >= 4 && p[k] == 0) continue;
        text += std::string(" ") + kPropertyWords[k] + " " + NumberToText(p[k]);
    }
    return text;
}

void Properties(const FrameSection& s, double (&p)[6]) {
    for (int k = 0; k < 6; ++k) p[k] = s.properties[kStaadProperty[k]].value;
}

// The stiffness modifiers of one assignment: its section's times its
// member's own.
bool Modified(const Structure& s, const Structure::Assignment& a, double (&mod)[6]) {
    bool any = false;
    for (int k = 0; k < 6; ++k) {
        mod[k] = 1;
        if (a.section != kNoItem) mod[k] *= s.frameSections[a.section].modifiers[kStaadProperty[k]];
        mod[k] *= s.members[a.item].modifiers[kStaadProperty[k]];
        any = any || mod[k] != 1;
    }
    return any;
}

struct PropertyLines {
    const char* header;
    std::string tail;
};

// The property of a section: the shapes STAAD.Pro derives its properties
// from get the model's torsion constant and shear areas beside their
// dimensions; a tapered I-section, which has no shear deformation in
// STAAD.Pro, its computed properties; any other shape its computed
// properties.
PropertyLines PropertyFor(const FrameSection& s) {
    switch (s.profile) {
        case Profile::Rectangle:
        case Profile::Circle: {
            std::string tail = " PRIS YD " + s.dimensions;
            if (s.profile == Profile::Rectangle) tail += " ZD " + std::string(s.width.text);
            for (int k : {kTorsion, kShear2, kShear3})
                if (!s.properties[k].text.empty() && s.properties[k].value != 0) {
                    tail += std::string(" ") + kPropertyWords[k == kTorsion ? 1 : k == kShear2 ? 4 : 5] + " ";
                    tail.append(s.properties[k].text);
                }
            return {"MEMBER PROPERTY", tail};
        }
        case Profile::ISection:
            if (!s.name.empty() && s.name[0] == 'W') return {"MEMBER PROPERTY AMERICAN", " TABLE ST " + StaadName(s.name)};
            if (!s.name.empty() && s.name[0] == 'U') return {"MEMBER PROPERTY BRITISH", " TABLE ST " + StaadName(s.name)};
            if (s.hasProperties) {
                double p[6];
                Properties(s, p);
                return {"MEMBER PROPERTY", Prismatic(p)};
            }
            return {"MEMBER PROPERTY", " TAPERED " + s.dimensions};
        case Profile::General:
            break;
    }
    return {"MEMBER PROPERTY", " PRIS " + s.dimensions};
}

}  // namespace

void WriteFullProperties(FullContext& c) {
    const Structure& s = c.s;
    c.history.Append("Writing Frame Section Assignments..........");
    // Assignments by section; those with stiffness modifiers (and a
    // section with properties to modify) get a property of their own.
    std::vector<std::int64_t> keys(s.memberAssignments.size(), NameIndex::kNone);
    TextGroups modified;
    for (std::uint32_t k = 0; k < s.memberAssignments.size(); ++k) {
        const Structure::Assignment& a = s.memberAssignments[k];
        if (a.section == kNoItem) continue;
        keys[k] = a.section;
        double mod[6];
        if (!Modified(s, a, mod)) continue;
        const FrameSection& section = s.frameSections[a.section];
        if (!section.hasProperties) {
            c.Add(ReportKind::ModifierWithoutProperties, "FRAME PROPERTY MODIFIERS", std::string(s.members[a.item].name), section.name);
            continue;
        }
        keys[k] = NameIndex::kNone;
        double p[6];
        Properties(section, p);
        for (int i = 0; i < 6; ++i) p[i] *= mod[i];
        modified.Add(k, Prismatic(p));
    }
    const Groups bySection(s.frameSections.size(), keys);
    const auto members = [&](std::string& out, const Groups::Range& rows) {
        return AppendMembers(out, c, rows.size(), [&](std::size_t i) { return s.memberAssignments[rows.begin()[i]].item; });
    };
    std::string line;
    for (std::size_t i = 0; i < s.frameSections.size(); ++i) {
        line.clear();
        if (!members(line, bySection[static_cast<std::int64_t>(i)])) continue;
        const PropertyLines lines = PropertyFor(s.frameSections[i]);
        c.out.Line(lines.header);
        c.out.Line(line + lines.tail);
    }
    modified.Finish();
    if (modified.size() != 0) c.out.Line("MEMBER PROPERTY");
    WriteGroupLines(c, modified, members);
    c.history.Append(".......... Done ");

    c.history.Append("Writing Shell Section Assignments..........");
    c.out.Line("ELEMENT PROPERTY");
    keys.assign(s.shellAssignments.size(), NameIndex::kNone);
    for (std::size_t k = 0; k < keys.size(); ++k)
        if (s.shellAssignments[k].section != kNoItem) keys[k] = s.shellAssignments[k].section;
    const Groups shellsOf(s.shellSections.size(), keys);
    const auto elements = [&](std::string& out, const Groups::Range& rows) {
        return AppendElements(out, c, rows.size(), [&](std::size_t i) { return s.shellAssignments[rows.begin()[i]].item; });
    };
    for (std::size_t i = 0; i < s.shellSections.size(); ++i) {
        line.clear();
        if (!elements(line, shellsOf[static_cast<std::int64_t>(i)])) continue;
        line += " THICKNESS ";
        AppendValue(line, s.shellSections[i].thickness);
        c.out.Line(line);
    }
    // Plane-stress areas and membranes have no bending stiffness:
    // STAAD.Pro's plane-stress element is the membrane part of its plate.
    bool header = false;
    for (std::size_t i = 0; i < s.shellSections.size(); ++i) {
        const ShellSection& section = s.shellSections[i];
        if (section.kind == ShellKind::Plate && c.type != StructureType::Floor)
            c.Add(ReportKind::AreaTypeUnsupported, "AREA SECTION PROPERTIES", section.name, "Plate");
        if (section.kind != ShellKind::PlaneStress && section.kind != ShellKind::Membrane) continue;
        line.clear();
        if (!elements(line, shellsOf[static_cast<std::int64_t>(i)])) continue;
        if (!header) c.out.Line("ELEMENT PLANE STRESS");
        header = true;
        while (!line.empty() && line.back() == ' ') line.pop_back();
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

bool PropertyGivesDepth(const Structure& s, std::uint32_t member, int across) {
    const Member& m = s.members[member];
    if (m.section == kNoItem) return false;
    const FrameSection& section = s.frameSections[m.section];
    double mod[6];
    // A member with stiffness modifiers gets its computed properties alone.
    if (section.hasProperties && Modified(s, {member, m.section, m.material}, mod)) return false;
    const std::string tail = PropertyFor(section).tail;
    if (tail.rfind(" TABLE ", 0) == 0 || tail.rfind(" TAPERED ", 0) == 0) return true;
    return tail.find(across == 0 ? " YD " : " ZD ") != std::string::npos;
}

}  // namespace corvane
