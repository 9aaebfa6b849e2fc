// The access-key and accelerator checks of control and menu texts.
#include "checks/TextRules.h"

#include "project/MnemonicText.h"
#include "resources/CheckTexts.h"
#include "resources/Messages.h"

namespace qmk {

int accessKeyMarks(std::string_view label)
{
    int marks = 0;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] != '&')
            continue;
        if (i + 1 < label.size() && label[i + 1] == '&')
            ++i;
        else
            ++marks;
    }
    return marks;
}

std::string_view labelPart(std::string_view text, ItemType type)
{
    if (type != ItemType::MenuItem)
        return text;
    return text.substr(0, splitMenuLabel(text).label.size());
}

std::optional<std::string> checkMnemonic(const CheckedText& text)
{
    if (text.translation.empty() || !text.drawsAccessKey)
        return std::nullopt;
    const int source = accessKeyMarks(labelPart(text.source, text.type));
    const int translation = accessKeyMarks(labelPart(text.translation, text.type));
    if (source == 0 && translation > 0)
        return std::string(txt::CheckMnemonicAdded);
    if (source != 1 || translation == 1)
        return std::nullopt;  // a source with several marks is odd already: the translation may follow it
    if (translation == 0)
        return std::string(txt::CheckMnemonicMissing);
    return fillPlaceholders(txt::CheckMnemonicSeveral, {std::to_string(translation)});
}

std::optional<std::string> checkAccelerator(const CheckedText& text)
{
    if (text.translation.empty() || text.type != ItemType::MenuItem)
        return std::nullopt;
    const MenuLabel source = splitMenuLabel(text.source);
    const bool sourceHas = source.label.size() != text.source.size();
    const bool translationHas = labelPart(text.translation, text.type).size() != text.translation.size();
    if (sourceHas && !translationHas)
        return fillPlaceholders(txt::CheckAcceleratorMissing, {source.accelerator});
    if (!sourceHas && translationHas)
        return std::string(txt::CheckAcceleratorAdded);
    return std::nullopt;
}

} // namespace qmk
