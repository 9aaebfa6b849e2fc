// Lengths in UTF-8 text.
#include "resources/Utf8Length.h"

namespace qmk {

std::size_t utf8Length(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    return lead >= 0xC0 ? 2 : 1;
}

std::size_t utf8Length(std::string_view text)
{
    std::size_t characters = 0;
    for (const unsigned char byte : text)
        characters += (byte & 0xC0) != 0x80;
    return characters;
}

} // namespace qmk
