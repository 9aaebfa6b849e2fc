// Running sliced work.
#include "project/SlicedJob.h"

namespace qmk {

int JobProgress::percent() const
{
    if (total == 0)
        return done ? 100 : 0;
    return static_cast<int>(completed >= total ? 100 : completed * 100 / total);
}

JobProgress runToEnd(SlicedJob& job)
{
    JobProgress progress;
    do
        progress = job.step(std::chrono::hours(1));
    while (!progress.done);
    return progress;
}

} // namespace qmk
