// Load patterns and the four load tables.
#include "reader/ReaderSupport.h"

namespace corvane {

namespace {
enum PatternKey { kPatternName, kDesignType, kSelfWtMult };
const KeySet kPatternKeys{{"LoadCase", kPatternName}, {"LoadPat", kPatternName}, {"DesignType", kDesignType}, {"SelfWtMult", kSelfWtMult}};
}  // namespace

void ReadLoadPatterns(ReadContext& c) {
    // Current exports list analysis cases under LOAD CASE DEFINITIONS; the
    // load patterns are the table to read whenever the file has one.
    c.history.Append("Reading Load Cases ..........");
    Table& p = c.model[TableId::LoadPatterns];
    p.Reset(c.options.full);
    p.SetSource(c.input.source());
    auto at = c.input.FindTable("LOAD PATTERN DEFINITIONS");
    if (!at) at = c.input.FindTable("LOAD CASE DEFINITIONS");
    if (!at) {
        c.history.Append("Not Found ..........");
        return;
    }
    p.SetFound(true);
    TableCursor cursor(c.input, *at);
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    while (cursor.NextRecord(t, &kPatternKeys, pos)) {
        Cell* row = p.AppendRow();
        row[LoadPatternCol::LoadPat] = JoinedCell(p, t, pos[kPatternName]);
        // The full conversion maps every design type, those of two words too.
        row[LoadPatternCol::DesignType] = c.options.full ? PlainValueCell(p, t, pos[kDesignType]) : ValueCell(p, t, pos[kDesignType]);
        row[LoadPatternCol::SelfWtMult] = ValueCell(p, t, pos[kSelfWtMult]);
    }
    NoteCut(c, cursor, TableId::LoadPatterns);
    c.history.Append(".......... Done (Total Found : " + std::to_string(p.rows()) + " Nos)");
}

namespace {

// Every load table names its pattern with LoadPat or LoadCase in slot 0;
// the frame load tables give the load's type (force or moment) in slot 1.
constexpr int kLoadPat = 0, kMomentType = 1;

// The shared frame of the four load readers: start line, table search,
// records (with or without the continuation rule), closing line.
template <class PerRecord>
void ReadLoadTable(ReadContext& c, TableId id, const char* startLine, bool skipContinuation, const KeySet& keys,
                   PerRecord perRecord) {
    auto cursor = BeginTable(c, id, startLine);
    if (!cursor) return;
    Table& table = c.model[id];
    ReserveRows(c, table, *cursor);
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    while (cursor->NextRecord(t, &keys, pos)) {
        if (skipContinuation) cursor->SkipContinuation(t);
        Cell* row = table.AppendRow();
        perRecord(table, row, t, pos);
        FillFullColumns(table, row, t);
        // A moment is read as a force whose value is missing (0); only the
        // full conversion writes moments.
        if (!c.options.full && c.report && ValueIs(t, pos[kMomentType], "Moment"))
            c.report->Add(ReportKind::MomentLoadAsForce, Describe(id).sapName, table.Text(table.rows() - 1, 0),
                          table.Text(table.rows() - 1, 1));
    }
    NoteCut(c, *cursor, id);
    c.history.Append(".......... Done");
}


enum DistKey { kDistFrame = 2, kDistCoordSys, kDistDir, kAbsDistA, kAbsDistB, kFOverLA, kFOverLB };
const KeySet kDistKeys{{"LoadPat", kLoadPat},     {"LoadCase", kLoadPat},   {"Type", kMomentType}, {"Frame", kDistFrame},
                       {"CoordSys", kDistCoordSys}, {"Dir", kDistDir},        {"AbsDistA", kAbsDistA},
                       {"AbsDistB", kAbsDistB},   {"FOverLA", kFOverLA},    {"FOverLB", kFOverLB}};

enum PointKey { kPointFrame = 2, kPointCoordSys, kPointDir, kAbsDist, kForce };
const KeySet kPointKeys{{"LoadPat", kLoadPat}, {"LoadCase", kLoadPat}, {"Type", kMomentType}, {"Frame", kPointFrame}, {"CoordSys", kPointCoordSys},
                        {"Dir", kPointDir},    {"AbsDist", kAbsDist},  {"Force", kForce}};

enum JointKey { kJoint = 2, kF1 };
const KeySet kJointKeys{{"LoadPat", kLoadPat}, {"LoadCase", kLoadPat}, {"Joint", kJoint}, {"F1", kF1},   {"F2", kF1 + 1},
                        {"F3", kF1 + 2},       {"M1", kF1 + 3},        {"M2", kF1 + 4},   {"M3", kF1 + 5}};

enum AreaKey { kArea = 2, kAreaCoordSys, kAreaDir, kUnifLoad };
const KeySet kAreaKeys{{"LoadPat", kLoadPat}, {"LoadCase", kLoadPat}, {"Area", kArea},
                       {"CoordSys", kAreaCoordSys}, {"Dir", kAreaDir}, {"UnifLoad", kUnifLoad}};

}  // namespace

void ReadFrameDistLoads(ReadContext& c) {
    ReadLoadTable(c, TableId::FrameDistLoads, "Reading Frame Uniform Load data ..........", true, kDistKeys,
                  [](Table& d, Cell* row, const TokenStore& t, const int* pos) {
        row[FrameDistLoadCol::Frame] = JoinedCell(d, t, pos[kDistFrame]);
        row[FrameDistLoadCol::LoadPat] = JoinedCell(d, t, pos[kLoadPat]);
        row[FrameDistLoadCol::CoordSys] = ValueCell(d, t, pos[kDistCoordSys]);
        row[FrameDistLoadCol::Dir] = JoinedCell(d, t, pos[kDistDir]);
        const int p = pos[kAbsDistA];
        if (p != -1 && ValueIs(t, p - 1, "1") && ValueIs(t, p - 2, "0")) {
            // RelDistA=0 RelDistB=1: the load covers the whole frame.
            row[FrameDistLoadCol::AbsDistA] = row[FrameDistLoadCol::AbsDistB] = d.TextCell(" ");
        } else {
            row[FrameDistLoadCol::AbsDistA] = ValueCell(d, t, p);
            row[FrameDistLoadCol::AbsDistB] = ValueCell(d, t, pos[kAbsDistB]);
        }
        row[FrameDistLoadCol::FOverLA] = ValueCell(d, t, pos[kFOverLA]);
        row[FrameDistLoadCol::FOverLB] = ValueCell(d, t, pos[kFOverLB]);
    });
}

void ReadFramePointLoads(ReadContext& c) {
    ReadLoadTable(c, TableId::FramePointLoads, "Reading Frame Point Load data ..........", true, kPointKeys,
                  [](Table& d, Cell* row, const TokenStore& t, const int* pos) {
        row[FramePointLoadCol::Frame] = JoinedCell(d, t, pos[kPointFrame]);
        row[FramePointLoadCol::LoadPat] = JoinedCell(d, t, pos[kLoadPat]);
        row[FramePointLoadCol::CoordSys] = ValueCell(d, t, pos[kPointCoordSys]);
        row[FramePointLoadCol::Dir] = ValueCell(d, t, pos[kPointDir]);
        row[FramePointLoadCol::AbsDist] = ValueCell(d, t, pos[kAbsDist]);
        row[FramePointLoadCol::Force] = ValueCell(d, t, pos[kForce]);
    });
}

void ReadJointLoads(ReadContext& c) {
    ReadLoadTable(c, TableId::JointLoads, "Reading Joint Load data ..........", false, kJointKeys,
                  [](Table& d, Cell* row, const TokenStore& t, const int* pos) {
        row[JointLoadCol::Joint] = JoinedCell(d, t, pos[kJoint]);
        row[JointLoadCol::LoadPat] = JoinedCell(d, t, pos[kLoadPat]);
        for (int k = 0; k < 6; ++k) row[JointLoadCol::F1 + k] = ValueCell(d, t, pos[kF1 + k]);
    });
}

void ReadAreaLoads(ReadContext& c) {
    ReadLoadTable(c, TableId::AreaLoads, "Reading Area Uniform Load data ..........", false, kAreaKeys,
                  [](Table& d, Cell* row, const TokenStore& t, const int* pos) {
        row[AreaLoadCol::Area] = JoinedCell(d, t, pos[kArea]);
        row[AreaLoadCol::LoadPat] = JoinedCell(d, t, pos[kLoadPat]);
        row[AreaLoadCol::CoordSys] = ValueCell(d, t, pos[kAreaCoordSys]);
        row[AreaLoadCol::Dir] = JoinedCell(d, t, pos[kAreaDir]);
        row[AreaLoadCol::UnifLoad] = ValueCell(d, t, pos[kUnifLoad]);
    });
}

}  // namespace corvane
