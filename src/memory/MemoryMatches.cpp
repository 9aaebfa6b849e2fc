// The ranking of lookup results.
#include "memory/MemoryMatches.h"

#include <algorithm>

#include "memory/TextSimilarity.h"

namespace qmk {

MemoryMatches::MemoryMatches(std::string source, int n, int minimumScore)
    : source_(std::move(source)), normalised_(normaliseForMemory(source_)), length_(characterCount(normalised_)),
      n_(n), minimumScore_(minimumScore)
{
}

void MemoryMatches::consider(MemoryUnit unit, const std::string& unitNormalised)
{
    if (n_ <= 0)
        return;
    const bool rawEqual = unit.source == source_;
    if (!rawEqual && unitNormalised != normalised_ &&
        scoreBound(length_, characterCount(unitNormalised)) < minimumScore_)
        return;
    const int score = normalisedSimilarity(normalised_, unitNormalised, rawEqual);
    if (score < minimumScore_)
        return;
    matches_.push_back({std::move(unit), score});
}

int MemoryMatches::scoreOf(std::string_view unitNormalised) const
{
    if (scoreBound(length_, characterCount(unitNormalised)) < minimumScore_)
        return -1;
    const int score = normalisedSimilarity(normalised_, unitNormalised, false);
    return score < minimumScore_ ? -1 : score;
}

std::vector<MemoryMatch> MemoryMatches::take()
{
    std::stable_sort(matches_.begin(), matches_.end(), [](const MemoryMatch& a, const MemoryMatch& b) {
        if (a.score != b.score)
            return a.score > b.score;
        return a.unit.time > b.unit.time;
    });
    std::vector<MemoryMatch> best;
    for (MemoryMatch& match : matches_) {
        if (static_cast<int>(best.size()) >= n_)
            break;
        const bool offered = std::any_of(best.begin(), best.end(), [&](const MemoryMatch& kept) {
            return kept.unit.target == match.unit.target && kept.unit.source == match.unit.source;
        });
        if (!offered)
            best.push_back(std::move(match));
    }
    matches_.clear();
    return best;
}

bool sameLanguageTag(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i] == '_' ? '-' : a[i];
        char y = b[i] == '_' ? '-' : b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace qmk
