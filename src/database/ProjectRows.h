// Plain rows the project database hands out and takes in; callers never see SQL.
// Text is bytes in the script's code page; an absent or null field reads as 0 or "".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "parser/LanguageId.h"

namespace qmk {

// Size and packed MS-DOS date and time words of the source script.
struct FileStamp {
    std::int64_t size = 0;
    std::uint16_t date = 0;
    std::uint16_t time = 0;
};

// The display switches of the project, each a Byte field of table Project.
enum class ProjectSwitch { BitmapEdit, VersionEdit, IncludeEdit, ExcludeEdit, DialogEdit, MenuEdit, StringtableEdit };
inline constexpr int ProjectSwitchCount = 7;
const char* switchFieldName(ProjectSwitch which);

struct ProjectSwitches {
    bool dialogEdit = true;
    bool menuEdit = true;
    bool stringtableEdit = true;
    bool bitmapEdit = true;
    bool versionEdit = true;
    bool includeEdit = false;
    bool excludeEdit = true;

    bool get(ProjectSwitch which) const;
    void set(ProjectSwitch which, bool on);
};

enum class ProjectStatus { NoTranslation = 1, NotComplete = 2, Translated = 3 };

struct ProjectRow {
    std::string sourceFile;
    FileStamp stamp;
    std::string sourceFingerprint;  // empty in projects built before content hashes were kept
    int fileVersion = 0;
    int status = 0;
};

struct LineRow {
    int lineIndex = 0;
    int line = 0;
    int lineKind = 0;   // LineIdentSym
    int added = 0;
    std::string beforeStr;
    std::string behindStr;
};

struct TranslatedLine {
    int lineIndex = 0;
    int lineKind = 0;
    int line = 0;
    std::string text;
};

struct TranslatedText {
    std::string text;
    bool modified = false;
};

struct TextRow {
    int lineIndex = 0;
    int lineKind = 0;  // only from reads that join the line; 0 otherwise
    std::string sourceText;
    std::string sourceTextOld;
    bool exclude = false;
    bool modified = false;
    // One entry per translation of the project, in the order of translations().
    std::vector<TranslatedText> translations;
};

// A text as the Text Table loads it: the text with its line kind and translations, the
// identifier of its item (string, version value name, bitmap, control or menu item; empty for
// other items) and, for a dialog caption or control, the LineIndex of its dialog (-1 otherwise).
struct TextTableRecord {
    TextRow text;
    std::string itemIdent;
    int dialogLine = -1;
};

// A line found again during a source update: its line fields and its text fields.
struct LineValues {
    LineRow line;
    bool hasText = false;
    std::string sourceText;
    bool exclude = false;
    bool modified = false;
};

// An item found by identifier: its line key and source text.
struct TextMatch {
    int lineIndex = 0;
    std::string sourceText;
};

// A version value found by its version resource: its name and text.
struct VersionValueMatch {
    int lineIndex = 0;
    std::string value;
    std::string sourceText;
};

struct IdentRow {
    int lineIndex = 0;
    std::string nameId;
};

struct DialogRow {
    int lineIndex = 0;
    std::string nameId;
    int cx = 0;
    int cy = 0;
};

struct CaptionRow {
    int lineIndex = 0;
    int dlgLine = 0;
};

struct ControlRow {
    int lineIndex = 0;
    int dlgLine = 0;
    std::string nameId;
    std::string className;  // only when the statement names one
    int x = 0, y = 0, cx = 0, cy = 0;
    int type = 0;           // line kind of the control statement
    std::uint32_t flags = 0;
    bool hasText = false;   // read only: the control has a text row
};

// A control found by dialog and identifier, with what tells controls of one identifier apart.
struct ControlMatch {
    int lineIndex = 0;
    int dlgLine = 0;  // where the query gives it
    std::string sourceText;
    int type = 0;
    std::uint32_t flags = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
};

// An item as stored before a source update, read in one query per item table so that the
// update finds each line's item without a query of its own. `owner` is the identifier of the
// dialog or menu the item belongs to (empty for strings and bitmaps); the line fields tell
// whether a found line needs rewriting; the control and menu fields whether its item row does.
struct StoredItem {
    int lineIndex = 0;
    int lineKind = 0;
    std::string owner;
    std::string nameId;
    std::string sourceText;
    int line = 0;
    std::string beforeStr, behindStr;
    std::string className;
    int x = 0, y = 0, cx = 0, cy = 0;
    int type = 0;
    std::uint32_t flags = 0;
    int level = 0;
    std::string popupPath;  // a menu item's menu and popups, as the update keys them; not stored
};

// The item tables a source update finds items in by identifier or text.
enum class StoredItemTable { Strings, Bitmaps, Captions, Controls, MenuItems };

struct MenuItemRow {
    int lineIndex = 0;
    int menuLine = 0;
    int level = 0;
    std::string nameId;
    int lineKind = 0;  // read only
};

// A popup or menu item of the menus of one name, as an import pairs them: the item's line key,
// its menu, nesting level (0 at the top), kind, identifier and source text.
struct MenuItemMatch {
    int lineIndex = 0;
    int menuLine = 0;
    int level = 0;
    int lineKind = 0;
    std::string nameId;
    std::string sourceText;
};

struct DialogItemRow {
    int lineIndex = 0;
    std::string nameId;  // empty for the caption
    int lineKind = 0;
};

struct VersionBlockHeaderRow {
    int lineIndex = 0;
    int versResLine = 0;
};

struct VersionValueRow {
    int lineIndex = 0;
    int versResLine = 0;
    int blockHeaderLine = 0;
    std::string value;
};

struct SourceLanguageRow {
    int lineIndex = 0;
    LanguageId id;
    std::string fontName;
    int charSet = 1;
};

struct TranslationRow {
    LanguageId id;
    std::string languageStr;
    std::string fontName;
    int charSet = 1;
};

struct FontSetting {
    LanguageId id;
    std::string fontName;
    int charSet = 1;
};

struct TranslationFileName {
    LanguageId id;
    std::string fileName;
};

struct BookmarkRow {
    int id = 0;
    int lineIndex = 0;
    std::string name;
    std::string window;
    LanguageId language;
};

// Which item categories the statistics count.
struct CountedKinds {
    bool bitmaps = true;
    bool versions = true;
    bool includes = true;
    bool menus = true;
    bool dialogs = true;
    bool stringtables = true;

    // Whether texts of the line kind are counted (a kind of no category always is).
    bool counts(int lineKind) const;
};

struct TranslationStatistics {
    int total = 0;
    int translated = 0;
    int changed = 0;
};

struct ResourceStatistics {
    int texts = 0;
    int excluded = 0;
    int changed = 0;
    int translated = 0;
};

enum class ResourceList { Dialogs, Menus, StringtableStrings, Bitmaps, Versions };

// A text as the quality checks read it: the source, one translation, the line it stands on and
// the item around it. `owner` is the dialog of a caption or control, the menu of an item or
// popup, or the version resource of a value (-1 and empty for the rest).
struct CheckTextRow {
    int lineIndex = 0;
    int line = 0;
    int lineKind = 0;
    bool exclude = false;
    std::string sourceText;
    std::string translation;
    bool flagged = false;
    std::string itemIdent;
    int ownerLine = -1;
    std::string ownerIdent;
    int level = 0;           // menu items and popups
    std::string className;   // controls that name their class
    std::uint32_t flags = 0; // controls' style bits
};

// A finding of a quality check the translator has seen and let stand.
struct IgnoredFinding {
    int lineIndex = 0;
    LanguageId language;
    std::string check;
    bool operator==(const IgnoredFinding&) const = default;
};

} // namespace qmk
