// The workbook tests' project: built from a script through the project document.
#include "exchange/WorkbookProject.h"

#include <gtest/gtest.h>

#include "database/TranslationColumnNames.h"
#include "exchange/WorkbookExport.h"
#include "exchange/WorkbookReader.h"
#include "exchange/WorkbookWriter.h"
#include "project/TranslationEncoding.h"

namespace qmk::test {

const char* const kWorkbookScript =
    "LANGUAGE 9, 1\n"
    "IDD_ABOUT DIALOG 0, 0, 100, 50\nCAPTION \"About\"\nBEGIN\n"
    "  LTEXT \"Hello\", IDC_TEXT, 1, 1, 10, 10\n"
    "  PUSHBUTTON \"OK\", IDOK, 1, 20, 10, 10\nEND\n"
    "IDD_NAME DIALOG 0, 0, 100, 50\nCAPTION \"Name\"\nBEGIN\n"
    "  PUSHBUTTON \"OK\", IDOK, 1, 20, 10, 10\nEND\n"
    "IDR_MAIN MENU\nBEGIN\n  POPUP \"&File\"\n  BEGIN\n    MENUITEM \"E&xit\", ID_EXIT\n  END\nEND\n"
    "IDB_LOGO BITMAP \"logo.bmp\"\n"
    "STRINGTABLE\nBEGIN\n  IDS_HELLO \"Hello world\"\n  IDS_CAFE \"Caf\xE9\"\nEND\n"
    "VS_VERSION_INFO VERSIONINFO\nBEGIN\n BLOCK \"StringFileInfo\"\n BEGIN\n  BLOCK \"040904E4\"\n  BEGIN\n"
    "   VALUE \"FileDescription\", \"Demo\"\n  END\n END\nEND\n";

bool WorkbookProject::open(const std::string& script, const std::vector<LanguageId>& translations)
{
    auto path = dir.write("app.rc", script);
    doc_ = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
    if (!doc_->OnOpenDocument(path))
        return false;
    for (const LanguageId& language : translations) {
        if (!doc_->NewTranslation(language, translationColumnName(language.language, language.sublanguage) + ".rc"))
            return false;
        // "Café" would make them UTF-8; these projects test texts kept in the languages' code pages.
        if (!changeTranslationEncoding(db(), doc_->codePage(), language, encodingOfChoice(EncodingChoice::Ansi, language))
                 .changed)
            return false;
    }
    reload();
    feedback.said.clear();
    return true;
}

void WorkbookProject::reload()
{
    doc_->reloadRows();
}

int WorkbookProject::lineOf(const std::string& sourceText, int nth)
{
    for (const TextRow& text : db().texts().allTextsWithLineKind())
        if (text.sourceText == sourceText && nth-- == 0)
            return text.lineIndex;
    return -1;
}

std::string WorkbookProject::translation(int lineIndex, LanguageId language)
{
    auto text = db().texts().translation(lineIndex, language);
    return text ? text->text : "<none>";
}

Grid WorkbookProject::readGrid(const std::filesystem::path& path)
{
    WorkbookReader reader;
    EXPECT_TRUE(reader.open(path)) << reader.errorDetail();
    Grid grid(static_cast<std::size_t>(reader.rowCount()));
    for (int r = 0; r < reader.rowCount(); ++r)
        for (int c = 0; c < reader.columnCount(); ++c)
            grid[static_cast<std::size_t>(r)].push_back(reader.text(r, c));
    return grid;
}

void WorkbookProject::writeGrid(const std::filesystem::path& path, const Grid& grid, const std::string& exportId)
{
    WorkbookWriter writer;
    ASSERT_TRUE(writer.create(path));
    if (!exportId.empty()) {
        ASSERT_TRUE(writer.setCustomProperty(WorkbookExport::ExportIdProperty, exportId));
    }
    for (std::size_t r = 0; r < grid.size(); ++r)
        for (std::size_t c = 0; c < grid[r].size(); ++c)
            ASSERT_TRUE(writer.writeText(static_cast<int>(r), static_cast<int>(c), grid[r][c],
                                         r == 0 ? CellStyle::Header : CellStyle::Plain));
    ASSERT_TRUE(writer.close()) << writer.errorDetail();
}

} // namespace qmk::test
