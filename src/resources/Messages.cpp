// The table of numbered texts and the placeholder filling.
#include "resources/Messages.h"

#include <algorithm>

namespace qmk {
namespace {

struct NumberedText {
    int id;
    std::string_view text;
};

// Sorted by number; looked up by binary search.
constexpr NumberedText kTexts[] = {
    {msg::CopyFileTo, "Copy \"%1\" to \"%2\""},
    {msg::WrongIncludeExtensions, "Read include extensions from INI file.\n%1\nWrong extension(s)."},
    {msg::SaveFileStatus, "Save File  %1"},
    {msg::CantOpenFile, "Error: Can't open file '%1'."},

    // Display names of the languages (also the names of the translation columns).
    {msg::LanguageArabic, "Arabic"},
    {msg::LanguageBulgarian, "Bulgarian"},
    {msg::LanguageCatalan, "Catalan"},
    {msg::LanguageCzech, "Czech"},
    {msg::LanguageDanish, "Danish"},
    {msg::LanguageGerman, "German"},
    {msg::LanguageGreek, "Greek"},
    {msg::LanguageEnglishUS, "English US"},
    {msg::LanguageSpanishCastilian, "Spanish Castilian"},
    {msg::LanguageFinnish, "Finnish"},
    {msg::LanguageFrench, "French"},
    {msg::LanguageHebrew, "Hebrew"},
    {msg::LanguageHungarian, "Hungarian"},
    {msg::LanguageIcelandic, "Icelandic"},
    {msg::LanguageItalian, "Italian"},
    {msg::LanguageJapanese, "Japanese"},
    {msg::LanguageKorean, "Korean"},
    {msg::LanguageDutch, "Dutch"},
    {msg::LanguageNorwegianBokmal, "Norwegian - Bokmal"},
    {msg::LanguagePolish, "Polish"},
    {msg::LanguagePortugueseBrazilian, "Portuguese Brazilian"},
    {msg::LanguageRhaetoRomanic, "Rhaeto-Romanic"},
    {msg::LanguageRomanian, "Romanian"},
    {msg::LanguageRussian, "Russian"},
    {msg::LanguageCroatoSerbian, "Croato-Serbian"},
    {msg::LanguageSlovak, "Slovak"},
    {msg::LanguageAlbanian, "Albanian"},
    {msg::LanguageSwedish, "Swedish"},
    {msg::LanguageTurkish, "Turkish"},
    {msg::LanguageGermanSwiss, "German Swiss"},
    {msg::LanguageEnglishUK, "English UK"},
    {msg::LanguageSpanishMexican, "Spanish Mexican"},
    {msg::LanguageFrenchBelgian, "French Belgian"},
    {msg::LanguageItalianSwiss, "Italian Swiss"},
    {msg::LanguageDutchBelgian, "Dutch Belgian"},
    {msg::LanguageNorwegianNynorsk, "Norwegian - Nynorsk"},
    {msg::LanguagePortuguese, "Portuguese"},
    {msg::LanguageSerboCroatianCyrillic, "Serbo-Croatian Cyrillic"},
    {msg::LanguageFrenchCanadian, "French Canadian"},
    {msg::LanguageFrenchSwiss, "French Swiss"},
    {msg::LanguageGermanAustria, "German - Austria"},

    // Display names of the code pages.
    {msg::CodePage7BitAscii, "7-bit ASCII"},
    {msg::CodePageJapan, "Windows, Japan (Shift-JIS X-0208)"},
    {msg::CodePageKorean, "Windows, Korean (Shift - KSC 5601)"},
    {msg::CodePageTaiwan, "Windows, Taiwan (GB5)"},
    {msg::CodePageUnicode, "Unicode"},
    {msg::CodePageLatin2, "Windows, Latin-2 (Eastern European)"},
    {msg::CodePageCyrillic, "Windows, Cyrillic"},
    {msg::CodePageMultilingual, "Windows, Multilingual"},
    {msg::CodePageGreek, "Windows, Greek"},
    {msg::CodePageTurkish, "Windows, Turkish"},
    {msg::CodePageHebrew, "Windows, Hebrew"},
    {msg::CodePageArabic, "Windows, Arabic"},

    // Status-bar prompts of commands: the text, a line break, the tooltip.
    {msg::FileOptionsPrompt, "Opens the file options dialog\nFile Options"},
    {msg::ExportToExcelPrompt, "Exports text to an Excel worksheet.\nExport to Excel"},
    {msg::ResourceEditorPrompt, "Starts the external resource editor application."},
    {msg::ExportToDatabasePrompt, "Exports the text to a new database.\nExport to Database"},

    {msg::NoTranslationLanguage, "Please enter the language of your translation file."},
    {msg::BuildDatabaseStatus, "Build Database %1."},
    {msg::LanguageAlreadyExists, "The language  %1  already exists. "},
    {msg::NoTranslationToDelete, "There is no translation to delete."},
    {msg::ConfirmDeleteTranslation, "Do you realy want to delete the translation %1 ?"},
    {msg::TranslationFileNameInUse, "The file name %1 is already use by an other translation."},
    // Worded here: the question is asked by number only.
    {msg::TranslationFileExists, "The file %1 already exists.\nDo you want to use this file name ?"},
    {msg::InvalidTranslationFileName, "Translation File Name\n%1 is not a valid file name."},
    {msg::UpdateDatabaseNow, "The source file %1 has changed.\nDo you want to update the database now ?"},
    {msg::TranslationSettingsTitle, "%1  Translation Settings"},
    {msg::TranslationFileIsSourceFile,
     "Select Translation File Name\nThe file name you have specified is the name of the source "
     "resource file.\nPlease use a  different file name."},
    {msg::CantOpenIncludeFile, "Open file error.\nCan not open include file %1."},
    {msg::UpdateProgressTitle, "Update %1"},
    {msg::UpdateSuccessful, "Update of file %1 successful."},
    {msg::OutOfMemory, "Memory Error\nNot enough memory !"},
    {msg::ParserErrorInFile, "Parser Error\nError while parsing resource file %1."},
    {msg::SourceChangedTitleMark, "(Source file changed,  update database)"},
    {msg::SourceFilesChanged,
     "The following source file(s) has changed:\n%1.\n\nUse update command to update the databases. "},
    {msg::SourceEntry, "\"Source\""},
    {msg::UpdateFailed, "Error updateing resource file %1 !"},
    {msg::TemplateDatabaseMissing,
     "Can not find  file \"%1\" at the Quillmark directory.\nExecute the Quillmark Setup program to "
     "complete the files."},
    {msg::NotAProjectDatabase, "Open Database.\n%1 is not a resource file database.\nCannot open file."},
    {msg::LoadingFileStatus, "Loading File: %1"},
    {msg::MissingIncludeFiles,
     "The following resource file(s) could not be found for including into the translation file:\n%1 "},
    {msg::CantAddLanguage, "Error: can not add language to database !"},
    {msg::BuildDatabaseFirst,
     "Open file %1.\nQuillmark will build a database file %2 first.\nDo you want to procced ?"},
    {msg::DatabaseVersionTooOld,
     "Error: File Version !\nThe database file\n   %1\nis from an older  beta version and not "
     "supported.\nDelete the file and open the resource file again."},
    {msg::LanguageChineseTaiwan, "Chinese - Taiwan"},
    {msg::LanguageChinesePRChina, "Chinese - PR China"},
    {msg::LanguageChineseHongKong, "Chinese - Hong Kong"},
    {msg::LanguageChineseSingapore, "Chinese - Singapore"},
    {msg::LanguageEnglishAustralian, "English Australian"},
    {msg::LanguageEnglishCanadian, "English Canadian"},
    {msg::LanguageEnglishNewZealand, "English New Zealand"},
    {msg::LanguageEnglishIrish, "English Irish"},
    {msg::LanguageNeutral, "Neutral"},
    {msg::NoOldSourceText,
     "View old source text.\n\nItem is just marked as modified for a recheck.\nThere is no old source "
     "text."},
    {msg::UpdateCancelled, "Update file canceled !\nFile: %1"},
    {msg::DatabaseTitleMark, "(%1)"},
    {msg::FileDoesNotExist, "Open Document\nThe file %1 does not exists.\nCan not open document."},
    {msg::WriteTranslatedFilesQuestion,
     "Changes !\nDo you want to write the translated resource file(s) to disk ?"},
    {msg::MissingDatabaseEngine,
     "Missing MS Database Jet Engine.\n\nTo run Quillmark you need the Microsoft DAO (Data Access Object) "
     "package installed.\nTo get the DAO package install one of the following  Micrsosoft products:\n"
     "   - MS Access  32 bit\n   - MS Excel  32 bit\n   - Visual Basic 4.x  or 5.x\n"
     "   - Visual C++ 4.x or 5.x\n\nQuillmark can not be started."},
    {msg::ExcelStillRunning,
     "Microsoft Excel currently running.\nDo you want to close the MS Excel application ?"},

    // Display names of the character sets.
    {msg::CharsetAnsiWestern, "ANSI (Western)"},
    {msg::CharsetSymbol, "Symbol"},
    {msg::CharsetShiftJis, "ShiftJIS"},
    {msg::CharsetHangeul, "HANGEUL"},
    {msg::CharsetGb2312, "GB2312"},
    {msg::CharsetChineseBig5, "Chinese Big5"},
    {msg::CharsetOem, "OEM"},
    {msg::CharsetJohab, "Johab"},
    {msg::CharsetHebrew, "Hebrew"},
    {msg::CharsetArabic, "Arabic"},
    {msg::CharsetGreek, "Greek"},
    {msg::CharsetTurkish, "Turkish"},
    {msg::CharsetVietnamese, "Vitnamese"},
    {msg::CharsetThai, "Thai"},
    {msg::CharsetEastEurope, "East Europe"},
    {msg::CharsetCyrillic, "Cyrillic"},
    {msg::CharsetListEntry, "  - %1"},
    {msg::FontsNotAvailable,
     "Fonts with the following character sets are not available\non your local machine:\n\n%1\n\nNot "
     "all languages can be shown with the required\ncharacter set."},
    {msg::DatabaseVersionTooNew,
     "Can not open database !\n\nThee database '%1' is from a newer of Quillmark.\nPlease ask for the "
     "current version."},
};

constexpr bool sortedById()
{
    for (std::size_t i = 1; i < std::size(kTexts); ++i)
        if (kTexts[i - 1].id >= kTexts[i].id)
            return false;
    return true;
}
static_assert(sortedById(), "message table must be sorted by number without duplicates");

} // namespace

std::string_view messageText(int id)
{
    auto it = std::lower_bound(std::begin(kTexts), std::end(kTexts), id,
                               [](const NumberedText& t, int key) { return t.id < key; });
    if (it == std::end(kTexts) || it->id != id)
        return {};
    return it->text;
}

std::string fillPlaceholders(std::string_view text, const MessageArgs& args)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            std::size_t n = static_cast<std::size_t>(text[i + 1] - '1');
            if (n < args.size())
                out += args[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string formatMessage(int id, const MessageArgs& args)
{
    return fillPlaceholders(messageText(id), args);
}

std::string joinedLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

} // namespace qmk
