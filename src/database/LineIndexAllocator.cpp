// Hands out line keys, filling gaps left by deleted lines lowest first.
#include "database/LineIndexAllocator.h"

#include <algorithm>

namespace qmk {

LineIndexAllocator::LineIndexAllocator(std::vector<int> inUse, int candidate)
    : stored_(std::move(inUse)), first_(candidate), next_(candidate)
{
    if (!std::is_sorted(stored_.begin(), stored_.end()))
        std::sort(stored_.begin(), stored_.end());
    stored_.erase(std::unique(stored_.begin(), stored_.end()), stored_.end());
    nextStored_ = static_cast<std::size_t>(std::lower_bound(stored_.begin(), stored_.end(), next_) - stored_.begin());
}

int LineIndexAllocator::peekFrom(std::size_t& stored) const
{
    int value = next_;
    while (stored < stored_.size() && stored_[stored] == value) {
        ++value;
        ++stored;
    }
    return value;
}

int LineIndexAllocator::peek() const
{
    std::size_t stored = nextStored_;
    return peekFrom(stored);
}

int LineIndexAllocator::take()
{
    const int value = peekFrom(nextStored_);
    next_ = value + 1;
    return value;
}

bool LineIndexAllocator::isUsed(int lineIndex) const
{
    return (lineIndex >= first_ && lineIndex < next_) || std::binary_search(stored_.begin(), stored_.end(), lineIndex);
}

} // namespace qmk
