#include "core/simulation/stat_cutoff_quorvel.h"

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/simulation/noise_jump.h"
#include "core/simulation/processing_pool.h"
#include "core/simulation/simulation_run.h"
#include "core/simulation/simulation_shard.h"
#include "core/synthesis/series_allocation.h"

namespace mirovale {
namespace {

// Jobs in flight per worker: enough that a slow series does not idle the others while it is
// waited for, and that the maker, which sleeps until half the ring is done, wakes seldom
// (each wake-up costs about as much as processing a short series); few enough that a plan of
// any length keeps a bounded number of series.
constexpr std::size_t kSlotsPerWorker = 64;
constexpr unsigned kMostWorkers = 256;

unsigned workerCount(unsigned asked, std::uint64_t jobs) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned wanted = std::min(asked == 0 ? cores : asked, kMostWorkers);
    return static_cast<unsigned>(std::clamp<std::uint64_t>(jobs, 1, wanted));
}

// Whether the run's routine reads and clears the tuple routines' dump flag.
bool readsDumpFlag(const SimulationSettings& s) {
    const ProcessingRoutine routine =
        processingRoutine(s.wProcessingTask, s.wSeriesType, AlphabetTaskRule::Detect);
    return s.dwDebuggingRepeat != nullptr && (routine == ProcessingRoutine::TuplesDetection ||
                                              routine == ProcessingRoutine::RecognizeUnfixedTuples);
}

// One labelled chains record per worker, copies of the driver's own.
bool workerChains(Host& host, const ChainsHeader& chains, unsigned count,
                  std::vector<std::unique_ptr<ChainsHeader>>& copies) {
    if (tryAllocate([&] {
            for (unsigned w = 0; w < count; ++w)
                copies.push_back(std::make_unique<ChainsHeader>(chains));
        }))
        return true;
    host.messageBox("Error getChainsHeader!", " About ChainsHeader ", MessageIcon::None);
    return false;
}

enum class RunEnd { Done, Failed, Cancelled };

std::uint64_t planSeries(const RestErrorHeader& record) {
    return std::uint64_t{record.wVariousPulses} * record.wNoiseLevels * record.repeats;
}

// Cells that hold at least one series of the part.
std::uint32_t cellsTouched(const RestErrorHeader& record, SeriesRange part) {
    if (part.end <= part.begin) return 0;
    return static_cast<std::uint32_t>((part.end - 1) / record.repeats -
                                      part.begin / record.repeats + 1);
}

// The part of the plan the control asks for; reports a part the plan does not have.
bool planPart(Host& host, const RestErrorHeader& record, const SimulationControl& control,
              SeriesRange& part) {
    const std::uint64_t total = planSeries(record);
    if (const std::string problem = shardProblem(total, control.shard, control.shards);
        !problem.empty()) {
        host.messageBox(problem, kStatCutoffCaption, MessageIcon::Exclamation);
        return false;
    }
    part = shardSeries(total, control.shard, control.shards);
    return true;
}

// The loops of the simulation: series are made here, in the generators' order, and handed
// to the pool with the noise state each starts from; the finished ones are taken back in the same
// order, which shows their messages, adds their errors to the sums of their cell and stores each
// completed cell. Series before the run's part are made and their noise jumped over; the loops
// end with the part.
class ParallelRun {
public:
    ParallelRun(Host& host, RestErrorHeader& record, const SimulationSettings& settings,
                GeneratorStates& states, std::uint16_t& wNoiseSeed,
                std::unique_ptr<SeriesHeader>& series, const SimulationControl& control,
                Workspace& work, ProcessingPool& pool, SeriesRange part)
        : host_(host),
          record_(record),
          settings_(settings),
          states_(states),
          wNoiseSeed_(wNoiseSeed),
          series_(series),
          control_(control),
          work_(work),
          pool_(pool),
          dumpFlag_(readsDumpFlag(settings)),
          part_(part),
          whole_(part.begin == 0 && part.end == planSeries(record)),
          total_(cellsTouched(record, part)) {}

    RunEnd run() {
        RunEnd end = RunEnd::Done;
        for (std::size_t i = 0; i < record_.wVariousPulses && end == RunEnd::Done; ++i)
            for (std::size_t j = 0; j < record_.wNoiseLevels && end == RunEnd::Done; ++j)
                if (next_ < part_.end) end = runCell(i, j);
        if (!drain()) return RunEnd::Failed;
        // A synthesis that yielded no series ends the run after the series made before it.
        if (synthesisFailed_) showSynthesisMessages();
        // The caller gets the last series processed, as the one-loop driver leaves it.
        if (end != RunEnd::Failed && lastJob_ != nullptr) std::swap(*series_, lastJob_->series);
        return end;
    }

private:
    RunEnd runCell(std::size_t i, std::size_t j) {
        const std::uint16_t n = beginCell(settings_, record_, i, work_, *series_);
        const std::int16_t level = record_.lpNoiseLevels[j];
        for (std::uint32_t r = 0; r < record_.repeats && next_ < part_.end; ++r) {
            if (control_.cancelled && control_.cancelled()) return RunEnd::Cancelled;
            beginRepeat(settings_, r, n, work_, *series_);
            if (!makeSeries(n)) return RunEnd::Failed;
            if (next_++ < part_.begin) {
                skipNoise();
                continue;
            }
            const bool lastOfCell = r + 1 == record_.repeats || next_ == part_.end;
            if (!handIn(i, j, n, level, lastOfCell)) return RunEnd::Failed;
        }
        return RunEnd::Done;
    }

    // A series before the part: the noise state goes on as adding its noise would leave it, and
    // what processing it would have shown or changed stays with the part that processes it. The
    // tuple routines clear their dump flag after a run.
    void skipNoise() {
        wNoiseSeed_ = uniformStateAfter(wNoiseSeed_, noiseSteps(series_->dwSeriesSize));
        synthesisHost_.messages.clear();
        if (dumpFlag_) *settings_.dwDebuggingRepeat = 0;
    }

    // Makes the next series; its messages wait with it for their turn.
    bool makeSeries(std::uint16_t n) {
        const SimulationSettings& s = settings_;
        series_ = getCutOffSeries(synthesisHost_, states_, s.wEtalonCount, *s.etalonTable, work_.L,
                                  work_.wTmin, work_.wTmax, work_.N, n, work_.schedule.sequence,
                                  s.wAmplitude, s.wSavedEnergyMaking, std::move(series_));
        if (!series_) {
            synthesisFailed_ = true;
            return false;
        }
        return true;
    }

    // Hands the series to the pool with the noise it is to get; the noise state goes on as
    // adding that noise leaves it, so the next series is made at once.
    bool handIn(std::size_t i, std::size_t j, std::uint16_t n, std::int16_t level,
                bool lastOfCell) {
        // A full ring is taken back down to half before more series are made, so that the
        // maker sleeps once a batch rather than once a series.
        if (pool_.inFlight() == pool_.capacity() && !retire(pool_.capacity() / 2)) return false;
        SeriesJob& job = pool_.nextSlot();
        if (!tryAllocate([&] {
                job.series = *series_;
                job.sequence = work_.schedule.sequence;
                job.messages = synthesisHost_.messages;
            })) {
            host_.messageBox("Ошибка lpEtalonNumbersList!", kStatCutoffCaption, MessageIcon::None);
            return false;
        }
        synthesisHost_.messages.clear();
        job.level = level;
        job.wNoiseSeed = wNoiseSeed_;
        wNoiseSeed_ = uniformStateAfter(wNoiseSeed_, noiseSteps(series_->dwSeriesSize));
        job.currentSubset = work_.schedule.currentSubset;
        job.debugging = dumpFlag_ ? *settings_.dwDebuggingRepeat : 0;
        job.n = n;
        job.i = i;
        job.j = j;
        job.lastOfCell = lastOfCell;
        // A run that shows the dumps clears the flag for the runs after it: wait for it.
        const bool dumps = job.debugging != 0;
        pool_.submit();
        lastJob_ = &job;
        return !dumps || drain();
    }

    // Takes back the `count` oldest jobs.
    bool retire(std::size_t count) {
        pool_.waitOldest(count);
        for (std::size_t k = 0; k < count; ++k)
            if (!retireOldest()) return false;
        return true;
    }

    // Takes back the oldest job, which is done.
    bool retireOldest() {
        SeriesJob& job = pool_.oldest();
        for (const RecordedMessage& m : job.messages) host_.messageBox(m.text, m.caption, m.icon);
        if (job.failed) {
            // "A series could not be processed!" The jobs after it are dropped: the pool lets
            // them end unread.
            host_.messageBox("Не удалось обработать серию!", kStatCutoffCaption, MessageIcon::None);
            processingFailed_ = true;
            return false;
        }
        if (dumpFlag_) *settings_.dwDebuggingRepeat = job.debugging;
        sums_.add(job.errors);
        if (job.lastOfCell) {
            if (control_.partSums != nullptr)
                (*control_.partSums)[job.j * record_.wVariousPulses + job.i] = sums_;
            if (whole_) storeCell(record_, job.i, job.j, sums_);
            sums_ = {};
            ++done_;
            if (control_.progress) control_.progress(done_, total_);
        }
        pool_.releaseOldest();
        return true;
    }

    bool drain() {
        if (processingFailed_) return false;
        return pool_.inFlight() == 0 || retire(pool_.inFlight());
    }

    void showSynthesisMessages() {
        for (const RecordedMessage& m : synthesisHost_.messages)
            host_.messageBox(m.text, m.caption, m.icon);
        synthesisHost_.messages.clear();
    }

    Host& host_;
    RestErrorHeader& record_;
    const SimulationSettings& settings_;
    GeneratorStates& states_;
    std::uint16_t& wNoiseSeed_;
    std::unique_ptr<SeriesHeader>& series_;
    const SimulationControl& control_;
    Workspace& work_;
    ProcessingPool& pool_;
    const bool dumpFlag_;
    const SeriesRange part_;       // the series this run processes
    const bool whole_;             // the part is the whole plan
    const std::uint32_t total_;    // cells the part touches
    std::uint64_t next_ = 0;       // plan index of the next series to make
    RecordingHost synthesisHost_;  // holds the messages of the series being made
    CellSums sums_;                // of the cell whose jobs are being taken back
    std::uint32_t done_ = 0;       // cells stored
    SeriesJob* lastJob_ = nullptr;
    bool synthesisFailed_ = false;   // a synthesis yielded no series
    bool processingFailed_ = false;  // a job could not be processed
};

}  // namespace

int statCutoffQuorvel(Host& host, RestErrorHeader* record, const SimulationSettings& settings,
                      GeneratorStates& states, std::uint16_t& wNoiseSeed,
                      std::unique_ptr<SeriesHeader>& series, SimulationTimes& times,
                      const SimulationControl& control) {
    Workspace work;
    if (!prepareSimulation(host, record, settings, series.get(), work)) return 0;
    SeriesRange part;
    if (!planPart(host, *record, control, part)) return 0;
    const std::uint64_t jobs = part.end - part.begin;
    const unsigned workers = workerCount(control.threads, jobs);
    std::vector<std::unique_ptr<ChainsHeader>> chains;
    if (!workerChains(host, *work.chains, workers, chains)) return 0;
    times.startTime = wallClockSeconds();
    times.endTime = times.startTime;
    ProcessingPool pool(settings, work, std::move(chains), workers * kSlotsPerWorker);
    if (pool.workers() == 0) {
        // "No simulation thread could be started!"
        host.messageBox("Не удалось запустить ни одного потока моделирования!", kStatCutoffCaption,
                        MessageIcon::None);
        return 0;
    }
    if (control.partSums != nullptr)
        control.partSums->assign(std::size_t{record->wVariousPulses} * record->wNoiseLevels, {});
    if (control.starting) control.starting();
    ParallelRun run(host, *record, settings, states, wNoiseSeed, series, control, work, pool, part);
    const RunEnd end = run.run();
    if (series) series->wSubsetSize = work.wSubsetSize;
    if (end == RunEnd::Failed) return 0;
    if (end == RunEnd::Cancelled) {
        reportCancelled(host);
        return 0;
    }
    times.endTime = wallClockSeconds();
    if (part.begin == 0 && part.end == planSeries(*record)) record->ifComplete = 1;
    return 1;
}

}  // namespace mirovale
