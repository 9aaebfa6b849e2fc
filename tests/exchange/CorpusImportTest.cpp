// Real translations imported into their English projects: every text that can be told apart by
// its resource and identifier must land on the item the translated script gives it.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "exchange/ScriptImport.h"
#include "parser/ParserCodes.h"
#include "project/CQuillDoc.h"
#include "project/TextCodec.h"
#include "project/TranslationEncoding.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

// Each text by its kind, its resource and its own identifier; items that share a key (the
// statics of a dialog) are left out as not comparable, except menu items: a menu that repeats
// a command identifier holds it at the same places in both scripts, so the k-th of n is keyed
// as such.
std::map<std::string, std::string> textsByItem(CProjectDatabase& db, const std::function<std::string(const TextRow&)>& text)
{
    std::map<std::string, std::vector<std::string>> uses;
    std::map<std::string, int> kindOfKey;
    const auto owners = db.items().owningResourceIdents();
    db.texts().forEachTextTableRecord([&](const TextTableRecord& record) {
        const auto owner = owners.find(record.text.lineIndex);
        const std::string key = std::to_string(record.text.lineKind) + "|" +
                                (owner == owners.end() ? "" : owner->second) + "|" + record.itemIdent;
        uses[key].push_back(text(record.text));
        kindOfKey[key] = record.text.lineKind;
    });
    std::map<std::string, std::string> byKey;
    for (const auto& [key, texts] : uses) {
        if (key.find("||") != std::string::npos)
            continue;
        if (texts.size() == 1)
            byKey[key] = texts.front();
        else if (kindOfKey[key] == toInt(LineKind::MenuItem))
            for (std::size_t k = 0; k < texts.size(); ++k)
                byKey[key + "#" + std::to_string(k + 1) + "/" + std::to_string(texts.size())] = texts[k];
    }
    return byKey;
}

struct ImportFigures {
    int comparable = 0;
    int right = 0;
};

ImportFigures importInto(const fs::path& english, const fs::path& translated)
{
    test::TempDir work;
    for (const auto& e : fs::directory_iterator(english.parent_path()))
        if (e.is_regular_file())
            fs::copy_file(e.path(), work / e.path().filename());
    test::RecordingFeedback feedback;

    // What the translated script says, read as a project of its own.
    CQuillDoc theirs(feedback, {".DLG"});
    EXPECT_TRUE(theirs.OnOpenDocument(work / translated.filename()));
    const LanguageId language = theirs.database().languages().sourceLanguages().at(0).id;
    const int theirCodePage = theirs.codePage();
    auto expected = textsByItem(theirs.database(), [&](const TextRow& row) {
        return decodeToUtf8(row.sourceText, theirCodePage).value_or("?");
    });

    CQuillDoc ours(feedback, {".DLG"});
    EXPECT_TRUE(ours.OnOpenDocument(work / english.filename()));
    ScriptImport import(ours, {".DLG"});
    EXPECT_TRUE(import.run(work / translated.filename(), language).ok()) << translated;
    CProjectDatabase& db = ours.database();
    const int codePage = textCodePage(translationEncoding(db, ours.codePage(), language));
    auto imported = textsByItem(db, [&](const TextRow& row) {
        auto t = db.texts().translation(row.lineIndex, language);
        return t ? decodeToUtf8(t->text, codePage).value_or("?") : std::string("?");
    });

    ImportFigures figures;
    for (const auto& [key, text] : expected) {
        auto it = imported.find(key);
        if (it == imported.end() || text.empty())
            continue;
        ++figures.comparable;
        if (it->second == text)
            ++figures.right;
        else if (it->second.empty())
            ADD_FAILURE() << translated << ": " << key << " was not imported (\"" << text << "\")";
    }
    return figures;
}

} // namespace

TEST(CorpusImportTest, EveryTranslationLandsOnItsItems)
{
    const fs::path corpus = test::msvcCorpusDir();
    if (corpus.empty())
        GTEST_SKIP() << "no Visual Studio corpus";
    int translations = 0;
    for (const char* app : {"akelpad", "explorerpp", "notepad3", "winfile"}) {
        const fs::path english = corpus / app / "en-US.rc";
        for (const auto& e : fs::directory_iterator(corpus / app)) {
            if (e.path().extension() != ".rc" || e.path().filename() == "en-US.rc" ||
                e.path().filename().string().size() != 8)
                continue;
            const ImportFigures f = importInto(english, e.path());
            std::printf("  %s %s: %d of %d comparable items right\n", app, e.path().filename().c_str(), f.right,
                        f.comparable);
            EXPECT_GT(f.comparable, 20) << e.path();
            EXPECT_GE(f.right * 100, f.comparable * 98) << e.path();
            ++translations;
        }
    }
    EXPECT_GE(translations, 10);
}

} // namespace qmk
