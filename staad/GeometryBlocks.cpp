// Joints, members and shell elements. SAP2000's (X, Y, Z) is written as
// STAAD.Pro's (X, Z, -Y).
#include "staad/Blocks.h"
#include "text/NumberText.h"

#include <cmath>

namespace corvane {

void WriteJointsBlock(StaadContext& c) {
    const Table& j = c.model[TableId::Joints];
    c.history.Append("Writing Joint Coordinates..........");
    c.out.Line("JOINT COORDINATES");
    std::string line, scratch;
    for (std::size_t i = 0; i < j.rows(); ++i) {
        // -Y is computed: a joint with a coordinate that is no finite
        // number has no line (the report names it).
        if (!JointPlaced(j, i)) continue;
        line.assign(c.links.OwnName(NameKind::Joint, j, i, JointCol::Joint, scratch));
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
    std::string line, scratch;
    for (std::size_t i = 0; i < f.rows(); ++i) {
        line.assign(c.links.OwnName(NameKind::Member, f, i, FrameCol::Frame, scratch));
        line += ' ';
        line += c.links.NameOf(NameKind::Joint, f, i, FrameCol::JointI, scratch);
        line += ' ';
        line += c.links.NameOf(NameKind::Joint, f, i, FrameCol::JointJ, scratch);
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

void WriteShellsBlock(StaadContext& c) {
    const Table& a = c.model[TableId::Areas];
    c.history.Append("Writing Shell Elements..........");
    c.out.Line("ELEMENT INCIDENCES SHELL");
    std::string line, scratch;
    for (std::size_t i = 0; i < a.rows(); ++i) {
        const bool four = a.Is(i, AreaCol::NumJoints, "4");
        if (!four && !a.Is(i, AreaCol::NumJoints, "3")) {
            // The incidences take only a count written "3" or "4"; the
            // material and property lists still name the area.
            if (c.report) c.report->Add(ReportKind::AreaNotWritten, "CONNECTIVITY - AREA", a.Text(i, AreaCol::Area), a.Text(i, AreaCol::NumJoints));
            continue;
        }
        line.clear();
        c.links.AppendOwnElement(line, a, i);
        for (int col = AreaCol::Joint1; col <= (four ? AreaCol::Joint4 : AreaCol::Joint3); ++col) {
            line += ' ';
            line += c.links.NameOf(NameKind::Joint, a, i, col, scratch);
        }
        c.out.Line(line);
    }
    c.history.Append(".......... Done ");
}

}  // namespace corvane
