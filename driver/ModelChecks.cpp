#include "driver/ModelChecks.h"

#include "staad/Blocks.h"
#include "staad/NumberText.h"

#include "model/TextSet.h"

namespace corvane {

namespace {

bool IsWholeNumberText(std::string_view s) {
    if (s.empty()) return false;
    for (char ch : s)
        if (ch < '0' || ch > '9') return false;
    return true;
}

void CheckNumbers(Report& report, const Column& names, const char* table, const char* what) {
    for (const auto& name : names)
        if (!IsWholeNumberText(name))
            report.Add("number-not-integer", table, name,
                       std::string(what) + " " + name + " is not a whole number, which STAAD.Pro requires.");
}

}  // namespace

void CheckModel(const InputText& input, const ModelTables& t, Report& report, bool withMembers) {
    if (!input.HasAnyTable())
        report.Add("not-tabular", "", "", "The input has no \"TABLE:\" line; it is not a tabular SAP2000 export and nothing was read.");

    CheckNumbers(report, t.joints.Joint, "JOINT COORDINATES", "Joint");
    if (withMembers) CheckNumbers(report, t.frames.Frame, "CONNECTIVITY - FRAME", "Member");
    CheckNumbers(report, t.areas.Area, "CONNECTIVITY - AREA", "Area");

    if (withMembers) {
        const TextSet members(t.frames.Frame);
        for (const auto& area : t.areas.Area) {
            const std::string element = ShellNumber(area);
            if (members.Contains(element))
                report.Add("number-collision", "CONNECTIVITY - AREA", area,
                           "Shell element " + element + " of area " + area + " has the number of a member.");
        }
    }

    const TextSet joints(t.joints.Joint);
    const auto check = [&](const char* table, const char* what, const std::string& owner, const std::string& joint) {
        if (!joints.Contains(joint))
            report.Add("missing-joint", table, owner,
                       std::string(what) + " " + owner + " names joint " + joint + ", which is not in the joint table.");
    };
    const auto& f = t.frames;
    for (std::size_t i = 0; withMembers && i < f.Frame.size(); ++i) {
        check("CONNECTIVITY - FRAME", "Member", f.Frame[i], f.JointI[i]);
        check("CONNECTIVITY - FRAME", "Member", f.Frame[i], f.JointJ[i]);
    }
    const auto& a = t.areas;
    for (std::size_t i = 0; i < a.Area.size(); ++i) {
        check("CONNECTIVITY - AREA", "Area", a.Area[i], a.Joint1[i]);
        check("CONNECTIVITY - AREA", "Area", a.Area[i], a.Joint2[i]);
        check("CONNECTIVITY - AREA", "Area", a.Area[i], a.Joint3[i]);
        if (TextToNumber(a.NumJoints[i]) >= 4) check("CONNECTIVITY - AREA", "Area", a.Area[i], a.Joint4[i]);
    }
}

}  // namespace corvane
