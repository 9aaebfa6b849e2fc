// What an XLIFF or PO file holds for the project: its header (the languages and the project it
// was made from) and one unit per text, in the form translation platforms expect (Unicode, with
// the characters the script's escapes stand for).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qmk {

// Where a picture of its dialog or menu shows a text (the pictures /SHOTS writes), in pixels.
struct UnitPicture {
    std::string file;  // the picture's file name in its folder
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// "Picture: dialog-IDD_ABOUT.png [10, 20, 50, 14]": how PO and XLIFF notes name a text's
// picture and rectangle (x, y, width, height), for translators and scripts alike.
inline std::string pictureNote(const UnitPicture& picture)
{
    return "Picture: " + picture.file + " [" + std::to_string(picture.x) + ", " + std::to_string(picture.y) + ", " +
           std::to_string(picture.width) + ", " + std::to_string(picture.height) + "]";
}

struct ExchangeUnit {
    std::string id;
    std::string resource;  // the owning dialog, menu or version resource; empty for others
    std::string itemType;  // "Dialog Item", "Stringtable String", ...
    std::string ident;     // the Text Table's Id
    std::string source;    // UTF-8, platform form
    std::string target;    // UTF-8, platform form; empty when untranslated
    bool needsReview = false;
    std::string previousSource;  // the source before an update changed it (flagged units)
    int maxWidth = 0;            // pixels the text may take (dialog controls); 0 when unknown
    int lineIndex = -1;          // only for units made from the project
    std::string unreadable;      // why a read unit cannot be imported (inline codes, a plural)
    std::vector<std::string> references;  // where another tool says the text stands (PO "#:", XLIFF location)
    std::optional<UnitPicture> picture;   // written only when the export was given the pictures
};

struct ExchangeHeader {
    std::string sourceLanguage;  // BCP 47 tags; empty when the file names none
    std::string targetLanguage;
    std::string original;        // the project's script
    bool isTemplate = false;     // a PO template: no language, no translations
    // The export that wrote the file, as the project recorded what it sent; empty in files
    // other tools made.
    std::string exportId;
};

struct ExchangeDocument {
    ExchangeHeader header;
    std::vector<ExchangeUnit> units;
};

// A unit an export could not write (a text that is no UTF-8, or a character the format cannot
// carry), with the reason; the file is written without it.
struct LeftOutUnit {
    std::string id;  // printable whatever the unit's id holds
    std::string reason;
};

} // namespace qmk
