// Control-class table: the standard window classes and the classes of the Borland
// custom controls, whose bare words older scripts use.
#include "parser/ControlClasses.h"

#include "parser/ScriptKeywords.h"

namespace qmk {
namespace {

constexpr ControlClass kClasses[] = {
    {"STATIC", "STATIC"},
    {"BUTTON", "BUTTON"},
    {"EDIT", "EDIT"},
    {"COMBOBOX", "COMBOBOX"},
    {"LISTBOX", "LISTBOX"},
    {"SCROLLBAR", "SCROLLBAR"},
    {"BUTTON_CLASS", "BorBtn"},
    {"RADIO_CLASS", "BorRadio"},
    {"CHECK_CLASS", "BorCheck"},
    {"SHADE_CLASS", "BorShade"},
    {"STATIC_CLASS", "BorStatic"},
};

} // namespace

std::span<const ControlClass> ControlClasses::table() { return kClasses; }

std::string_view ControlClasses::classText(std::string_view word)
{
    if (word.size() > kMaxWordLength)
        return {};
    for (const ControlClass& c : kClasses)
        if (equalsIgnoringCase(c.word, word))
            return c.classText;
    return {};
}

} // namespace qmk
