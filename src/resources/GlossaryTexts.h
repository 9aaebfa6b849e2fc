// Texts of the Glossary panel and of its "Add Glossary Term" dialog.
#pragma once

namespace qmk::txt {

inline constexpr char GlossaryTitle[] = "Glossary";
inline constexpr char MenuViewGlossaryPanel[] = "&Glossary";
inline constexpr char MenuAddGlossaryTerm[] = "Add Term to &Glossary...";
inline constexpr char StatusAddGlossaryTerm[] = "Adds the words selected in the source text to the glossary, with their translation";
inline constexpr char GlossaryLookingUp[] = "Looking the text up in the glossary\u2026";
inline constexpr char GlossaryNoTerms[] = "No glossary term stands in this text.";
inline constexpr char GlossaryAddButton[] = "&Add Term...";
inline constexpr char GlossaryAddTitle[] = "Add Glossary Term";
inline constexpr char GlossaryTermLabel[] = "&Term:";
inline constexpr char GlossaryTranslationLabel[] = "T&ranslation:";
inline constexpr char GlossaryNoteLabel[] = "&Note:";
inline constexpr char GlossaryAdded[] = "'%1' is in the glossary now.";
inline constexpr char GlossaryNoTranslationChosen[] = "Choose a text in a translation to add a term to the glossary.";
inline constexpr char GlossaryAllowedVariants[] = "Also: ";
inline constexpr char GlossaryForbiddenVariants[] = "Never: ";
inline constexpr char GlossaryKeyColumn[] = "Key";
inline constexpr char GlossaryTermColumn[] = "Term";
inline constexpr char GlossaryTranslationColumn[] = "Translation";
inline constexpr char GlossaryNoteColumn[] = "Note";

} // namespace qmk::txt
