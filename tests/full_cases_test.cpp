// The full conversion's load cases: a primary load per linear static case
// with its patterns' loads times their factors, combinations of cases and
// of combinations, envelopes, P-Delta cases, and what is left out.
#include "FullTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvane;
using namespace corvane::test;

namespace {

// A portal: two columns and a beam.
const std::string kPortal =
    TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=4   GlobalY=0   GlobalZ=0",
                                    "Joint=3   GlobalX=0   GlobalY=0   GlobalZ=3", "Joint=4   GlobalX=4   GlobalY=0   GlobalZ=3"}) +
    TableText("CONNECTIVITY - FRAME", {"Frame=1   JointI=1   JointJ=3", "Frame=2   JointI=3   JointJ=4", "Frame=3   JointI=2   JointJ=4"}) +
    TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", {"Material=STEEL   UnitWeight=78.5   E1=200000000   U12=0.3"}) +
    TableText("FRAME SECTION PROPERTIES 01 - GENERAL",
              {"SectionName=R1   Material=STEEL   Shape=Rectangular   t3=0.5   t2=0.3   Area=0.15   TorsConst=0.0028   I33=0.003125   I22=0.001125   AS2=0.125   AS3=0.125"}) +
    TableText("FRAME SECTION ASSIGNMENTS", {"Frame=1   AnalSect=R1", "Frame=2   AnalSect=R1", "Frame=3   AnalSect=R1"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
                                              "Joint=2   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
    TableText("LOAD PATTERN DEFINITIONS",
              {"LoadPat=DEAD   DesignType=Dead   SelfWtMult=1", "LoadPat=SDL   DesignType=\"Super Dead\"   SelfWtMult=0",
               "LoadPat=W   DesignType=Wind   SelfWtMult=0", "LoadPat=SPARE   DesignType=Other   SelfWtMult=0"}) +
    TableText("JOINT LOADS - FORCE", {"Joint=4   LoadPat=SDL   CoordSys=GLOBAL   F1=0   F2=0   F3=-10   M1=0   M2=0   M3=0",
                                      "Joint=3   LoadPat=W   CoordSys=GLOBAL   F1=5   F2=0   F3=0   M1=0   M2=0   M3=0",
                                      "Joint=3   LoadPat=SPARE   CoordSys=GLOBAL   F1=0   F2=0   F3=-77   M1=0   M2=0   M3=0"}) +
    TableText("FRAME LOADS - DISTRIBUTED", {"Frame=2   LoadPat=SDL   CoordSys=GLOBAL   Type=Force   Dir=Gravity   RelDistA=0   RelDistB=1   "
                                            "AbsDistA=0   AbsDistB=4   FOverLA=2   FOverLB=2"});

// Cases: DL = 1.2 DEAD + 0.8 SDL, WIND = 1.2 W; SPARE is in no case.
std::string Cases(const std::vector<std::string>& extraCases = {}, const std::vector<std::string>& extraLoads = {}) {
    std::vector<std::string> cases = {"Case=DL   Type=LinStatic   InitialCond=Zero   DesignType=Dead",
                                      "Case=WIND   Type=LinStatic   InitialCond=Zero   DesignType=Wind"};
    std::vector<std::string> loads = {"Case=DL   LoadType=\"Load pattern\"   LoadName=DEAD   LoadSF=1.2",
                                      "Case=DL   LoadType=\"Load pattern\"   LoadName=SDL   LoadSF=0.8",
                                      "Case=WIND   LoadType=\"Load pattern\"   LoadName=W   LoadSF=1.2"};
    cases.insert(cases.end(), extraCases.begin(), extraCases.end());
    loads.insert(loads.end(), extraLoads.begin(), extraLoads.end());
    return TableText("LOAD CASE DEFINITIONS", cases) + TableText("CASE - STATIC 1 - LOAD ASSIGNMENTS", loads);
}

std::string Combos(const std::vector<std::string>& rows) { return TableText("COMBINATION DEFINITIONS", rows); }

// The lines from `from` up to the next load or combination.
std::vector<std::string> LoadLines(const std::vector<std::string>& lines, const std::string& from) {
    auto at = std::find(lines.begin(), lines.end(), from);
    std::vector<std::string> out;
    if (at == lines.end()) return out;
    for (++at; at != lines.end() && at->rfind("LOAD ", 0) != 0 && *at != "PERFORM ANALYSIS" && *at != "CHANGE"; ++at) out.push_back(*at);
    return out;
}

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

}  // namespace

TEST(FullCases, APrimaryLoadPerCaseWithEveryPatternTimesItsFactor) {
    const FullRun r = RunFull(kPortal + Cases());
    const std::vector<std::string> dl = LoadLines(r.lines, "LOAD 1 LOADTYPE Dead TITLE DL");
    // Self weight, joint and member loads alike, each pattern by its factor.
    EXPECT_TRUE(Has(dl, " SELFWEIGHT Y -1.2"));
    EXPECT_TRUE(Contains(dl, "4   FY -8"));
    EXPECT_TRUE(Contains(dl, "2   UNI GY -1.6"));
    EXPECT_TRUE(Contains(LoadLines(r.lines, "LOAD 2 LOADTYPE Wind TITLE WIND"), "3   FX 6"));
    // A pattern no case applies is not analysed, so not written.
    EXPECT_TRUE(HasEntry(r.report, "pattern-without-case", "SPARE"));
    EXPECT_FALSE(Contains(r.lines, "TITLE SPARE"));
    EXPECT_FALSE(Contains(r.lines, "-77"));
    EXPECT_FALSE(Contains(r.lines, "LOAD 3"));
    EXPECT_TRUE(Has(r.lines, "PERFORM ANALYSIS"));
    // Without the case tables every pattern is a load of its own.
    const FullRun old = RunFull(kPortal);
    EXPECT_TRUE(Has(old.lines, "LOAD 4 LOADTYPE None TITLE SPARE"));
    EXPECT_TRUE(Contains(LoadLines(old.lines, "LOAD 2 LOADTYPE Dead TITLE SDL"), "4   FY -10"));
}

TEST(FullCases, CombinationsOfCasesAndOfCombinationsMultipliedOut) {
    const FullRun r = RunFull(kPortal + Cases() +
                              Combos({"ComboName=C1   ComboType=\"Linear Add\"   CaseType=\"Linear Static\"   CaseName=DL   ScaleFactor=1",
                                      "ComboName=C1   CaseType=\"Linear Static\"   CaseName=WIND   ScaleFactor=0.3",
                                      "ComboName=C2   ComboType=\"Linear Add\"   CaseType=\"Response Combo\"   CaseName=C1   ScaleFactor=2",
                                      "ComboName=C2   CaseType=\"Linear Static\"   CaseName=WIND   ScaleFactor=1",
                                      "ComboName=C3   ComboType=SRSS   CaseType=\"Response Combo\"   CaseName=C1   ScaleFactor=1",
                                      "ComboName=C3   CaseType=\"Linear Static\"   CaseName=WIND   ScaleFactor=-1",
                                      "ComboName=C4   ComboType=\"Absolute Add\"   CaseType=\"Linear Static\"   CaseName=WIND   ScaleFactor=-2",
                                      "ComboName=C5   ComboType=\"Linear Add\"   CaseType=\"Linear Static\"   CaseName=DL   ScaleFactor=1",
                                      "ComboName=C5   CaseType=\"Linear Static\"   CaseName=SPARE   ScaleFactor=1",
                                      "ComboName=C5   CaseType=\"Linear Static\"   CaseName=MODAL   ScaleFactor=1",
                                      "ComboName=C6   ComboType=\"Linear Add\"   CaseType=\"Response Combo\"   CaseName=C5   ScaleFactor=1",
                                      "ComboName=C7   ComboType=\"Range Add\"   CaseType=\"Linear Static\"   CaseName=DL   ScaleFactor=1"}));
    // The case's load already holds its factors: 0.3 of WIND is 0.36 of W.
    EXPECT_TRUE(Has(r.lines, "LOAD COMB 3 C1"));
    EXPECT_TRUE(Has(r.lines, "1 1 2 0.3 "));
    EXPECT_TRUE(Has(r.lines, "LOAD COMB 4 C2"));
    EXPECT_TRUE(Has(r.lines, "1 2 2 1.6 "));
    // SRSS names the combination itself; STAAD.Pro adds f |R| where
    // SAP2000 adds |f R|, so an absolute sum takes |f|.
    EXPECT_TRUE(Has(r.lines, "LOAD COMBINATION SRSS 5 C3"));
    EXPECT_TRUE(Has(r.lines, "3 1 2 -1 "));
    EXPECT_TRUE(Has(r.lines, "LOAD COMBINATION ABS 6 C4"));
    EXPECT_TRUE(Has(r.lines, "2 2 "));
    // A combination naming what is not converted is left out, and so is
    // one that takes it in.
    EXPECT_TRUE(HasEntry(r.report, "combination-term-not-converted", "C5", "", "SPARE, MODAL"));
    EXPECT_TRUE(HasEntry(r.report, "combination-term-not-converted", "C6", "", "C5"));
    EXPECT_TRUE(HasEntry(r.report, "combination-not-converted", "C7"));
    EXPECT_FALSE(Contains(r.lines, " C5"));
    EXPECT_FALSE(Contains(r.lines, " C6"));
}

TEST(FullCases, EnvelopesListTheirLoadsOnceEach) {
    const FullRun r = RunFull(kPortal + Cases() +
                              Combos({"ComboName=C1   ComboType=\"Linear Add\"   CaseName=DL   ScaleFactor=1",
                                      "ComboName=C1   CaseName=WIND   ScaleFactor=1",
                                      "ComboName=E1   ComboType=Envelope   CaseName=DL   ScaleFactor=1",
                                      "ComboName=E1   CaseName=WIND   ScaleFactor=1",
                                      "ComboName=E1   CaseName=C1   ScaleFactor=1",
                                      "ComboName=E2   ComboType=Envelope   CaseName=C1   ScaleFactor=1",
                                      "ComboName=E3   ComboType=Envelope   CaseName=WIND   ScaleFactor=2",
                                      "ComboName=C2   ComboType=\"Linear Add\"   CaseName=E1   ScaleFactor=1"}));
    EXPECT_TRUE(Has(r.lines, "DEFINE ENVELOPE"));
    EXPECT_TRUE(Has(r.lines, "1 TO 3 ENVELOPE 1"));
    EXPECT_TRUE(Has(r.lines, "END DEFINE ENVELOPE"));
    // STAAD.Pro keeps a load in its last envelope only; an envelope has no
    // factors and is no load.
    EXPECT_TRUE(HasEntry(r.report, "envelope-overlap", "E2", "", "C1"));
    EXPECT_TRUE(HasEntry(r.report, "combination-term-not-converted", "E3", "", "WIND times 2"));
    EXPECT_TRUE(HasEntry(r.report, "combination-term-not-converted", "C2", "", "E1"));
    EXPECT_FALSE(Contains(r.lines, "ENVELOPE 2"));
}

TEST(FullCases, PDeltaCasesAreAnalysedApartOthersAreReportedByName) {
    const FullRun r = RunFull(
        kPortal +
        Cases({"Case=PD   Type=NonStatic   InitialCond=Zero   DesignType=Dead", "Case=PD2   Type=NonStatic   InitialCond=Zero   DesignType=Dead",
               "Case=LD   Type=NonStatic   InitialCond=Zero   DesignType=Dead", "Case=AFTER   Type=LinStatic   InitialCond=PD   DesignType=Wind",
               "Case=BUCK   Type=LinBuckling   InitialCond=Zero   DesignType=Other", "Case=TH   Type=LinModHist   InitialCond=Zero   DesignType=Quake",
               "Case=ACC   Type=LinStatic   InitialCond=Zero   DesignType=Quake", "Case=ONLYACC   Type=LinStatic   InitialCond=Zero   DesignType=Quake"},
              {"Case=PD   LoadType=\"Load pattern\"   LoadName=DEAD   LoadSF=1.5", "Case=PD2   LoadType=\"Load pattern\"   LoadName=SDL   LoadSF=1",
               "Case=LD   LoadType=\"Load pattern\"   LoadName=DEAD   LoadSF=1", "Case=AFTER   LoadType=\"Load pattern\"   LoadName=W   LoadSF=1",
               "Case=ACC   LoadType=\"Load pattern\"   LoadName=W   LoadSF=1", "Case=ACC   LoadType=Accel   LoadName=\"Accel U1\"   LoadSF=9.81",
               "Case=ONLYACC   LoadType=Accel   LoadName=UZ   LoadSF=1"}) +
        TableText("CASE - STATIC 4 - NONLINEAR PARAMETERS", {"Case=PD   GeoNonLin=P-Delta   MaxIterCS=4   MaxIterNR=40",
                                                             "Case=PD2   GeoNonLin=P-Delta   MaxIterCS=6   MaxIterNR=40",
                                                             "Case=LD   GeoNonLin=\"P-Delta plus Large Displacements\"   MaxIterCS=10"}) +
        Combos({"ComboName=C1   ComboType=\"Linear Add\"   CaseName=PD   ScaleFactor=1", "ComboName=C1   CaseName=WIND   ScaleFactor=1"}));
    // The linear cases, then each group of P-Delta cases analysed by
    // itself; the combinations come before the last analysis.
    const std::vector<std::string> expected = {"LOAD 1 LOADTYPE Dead TITLE DL", "LOAD 2 LOADTYPE Wind TITLE WIND", "LOAD 3 LOADTYPE Seismic-H TITLE ACC",
                                               "PERFORM ANALYSIS", "CHANGE", "LOAD 4 LOADTYPE Dead TITLE PD", "PDELTA 4 ANALYSIS", "CHANGE",
                                               "LOAD 5 LOADTYPE Dead TITLE PD2", "LOAD COMB 6 C1", "4 1 2 1 ", "PDELTA 6 ANALYSIS", "FINISH"};
    std::vector<std::string> seen;
    for (const std::string& l : r.lines)
        if (std::find(expected.begin(), expected.end(), l) != expected.end()) seen.push_back(l);
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(Has(r.lines, "SET NL 5"));
    EXPECT_TRUE(Has(LoadLines(r.lines, "LOAD 4 LOADTYPE Dead TITLE PD"), " SELFWEIGHT Y -1.5"));
    for (const char* name : {"LD", "AFTER", "BUCK", "TH"}) EXPECT_TRUE(HasEntry(r.report, "case-not-converted", name)) << name;
    EXPECT_TRUE(HasEntry(r.report, "acceleration-not-converted", "ACC", "", "Accel_U1 (X 9.81)"));
    EXPECT_FALSE(HasEntry(r.report, "case-not-converted", "ACC"));
    // A case of accelerations alone leaves nothing to write.
    EXPECT_TRUE(HasEntry(r.report, "case-not-converted", "ONLYACC", "", "LinStatic, applies accelerations only"));
    EXPECT_FALSE(Contains(r.lines, "TITLE ONLYACC"));
    // One analysis needs no count of primary loads.
    EXPECT_FALSE(Contains(RunFull(kPortal + Cases()).lines, "SET NL"));
}

TEST(FullCases, TheChimneysWindCaseHoldsItsFactor) {
    const std::string file = CorpusFile("sap2000_v25_kNm_chimney_combos_jointloads.$2k");
    if (file.empty()) GTEST_SKIP() << "the shared corpus is not beside the project";
    const FullRun r = RunFull(ReadFile(file));
    // WIND_X is 1.2 times its pattern: the first uniform load of the
    // pattern (49.34) is written 59.208.
    EXPECT_TRUE(Contains(LoadLines(r.lines, "LOAD 2 LOADTYPE Wind TITLE WIND_X"), "UNI GX 59.208"));
    // Its pattern DEAD is analysed only from the state of a nonlinear
    // case, and every combination takes a response spectrum.
    EXPECT_TRUE(HasEntry(r.report, "case-not-converted", "DEAD_P_Delta"));
    EXPECT_TRUE(HasEntry(r.report, "combination-term-not-converted", "Foundation_Check", "", "DEAD_P_Delta, RSX"));
    EXPECT_TRUE(Has(r.lines, "PDELTA 10 ANALYSIS"));
}

TEST(FullCases, TheNumberMapNamesEveryLoad) {
    const TempDir dir;
    Session session;
    session.inputPath = dir.Write("m.s2k", kPortal + Cases() +
                                               Combos({"ComboName=C1   ComboType=\"Linear Add\"   CaseName=DL   ScaleFactor=1",
                                                       "ComboName=E1   ComboType=Envelope   CaseName=WIND   ScaleFactor=1"}));
    session.outputPath = dir.Path("m.std");
    session.options.full = true;
    MemoryHistory history;
    MemoryMessages messages;
    ASSERT_TRUE(MakeStaad(session, history, messages));
    const std::vector<std::string> map = CrlfLines(ReadFile(dir.Path("m.numbers.csv")));
    for (const char* row : {"load,DL,1", "load,WIND,2", "load,C1,3", "envelope,E1,1"}) EXPECT_TRUE(Has(map, row)) << row;
}
