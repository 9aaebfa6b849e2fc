// Keyword and option-word tables of the scanner. The keyword lookup goes through a small
// index by length and first letter; it finds exactly what a search of the table in order finds.
#include "parser/ScriptKeywords.h"

#include <array>
#include <cstdint>

#include "parser/ParserCodes.h"

namespace qmk {
namespace {

constexpr KeywordEntry kKeywords[] = {
    {"CONTROL", Tok::Control},
    {"CAPTION", Tok::Caption},
    {"DIALOG", Tok::Dialog},
    {"POPUP", Tok::Popup},
    {"MenuItem", Tok::MenuItem},
    {"STRINGTABLE", Tok::StringTable},
    {"BEGIN", Tok::Begin},
    {"END", Tok::End},
    {"MENU", Tok::Menu},
    {"include", Tok::Include},
    {"define", Tok::Define},
    {"rcinclude", Tok::RcInclude},
    {"STYLE", Tok::Style},
    {"ICON", Tok::Icon},
    {"SEPARATOR", Tok::Separator},
    {"CURSOR", Tok::Cursor},
    {"BITMAP", Tok::Bitmap},
    {"ACCELERATORS", Tok::Accelerators},
    {"LTEXT", Tok::LText},
    {"RTEXT", Tok::RText},
    {"CTEXT", Tok::CText},
    {"CHECKBOX", Tok::CheckBox},
    {"PUSHBUTTON", Tok::PushButton},
    {"LISTBOX", Tok::ListBox},
    {"GROUPBOX", Tok::GroupBox},
    {"DEFPUSHBUTTON", Tok::DefPushButton},
    {"RADIOBUTTON", Tok::RadioButton},
    {"EDITTEXT", Tok::EditText},
    {"COMBOBOX", Tok::ComboBox},
    {"SCROLLBAR", Tok::ScrollBar},
    {"RCDATA", Tok::RcData},
    {"FONT", Tok::Font},
    {"CLASS", Tok::Class},
    {"TEXTINCLUDE", Tok::TextInclude},
    {"VERSIONINFO", Tok::VersionInfo},
    {"FILEVERSION", Tok::FileVersion},
    {"PRODUCTVERSION", Tok::ProductVersion},
    {"FILEFLAGSMASK", Tok::FileFlagsMask},
    {"FILEFLAGS", Tok::FileFlags},
    {"FILEOS", Tok::FileOs},
    {"FILETYPE", Tok::FileType},
    {"FILESUBTYPE", Tok::FileSubtype},
    {"BLOCK", Tok::Block},
    {"VALUE", Tok::Value},
    {"endif", Tok::Endif},
    {"LANGUAGE", Tok::Language},
    {"$$", Tok::DoubleDollar},
    {"DIALOGEX", Tok::DialogEx},
    {"EXSTYLE", Tok::ExStyle},
    {"AUTORADIOBUTTON", Tok::AutoRadioButton},
    {"AUTOCHECKBOX", Tok::AutoCheckBox},
    {"AUTO3STATE", Tok::Auto3State},
    {"pragma", Tok::Pragma},
    {"code_page", Tok::CodePage},
};
static_assert(std::size(kKeywords) == 54);

constexpr std::string_view kMemoryOptions[] = {"PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE",
                                               "DISCARDABLE", "PURE", "IMPURE"};
constexpr std::string_view kAcceleratorOptions[] = {"ASCII", "VIRTKEY", "NOINVERT",
                                                    "ALT", "SHIFT", "CONTROL"};
constexpr std::string_view kMenuOptions[] = {"CHECKED", "GRAYED", "INACTIVE",
                                             "MENUBREAK", "MENUBARBREAK", "HELP"};

constexpr char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

constexpr std::size_t kMaxKeywordLength = 16;
constexpr std::size_t kSlots = 4;

// Keyword indices by (length, first letter); a slot list is in table order, so the
// first candidate that matches is the one a search in table order would find.
struct KeywordIndex {
    std::array<std::array<std::array<std::int8_t, kSlots>, 27>, kMaxKeywordLength> slots{};
    KeywordIndex()
    {
        for (auto& byLength : slots)
            for (auto& list : byLength)
                list.fill(-1);
        for (std::size_t i = 0; i < std::size(kKeywords); ++i) {
            std::string_view t = kKeywords[i].text;
            auto& list = slots[t.size()][letterSlot(t[0])];
            for (auto& s : list)
                if (s < 0) {
                    s = static_cast<std::int8_t>(i);
                    break;
                }
        }
    }
    static std::size_t letterSlot(char c)
    {
        char u = upper(c);
        return (u >= 'A' && u <= 'Z') ? std::size_t(u - 'A') : 26;
    }
};

const KeywordIndex& keywordIndex()
{
    static const KeywordIndex index;
    return index;
}

bool inList(std::span<const std::string_view> list, std::string_view word)
{
    for (std::string_view w : list)
        if (w.size() == word.size() && equalsIgnoringCase(w, word))
            return true;
    return false;
}

} // namespace

std::span<const KeywordEntry> ScriptKeywords::table() { return kKeywords; }

int ScriptKeywords::code(std::string_view word)
{
    if (word.empty() || word.size() >= kMaxKeywordLength)
        return 0;
    const auto& list = keywordIndex().slots[word.size()][KeywordIndex::letterSlot(word[0])];
    for (std::int8_t i : list) {
        if (i < 0)
            break;
        if (equalsIgnoringCase(kKeywords[i].text, word))
            return kKeywords[i].code;
    }
    return 0;
}

std::string_view ScriptKeywords::text(int code)
{
    for (const KeywordEntry& k : kKeywords)
        if (k.code == code)
            return k.text;
    return {};
}

std::span<const std::string_view> ScriptKeywords::memoryOptions() { return kMemoryOptions; }
std::span<const std::string_view> ScriptKeywords::acceleratorOptions() { return kAcceleratorOptions; }
std::span<const std::string_view> ScriptKeywords::menuOptions() { return kMenuOptions; }

bool ScriptKeywords::isMemoryOption(std::string_view word) { return inList(kMemoryOptions, word); }
bool ScriptKeywords::isAcceleratorOption(std::string_view word) { return inList(kAcceleratorOptions, word); }
bool ScriptKeywords::isMenuOption(std::string_view word) { return inList(kMenuOptions, word); }

} // namespace qmk
