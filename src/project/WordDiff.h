// What changed between an item's old and new source text, word by word: the translator sees
// which words went and which came instead of reading both texts side by side.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qmk {

struct DiffSegment {
    enum class Kind { Same, Inserted, Deleted };
    Kind kind = Kind::Same;
    std::string text;
    bool operator==(const DiffSegment&) const = default;
};

// The diff stops looking for the shortest edit beyond this much work (steps of the search): two
// texts of a few thousand words with a few changes stay well below it.
inline constexpr std::size_t kWordDiffWork = 2'000'000;

// The old text's tokens (see TextTokens.h) that stay, go and come in the new one, in order:
// the same parts and, where the texts differ, what was deleted and then what was inserted
// (adjacent segments never have the same kind). Same and deleted parts give the old text, same
// and inserted parts the new one. Where the search would cost more than `maxWork`, everything
// between the common beginning and the common end is one deletion and one insertion.
std::vector<DiffSegment> wordDiff(std::string_view oldText, std::string_view newText,
                                  std::size_t maxWork = kWordDiffWork);

// The diff for a small space (a tooltip): each run of unchanged text keeps `context` tokens
// next to a change, and "…" stands for the tokens it leaves out.
std::vector<DiffSegment> compactDiff(const std::vector<DiffSegment>& diff, std::size_t context = 6);

// The text the segments give: the old one (same and deleted) or the new one (same and inserted).
std::string oldTextOf(const std::vector<DiffSegment>& diff);
std::string newTextOf(const std::vector<DiffSegment>& diff);

} // namespace qmk
