// A count with its noun in the right number for a report: "1 text", "3 texts", "0 rows".
#pragma once

#include <string>
#include <string_view>

namespace qmk {

std::string counted(long long count, std::string_view singular, std::string_view plural);

} // namespace qmk
