// Collecting the best matches of a lookup, shared by both stores.
#pragma once

#include <string>
#include <vector>

#include "memory/MemoryUnit.h"

namespace qmk {

// Keeps the best `n` matches scoring at least the minimum: higher score first, then the newer;
// a translation already offered by a better or newer unit is not offered twice.
class MemoryMatches {
public:
    MemoryMatches(std::string source, int n, int minimumScore);

    // Scores a unit read from the store (its normal form given) and keeps it when good enough.
    void consider(MemoryUnit unit, const std::string& unitNormalised);
    // The score of a text of this normal form (never identical to the looked-up one), or -1
    // when it cannot reach the minimum: lets a store read whole units only for the best texts.
    int scoreOf(std::string_view unitNormalised) const;
    const std::string& normalised() const { return normalised_; }
    std::vector<MemoryMatch> take();

private:
    std::string source_;
    std::string normalised_;
    std::size_t length_;
    int n_;
    int minimumScore_;
    std::vector<MemoryMatch> matches_;
};

// Language tags compared as the exchange compares them: letter case and "_" for "-" ignored.
bool sameLanguageTag(std::string_view a, std::string_view b);

} // namespace qmk
