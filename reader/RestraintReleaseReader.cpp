// Joint restraints and frame end releases.
#include "reader/ReaderSupport.h"

namespace corvane {

void ReadRestraints(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::Restraints, nullptr);
    if (!cursor) return;
    Table& r = c.model[TableId::Restraints];
    // Every item read gives a row, the empty item that ends the table
    // included; that last row is removed afterwards. A table cut off by the
    // end of the file keeps all its rows.
    ReserveRows(c, r, *cursor);
    TokenStore t;
    std::string_view item;
    while (cursor->NextItem(&item)) {
        t.Split(item);
        Cell* row = r.AppendRow();
        row[RestraintCol::Joint] = CharsFromCell(r, t[1], 7);
        for (int k = 1; k <= 6; ++k) row[k] = CharsFromCell(r, t[k + 1], 4);
    }
    if (!cursor->Cut() && r.rows() > 0) r.PopRow();
    NoteCut(c, *cursor, TableId::Restraints);
}

namespace {
const KeySet kReleaseKeys{{"Frame", ReleaseCol::Frame}, {"M2I", ReleaseCol::M2I}, {"M3I", ReleaseCol::M3I},
                          {"M2J", ReleaseCol::M2J},     {"M3J", ReleaseCol::M3J}};
}  // namespace

void ReadReleases(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::Releases, "Reading Member Release data ..........");
    if (!cursor) return;
    Table& r = c.model[TableId::Releases];
    ReserveRows(c, r, *cursor);
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    while (cursor->NextRecord(t, &kReleaseKeys, pos)) {
        Cell* row = r.AppendRow();
        for (int k = 0; k < 5; ++k) row[k] = ValueCell(r, t, pos[k]);
    }
    NoteCut(c, *cursor, TableId::Releases);
    c.history.append(DoneLine("Total Release Found : ", r.rows()));
}

namespace {
constexpr ReaderUse kShown = ReaderUse::Shown, kSilent = ReaderUse::Silent, kSkipped = ReaderUse::Skipped;

// A history that forgets every line (readers a command runs silently).
class NoHistory : public HistoryLog {
public:
    void clear() override {}
    void append(const std::string&) override {}
};
}  // namespace

// The order every model command reads in; the area section assignments
// come last and are read silently by the conversion and the Abaqus deck,
// which need them but never reported reading them.
const ReaderStep kReaderSteps[] = {
    {ReadUnits, "Unit", kShown, kShown, kShown},
    {ReadJoints, "Joint Coordinates", kShown, kShown, kShown},
    {ReadFrames, "Frame Connectivity", kShown, kShown, kShown},
    {ReadRestraints, "Support Condition", kShown, kShown, kShown},
    {ReadLoadPatterns, "Load Cases", kShown, kShown, kShown},
    {ReadFrameDistLoads, "Frame UDL", kShown, kShown, kShown},
    {ReadJointLoads, "Joint Loads", kShown, kShown, kShown},
    {ReadAreas, "Area Connectivity", kShown, kShown, kShown},
    {ReadFramePointLoads, "Frame Point Load", kShown, kShown, kShown},
    {ReadMaterials, "Materials", kShown, kShown, kShown},
    {ReadFrameSections, "Frame Section", kShown, kShown, kShown},
    {ReadFrameSectionAssigns, "Frame Assignment", kShown, kSkipped, kShown},
    {ReadAreaSections, "Area Section", kShown, kShown, kShown},
    {ReadCombinations, "Load Combinations", kShown, kShown, kShown},
    {ReadAreaLoads, "Area Load", kShown, kShown, kShown},
    {ReadReleases, "Frame Release", kShown, kSkipped, kShown},
    {ReadAreaSectionAssigns, "Area Assignment", kSilent, kSilent, kShown},
};
const std::size_t kReaderStepCount = std::size(kReaderSteps);

void ReadModel(ReadContext& c, ModelCommand command) {
    NoHistory quiet;
    for (const ReaderStep& step : kReaderSteps) {
        const ReaderUse use = step.UseIn(command);
        if (use == kSkipped) continue;
        ReadContext run{c.input, c.model, use == kShown ? c.history : quiet, c.report, c.options};
        step.read(run);
    }
}

std::size_t ReaderCount(ModelCommand command) {
    std::size_t n = 0;
    for (const ReaderStep& step : kReaderSteps) n += step.UseIn(command) != kSkipped;
    return n;
}

}  // namespace corvane
