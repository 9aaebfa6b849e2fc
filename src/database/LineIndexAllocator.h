// Hands out line keys: the smallest value not below a running candidate that no stored
// line uses, so a fresh build numbers consecutively and an update fills freed gaps first.
#pragma once

#include <unordered_set>
#include <vector>

namespace qmk {

class LineIndexAllocator {
public:
    // First line key of a project.
    static constexpr int FirstLineIndex = 10;

    explicit LineIndexAllocator(const std::vector<int>& inUse = {}, int candidate = FirstLineIndex);

    // The key the next take() would give, without taking it.
    int peek() const;
    // Takes the next free key into use; it becomes the new candidate.
    int take();
    bool isUsed(int lineIndex) const { return used_.count(lineIndex) != 0; }

private:
    std::unordered_set<int> used_;
    int candidate_;
};

} // namespace qmk
