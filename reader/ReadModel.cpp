// The readers of the whole-model commands, in their order, and running
// them: one after the other, or on two threads with their history lines and
// report entries passed on in the readers' order.
#include "reader/Readers.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <iterator>
#include <mutex>
#include <thread>

namespace corvane {

namespace {

constexpr ReaderUse kShown = ReaderUse::Shown, kSilent = ReaderUse::Silent, kSkipped = ReaderUse::Skipped;

// A history that forgets every line (readers a command runs silently).
class NoHistory : public HistoryLog {
public:
    void Clear() override {}
    void Append(const std::string&) override {}
};

// A reader of a classic table, and one of the full conversion's own tables
// (every field by key, silent, run by the full conversion only). Each
// names the model table it fills; the SAP2000 table is that table's.
ReaderStep Step(void (*read)(ReadContext&), std::string_view name, ReaderUse convert, ReaderUse abaqus, ReaderUse tables, TableId id,
                bool neededByOthers) {
    return ReaderStep{read, name, convert, abaqus, tables, id, Describe(id).sapName, neededByOthers, false};
}

template <TableId id>
ReaderStep Keyed(std::string_view name, ReaderUse convert, ReaderUse abaqus, ReaderUse tables) {
    return ReaderStep{ReadByKeysOf<id>, name, convert, abaqus, tables, id, Describe(id).sapName, false, true};
}

}  // namespace

// The order every model command reads in; the area section assignments
// come last and are read silently by the conversion and the Abaqus deck,
// which need them but never reported reading them.
const ReaderStep kReaderSteps[] = {
    {ReadUnits, "Unit", kShown, kShown, kShown, std::nullopt, "PROGRAM CONTROL", false},
    Step(ReadJoints, "Joint Coordinates", kShown, kShown, kShown, TableId::Joints, false),
    Step(ReadFrames, "Frame Connectivity", kShown, kShown, kShown, TableId::Frames, false),
    Step(ReadRestraints, "Support Condition", kShown, kShown, kShown, TableId::Restraints, false),
    Step(ReadLoadPatterns, "Load Cases", kShown, kShown, kShown, TableId::LoadPatterns, true),
    Step(ReadFrameDistLoads, "Frame UDL", kShown, kShown, kShown, TableId::FrameDistLoads, false),
    Step(ReadJointLoads, "Joint Loads", kShown, kShown, kShown, TableId::JointLoads, false),
    Step(ReadAreas, "Area Connectivity", kShown, kShown, kShown, TableId::Areas, false),
    Step(ReadFramePointLoads, "Frame Point Load", kShown, kShown, kShown, TableId::FramePointLoads, false),
    Step(ReadMaterials, "Materials", kShown, kShown, kShown, TableId::Materials, false),
    Step(ReadFrameSections, "Frame Section", kShown, kShown, kShown, TableId::FrameSections, true),
    Step(ReadFrameSectionAssigns, "Frame Assignment", kShown, kSkipped, kShown, TableId::FrameAssigns, false),
    Step(ReadAreaSections, "Area Section", kShown, kShown, kShown, TableId::AreaSections, false),
    Step(ReadCombinations, "Load Combinations", kShown, kShown, kShown, TableId::Combinations, false),
    Step(ReadAreaLoads, "Area Load", kShown, kShown, kShown, TableId::AreaLoads, false),
    Step(ReadReleases, "Frame Release", kShown, kSkipped, kShown, TableId::Releases, false),
    Step(ReadAreaSectionAssigns, "Area Assignment", kSilent, kSilent, kShown, TableId::AreaAssigns, false),
    // The full conversion's own tables, read silently after the others.
    Keyed<TableId::FrameLocalAxes>("Frame Local Axes", kSilent, kSkipped, kSilent),
    Keyed<TableId::ReleasePartial>("Partial Fixity", kSilent, kSkipped, kSilent),
    Keyed<TableId::FrameModifiers>("Frame Modifiers", kSilent, kSkipped, kSilent),
    Keyed<TableId::FrameOffsets>("End Offsets", kSilent, kSkipped, kSilent),
    Keyed<TableId::FrameInsertion>("Insertion Points", kSilent, kSkipped, kSilent),
    Keyed<TableId::ActiveDof>("Active DOF", kSilent, kSkipped, kSilent),
    Keyed<TableId::FrameTemperature>("Frame Temperature", kSilent, kSkipped, kSilent),
    Keyed<TableId::AreaTemperature>("Area Temperature", kSilent, kSkipped, kSilent),
    Keyed<TableId::FrameGravity>("Frame Gravity", kSilent, kSkipped, kSilent),
    Keyed<TableId::AreaGravity>("Area Gravity", kSilent, kSkipped, kSilent),
    Keyed<TableId::GroundDisplacement>("Ground Displacement", kSilent, kSkipped, kSilent),
    Keyed<TableId::CombinationDefinitions>("Combination Types", kSilent, kSkipped, kSilent),
    Keyed<TableId::JointSprings>("Joint Springs", kSilent, kSkipped, kSilent),
    Keyed<TableId::JointLocalAxes>("Joint Local Axes", kSilent, kSkipped, kSilent),
    Keyed<TableId::JointConstraints>("Joint Constraints", kSilent, kSkipped, kSilent),
    Keyed<TableId::BodyConstraints>("Body Constraints", kSilent, kSkipped, kSilent),
    Keyed<TableId::DiaphragmConstraints>("Diaphragms", kSilent, kSkipped, kSilent),
    Keyed<TableId::AreaModifiers>("Area Modifiers", kSilent, kSkipped, kSilent),
    Keyed<TableId::Solids>("Solid Connectivity", kSilent, kSilent, kSilent),
    Keyed<TableId::SolidAssigns>("Solid Assignment", kSilent, kSilent, kSilent),
    Keyed<TableId::SolidProperties>("Solid Properties", kSilent, kSilent, kSilent),
    Keyed<TableId::SolidPressure>("Solid Pressure", kSilent, kSkipped, kSilent),
    Keyed<TableId::AreaPressure>("Area Pressure", kSilent, kSkipped, kSilent),
    Keyed<TableId::AreaSprings>("Area Springs", kSilent, kSkipped, kSilent),
    Keyed<TableId::MassSources>("Mass Source", kSilent, kSkipped, kSilent),
    Keyed<TableId::ModalCases>("Modal Cases", kSilent, kSkipped, kSilent),
    Keyed<TableId::JointMasses>("Joint Masses", kSilent, kSkipped, kSilent),
    Keyed<TableId::FrameMasses>("Frame Masses", kSilent, kSkipped, kSilent),
    Keyed<TableId::AreaMasses>("Area Masses", kSilent, kSkipped, kSilent),
    Keyed<TableId::SpectrumCases>("Spectrum Cases", kSilent, kSkipped, kSilent),
    Keyed<TableId::SpectrumLoads>("Spectrum Directions", kSilent, kSkipped, kSilent),
    Keyed<TableId::SpectrumFunctions>("Spectra", kSilent, kSkipped, kSilent),
    Keyed<TableId::FrameAutoMesh>("Frame Auto Mesh", kSilent, kSilent, kSilent),
    Keyed<TableId::AreaAutoMesh>("Area Auto Mesh", kSilent, kSilent, kSilent),
    Keyed<TableId::LoadCases>("Load Case Definitions", kSilent, kSkipped, kSilent),
    Keyed<TableId::CaseLoads>("Case Loads", kSilent, kSkipped, kSilent),
    Keyed<TableId::CaseLoadApplication>("Case Load Application", kSilent, kSkipped, kSilent),
    Keyed<TableId::CaseNonlinear>("Case Nonlinear Parameters", kSilent, kSkipped, kSilent),
    Keyed<TableId::MaterialGeneral>("Material Types", kSilent, kSkipped, kSilent),
    Keyed<TableId::AreaLocalAxes>("Area Local Axes", kSilent, kSkipped, kSilent),
    Keyed<TableId::JointPatterns>("Joint Patterns", kSilent, kSkipped, kSilent),
};
const std::size_t kReaderStepCount = std::size(kReaderSteps);

const ReaderStep* ReaderOf(TableId id) {
    for (const ReaderStep& step : kReaderSteps)
        if (step.id == id) return &step;
    return nullptr;
}

const ReaderStep& UnitsReader() {
    for (const ReaderStep& step : kReaderSteps)
        if (!step.id) return step;
    return kReaderSteps[0];
}

std::size_t ReaderCount(ModelCommand command, bool full) {
    std::size_t n = 0;
    for (const ReaderStep& step : kReaderSteps) n += step.RunsIn(command, full);
    return n;
}

namespace {

// One reader run of a command, with what it reported kept until its turn.
struct Run {
    const ReaderStep* step;
    ReaderUse use;
    std::size_t bytes = 0;  // the size of its table, the measure of its work
    MemoryHistory history;
    Report report;
    std::atomic<bool> done{false};
};

void Perform(ReadContext& c, Run& run) {
    NoHistory quiet;
    ReadContext own{c.input, c.model, run.use == kShown ? static_cast<HistoryLog&>(run.history) : quiet, c.report ? &run.report : nullptr,
                    c.options};
    run.step->read(own);
    run.done.store(true, std::memory_order_release);
}

unsigned ThreadCount(const ReadOptions& o) {
    if (o.threads) return o.threads;
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(cores, 1u, 2u);
}

}  // namespace

void ReadModel(ReadContext& c, ModelCommand command) {
    const unsigned threads = ThreadCount(c.options);
    const bool full = c.options.full;
    c.model.full = full;
    if (threads <= 1) {
        NoHistory quiet;
        for (const ReaderStep& step : kReaderSteps) {
            if (!step.RunsIn(command, full)) continue;
            const ReaderUse use = step.UseIn(command);
            ReadContext run{c.input, c.model, use == kShown ? c.history : quiet, c.report, c.options};
            step.read(run);
            if (c.stepDone) c.stepDone();
        }
        return;
    }

    std::vector<Run> runs(ReaderCount(command, full));
    std::size_t k = 0;
    for (const ReaderStep& step : kReaderSteps) {
        if (!step.RunsIn(command, full)) continue;
        Run& run = runs[k++];
        run.step = &step;
        run.use = step.UseIn(command);
        if (const auto at = c.input.FindTable(step.table)) run.bytes = c.input.TableLimit(*at) - *at;
    }
    // Passes on, in order, what the finished readers at the front reported.
    std::size_t passed = 0;
    const auto passOn = [&] {
        for (; passed < runs.size() && runs[passed].done.load(std::memory_order_acquire); ++passed) {
            for (const std::string& line : runs[passed].history.lines) c.history.Append(line);
            if (c.report) c.report->Append(std::move(runs[passed].report));
            if (c.stepDone) c.stepDone();
        }
    };

    // The tables other readers look into are read first; the rest, largest
    // first, by whichever thread is free.
    std::vector<Run*> queue;
    for (Run& run : runs) {
        if (run.step->neededByOthers) Perform(c, run);
        else queue.push_back(&run);
    }
    passOn();
    std::stable_sort(queue.begin(), queue.end(), [](const Run* a, const Run* b) { return a->bytes > b->bytes; });
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto work = [&](bool passing) {
        for (std::size_t i; (i = next.fetch_add(1)) < queue.size();) {
            try {
                Perform(c, *queue[i]);
            } catch (...) {
                std::lock_guard<std::mutex> lock(failureMutex);
                if (!failure) failure = std::current_exception();
                next.store(queue.size());
            }
            if (passing) passOn();
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(work, false);
    work(true);
    for (std::thread& h : helpers) h.join();
    if (failure) std::rethrow_exception(failure);
    passOn();
}

}  // namespace corvane
