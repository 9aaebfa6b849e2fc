// The window-style and version names a script may use, with their values; the statement
// rules OR the values of the names they meet into a line's style bits.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace qmk {

struct StyleName {
    std::string_view name;
    std::uint32_t value;
};

class StyleNames {
public:
    // Longest name the table can hold (a 28-byte field).
    static constexpr std::size_t kMaxNameLength = 28;

    static std::span<const StyleName> table();
    // Value of the first row with exactly this name (letter case counts), or 0.
    static std::uint32_t value(std::string_view name);
};

} // namespace qmk
