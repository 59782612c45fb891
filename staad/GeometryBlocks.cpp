// Joints, members and shell elements. SAP2000's (X, Y, Z) is written as
// STAAD.Pro's (X, Z, -Y).
#include "staad/Blocks.h"
#include "staad/NumberText.h"

namespace corvane {

std::string ShellNumber(std::string_view areaName) { return NumberToText(ShellNumberOffset + TextToNumber(areaName)); }

void WriteJointsBlock(WriteContext& c) {
    const auto& j = c.tables.joints;
    c.history.append("Writing Joint Coordinates..........");
    c.out.Line("JOINT COORDINATES");
    std::string line;
    for (std::size_t i = 0; i < j.Joint.size(); ++i) {
        line.assign(j.Joint[i]).append(" ").append(j.GlobalX[i]).append(" ").append(j.GlobalZ[i]).append(" ");
        line += NumberToText(-TextToNumber(j.GlobalY[i]));
        c.out.Line(line);
    }
    c.history.append(".......... Done ");
}

void WriteMembersBlock(WriteContext& c) {
    const auto& f = c.tables.frames;
    c.history.append("Writing Frame Elements..........");
    c.out.Line("MEMBER INCIDENCES");
    std::string line;
    for (std::size_t i = 0; i < f.Frame.size(); ++i) {
        line.assign(f.Frame[i]).append(" ").append(f.JointI[i]).append(" ").append(f.JointJ[i]);
        c.out.Line(line);
    }
    c.history.append(".......... Done ");
}

void WriteShellsBlock(WriteContext& c) {
    const auto& a = c.tables.areas;
    c.history.append("Writing Shell Elements..........");
    c.out.Line("ELEMENT INCIDENCES SHELL");
    std::string line;
    for (std::size_t i = 0; i < a.Area.size(); ++i) {
        const std::string& count = a.NumJoints[i];
        if (count != "4" && count != "3") continue;
        line = ShellNumber(a.Area[i]);
        line.append(" ").append(a.Joint1[i]).append(" ").append(a.Joint2[i]).append(" ").append(a.Joint3[i]);
        if (count == "4") line.append(" ").append(a.Joint4[i]);
        c.out.Line(line);
    }
    c.history.append(".......... Done ");
}

}  // namespace corvane
