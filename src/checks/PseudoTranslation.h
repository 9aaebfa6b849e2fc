// Pseudo-translation: every text of a translation replaced by an accented, bracketed one a
// third longer ("&Open file..." becomes "[&Oƥēŋ ƒîļē !!!]..."), so that a build of the program
// shows before any translator starts which controls are too narrow and which texts are not
// taken from the resources at all. What the program reads stays: placeholders, access keys,
// escapes, doubled quotes, a menu item's accelerator, blanks and final punctuation.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "database/ProjectRows.h"
#include "project/ItemTypes.h"
#include "project/OperationResult.h"

namespace qmk {

class CQuillDoc;

// `holds` says whether the translation's encoding can write a character (UTF-8); accented
// letters it lacks are replaced by plainer ones it has. Empty for a text without letters.
std::string pseudoText(std::string_view source, ItemType type, const std::function<bool(std::string_view)>& holds);

struct PseudoResult {
    OperationResult outcome = OperationResult::Failed;
    int filled = 0;  // texts pseudo-translated
    int kept = 0;    // texts with a translation of their own, left as they were
};

// Fills every untranslated text of the translation that a person would translate (dialog,
// menu, string table and version texts with letters, not excluded) with its pseudo
// translation, in the translation's encoding: one step of the edit history. Translated texts
// are kept: a pseudo-translation never overwrites a translator's work.
PseudoResult pseudoTranslate(CQuillDoc& doc, LanguageId language);

} // namespace qmk
