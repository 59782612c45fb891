// Load patterns and the four load tables.
#include "reader/Readers.h"
#include "reader/TableCursor.h"

namespace corvane {

void ReadLoadPatterns(ReadContext& c) {
    auto& p = c.tables.loadPatterns;
    p.LoadPat.clear(); p.DesignType.clear(); p.SelfWtMult.clear();
    c.history.append("Reading Load Cases ..........");
    // Current exports list analysis cases under LOAD CASE DEFINITIONS; the
    // load patterns are the table to read whenever the file has one.
    auto at = c.input.FindTable("LOAD PATTERN DEFINITIONS");
    if (!at) at = c.input.FindTable("LOAD CASE DEFINITIONS");
    if (!at) {
        c.history.append("Not Found ..........");
        return;
    }
    TableCursor cursor(c.input, *at);
    TokenStore t;
    long count = 0;
    while (cursor.NextRecord(t)) {
        ++count;
        p.LoadPat.push_back(JoinedOr(t, FieldPosition(t, "LoadCase", "LoadPat"), "NULL"));
        p.DesignType.push_back(ValueOr(t, FieldPosition(t, "DesignType"), "NULL"));
        p.SelfWtMult.push_back(ValueOr(t, FieldPosition(t, "SelfWtMult"), "NULL"));
    }
    NoteCut(c.report, cursor, "LOAD PATTERN DEFINITIONS");
    c.history.append(".......... Done (Total Found : " + std::to_string(count) + " Nos)");
}

namespace {

// The shared frame of the four load readers: start line, table search,
// records (with or without the continuation rule), closing line.
template <class PerRecord>
void ReadLoadTable(ReadContext& c, const char* startLine, const char* table, bool skipContinuation,
                   std::initializer_list<Column*> columns, PerRecord perRecord) {
    auto cursorOrNone = BeginTable(c.input, c.history, startLine, table);
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    ReserveRows(c.input, cursor.Start(), columns);
    TokenStore t;
    while (cursor.NextRecord(t)) {
        if (skipContinuation) cursor.SkipContinuation(t);
        perRecord(t);
    }
    NoteCut(c.report, cursor, table);
    c.history.append(".......... Done");
}

// The pattern column; a record without a pattern field gets "NULL", which
// names no pattern.
std::string PatternOf(const TokenStore& t) { return JoinedOr(t, FieldPosition(t, "LoadPat", "LoadCase"), "NULL"); }

}  // namespace

void ReadFrameDistLoads(ReadContext& c) {
    auto& d = c.tables.frameDistLoads;
    d.Frame.clear(); d.LoadPat.clear(); d.CoordSys.clear(); d.Dir.clear();
    d.AbsDistA.clear(); d.AbsDistB.clear(); d.FOverLA.clear(); d.FOverLB.clear();
    ReadLoadTable(c, "Reading Frame Uniform Load data ..........", "FRAME LOADS - DISTRIBUTED", true,
                  {&d.Frame, &d.LoadPat, &d.CoordSys, &d.Dir, &d.AbsDistA, &d.AbsDistB, &d.FOverLA, &d.FOverLB}, [&](const TokenStore& t) {
        d.Frame.push_back(ValueOr(t, FieldPosition(t, "Frame"), "NULL"));
        d.LoadPat.push_back(PatternOf(t));
        d.CoordSys.push_back(ValueOr(t, FieldPosition(t, "CoordSys"), "GLOBAL"));
        d.Dir.push_back(JoinedOr(t, FieldPosition(t, "Dir"), "Z"));
        const int p = FieldPosition(t, "AbsDistA");
        const std::string end = ValueOr(t, FieldPosition(t, "AbsDistB"), "0.0");
        if (p == -1) {
            d.AbsDistA.push_back("0.0");
            d.AbsDistB.push_back(end);
        } else if (AfterE(t[p - 1]) == "1" && AfterE(t[p - 2]) == "0") {
            // RelDistA=0 RelDistB=1: the load covers the whole frame.
            d.AbsDistA.push_back(" ");
            d.AbsDistB.push_back(" ");
        } else {
            d.AbsDistA.push_back(AfterE(t[p]));
            d.AbsDistB.push_back(end);
        }
        d.FOverLA.push_back(ValueOr(t, FieldPosition(t, "FOverLA"), "0.0"));
        d.FOverLB.push_back(ValueOr(t, FieldPosition(t, "FOverLB"), "0.0"));
    });
}

void ReadFramePointLoads(ReadContext& c) {
    auto& d = c.tables.framePointLoads;
    d.Frame.clear(); d.LoadPat.clear(); d.CoordSys.clear(); d.Dir.clear(); d.AbsDist.clear(); d.Force.clear();
    ReadLoadTable(c, "Reading Frame Point Load data ..........", "FRAME LOADS - POINT", true,
                  {&d.Frame, &d.LoadPat, &d.CoordSys, &d.Dir, &d.AbsDist, &d.Force}, [&](const TokenStore& t) {
        d.Frame.push_back(ValueOr(t, FieldPosition(t, "Frame"), "NULL"));
        d.LoadPat.push_back(PatternOf(t));
        d.CoordSys.push_back(ValueOr(t, FieldPosition(t, "CoordSys"), "GLOBAL"));
        d.Dir.push_back(ValueOr(t, FieldPosition(t, "Dir"), "Z"));
        d.AbsDist.push_back(ValueOr(t, FieldPosition(t, "AbsDist"), "0.0"));
        d.Force.push_back(ValueOr(t, FieldPosition(t, "Force"), "0.0"));
    });
}

void ReadJointLoads(ReadContext& c) {
    auto& d = c.tables.jointLoads;
    Column* forces[] = {&d.F1, &d.F2, &d.F3, &d.M1, &d.M2, &d.M3};
    static constexpr const char* keys[] = {"F1", "F2", "F3", "M1", "M2", "M3"};
    d.Joint.clear(); d.LoadPat.clear();
    for (Column* col : forces) col->clear();
    ReadLoadTable(c, "Reading Joint Load data ..........", "JOINT LOADS - FORCE", false,
                  {&d.Joint, &d.LoadPat, &d.F1, &d.F2, &d.F3, &d.M1, &d.M2, &d.M3}, [&](const TokenStore& t) {
        d.Joint.push_back(ValueOr(t, FieldPosition(t, "Joint"), "NULL"));
        d.LoadPat.push_back(PatternOf(t));
        for (int k = 0; k < 6; ++k) forces[k]->push_back(ValueOr(t, FieldPosition(t, keys[k]), "0.0"));
    });
}

void ReadAreaLoads(ReadContext& c) {
    auto& d = c.tables.areaLoads;
    d.Area.clear(); d.LoadPat.clear(); d.CoordSys.clear(); d.Dir.clear(); d.UnifLoad.clear();
    ReadLoadTable(c, "Reading Area Uniform Load data ..........", "AREA LOADS - UNIFORM", false,
                  {&d.Area, &d.LoadPat, &d.CoordSys, &d.Dir, &d.UnifLoad}, [&](const TokenStore& t) {
        d.Area.push_back(ValueOr(t, FieldPosition(t, "Area"), "NULL"));
        d.LoadPat.push_back(PatternOf(t));
        d.CoordSys.push_back(ValueOr(t, FieldPosition(t, "CoordSys"), "GLOBAL"));
        d.Dir.push_back(JoinedOr(t, FieldPosition(t, "Dir"), "Z"));
        d.UnifLoad.push_back(ValueOr(t, FieldPosition(t, "UnifLoad"), "0.0"));
    });
}

}  // namespace corvane
