// Fills printf-style report texts ("%s", "%li", "%d") with already formatted arguments, in order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qmk {

std::string printfText(std::string_view format, const std::vector<std::string>& args);

} // namespace qmk
