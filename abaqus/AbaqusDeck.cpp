#include "abaqus/AbaqusDeck.h"

#include "staad/Blocks.h"
#include "staad/NumberText.h"

#include <cmath>

namespace corvane {

namespace {

constexpr const char* kAssembly[] = {
    "** ASSEMBLY", "**", "*Assembly, name=Assembly", "**", "*Instance, name=Part-1-1, part=Part-1", "*End Instance", "**",
};

constexpr const char* kStep[] = {
    "**", "** STEP: Step-1", "**", "*Step, name=Step-1", "*Static", "1., 1., 1e-05, 1.", "**",
    "** BOUNDARY CONDITIONS", "**", "** Name: BC-1 Type: Displacement/Rotation", "*Boundary",
    "_PickedSet4, 1, 1", "_PickedSet4, 2, 2", "_PickedSet4, 3, 3", "**", "*Dsload", "_PickedSurf5, P, 0.001",
    "** OUTPUT REQUESTS", "**", "*Restart, write, frequency=0", "**", "** FIELD OUTPUT: F-Output-1", "**",
    "*Output, field, variable=PRESELECT", "**", "** HISTORY OUTPUT: H-Output-1", "**",
    "*Output, history, variable=PRESELECT", "*End Step",
};

bool IsTriangle(const std::string& countText) { return std::floor(TextToNumber(countText)) == 3; }

void WriteElementNumbers(const ModelTables& t, SectionAreaLookup& areas, LineSink& out, std::size_t k) {
    for (const auto& number : areas.FindSectionAreas(t.areaSections.Section[k])) out.Line(number + ",");
}

}  // namespace

void WriteAbaqusDeck(const ModelTables& t, SectionAreaLookup& areas, LineSink& out) {
    out.Line("*Heading");
    out.Line("*Preprint, echo=NO, model=NO, history=NO, contact=NO");
    out.Line("*Part, name=Part-1");
    out.Line("*Node");
    const auto& j = t.joints;
    for (std::size_t i = 0; i < j.Joint.size(); ++i)
        out.Line(j.Joint[i] + ", " + j.GlobalX[i] + ", " + j.GlobalY[i] + ", " + j.GlobalZ[i]);

    // Four-node shells first, then three-node shells under their own header.
    const auto& a = t.areas;
    out.Line("*Element, type=S4R");
    bool anyTriangle = false;
    for (std::size_t i = 0; i < a.Area.size(); ++i) {
        if (IsTriangle(a.NumJoints[i])) {
            anyTriangle = true;
            continue;
        }
        out.Line(ShellNumber(a.Area[i]) + ", " + a.Joint1[i] + ", " + a.Joint2[i] + ", " + a.Joint3[i] + ", " + a.Joint4[i]);
    }
    if (anyTriangle) {
        out.Line("*Element, type=S3");
        for (std::size_t i = 0; i < a.Area.size(); ++i)
            if (IsTriangle(a.NumJoints[i]))
                out.Line(ShellNumber(a.Area[i]) + ", " + a.Joint1[i] + ", " + a.Joint2[i] + ", " + a.Joint3[i]);
    }

    const auto& s = t.areaSections;
    for (std::size_t k = 0; k < s.Section.size(); ++k) {
        out.Line("*Elset, elset=" + s.Section[k]);
        WriteElementNumbers(t, areas, out, k);
    }
    for (std::size_t k = 0; k < s.Section.size(); ++k) {
        out.Line("*Shell Section, elset=" + s.Section[k] + ", material=" + s.Material[k]);
        out.Line(s.Thickness[k] + ", 5");
    }
    out.Line("*End Part");
    for (const char* line : kAssembly) out.Line(line);

    out.Line("*Nset, nset=_PickedSet4, internal, instance=Part-1-1");
    for (const auto& joint : t.restraints.Joint) out.Line(joint);
    out.Line("*Elset, elset=__PickedSurf5_SNEG, internal, instance=PART-1-1");
    for (std::size_t k = 0; k < s.Section.size(); ++k) WriteElementNumbers(t, areas, out, k);
    out.Line("*Surface, type=ELEMENT, name=_PickedSurf5, internal");
    out.Line("__PickedSurf5_SNEG, SNEG");
    out.Line("*End Assembly");
    out.Line("**");

    const auto& m = t.materials;
    for (std::size_t i = 0; i < m.Material.size(); ++i) {
        out.Line("*Material, name= " + m.Material[i]);
        out.Line("*DENSITY ");
        out.Line(m.UnitWeight[i]);
        out.Line("*Elastic ");
        out.Line(FormatOneDecimal(TextToNumber(m.E1[i])) + " , " + m.U12[i]);
    }
    for (const char* line : kStep) out.Line(line);
}

}  // namespace corvane
