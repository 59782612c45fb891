// Frames (CONNECTIVITY - FRAME) and areas (CONNECTIVITY - AREA).
#include "reader/Readers.h"
#include "reader/TableCursor.h"
#include "staad/NumberText.h"

#include <cmath>

namespace corvane {

void ReadFrames(ReadContext& c) {
    auto& f = c.tables.frames;
    f.Frame.clear(); f.JointI.clear(); f.JointJ.clear();
    auto cursorOrNone = BeginTable(c.input, c.history, "Reading Frame Element data ..........", "CONNECTIVITY - FRAME");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    ReserveRows(c.input, cursor.Start(), {&f.Frame, &f.JointI, &f.JointJ});
    TokenStore t;
    long count = 0;
    // Positional: SAP2000 writes Frame=, JointI= and JointJ= first.
    while (cursor.NextRecord(t)) {
        f.Frame.emplace_back(MidFrom(t[1], 7));
        f.JointI.emplace_back(MidFrom(t[2], 8));
        f.JointJ.emplace_back(MidFrom(t[3], 8));
        ++count;
    }
    NoteCut(c.report, cursor, "CONNECTIVITY - FRAME");
    c.history.append(".......... Done (Total Frame Elemets : " + std::to_string(count) + ")");
}

void ReadAreas(ReadContext& c) {
    auto& a = c.tables.areas;
    a.Area.clear(); a.NumJoints.clear(); a.Joint1.clear(); a.Joint2.clear(); a.Joint3.clear(); a.Joint4.clear();
    auto cursorOrNone = BeginTable(c.input, c.history, "Reading Shell Element data ..........", "CONNECTIVITY - AREA");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    ReserveRows(c.input, cursor.Start(), {&a.Area, &a.NumJoints, &a.Joint1, &a.Joint2, &a.Joint3, &a.Joint4});
    TokenStore t;
    long count = 0;
    while (cursor.NextRecord(t)) {
        const int pa = FieldPosition(t, "Area");
        const int p = FieldPosition(t, "NumJoints");
        std::string name = ValueOr(t, pa, "NULL");
        std::string corners[4];
        std::string countText;
        double joints = 0;
        if (p != -1) {
            countText = AfterE(t[p]);
            joints = std::floor(TextToNumber(countText));
            if (joints == 3 || joints == 4) {
                for (int k = 0; k < 3; ++k) corners[k] = AfterE(t[p + 1 + k]);
                corners[3] = joints == 4 ? AfterE(t[p + 4]) : "NULL";
            }
        } else {
            // Current exports leave out NumJoints: the corners are the
            // fields Joint1, Joint2, ... in sequence.
            int found = 0;
            std::string keyed[5];
            while (found < 5) {
                const int q = FieldPosition(t, "Joint" + std::to_string(found + 1));
                if (q == -1) break;
                keyed[found++] = AfterE(t[q]);
            }
            joints = found;
            if (found == 3 || found == 4) {
                countText = std::to_string(found);
                for (int k = 0; k < 3; ++k) corners[k] = keyed[k];
                corners[3] = found == 4 ? keyed[3] : "NULL";
            }
        }
        if (joints != 3 && joints != 4) {
            if (c.report)
                c.report->Add("area-joint-count", "CONNECTIVITY - AREA", name,
                              "Area " + name + " is left out: only areas with 3 or 4 joints are converted.");
            continue;
        }
        ++count;
        a.Area.push_back(std::move(name));
        a.NumJoints.push_back(std::move(countText));
        a.Joint1.push_back(std::move(corners[0]));
        a.Joint2.push_back(std::move(corners[1]));
        a.Joint3.push_back(std::move(corners[2]));
        a.Joint4.push_back(std::move(corners[3]));
    }
    NoteCut(c.report, cursor, "CONNECTIVITY - AREA");
    c.history.append(".......... Done (Total Shell Elements : " + std::to_string(count) + ")");
}

}  // namespace corvane
