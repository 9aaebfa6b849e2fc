// The checks' glossary is the one beside the memory the caller's settings name.
#include <gtest/gtest.h>

#include "app/GlossaryTerms.h"
#include "common/TempDir.h"
#include "memory/Glossary.h"

namespace qmk {
namespace {

TEST(GlossaryTermsBeside, ReadsTheGlossaryBesideTheGivenMemoryAndMakesNone)
{
    test::TempDir dir;
    const std::string memory = (dir / "team" / "memory.db").string();
    EXPECT_EQ(glossaryTermsBeside(memory, {7, 1}), nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir / "team"));
    GlossaryEntry bookmark{"Bookmark", "en-US", "de-DE", "Lesezeichen", {}, {}, "", "", ""};
    GlossaryEntry french = bookmark;
    french.language = "fr-FR";
    openGlossary(glossaryLocationBeside(memory))->add({bookmark, french});
    const std::shared_ptr<const TermIndex> german = glossaryTermsBeside(memory, {7, 1});
    ASSERT_NE(german, nullptr);
    ASSERT_EQ(german->terms().size(), 1u);
    ASSERT_EQ(german->terms()[0].entries.size(), 1u);
    EXPECT_EQ(german->terms()[0].entries[0].translation, "Lesezeichen");
}

} // namespace
} // namespace qmk
