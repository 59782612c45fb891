#include "model/Tables.h"

namespace corvane {

std::vector<NamedTable> ModelTables::all() {
    return {
        {"JointTable", {{"Joint", &joints.Joint}, {"GlobalX", &joints.GlobalX}, {"GlobalY", &joints.GlobalY}, {"GlobalZ", &joints.GlobalZ}}},
        {"FrameTable", {{"Frame", &frames.Frame}, {"JointI", &frames.JointI}, {"JointJ", &frames.JointJ}}},
        {"AreaTable", {{"Area", &areas.Area}, {"NumJoints", &areas.NumJoints}, {"Joint1", &areas.Joint1}, {"Joint2", &areas.Joint2}, {"Joint3", &areas.Joint3}, {"Joint4", &areas.Joint4}}},
        {"RestraintTable", {{"Joint", &restraints.Joint}, {"ux", &restraints.ux}, {"uy", &restraints.uy}, {"uz", &restraints.uz}, {"rx", &restraints.rx}, {"ry", &restraints.ry}, {"rz", &restraints.rz}}},
        {"FrameReleaseTable", {{"Frame", &releases.Frame}, {"M2I", &releases.M2I}, {"M3I", &releases.M3I}, {"M2J", &releases.M2J}, {"M3J", &releases.M3J}}},
        {"MaterialTable", {{"Material", &materials.Material}, {"UnitWeight", &materials.UnitWeight}, {"E1", &materials.E1}, {"U12", &materials.U12}}},
        {"FrameSectionTable", {{"SectionName", &frameSections.SectionName}, {"Material", &frameSections.Material}, {"Dim1", &frameSections.Dim1}, {"Dim2", &frameSections.Dim2}, {"Shape", &frameSections.Shape}}},
        {"AreaSectionTable", {{"Section", &areaSections.Section}, {"Material", &areaSections.Material}, {"Thickness", &areaSections.Thickness}}},
        {"FrameSectionAssignTable", {{"Frame", &frameAssigns.Frame}, {"AnalSect", &frameAssigns.AnalSect}, {"Material", &frameAssigns.Material}}},
        {"AreaSectionAssignTable", {{"Area", &areaAssigns.Area}, {"Section", &areaAssigns.Section}}},
        {"LoadPatternTable", {{"LoadPat", &loadPatterns.LoadPat}, {"DesignType", &loadPatterns.DesignType}, {"SelfWtMult", &loadPatterns.SelfWtMult}}},
        {"FrameDistLoadTable", {{"Frame", &frameDistLoads.Frame}, {"LoadPat", &frameDistLoads.LoadPat}, {"CoordSys", &frameDistLoads.CoordSys}, {"Dir", &frameDistLoads.Dir}, {"AbsDistA", &frameDistLoads.AbsDistA}, {"AbsDistB", &frameDistLoads.AbsDistB}, {"FOverLA", &frameDistLoads.FOverLA}, {"FOverLB", &frameDistLoads.FOverLB}}},
        {"FramePointLoadTable", {{"Frame", &framePointLoads.Frame}, {"LoadPat", &framePointLoads.LoadPat}, {"CoordSys", &framePointLoads.CoordSys}, {"Dir", &framePointLoads.Dir}, {"AbsDist", &framePointLoads.AbsDist}, {"Force", &framePointLoads.Force}}},
        {"JointLoadTable", {{"Joint", &jointLoads.Joint}, {"LoadPat", &jointLoads.LoadPat}, {"F1", &jointLoads.F1}, {"F2", &jointLoads.F2}, {"F3", &jointLoads.F3}, {"M1", &jointLoads.M1}, {"M2", &jointLoads.M2}, {"M3", &jointLoads.M3}}},
        {"AreaLoadTable", {{"Area", &areaLoads.Area}, {"LoadPat", &areaLoads.LoadPat}, {"CoordSys", &areaLoads.CoordSys}, {"Dir", &areaLoads.Dir}, {"UnifLoad", &areaLoads.UnifLoad}}},
        {"CombinationTable", {{"ComboName", &combinations.ComboName}, {"CaseName", &combinations.CaseName}, {"ScaleFactor", &combinations.ScaleFactor}, {"LoadNumber", &combinations.LoadNumber}}},
    };
}

void ClearColumns(const NamedTable& t) {
    for (const auto& c : t.columns) c.cells->clear();
}

}  // namespace corvane
