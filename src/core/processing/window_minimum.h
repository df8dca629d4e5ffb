#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace mirovale {

// The earliest smallest score over a window of starts [lo, hi] that only slides forward: a
// monotone queue of starts whose scores increase strictly from front to back. A new start
// removes the starts behind it with strictly greater scores, so among equal scores the earlier
// stays in front. Each start enters and leaves once, so a pass costs O(1) per start.
class WindowMinimum {
public:
    // The best start of the window, or none.
    struct Best {
        std::int64_t score = 0;
        std::int64_t start = -1;  // -1: no start below the search start
    };

    // Room for `starts` starts of one pass (made before the pass, so that it allocates nothing).
    void reserve(std::size_t starts) {
        if (items_.size() < starts) items_.resize(starts);
    }

    // Empties the queue for a new pass.
    void restart() {
        head_ = tail_ = 0;
        next_ = std::numeric_limits<std::int64_t>::min();
    }

    // Moves the window to [lo, hi] (lo >= 0; neither smaller than at the last call since the
    // restart), reading scoreAt(p) for each start p that enters it. Starts that enter are read
    // once, when they enter: their scores must not change while they are in the window.
    template <class ScoreAt>
    void slide(std::int64_t lo, std::int64_t hi, ScoreAt&& scoreAt) {
        if (next_ < lo) next_ = lo;
        for (; next_ <= hi; ++next_) {
            const std::int64_t score = scoreAt(next_);
            while (tail_ > head_ && items_[tail_ - 1].score > score) --tail_;
            if (tail_ == items_.size()) items_.resize(tail_ + 1);
            items_[tail_++] = {score, next_};
        }
        while (head_ < tail_ && items_[head_].start < lo) ++head_;
    }

    // The window's earliest smallest score when it is strictly below `from`; otherwise `from`
    // with no start, as a search that starts at `from` and takes only strictly smaller scores.
    [[nodiscard]] Best below(std::int64_t from) const {
        if (head_ < tail_ && items_[head_].score < from) return items_[head_];
        return {from, -1};
    }

private:
    std::vector<Best> items_;  // [head_, tail_) is the queue
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
    std::int64_t next_ = std::numeric_limits<std::int64_t>::min();  // next start to enter
};

}  // namespace mirovale
