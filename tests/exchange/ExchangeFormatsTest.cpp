// The table of exchange formats, row by row: each is found by its extensions and listed by its
// filter, and what a row's writer exports its importer takes back, with a report of the one
// shape (units counted where the format has units, the changed texts named otherwise).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/ImportSource.h"
#include "exchange/PlatformExchange.h"
#include "memory/SqliteMemory.h"
#include "project/CQuillDoc.h"
#include "project/TextTableRows.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};
const char* const kScript = "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
                            "STRINGTABLE\nBEGIN\n    IDS_A \"Apple\"\n    IDS_B \"Pear\"\nEND\n";

void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A project of the script with a German translation, in a folder of its own.
struct Project {
    explicit Project(const char* folder) : folder(dir / folder)
    {
        std::filesystem::create_directories(this->folder);
        writeText(this->folder / "app.rc", kScript);
        EXPECT_TRUE(doc.OnOpenDocument(this->folder / "app.rc"));
        EXPECT_TRUE(doc.NewTranslation(German, "de.rc").done());
        EXPECT_TRUE(doc.reloadRows().done());
    }
    std::string german(const char* ident)
    {
        for (int row = 0; row < doc.rows().rowCount(); ++row)
            if (doc.rows().displayText(row, TextTableColumns::IdColumn) == ident)
                return doc.rows().displayText(row, doc.rows().columns().columnOfLanguage(German));
        return {};
    }

    test::TempDir dir;
    std::filesystem::path folder;
    test::RecordingFeedback feedback;
    CQuillDoc doc{feedback, {}};
};

class ExchangeFormatsTest : public ::testing::Test {
protected:
    ExchangeFormatsTest()
    {
        // "Apfel" is given to the project through the table's own XLIFF row.
        std::vector<ExchangeUnit> units = exchangeUnits(source.doc, German);
        units[0].target = "Apfel";
        std::string problem;
        EXPECT_TRUE(writeExchangeFile(source.folder / "in.xlf", ExchangeKind::Xliff,
                                      {{"en-US", "de-DE", "app.rc", false, ""}, units}, problem));
        EXPECT_TRUE(exchangeFormat(ExchangeKind::Xliff).import(ExchangeTarget(source.doc, {German}), source.folder / "in.xlf").outcome.done());
        EXPECT_EQ(source.german("IDS_A"), "Apfel");
    }

    // The file a row takes back: its writer's export of the source project (a translated
    // script, which the script writer makes, written as it would be).
    std::filesystem::path exported(const ExchangeFormat& format)
    {
        const std::filesystem::path file =
            source.folder / ("out" + std::string(format.extensions.size() ? *format.extensions.begin() : ".rc"));
        if (!format.write) {
            writeText(file, "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n"
                                  "STRINGTABLE\nBEGIN\n    IDS_A \"Apfel\"\n    IDS_B \"Pear\"\nEND\n");
            return file;
        }
        const ExportReport written = format.write(ExchangeTarget(source.doc, {German}), file);
        EXPECT_TRUE(written.outcome.done()) << written.problem;
        EXPECT_GT(written.written, 0);
        EXPECT_TRUE(written.leftOut.empty());
        return file;
    }

    Project source{"source"};
};

TEST_F(ExchangeFormatsTest, EveryRowIsFoundByItsExtensionsAndListedByAFilter)
{
    std::vector<ExchangeKind> kinds;
    for (const ExchangeFormat& format : exchangeFormats()) {
        SCOPED_TRACE(static_cast<int>(format.kind));
        EXPECT_EQ(std::count(kinds.begin(), kinds.end(), format.kind), 0);  // one row a kind
        kinds.push_back(format.kind);
        EXPECT_EQ(&exchangeFormat(format.kind), &format);
        ASSERT_TRUE(format.import);
        EXPECT_TRUE(format.extensions.size() || !format.extensionPrefix.empty());
        for (std::string extension : format.extensions) {
            EXPECT_EQ(exchangeFormatOf("a/b" + extension), &format);
            // Some filter offers the extension: its own, or the one that lists its files.
            bool listed = false;
            for (const ExchangeFormat& other : exchangeFormats())
                listed = listed || std::string(other.filter).find("*" + extension) != std::string::npos;
            EXPECT_TRUE(listed) << extension;
        }
    }
    EXPECT_EQ(kinds.size(), 7u);
    EXPECT_EQ(exchangeFormatOf("a/b.RC2")->kind, ExchangeKind::TranslatedScript);
    EXPECT_FALSE(exchangeFormatOf("a/b.txt"));
}

TEST_F(ExchangeFormatsTest, WhatEveryProjectRowExportsItsImportTakesBack)
{
    for (const ExchangeFormat& format : exchangeFormats()) {
        if (!format.intoProject)
            continue;
        SCOPED_TRACE(static_cast<int>(format.kind));
        const std::filesystem::path file = exported(format);
        Project target("target");
        const std::string untranslated = target.german("IDS_A");
        ExchangeTarget into(target.doc, {German});
        into.overwrite = true;
        const ImportReport report = format.import(into, file);
        ASSERT_TRUE(report.outcome.done()) << report.problem;
        // Units are counted by the formats that have them; the others report through the feedback.
        const bool units = format.kind == ExchangeKind::Xliff || format.kind == ExchangeKind::Po ||
                           format.kind == ExchangeKind::PoTemplate;
        EXPECT_EQ(report.countsUnits, units);
        EXPECT_TRUE(report.refused.empty());
        EXPECT_TRUE(report.conflicts.empty());
        if (format.kind == ExchangeKind::PoTemplate) {
            // A template carries no translation: nothing new, and it says so.
            EXPECT_EQ(report.imported, 0);
            EXPECT_FALSE(report.problem.empty());
            EXPECT_EQ(target.german("IDS_A"), untranslated);
            continue;
        }
        EXPECT_TRUE(report.problem.empty()) << report.problem;
        EXPECT_EQ(target.german("IDS_A"), "Apfel");
        ASSERT_FALSE(report.changed.empty());
        EXPECT_EQ(report.changed.front().translation, "Apfel");
    }
}

TEST_F(ExchangeFormatsTest, TheMemoryRowWritesAndReadsTheMemory)
{
    const ExchangeFormat& tmx = exchangeFormat(ExchangeKind::Tmx);
    EXPECT_FALSE(tmx.intoProject);
    EXPECT_FALSE(projectImportFormat("a/memory.tmx"));
    SqliteMemory memory(source.dir / "memory.db");
    memory.add({{"Apple", "Apfel", "en-US", "de-DE", "app.rc", "Stringtable String", "IDS_A", 1767225600, false},
                {"Pear", "Poire", "en-US", "fr-FR", "app.rc", "Stringtable String", "IDS_B", 1767225600, false}});
    ExchangeTarget from(memory);
    from.memoryLanguages = {"de-DE"};
    const ExportReport written = tmx.write(from, source.dir / "de.tmx");
    ASSERT_TRUE(written.outcome.done()) << written.problem;
    EXPECT_EQ(written.written, 1);
    SqliteMemory copy(source.dir / "copy.db");
    const ExchangeTarget into(copy);
    const ImportReport read = tmx.import(into, source.dir / "de.tmx");
    ASSERT_TRUE(read.outcome.done()) << read.problem;
    EXPECT_TRUE(read.countsUnits);
    EXPECT_EQ(read.imported, 1);
    EXPECT_TRUE(read.refused.empty());
    EXPECT_EQ(copy.size(), 1);
    // A file that is no TMX is refused with the reason, nothing added.
    const ImportReport broken = tmx.import(into, source.dir.write("bad.tmx", "<tmx"));
    EXPECT_FALSE(broken.outcome.done());
    EXPECT_FALSE(broken.problem.empty());
    EXPECT_EQ(copy.size(), 1);
}

} // namespace
} // namespace qmk
