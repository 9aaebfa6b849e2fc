// Which bytes begin and which end a two-byte character in the double-byte code pages a script
// may declare (Japanese 932, Simplified Chinese 936, Korean 949, Traditional Chinese 950).
#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>

namespace qmk {

class DoubleByteCodePage {
public:
    // The byte classes of a double-byte code page; nullptr for any other code page.
    static const DoubleByteCodePage* of(int codePage);

    bool isLeadByte(unsigned char c) const { return lead_[c]; }
    bool isTrailByte(unsigned char c) const { return trail_[c]; }
    // Bytes of the character at `pos`: 2 for a lead byte followed by a trail byte, else 1 (a
    // lead byte before anything else stands alone, so it never swallows a quote or line break).
    std::size_t characterLength(std::string_view text, std::size_t pos) const;

    struct ByteRange {
        unsigned char first;
        unsigned char last;
    };
    template <std::size_t L, std::size_t T>
    DoubleByteCodePage(const ByteRange (&lead)[L], const ByteRange (&trail)[T])
    {
        for (const ByteRange& r : lead)
            for (int c = r.first; c <= r.last; ++c)
                lead_.set(static_cast<std::size_t>(c));
        for (const ByteRange& r : trail)
            for (int c = r.first; c <= r.last; ++c)
                trail_.set(static_cast<std::size_t>(c));
    }

private:
    std::bitset<256> lead_;
    std::bitset<256> trail_;
};

} // namespace qmk
