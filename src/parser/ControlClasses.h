// The class words a CONTROL statement may write without quotes, and the class text
// the rebuilt statement carries for each of them.
#pragma once

#include <span>
#include <string_view>

namespace qmk {

struct ControlClass {
    std::string_view word;
    std::string_view classText;
};

class ControlClasses {
public:
    static constexpr std::size_t kMaxWordLength = 20;
    static std::span<const ControlClass> table();
    // Class text for a word (letter case ignored), or an empty view when it is unknown.
    static std::string_view classText(std::string_view word);
};

} // namespace qmk
