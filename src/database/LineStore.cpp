// Appends parsed lines and their item rows inside one transaction.
#include "database/LineStore.h"

#include "database/QueryCatalogue.h"
#include "database/QueryNames.h"
#include "database/SqliteDatabase.h"
#include "database/StatementReaders.h"

namespace qmk {
namespace {

Statement prepareJoinedLiteral(SqliteDatabase& db)
{
    db.execute(queries::sql(qn::Create_JoinedLiteral));
    return db.prepare(queries::sql(qn::Add_JoinedLiteral));
}

} // namespace

LineStore::LineStore(SqliteDatabase& db)
    : transaction_(db),
      line_(db.prepare(queries::sql(qn::Add_ResFileLine))),
      text_(db.prepare(queries::sql(qn::Add_ResourceText))),
      dialog_(db.prepare(queries::sql(qn::Add_Dialogs))),
      caption_(db.prepare(queries::sql(qn::Add_DlgCaption))),
      control_(db.prepare(queries::sql(qn::Add_DialogControl))),
      menu_(db.prepare(queries::sql(qn::Add_Menu))),
      menuItem_(db.prepare(queries::sql(qn::Add_MenuItem))),
      string_(db.prepare(queries::sql(qn::Add_StringtableString))),
      bitmap_(db.prepare(queries::sql(qn::Add_Bitmap))),
      version_(db.prepare(queries::sql(qn::Add_Version))),
      blockHeader_(db.prepare(queries::sql(qn::Add_VersionBlockHeader))),
      value_(db.prepare(queries::sql(qn::Add_VersionBlockValues))),
      sourceLanguage_(db.prepare(queries::sql(qn::Add_SourceFileLanguage))),
      joinedLiteral_(prepareJoinedLiteral(db)),
      db_(db)
{
}

void LineStore::addLine(const LineRow& row)
{
    line_.bind("LineIndex", row.lineIndex)
        .bind("Line", row.line)
        .bind("LineIdentSym", row.lineKind)
        .bind("Added", row.added)
        .bindTextOrNull("BeforeStr", row.beforeStr)
        .bindTextOrNull("BehindStr", row.behindStr)
        .execute();
}

void LineStore::addText(int lineIndex, std::string_view sourceText, bool exclude)
{
    text_.bind("LineIndex", lineIndex).bindTextOrNull("SourceText", sourceText).bind("Exclude", exclude ? 1 : 0).execute();
}

void LineStore::addDialog(const DialogRow& row)
{
    dialog_.bind("LineIndex", row.lineIndex)
        .bindTextOrNull("Name_ID", row.nameId)
        .bind("cx", row.cx)
        .bind("cy", row.cy)
        .execute();
}

void LineStore::addCaption(const CaptionRow& row)
{
    caption_.bind("LineIndex", row.lineIndex).bind("DlgLine", row.dlgLine).execute();
}

void LineStore::addControl(const ControlRow& row)
{
    bindControl(control_, row).execute();
}

void LineStore::addMenu(const IdentRow& row)
{
    menu_.bind("LineIndex", row.lineIndex).bindTextOrNull("Name_ID", row.nameId).execute();
}

void LineStore::addMenuItem(const MenuItemRow& row)
{
    bindMenuItem(menuItem_, row).execute();
}

void LineStore::addStringtableString(const IdentRow& row)
{
    string_.bind("LineIndex", row.lineIndex).bindTextOrNull("Name_ID", row.nameId).execute();
}

void LineStore::addBitmap(const IdentRow& row)
{
    bitmap_.bind("LineIndex", row.lineIndex).bindTextOrNull("Name_ID", row.nameId).execute();
}

void LineStore::addVersion(const IdentRow& row)
{
    version_.bind("LineIndex", row.lineIndex).bindTextOrNull("Name_ID", row.nameId).execute();
}

void LineStore::addVersionBlockHeader(const VersionBlockHeaderRow& row)
{
    blockHeader_.bind("LineIndex", row.lineIndex).bind("VersResLine", row.versResLine).execute();
}

void LineStore::addVersionValue(const VersionValueRow& row)
{
    bindVersionValue(value_, row).execute();
}

void LineStore::addSourceLanguage(int lineIndex, LanguageId language)
{
    sourceLanguage_.bind("LineIndex", lineIndex)
        .bind("Language", language.language)
        .bind("SubLanguage", language.sublanguage)
        .execute();
}

void LineStore::addJoinedLiteral(int lineIndex, std::string_view asWritten)
{
    joinedLiteral_.bind("LineIndex", lineIndex).bind("AsWritten", asWritten).execute();
}

void LineStore::clearJoinedLiterals()
{
    db_.execute(queries::sql(qn::Clear_JoinedLiterals));
}

void LineStore::commit()
{
    transaction_.commit();
}

} // namespace qmk
