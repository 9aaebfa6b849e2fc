// Reading access keys and accelerators out of control and menu texts.
#include "project/MnemonicText.h"

#include "resources/Utf8Length.h"

namespace qmk {

MnemonicText splitMnemonic(std::string_view text)
{
    MnemonicText result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result.text += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '&') {
            result.text += '&';
            ++i;
            continue;
        }
        if (i + 1 < text.size() && result.key == std::string::npos) {
            result.key = result.text.size();
            result.keyLength = std::min(utf8Length(static_cast<unsigned char>(text[i + 1])), text.size() - i - 1);
        }
    }
    return result;
}

MenuLabel splitMenuLabel(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool escape = text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 't' || text[i + 1] == 'a');
        if (escape || text[i] == '\t')
            return {std::string(text.substr(0, i)), std::string(text.substr(i + (escape ? 2 : 1)))};
        if (text[i] == '\\')
            ++i;  // "\\t" is a backslash and a t
    }
    return {std::string(text), {}};
}

} // namespace qmk
