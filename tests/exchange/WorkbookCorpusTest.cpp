// Export and import over the real scripts of the corpus: every exported row, with a new
// Russian text of its own, comes back to the Text Table row it was exported from.
#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/WorkbookExport.h"
#include "exchange/WorkbookImport.h"
#include "exchange/WorkbookProject.h"
#include "project/TextCodec.h"

namespace qmk {

TEST(WorkbookCorpusTest, EveryExportedRowComesBackToItsOwnRow)
{
    std::filesystem::path corpus = test::corpusDir();
    if (corpus.empty())
        GTEST_SKIP() << "no corpus";
    int scripts = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::filesystem::path script = entry.path() / "en-US.rc";
        if (!std::filesystem::exists(script))
            continue;
        SCOPED_TRACE(script.string());
        ++scripts;
        test::WorkbookProject project;
        ASSERT_TRUE(project.open(test::readFile(script), {test::Russian}));
        auto exported = project.dir / "texts.xlsx";
        WorkbookExport exporter(project.doc(), project.feedback);
        ASSERT_EQ(exporter.run(exported, {0, 1, 2}).outcome, OperationResult::Done);

        // Row k of the table (block headers aside) is sheet row 2 + k; give each its own text.
        test::Grid grid = test::WorkbookProject::readGrid(exported);
        std::vector<int> tableRowOfSheetRow(grid.size(), -1);
        for (int t = 0, s = WorkbookExport::FirstDataRow; t < project.rows().rowCount(); ++t)
            if (project.rows().item(t).itemType != ItemType::BlockHeader)
                tableRowOfSheetRow[static_cast<std::size_t>(s++)] = t;
        int expected = 0;
        for (std::size_t s = 2; s < grid.size(); ++s) {
            ASSERT_FALSE(grid[s][2].empty()) << "row " << s + 1 << " has no Id";
            grid[s][4] = "\xD0\x9F\xD0\xB5\xD1\x80\xD0\xB5\xD0\xB2\xD0\xBE\xD0\xB4 " + std::to_string(s);
            if (!project.rows().item(tableRowOfSheetRow[s]).excluded)
                ++expected;
        }
        auto edited = project.dir / "edited.xlsx";
        test::WorkbookProject::writeGrid(edited, grid);

        WorkbookImport importer(project.doc(), project.feedback);
        ASSERT_TRUE(importer.open(edited));
        ASSERT_TRUE(importer.chooseLanguage("Russian"));
        EXPECT_EQ(importer.importAll({}), expected);
        const int codePage = project.doc().codePage() == kCodePageUtf8 ? kCodePageUtf8 : 1251;
        for (std::size_t s = 2; s < grid.size(); ++s) {
            const CObjectData& item = project.rows().item(tableRowOfSheetRow[s]);
            std::string stored = project.translation(item.lineIndex, test::Russian);
            EXPECT_EQ(stored, item.excluded ? "" : encodeFromUtf8(grid[s][4], codePage).bytes) << "row " << s + 1;
        }
    }
    EXPECT_GT(scripts, 0);
}

} // namespace qmk
