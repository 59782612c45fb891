// Frames (CONNECTIVITY - FRAME) and areas (CONNECTIVITY - AREA).
#include "reader/ReaderSupport.h"
#include "text/NumberText.h"

#include <cmath>

namespace corvane {

namespace {
const KeySet kFrameKeys{{"Frame", FrameCol::Frame}, {"JointI", FrameCol::JointI}, {"JointJ", FrameCol::JointJ}};
}  // namespace

void ReadFrames(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::Frames, "Reading Frame Element data ..........");
    if (!cursor) return;
    Table& f = c.model[TableId::Frames];
    ReserveRows(c, f, *cursor);
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    while (cursor->NextRecord(t, &kFrameKeys, pos)) {
        Cell* row = f.AppendRow();
        if (t.AnyQuote()) {
            // A quoted name may hold blanks, which move the fields: by key.
            for (int col : {FrameCol::Frame, FrameCol::JointI, FrameCol::JointJ}) row[col] = JoinedCell(f, t, pos[col]);
            continue;
        }
        // Positional: SAP2000 writes Frame=, JointI= and JointJ= first.
        row[FrameCol::Frame] = CharsFromCell(f, t[1], 7);
        row[FrameCol::JointI] = CharsFromCell(f, t[2], 8);
        row[FrameCol::JointJ] = CharsFromCell(f, t[3], 8);
    }
    NoteCut(c, *cursor, TableId::Frames);
    c.history.Append(DoneLine("Total Frame Elemets : ", f.rows()));
}

namespace {

enum AreaKey { kArea, kNumJoints, kJoint1 };
const KeySet kAreaKeys{{"Area", kArea}, {"NumJoints", kNumJoints}, {"Joint1", kJoint1},     {"Joint2", kJoint1 + 1},
                       {"Joint3", kJoint1 + 2}, {"Joint4", kJoint1 + 3}, {"Joint5", kJoint1 + 4}};

}  // namespace

void ReadAreas(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::Areas, "Reading Shell Element data ..........");
    if (!cursor) return;
    Table& a = c.model[TableId::Areas];
    ReserveRows(c, a, *cursor);
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    while (cursor->NextRecord(t, &kAreaKeys, pos)) {
        const int p = pos[kNumJoints];
        double joints = 0;
        int keyed = 0;  // corners given as Joint1, Joint2, ... in sequence
        if (p != -1) {
            joints = std::floor(TextToNumber(ValueText(t, p)));
        } else {
            // Current exports leave out NumJoints.
            while (keyed < 5 && pos[kJoint1 + keyed] != -1) ++keyed;
            joints = keyed;
        }
        if (joints != 3 && joints != 4) {
            if (c.report) c.report->Add(ReportKind::AreaJointCount, "CONNECTIVITY - AREA", JoinedText(t, pos[kArea]));
            continue;
        }
        Cell* row = a.AppendRow();
        row[AreaCol::Area] = JoinedCell(a, t, pos[kArea]);
        const int corners = joints == 4 ? 4 : 3;
        if (p != -1) {
            row[AreaCol::NumJoints] = ValueCell(a, t, p);
            // The corners follow NumJoints; a record with a quoted name has
            // them by key.
            for (int k = 0; k < corners; ++k)
                row[AreaCol::Joint1 + k] = t.AnyQuote() ? JoinedCell(a, t, pos[kJoint1 + k]) : JoinedCell(a, t, p + 1 + k);
        } else {
            row[AreaCol::NumJoints] = a.TextCell(keyed == 3 ? "3" : "4");
            for (int k = 0; k < keyed; ++k) row[AreaCol::Joint1 + k] = JoinedCell(a, t, pos[kJoint1 + k]);
        }
    }
    NoteCut(c, *cursor, TableId::Areas);
    c.history.Append(DoneLine("Total Shell Elements : ", a.rows()));
}

}  // namespace corvane
