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

}  // namespace

// The order every model command reads in; the area section assignments
// come last and are read silently by the conversion and the Abaqus deck,
// which need them but never reported reading them.
const ReaderStep kReaderSteps[] = {
    {ReadUnits, "Unit", kShown, kShown, kShown, "PROGRAM CONTROL", false},
    {ReadJoints, "Joint Coordinates", kShown, kShown, kShown, "JOINT COORDINATES", false},
    {ReadFrames, "Frame Connectivity", kShown, kShown, kShown, "CONNECTIVITY - FRAME", false},
    {ReadRestraints, "Support Condition", kShown, kShown, kShown, "JOINT RESTRAINT ASSIGNMENTS", false},
    {ReadLoadPatterns, "Load Cases", kShown, kShown, kShown, "LOAD PATTERN DEFINITIONS", true},
    {ReadFrameDistLoads, "Frame UDL", kShown, kShown, kShown, "FRAME LOADS - DISTRIBUTED", false},
    {ReadJointLoads, "Joint Loads", kShown, kShown, kShown, "JOINT LOADS - FORCE", false},
    {ReadAreas, "Area Connectivity", kShown, kShown, kShown, "CONNECTIVITY - AREA", false},
    {ReadFramePointLoads, "Frame Point Load", kShown, kShown, kShown, "FRAME LOADS - POINT", false},
    {ReadMaterials, "Materials", kShown, kShown, kShown, "MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", false},
    {ReadFrameSections, "Frame Section", kShown, kShown, kShown, "FRAME SECTION PROPERTIES 01 - GENERAL", true},
    {ReadFrameSectionAssigns, "Frame Assignment", kShown, kSkipped, kShown, "FRAME SECTION ASSIGNMENTS", false},
    {ReadAreaSections, "Area Section", kShown, kShown, kShown, "AREA SECTION PROPERTIES", false},
    {ReadCombinations, "Load Combinations", kShown, kShown, kShown, "COMBINATION DEFINITIONS", false},
    {ReadAreaLoads, "Area Load", kShown, kShown, kShown, "AREA LOADS - UNIFORM", false},
    {ReadReleases, "Frame Release", kShown, kSkipped, kShown, "FRAME RELEASE ASSIGNMENTS 1 - GENERAL", false},
    {ReadAreaSectionAssigns, "Area Assignment", kSilent, kSilent, kShown, "AREA SECTION ASSIGNMENTS", false},
    // The full conversion's own tables, read silently after the others.
    {ReadByKeysOf<TableId::FrameLocalAxes>, "Frame Local Axes", kSilent, kSkipped, kSilent, "FRAME LOCAL AXES ASSIGNMENTS 1 - TYPICAL", false, true},
    {ReadByKeysOf<TableId::ReleasePartial>, "Partial Fixity", kSilent, kSkipped, kSilent, "FRAME RELEASE ASSIGNMENTS 2 - PARTIAL FIXITY", false, true},
    {ReadByKeysOf<TableId::FrameModifiers>, "Frame Modifiers", kSilent, kSkipped, kSilent, "FRAME PROPERTY MODIFIERS", false, true},
    {ReadByKeysOf<TableId::FrameOffsets>, "End Offsets", kSilent, kSkipped, kSilent, "FRAME OFFSET ALONG LENGTH ASSIGNMENTS", false, true},
    {ReadByKeysOf<TableId::FrameInsertion>, "Insertion Points", kSilent, kSkipped, kSilent, "FRAME INSERTION POINT ASSIGNMENTS", false, true},
    {ReadByKeysOf<TableId::ActiveDof>, "Active DOF", kSilent, kSkipped, kSilent, "ACTIVE DEGREES OF FREEDOM", false, true},
    {ReadByKeysOf<TableId::FrameTemperature>, "Frame Temperature", kSilent, kSkipped, kSilent, "FRAME LOADS - TEMPERATURE", false, true},
    {ReadByKeysOf<TableId::AreaTemperature>, "Area Temperature", kSilent, kSkipped, kSilent, "AREA LOADS - TEMPERATURE", false, true},
    {ReadByKeysOf<TableId::FrameGravity>, "Frame Gravity", kSilent, kSkipped, kSilent, "FRAME LOADS - GRAVITY", false, true},
    {ReadByKeysOf<TableId::AreaGravity>, "Area Gravity", kSilent, kSkipped, kSilent, "AREA LOADS - GRAVITY", false, true},
    {ReadByKeysOf<TableId::GroundDisplacement>, "Ground Displacement", kSilent, kSkipped, kSilent, "JOINT LOADS - GROUND DISPLACEMENT", false, true},
    {ReadByKeysOf<TableId::CombinationDefinitions>, "Combination Types", kSilent, kSkipped, kSilent, "COMBINATION DEFINITIONS", false, true},
    {ReadByKeysOf<TableId::JointSprings>, "Joint Springs", kSilent, kSkipped, kSilent, "JOINT SPRING ASSIGNMENTS 1 - UNCOUPLED", false, true},
    {ReadByKeysOf<TableId::JointLocalAxes>, "Joint Local Axes", kSilent, kSkipped, kSilent, "JOINT LOCAL AXES ASSIGNMENTS 1 - TYPICAL", false, true},
    {ReadByKeysOf<TableId::JointConstraints>, "Joint Constraints", kSilent, kSkipped, kSilent, "JOINT CONSTRAINT ASSIGNMENTS", false, true},
    {ReadByKeysOf<TableId::BodyConstraints>, "Body Constraints", kSilent, kSkipped, kSilent, "CONSTRAINT DEFINITIONS - BODY", false, true},
    {ReadByKeysOf<TableId::DiaphragmConstraints>, "Diaphragms", kSilent, kSkipped, kSilent, "CONSTRAINT DEFINITIONS - DIAPHRAGM", false, true},
    {ReadByKeysOf<TableId::AreaModifiers>, "Area Modifiers", kSilent, kSkipped, kSilent, "AREA STIFFNESS MODIFIERS", false, true},
    {ReadByKeysOf<TableId::Solids>, "Solid Connectivity", kSilent, kSilent, kSilent, "CONNECTIVITY - SOLID", false, true},
    {ReadByKeysOf<TableId::SolidAssigns>, "Solid Assignment", kSilent, kSilent, kSilent, "SOLID PROPERTY ASSIGNMENTS", false, true},
    {ReadByKeysOf<TableId::SolidProperties>, "Solid Properties", kSilent, kSilent, kSilent, "SOLID PROPERTY DEFINITIONS", false, true},
    {ReadByKeysOf<TableId::SolidPressure>, "Solid Pressure", kSilent, kSkipped, kSilent, "SOLID LOADS - SURFACE PRESSURE", false, true},
    {ReadByKeysOf<TableId::AreaPressure>, "Area Pressure", kSilent, kSkipped, kSilent, "AREA LOADS - SURFACE PRESSURE", false, true},
    {ReadByKeysOf<TableId::AreaSprings>, "Area Springs", kSilent, kSkipped, kSilent, "AREA SPRING ASSIGNMENTS", false, true},
    {ReadByKeysOf<TableId::LoadCases>, "Load Case Definitions", kSilent, kSkipped, kSilent, "LOAD CASE DEFINITIONS", false, true},
    {ReadByKeysOf<TableId::CaseLoads>, "Case Loads", kSilent, kSkipped, kSilent, "CASE - STATIC 1 - LOAD ASSIGNMENTS", false, true},
    {ReadByKeysOf<TableId::CaseLoadApplication>, "Case Load Application", kSilent, kSkipped, kSilent, "CASE - STATIC 2 - NONLINEAR LOAD APPLICATION", false, true},
    {ReadByKeysOf<TableId::CaseNonlinear>, "Case Nonlinear Parameters", kSilent, kSkipped, kSilent, "CASE - STATIC 4 - NONLINEAR PARAMETERS", false, true},
};
const std::size_t kReaderStepCount = std::size(kReaderSteps);

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
