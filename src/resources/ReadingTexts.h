// Texts of reading a script into a project: the question of its source language and what the
// project reads as its source.
#pragma once

namespace qmk::txt {

inline constexpr char SourceLanguageQuestion[] =
    "The resource file %1 holds texts in several languages.\n"
    "Which language is the source that this project translates? Texts of the other languages are "
    "kept as they stand in every translated file.";
// One answer: the language and how many texts it holds.
inline constexpr char SourceLanguageAnswer[] = "%1 (%2 texts)";
// What the project reads as its source when no one language is.
inline constexpr char SourceEveryBlock[] = "every LANGUAGE block";
inline constexpr char SourceEveryBlockOldProject[] =
    "every LANGUAGE block (the project was built before its source language was kept)";

} // namespace qmk::txt
