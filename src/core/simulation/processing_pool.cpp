#include "core/simulation/processing_pool.h"

#include <system_error>

namespace mirovale {

ProcessingPool::ProcessingPool(const SimulationSettings& settings, const Workspace& work,
                               std::vector<std::unique_ptr<ChainsHeader>> chains, std::size_t slots)
    : settings_(settings), work_(work), chains_(std::move(chains)), slots_(slots), done_(slots, 0) {
    threads_.reserve(chains_.size());
    for (std::size_t w = 0; w < chains_.size(); ++w) {
        try {
            threads_.emplace_back(&ProcessingPool::work, this, w);
        } catch (const std::system_error&) {
            break;  // run with the workers already started
        }
    }
}

ProcessingPool::~ProcessingPool() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workReady_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void ProcessingPool::submit() {
    const std::size_t index = submitted_ % slots_.size();
    {
        const std::lock_guard lock(mutex_);
        done_[index] = 0;
        ++submitted_;
    }
    workReady_.notify_one();
}

void ProcessingPool::waitOldest(std::size_t count) {
    std::unique_lock lock(mutex_);
    std::size_t left = 0;
    for (std::size_t k = retired_; k < retired_ + count; ++k)
        if (done_[k % slots_.size()] == 0) ++left;
    if (left == 0) return;
    awaitedFirst_ = retired_;
    awaitedEnd_ = retired_ + count;
    awaitedLeft_ = left;
    jobDone_.wait(lock, [&] { return awaitedLeft_ == 0; });
    awaitedEnd_ = awaitedFirst_;
}

void ProcessingPool::work(std::size_t worker) {
    for (;;) {
        std::size_t taken = 0;
        {
            std::unique_lock lock(mutex_);
            workReady_.wait(lock, [&] { return stopping_ || taken_ < submitted_; });
            if (stopping_ || taken_ == submitted_) return;
            taken = taken_++;
        }
        const std::size_t index = taken % slots_.size();
        process(slots_[index], *chains_[worker]);
        bool last = false;  // the last of the jobs the owner waits for
        {
            const std::lock_guard lock(mutex_);
            done_[index] = 1;
            if (taken >= awaitedFirst_ && taken < awaitedEnd_) last = --awaitedLeft_ == 0;
        }
        if (last) jobDone_.notify_one();
    }
}

void ProcessingPool::process(SeriesJob& job, ChainsHeader& chains) {
    job.failed = false;
    try {
        // Collects the routines' messages; the owner shows them in job order. Made per job, so
        // that running out of memory for it fails the job rather than the thread.
        RecordingHost host;
        std::uint16_t wNoiseSeed = job.wNoiseSeed;
        addNoise(job.level, job.series, wNoiseSeed);
        processSeries(host, *settings_.etalonTable,
                      processingRequest(settings_, work_, job.sequence, &job.debugging), &chains,
                      &job.series);
        job.errors = measureRepeat(settings_, job.series, chains, job.n, job.currentSubset);
        job.messages.insert(job.messages.end(), host.messages.begin(), host.messages.end());
    } catch (const std::exception&) {
        job.failed = true;  // a worker must not end the program: the owner reports it
    }
}

}  // namespace mirovale
