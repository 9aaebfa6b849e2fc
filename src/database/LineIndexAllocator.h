// Hands out line keys: the smallest value not below a running candidate that no stored
// line uses, so a fresh build numbers consecutively and an update fills freed gaps first.
#pragma once

#include <cstddef>
#include <vector>

namespace qmk {

class LineIndexAllocator {
public:
    // First line key of a project.
    static constexpr int FirstLineIndex = 10;

    explicit LineIndexAllocator(std::vector<int> inUse = {}, int candidate = FirstLineIndex);

    // The key the next take() would give, without taking it.
    int peek() const;
    // Takes the next free key into use; it becomes the new candidate.
    int take();
    bool isUsed(int lineIndex) const;

private:
    // Keys handed out run through the free values from the first candidate in order, so the
    // stored keys (sorted) and the next value to consider tell every key in use.
    int peekFrom(std::size_t& stored) const;

    std::vector<int> stored_;
    std::size_t nextStored_ = 0;  // the first stored key not below next_
    int first_;
    int next_;
};

} // namespace qmk
