// Joints, members and shell elements. SAP2000's (X, Y, Z) is written as
// STAAD.Pro's (X, Z, -Y).
#include "staad/Blocks.h"
#include "text/NumberText.h"

namespace corvane {

void WriteJointsBlock(StaadContext& c) {
    const Table& j = c.model[TableId::Joints];
    c.history.Append("Writing Joint Coordinates..........");
    c.out.Line("JOINT COORDINATES");
    std::string line;
    for (std::size_t i = 0; i < j.rows(); ++i) {
        line.clear();
        j.AppendText(line, i, JointCol::Joint);
        line += ' ';
        j.AppendText(line, i, JointCol::GlobalX);
        line += ' ';
        j.AppendText(line, i, JointCol::GlobalZ);
        line += ' ';
        AppendSignedNumber(line, j.View(i, JointCol::GlobalY), true);
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

void WriteMembersBlock(StaadContext& c) {
    const Table& f = c.model[TableId::Frames];
    c.history.Append("Writing Frame Elements..........");
    c.out.Line("MEMBER INCIDENCES");
    std::string line;
    for (std::size_t i = 0; i < f.rows(); ++i) {
        line.clear();
        f.AppendText(line, i, FrameCol::Frame);
        line += ' ';
        f.AppendText(line, i, FrameCol::JointI);
        line += ' ';
        f.AppendText(line, i, FrameCol::JointJ);
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

void WriteShellsBlock(StaadContext& c) {
    const Table& a = c.model[TableId::Areas];
    c.history.Append("Writing Shell Elements..........");
    c.out.Line("ELEMENT INCIDENCES SHELL");
    std::string line;
    for (std::size_t i = 0; i < a.rows(); ++i) {
        const bool four = a.Is(i, AreaCol::NumJoints, "4");
        if (!four && !a.Is(i, AreaCol::NumJoints, "3")) continue;
        line.clear();
        AppendElementNumber(line, a.View(i, AreaCol::Area), c.links.shellOffset);
        for (int col = AreaCol::Joint1; col <= (four ? AreaCol::Joint4 : AreaCol::Joint3); ++col) {
            line += ' ';
            a.AppendText(line, i, col);
        }
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

}  // namespace corvane
