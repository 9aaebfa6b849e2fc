// The test project builder: a line row per call, its text row when it has a text, and the
// item row of its kind.
#include "common/ProjectDatabaseBuilder.h"

namespace qmk::test {

namespace {

// Line kinds the builder writes.
constexpr int CaptionKind = 1, PopupKind = 3, MenuItemKind = 4, MenuKind = 8, IncludeKind = 9, DialogKind = 13,
              BitmapKind = 16, StringKind = 70, VersionKind = 77, BlockKind = 85, ValueKind = 86, DataKind = 87,
              LanguageKind = 94;

} // namespace

ProjectDatabaseBuilder::ProjectDatabaseBuilder(CProjectDatabase& db, const std::filesystem::path& target) : db_(db)
{
    db_.createNew(target);
    store_ = db_.lineStore();
}

ProjectDatabaseBuilder::~ProjectDatabaseBuilder() = default;

int ProjectDatabaseBuilder::addLine(int kind, const std::string& text, bool exclude)
{
    int lineIndex = nextLineIndex_++;
    store_->addLine({lineIndex, lineIndex, kind, 0, text.empty() ? "STATEMENT" : "STATEMENT \"",
                     text.empty() ? "" : "\""});
    if (!text.empty())
        store_->addText(lineIndex, text, exclude);
    return lineIndex;
}

int ProjectDatabaseBuilder::sourceLanguage(LanguageId language)
{
    int line = addLine(LanguageKind, "");
    store_->addSourceLanguage(line, language);
    return line;
}

int ProjectDatabaseBuilder::dialog(const std::string& nameId)
{
    int line = addLine(DialogKind, "");
    store_->addDialog({line, nameId, 200, 100});
    return line;
}

int ProjectDatabaseBuilder::caption(int dialog, const std::string& text)
{
    int line = addLine(CaptionKind, text);
    store_->addCaption({line, dialog});
    return line;
}

int ProjectDatabaseBuilder::control(int dialog, int kind, const std::string& nameId, const std::string& text)
{
    int line = addLine(kind, text);
    store_->addControl({line, dialog, nameId, "", 7, 7, 50, 14, kind, 0});
    return line;
}

int ProjectDatabaseBuilder::menu(const std::string& nameId)
{
    int line = addLine(MenuKind, "");
    store_->addMenu({line, nameId});
    return line;
}

int ProjectDatabaseBuilder::popup(int menu, const std::string& text, int level)
{
    int line = addLine(PopupKind, text);
    store_->addMenuItem({line, menu, level, "", 0});
    return line;
}

int ProjectDatabaseBuilder::menuItem(int menu, const std::string& nameId, const std::string& text, int level)
{
    int line = addLine(MenuItemKind, text);
    store_->addMenuItem({line, menu, level, nameId, 0});
    return line;
}

int ProjectDatabaseBuilder::string(const std::string& nameId, const std::string& text)
{
    int line = addLine(StringKind, text);
    store_->addStringtableString({line, nameId});
    return line;
}

int ProjectDatabaseBuilder::bitmap(const std::string& nameId, const std::string& fileName)
{
    int line = addLine(BitmapKind, fileName, true);
    store_->addBitmap({line, nameId});
    return line;
}

int ProjectDatabaseBuilder::include(const std::string& fileName)
{
    return addLine(IncludeKind, fileName, true);
}

int ProjectDatabaseBuilder::version(const std::string& nameId)
{
    int line = addLine(VersionKind, "");
    store_->addVersion({line, nameId});
    return line;
}

int ProjectDatabaseBuilder::blockHeader(int version, const std::string& blockName)
{
    int line = addLine(BlockKind, blockName);
    store_->addVersionBlockHeader({line, version});
    return line;
}

int ProjectDatabaseBuilder::versionValue(int version, int blockHeader, const std::string& valueName,
                                         const std::string& text)
{
    int line = addLine(ValueKind, text);
    store_->addVersionValue({line, version, blockHeader, valueName});
    return line;
}

int ProjectDatabaseBuilder::dataString(const std::string& text)
{
    return addLine(DataKind, text);
}

void ProjectDatabaseBuilder::finish(const ProjectSwitches& switches, const std::vector<LanguageId>& translations)
{
    store_->commit();
    store_.reset();
    db_.writeProjectRow("app.rc", {}, switches);
    db_.finishNew();
    for (const LanguageId& id : translations)
        db_.languages().addTranslation(id);
}

} // namespace qmk::test
