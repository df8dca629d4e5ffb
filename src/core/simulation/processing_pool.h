#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/host/recording_host.h"
#include "core/processing/chains_header.h"
#include "core/simulation/simulation_run.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// One made series on its way through noise and processing: what its processing needs and
// what it yields. The slots are reused, so their buffers keep their capacity.
struct SeriesJob {
    SeriesHeader series;                    // a copy of the series as made; noised by the worker
    std::int16_t level = 0;                 // noise level to add
    std::uint16_t wNoiseSeed = 0;           // the noise generator's state before this series
    std::vector<std::uint16_t> sequence;    // the etalon sequence as synthesis left it
    std::uint32_t currentSubset = 0;        // stored subset laid in (tuple recognition), else 0
    std::uint32_t debugging = 0;            // the tuple routines' dump flag for this run
    std::uint16_t n = 0;                    // pulses of the series
    std::size_t i = 0;                      // pulse-number index of its cell
    std::size_t j = 0;                      // noise-level index of its cell
    bool lastOfCell = false;                // the cell's last repeat
    std::vector<RecordedMessage> messages;  // shown while it was made, then while processed
    RepeatErrors errors;                    // set by processing
    bool failed = false;                    // processing threw (no memory)
};

// Worker threads that process series jobs, each with its own chains record. Jobs are handed
// in and taken back in one order through a ring of slots; a job is taken back only when
// done, so at most capacity() series exist at once whatever the length of the plan.
class ProcessingPool {
public:
    // settings, work : what every run reads; must outlive the pool and stay unchanged
    //                  except for the schedule, which the workers do not read
    // chains         : one labelled chains record per worker, >= 1
    // slots          : jobs in flight at most, >= 1
    ProcessingPool(const SimulationSettings& settings, const Workspace& work,
                   std::vector<std::unique_ptr<ChainsHeader>> chains, std::size_t slots);
    // Lets the running jobs end and joins the workers.
    ~ProcessingPool();
    ProcessingPool(const ProcessingPool&) = delete;
    ProcessingPool& operator=(const ProcessingPool&) = delete;

    // Workers running; fewer than chains records when the system would start no more.
    [[nodiscard]] std::size_t workers() const noexcept { return threads_.size(); }
    [[nodiscard]] std::size_t capacity() const noexcept { return slots_.size(); }
    // Jobs handed in and not yet taken back.
    [[nodiscard]] std::size_t inFlight() const noexcept { return submitted_ - retired_; }

    // The slot of the next job to hand in; only while inFlight() < capacity().
    [[nodiscard]] SeriesJob& nextSlot() noexcept { return slots_[submitted_ % slots_.size()]; }
    // Hands the job filled into nextSlot() to the workers.
    void submit();
    // Waits until the `count` oldest jobs handed in are done, waking once for all of them;
    // 1 <= count <= inFlight().
    void waitOldest(std::size_t count);
    // The oldest job handed in, once waitOldest has seen it done.
    [[nodiscard]] SeriesJob& oldest() noexcept { return slots_[retired_ % slots_.size()]; }
    // Frees the oldest job's slot.
    void releaseOldest() noexcept { ++retired_; }

private:
    void work(std::size_t worker);
    void process(SeriesJob& job, ChainsHeader& chains);

    const SimulationSettings& settings_;
    const Workspace& work_;
    std::vector<std::unique_ptr<ChainsHeader>> chains_;
    std::vector<SeriesJob> slots_;
    std::vector<char> done_;     // per slot, guarded by mutex_
    std::size_t submitted_ = 0;  // written by the owner under mutex_
    std::size_t taken_ = 0;      // guarded by mutex_
    std::size_t retired_ = 0;    // the owner's alone
    bool stopping_ = false;      // guarded by mutex_
    // The jobs the owner waits for, [awaitedFirst_, awaitedEnd_), and how many of them are not
    // done yet; guarded by mutex_.
    std::size_t awaitedFirst_ = 0;
    std::size_t awaitedEnd_ = 0;
    std::size_t awaitedLeft_ = 0;
    std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable jobDone_;
    std::vector<std::thread> threads_;
};

}  // namespace mirovale
