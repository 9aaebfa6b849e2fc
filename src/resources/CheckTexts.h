// The texts of the quality checks, the pseudo-translation and the statistics: what each check
// says about a text (%1, %2 filled in) and the batch reports of /CHECK, /PSEUDO and /STAT.
#pragma once

namespace qmk::txt {

inline constexpr char CheckPlaceholders[] = "placeholders differ: the source has %1, the translation %2";
inline constexpr char CheckPlaceholderNone[] = "none";
inline constexpr char CheckMnemonicMissing[] = "no access key (&) where the source has one";
inline constexpr char CheckMnemonicSeveral[] = "%1 access keys (&) where the source has one";
inline constexpr char CheckMnemonicAdded[] = "an access key (&) where the source has none";
inline constexpr char CheckMnemonicClash[] = "access key '%1' is also the key of %2";
inline constexpr char CheckAcceleratorMissing[] = "the accelerator (\\t%1) of the source is missing";
inline constexpr char CheckAcceleratorAdded[] = "an accelerator (\\t) where the source has none";
inline constexpr char CheckEscapeUnknown[] = "unknown escape %1";
inline constexpr char CheckEscapeHex[] = "\\x without a hexadecimal digit";
inline constexpr char CheckEscapeBackslashAtEnd[] = "ends with a single backslash, which escapes the closing quote";
inline constexpr char CheckEscapeLineBreak[] = "a raw line break (write \\n)";
inline constexpr char CheckEscapeQuote[] = "a single quote character \" (write \"\")";
inline constexpr char CheckLeadingBlank[] = "the source starts with a blank, the translation does not";
inline constexpr char CheckLeadingBlankAdded[] = "starts with a blank the source does not have";
inline constexpr char CheckTrailingBlank[] = "the source ends with a blank, the translation does not";
inline constexpr char CheckTrailingBlankAdded[] = "ends with a blank the source does not have";
inline constexpr char CheckTrailingBreak[] = "the source ends with a line break (\\n), the translation does not";
inline constexpr char CheckTrailingBreakAdded[] = "ends with a line break (\\n) the source does not have";
inline constexpr char CheckPunctuation[] = "ends with %1 where the source ends with %2";
inline constexpr char CheckPunctuationNothing[] = "no punctuation";
inline constexpr char CheckFit[] = "%1 dialog units wider than its control";
inline constexpr char CheckCodePageBytes[] = "its bytes are not valid in %1";
inline constexpr char CheckCodePageSource[] = "left untranslated, its source holds %1, which %2 cannot hold";
inline constexpr char CheckCodePageText[] = "holds %1, which %2 cannot hold";
inline constexpr char CheckLength[] = "%1 characters; a resource string holds at most %2";
inline constexpr char CheckUntranslated[] = "the same as the source";
inline constexpr char CheckTermMissing[] = "the glossary translates '%1' as %2";
inline constexpr char CheckTermForbidden[] = "'%1' is forbidden for '%2'; the glossary has %3";

inline constexpr char CheckTitlePlaceholder[] = "Placeholders";
inline constexpr char CheckTitleMnemonic[] = "Access keys";
inline constexpr char CheckTitleMnemonicClash[] = "Access key clashes";
inline constexpr char CheckTitleAccelerator[] = "Menu accelerators";
inline constexpr char CheckTitleEscape[] = "Escapes and quotes";
inline constexpr char CheckTitleWhitespace[] = "Leading and trailing blanks";
inline constexpr char CheckTitlePunctuation[] = "Final punctuation";
inline constexpr char CheckTitleFit[] = "Text fits its control";
inline constexpr char CheckTitleCodePage[] = "Characters of the encoding";
inline constexpr char CheckTitleLength[] = "Length limits";
inline constexpr char CheckTitleTerm[] = "Glossary terms";
inline constexpr char CheckTitleUntranslated[] = "Same as the source";

inline constexpr char BatchCheckStart[] = "QMK: Check the translation.  Database: %s  Language: %s";
inline constexpr char BatchCheckLine[] = "%s:%s: %s: [%s] %s %s: %s";
inline constexpr char BatchCheckNone[] = "     (Yes)  No findings.";
inline constexpr char BatchCheckCount[] = "     (No)   %s.";  // "1 finding"
inline constexpr char BatchImportFindings[] = "     %s in the imported texts:";
inline constexpr char BatchImportFindingsOfCheck[] = "       [%s]  %s";
inline constexpr char BatchImportFindingsMore[] =
    "     %s not shown: /LOG <logfile>, or /CHECK after the import, lists them all.";
inline constexpr char BatchPseudoStart[] = "QMK: Pseudo-translate.  Database: %s  Language: %s";
inline constexpr char BatchPseudoDone[] = "     %s pseudo-translated, %s kept.";
inline constexpr char BatchStatStart[] = "QMK: Statistics.  Database: %s";
inline constexpr char BatchStatSourceLanguage[] = "     Source language: %s.";
inline constexpr char BatchStatSource[] = "     Source: %s, %s.";  // "1 item, 3 words"
inline constexpr char BatchStatLine[] =
    "     %s: translated %s (%s), flagged %s (%s), untranslated %s (%s).";
inline constexpr char BatchStatWritten[] = "     Statistics written to %s.";
inline constexpr char StepPseudo[] = "pseudo-translate %1";
inline constexpr char StepIgnoreFinding[] = "ignore [%1] of %2";
inline constexpr char StepRestoreFinding[] = "restore [%1] of %2";

inline constexpr char UsageCheck[] = "Command 'Check Translation':   /CHECK  <dbfilename.mdb>  <language>";
inline constexpr char UsagePseudo[] = "Command 'Pseudo-translate':   /PSEUDO  <dbfilename.mdb>  <language>";
inline constexpr char UsageStat[] = "Command 'Statistics':   /STAT  <dbfilename.mdb>  [file.json]";

} // namespace qmk::txt
