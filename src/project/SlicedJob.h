// Work that runs in short slices so that the window answers between them: each step works
// until its budget is spent (at least one unit of work) and says how far it is. The window calls
// step() from a zero timer; batch and tests may run it to the end at once.
#pragma once

#include <chrono>
#include <cstddef>

namespace qmk {

struct JobProgress {
    bool done = false;
    std::size_t completed = 0;  // units of work done so far
    std::size_t total = 0;      // 0 while unknown
    // Nothing to do until something else is done (another thread, a long operation): ask again
    // a little later rather than at once.
    bool waiting = false;
    // Whole percent, 0 while the total is unknown.
    int percent() const;
};

class SlicedJob {
public:
    using Budget = std::chrono::microseconds;
    virtual ~SlicedJob() = default;
    // Works on for about `budget`; a job that is done stays done.
    virtual JobProgress step(Budget budget) = 0;
};

// Runs the job to its end in one go.
JobProgress runToEnd(SlicedJob& job);

// The end of a step's budget, asked between units of work.
class SliceDeadline {
public:
    explicit SliceDeadline(SlicedJob::Budget budget) : end_(std::chrono::steady_clock::now() + budget) {}
    bool passed() const { return std::chrono::steady_clock::now() >= end_; }

private:
    std::chrono::steady_clock::time_point end_;
};

} // namespace qmk
