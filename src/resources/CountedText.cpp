// Counts with their nouns.
#include "resources/CountedText.h"

namespace qmk {

std::string counted(long long count, std::string_view singular, std::string_view plural)
{
    std::string text = std::to_string(count);
    text += ' ';
    text += count == 1 ? singular : plural;
    return text;
}

} // namespace qmk
