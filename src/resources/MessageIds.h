// Numbers of the program's numbered texts, one named constant each.
// The list is an X-macro so that tests can walk every number without restating it.
#pragma once

#include "resources/CommandIds.h"

// X(name, number), in ascending order of number.
#define QMK_MESSAGE_IDS(X)                                                                         \
    X(CopyFileTo, 535)                        /* setup: Copy "%1" to "%2" */                       \
    X(WrongIncludeExtensions, 570)                                                                 \
    X(SaveFileStatus, 627)                                                                         \
    X(CantOpenFile, 643)                                                                           \
    X(LanguageArabic, 800)                                                                         \
    X(LanguageBulgarian, 801)                                                                      \
    X(LanguageCatalan, 802)                                                                        \
    X(LanguageCzech, 803)                                                                          \
    X(LanguageDanish, 804)                                                                         \
    X(LanguageGerman, 805)                                                                         \
    X(LanguageGreek, 806)                                                                          \
    X(LanguageEnglishUS, 807)                                                                      \
    X(LanguageSpanishCastilian, 808)                                                               \
    X(LanguageFinnish, 809)                                                                        \
    X(LanguageFrench, 810)                                                                         \
    X(LanguageHebrew, 811)                                                                         \
    X(LanguageHungarian, 812)                                                                      \
    X(LanguageIcelandic, 813)                                                                      \
    X(LanguageItalian, 814)                                                                        \
    X(LanguageJapanese, 815)                                                                       \
    X(LanguageKorean, 816)                                                                         \
    X(LanguageDutch, 817)                                                                          \
    X(LanguageNorwegianBokmal, 818)                                                                \
    X(LanguagePolish, 819)                                                                         \
    X(LanguagePortugueseBrazilian, 820)                                                            \
    X(LanguageRhaetoRomanic, 821)                                                                  \
    X(LanguageRomanian, 822)                                                                       \
    X(LanguageRussian, 823)                                                                        \
    X(LanguageCroatoSerbian, 824)                                                                  \
    X(LanguageSlovak, 825)                                                                         \
    X(LanguageAlbanian, 826)                                                                       \
    X(LanguageSwedish, 827)                                                                        \
    X(LanguageTurkish, 828)                                                                        \
    X(LanguageGermanSwiss, 829)                                                                    \
    X(LanguageEnglishUK, 830)                                                                      \
    X(LanguageSpanishMexican, 831)                                                                 \
    X(LanguageFrenchBelgian, 832)                                                                  \
    X(LanguageItalianSwiss, 833)                                                                   \
    X(LanguageDutchBelgian, 834)                                                                   \
    X(LanguageNorwegianNynorsk, 835)                                                               \
    X(LanguagePortuguese, 836)                                                                     \
    X(LanguageSerboCroatianCyrillic, 837)                                                          \
    X(LanguageFrenchCanadian, 838)                                                                 \
    X(LanguageFrenchSwiss, 839)                                                                    \
    X(LanguageGermanAustria, 840)                                                                  \
    X(CodePage7BitAscii, 846)                                                                      \
    X(CodePageJapan, 847)                                                                          \
    X(CodePageKorean, 848)                                                                         \
    X(CodePageTaiwan, 849)                                                                         \
    X(CodePageUnicode, 850)                                                                        \
    X(CodePageLatin2, 851)                                                                         \
    X(CodePageCyrillic, 852)                                                                       \
    X(CodePageMultilingual, 853)                                                                   \
    X(CodePageGreek, 854)                                                                          \
    X(CodePageTurkish, 855)                                                                        \
    X(CodePageHebrew, 856)                                                                         \
    X(CodePageArabic, 857)                                                                         \
    /* status-bar prompts share the number of their command */                                    \
    X(FileOptionsPrompt, ::qmk::cmd::FileOptions)                                                  \
    X(ExportToExcelPrompt, ::qmk::cmd::ExportToExcel)                                              \
    X(ResourceEditorPrompt, ::qmk::cmd::ResourceEditor)                                            \
    X(ExportToDatabasePrompt, ::qmk::cmd::ExportToDatabase)                                        \
    X(NoTranslationLanguage, 61239)                                                                \
    X(BuildDatabaseStatus, 61251)                                                                  \
    X(LanguageAlreadyExists, 61254)                                                                \
    X(NoTranslationToDelete, 61255)                                                                \
    X(ConfirmDeleteTranslation, 61256)                                                             \
    X(TranslationFileNameInUse, 61257)                                                             \
    X(TranslationFileExists, 61258)                                                                \
    X(InvalidTranslationFileName, 61259)                                                           \
    X(UpdateDatabaseNow, 61260)                                                                    \
    X(TranslationSettingsTitle, 61265)                                                             \
    X(TranslationFileIsSourceFile, 61266)                                                          \
    X(CantOpenIncludeFile, 61267)                                                                  \
    X(UpdateProgressTitle, 61268)                                                                  \
    X(UpdateSuccessful, 61269)                                                                     \
    X(OutOfMemory, 61270)                                                                          \
    X(ParserErrorInFile, 61271)                                                                    \
    X(SourceChangedTitleMark, 61272)                                                               \
    X(SourceFilesChanged, 61273)                                                                   \
    X(SourceEntry, 61283)                                                                          \
    X(UpdateFailed, 61294)                                                                         \
    X(TemplateDatabaseMissing, 61296)                                                              \
    X(NotAProjectDatabase, 61314)                                                                  \
    X(LoadingFileStatus, 61321)                                                                    \
    X(MissingIncludeFiles, 61323)                                                                  \
    X(CantAddLanguage, 61325)                                                                      \
    X(BuildDatabaseFirst, 61328)                                                                   \
    X(DatabaseVersionTooOld, 61331)                                                                \
    X(LanguageChineseTaiwan, 61340)                                                                \
    X(LanguageChinesePRChina, 61341)                                                               \
    X(LanguageChineseHongKong, 61342)                                                              \
    X(LanguageChineseSingapore, 61343)                                                             \
    X(LanguageEnglishAustralian, 61344)                                                            \
    X(LanguageEnglishCanadian, 61345)                                                              \
    X(LanguageEnglishNewZealand, 61346)                                                            \
    X(LanguageEnglishIrish, 61347)                                                                 \
    X(LanguageNeutral, 61350)                                                                      \
    X(NoOldSourceText, 62424)                                                                      \
    X(UpdateCancelled, 62460)                                                                      \
    X(DatabaseTitleMark, 62463)                                                                    \
    X(FileDoesNotExist, 62464)                                                                     \
    X(WriteTranslatedFilesQuestion, 62474)                                                         \
    X(MissingDatabaseEngine, 62478)                                                                \
    X(ExcelStillRunning, 62492)                                                                    \
    X(CharsetAnsiWestern, 62496)                                                                   \
    X(CharsetSymbol, 62497)                                                                        \
    X(CharsetShiftJis, 62498)                                                                      \
    X(CharsetHangeul, 62499)                                                                       \
    X(CharsetGb2312, 62500)                                                                        \
    X(CharsetChineseBig5, 62501)                                                                   \
    X(CharsetOem, 62502)                                                                           \
    X(CharsetJohab, 62503)                                                                         \
    X(CharsetHebrew, 62504)                                                                        \
    X(CharsetArabic, 62505)                                                                        \
    X(CharsetGreek, 62506)                                                                         \
    X(CharsetTurkish, 62507)                                                                       \
    X(CharsetVietnamese, 62508)                                                                    \
    X(CharsetThai, 62509)                                                                          \
    X(CharsetEastEurope, 62510)                                                                    \
    X(CharsetCyrillic, 62511)                                                                      \
    X(CharsetListEntry, 62512)                                                                     \
    X(FontsNotAvailable, 62513)                                                                    \
    X(DatabaseVersionTooNew, 62578)

namespace qmk::msg {

#define QMK_DEFINE_MESSAGE_ID(name, number) inline constexpr int name = number;
QMK_MESSAGE_IDS(QMK_DEFINE_MESSAGE_ID)
#undef QMK_DEFINE_MESSAGE_ID

} // namespace qmk::msg
