#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace mirovale {

// The earliest smallest score over a window of starts [lo, hi] of fixed width w that only
// slides forward (van Herk / Gil-Werman): starts are cut into blocks of w from 0, so a window
// is the suffix of one block and the prefix of the next (or, clipped at 0 or aligned, a prefix
// alone). Prefix minima grow as starts enter; a block's suffix minima are taken when its last
// start enters. Each start costs O(1) and no comparison steers a branch, which keeps the pass
// free of the mispredictions a monotone queue pays.
class WindowMinimum {
public:
    // The best start of the window, or none.
    struct Best {
        std::int64_t score = 0;
        std::int64_t start = -1;  // -1: no start below the search start
    };

    // Room for starts 0..starts-1 (made before the pass, so that it allocates nothing).
    void reserve(std::size_t starts) {
        if (score_.size() >= starts) return;
        score_.resize(starts);
        prefix_.resize(starts);
        prefixAt_.resize(starts);
        suffix_.resize(starts);
        suffixAt_.resize(starts);
    }

    // Empties the window for a new pass of windows `width` wide (at least 1).
    void restart(std::int64_t width) {
        width_ = std::max<std::int64_t>(width, 1);
        next_ = kNone;
        lo_ = 0;
        hi_ = -1;
    }

    // Moves the window to [lo, hi] (0 <= lo, hi < the reserved starts, hi - lo < width; neither
    // smaller than at the last call since the restart), reading scoreAt(p) for each start p that
    // enters it. Starts that enter are read once, when they enter: their scores must not change
    // while they are in the window.
    template <class ScoreAt>
    void slide(std::int64_t lo, std::int64_t hi, ScoreAt&& scoreAt) {
        if (next_ < lo) {
            next_ = lo;  // the starts skipped never enter; a new run of prefixes begins here
            runStart_ = lo;
        }
        for (; next_ <= hi; ++next_) enter(next_, scoreAt(next_));
        lo_ = lo;
        hi_ = hi;
    }

    // The window's earliest smallest score when it is strictly below `from`; otherwise `from`
    // with no start, as a search that starts at `from` and takes only strictly smaller scores.
    [[nodiscard]] Best below(std::int64_t from) const {
        if (hi_ < lo_) return {from, -1};
        const auto lo = static_cast<std::size_t>(lo_);
        const auto hi = static_cast<std::size_t>(hi_);
        std::int64_t score = prefix_[hi];
        std::int64_t start = prefixAt_[hi];
        if (lo_ < blockStart_) {  // hi, the last start entered, is in blockStart_'s block
            // The earlier block's part wins ties.
            const bool earlier = suffix_[lo] <= score;
            score = earlier ? suffix_[lo] : score;
            start = earlier ? suffixAt_[lo] : start;
        }
        return score < from ? Best{score, start} : Best{from, -1};
    }

private:
    static constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::min();

    void enter(std::int64_t p, std::int64_t score) {
        const auto at = static_cast<std::size_t>(p);
        score_[at] = score;
        // Starts enter one after another within a run: the block moves on by counting.
        if (p == runStart_) {
            blockStart_ = p - p % width_;
        } else if (p == blockStart_ + width_) {
            blockStart_ = p;
        }
        if (p == blockStart_ || p == runStart_) {
            prefix_[at] = score;
            prefixAt_[at] = p;
        } else {
            const bool earlier = prefix_[at - 1] <= score;  // the earlier start keeps ties
            prefix_[at] = earlier ? prefix_[at - 1] : score;
            prefixAt_[at] = earlier ? prefixAt_[at - 1] : p;
        }
        if (p == blockStart_ + width_ - 1) takeSuffixes(std::max(blockStart_, runStart_), p);
    }

    // Suffix minima of the block's entered starts [first, last], the earlier start on ties. The
    // running minimum stays in registers rather than being read back from the row just written.
    void takeSuffixes(std::int64_t first, std::int64_t last) {
        auto q = static_cast<std::size_t>(last);
        std::int64_t low = score_[q];
        std::int64_t lowAt = last;
        suffix_[q] = low;
        suffixAt_[q] = lowAt;
        for (std::size_t stop = static_cast<std::size_t>(first); q > stop;) {
            --q;
            if (score_[q] <= low) {
                low = score_[q];
                lowAt = static_cast<std::int64_t>(q);
            }
            suffix_[q] = low;
            suffixAt_[q] = lowAt;
        }
    }

    std::vector<std::int64_t> score_;  // as read when the start entered
    std::vector<std::int64_t> prefix_;
    std::vector<std::int64_t> prefixAt_;
    std::vector<std::int64_t> suffix_;
    std::vector<std::int64_t> suffixAt_;
    std::int64_t width_ = 1;
    std::int64_t next_ = kNone;      // next start to enter
    std::int64_t runStart_ = kNone;  // first start entered since the restart or the last jump
    std::int64_t blockStart_ = 0;    // the block of the last start entered
    std::int64_t lo_ = 0;
    std::int64_t hi_ = -1;
};

}  // namespace mirovale
