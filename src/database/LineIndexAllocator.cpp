// Hands out line keys, filling gaps left by deleted lines lowest first.
#include "database/LineIndexAllocator.h"

namespace qmk {

LineIndexAllocator::LineIndexAllocator(const std::vector<int>& inUse, int candidate)
    : used_(inUse.begin(), inUse.end()), candidate_(candidate)
{
}

int LineIndexAllocator::peek() const
{
    int value = candidate_;
    while (used_.count(value) != 0)
        ++value;
    return value;
}

int LineIndexAllocator::take()
{
    candidate_ = peek();
    used_.insert(candidate_);
    return candidate_;
}

} // namespace qmk
