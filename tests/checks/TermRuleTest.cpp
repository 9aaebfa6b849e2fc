// The glossary's check on planted faults: a term translated otherwise, a forbidden variant, and
// the translations it must let pass.
#include <gtest/gtest.h>

#include "checks/CheckCatalogue.h"
#include "checks/TermRule.h"

namespace qmk {
namespace {

GlossaryEntry entry(std::string term, std::string translation, std::vector<std::string> variants = {},
                    std::vector<std::string> forbidden = {})
{
    GlossaryEntry e;
    e.term = std::move(term);
    e.language = "de-DE";
    e.translation = std::move(translation);
    e.variants = std::move(variants);
    e.forbidden = std::move(forbidden);
    return e;
}

TEST(TermRule, FindsATermTranslatedOtherwiseOrByAForbiddenVariant)
{
    const TermIndex terms({entry("file", "Datei", {"Dateien"}, {"Akte"}), entry("Print Preview", "Seitenansicht")});

    EXPECT_EQ(checkTerms("Open the &File", "&Datei öffnen", terms), std::nullopt);
    EXPECT_EQ(checkTerms("Files", "Akten", terms), std::nullopt) << "not the term on word boundaries";
    EXPECT_EQ(checkTerms("Copy file", "Dateien kopieren", terms), std::nullopt) << "an allowed variant";
    EXPECT_EQ(checkTerms("Print pre&view", "Seiten&ansicht", terms), std::nullopt) << "access keys do not count";
    EXPECT_EQ(checkTerms("Close the file", "", terms), std::nullopt) << "untranslated texts are another check's";

    EXPECT_EQ(checkTerms("Close the FILE", "Dokument schließen", terms),
              "the glossary translates 'file' as 'Datei' or 'Dateien'");
    EXPECT_EQ(checkTerms("Save the file", "Die Akte speichern", terms),
              "'Akte' is forbidden for 'file'; the glossary has 'Datei' or 'Dateien'");
    const std::optional<std::string> both = checkTerms("Print Preview of the file", "Vorschau", terms);
    ASSERT_TRUE(both);
    EXPECT_NE(both->find("'Seitenansicht'"), std::string::npos);
    EXPECT_NE(both->find("'Datei'"), std::string::npos);
}

TEST(TermRule, IsListedAndOffUntilAProjectSwitchesItOn)
{
    const CheckInfo* info = findCheck(check::Term);
    ASSERT_NE(info, nullptr);
    EXPECT_FALSE(info->onAtFirst);
}

} // namespace
} // namespace qmk
