// The layout of a project database, created directly in a new file.
// Every item table is keyed by LineIndex; identifiers and back links are indexed for look-ups.
#include "database/Schema.h"

#include "database/SqliteDatabase.h"
#include "database/Transaction.h"

namespace qmk::schema {

namespace {

constexpr const char* Layout = R"SQL(
CREATE TABLE Project (
    SourceFile TEXT, FileSize INTEGER, FileTime INTEGER, FileDate INTEGER, FileVersion INTEGER,
    Status INTEGER,
    DialogEdit INTEGER, MenuEdit INTEGER, StringtableEdit INTEGER, BitmapEdit INTEGER,
    VersionEdit INTEGER, IncludeEdit INTEGER, ExcludeEdit INTEGER, SourceEncoding INTEGER);

CREATE TABLE ResFileLine (
    LineIndex INTEGER PRIMARY KEY, Line INTEGER, LineIdentSym INTEGER, Added INTEGER DEFAULT 0,
    BeforeStr TEXT, BehindStr TEXT);
CREATE INDEX ResFileLine_Line ON ResFileLine (Line);

CREATE TABLE ResourceText (
    LineIndex INTEGER PRIMARY KEY, SourceText TEXT, SourceText_Old TEXT,
    Exclude INTEGER DEFAULT 0, Modified INTEGER DEFAULT 0);

CREATE TABLE Dialogs (LineIndex INTEGER PRIMARY KEY, Name_ID TEXT, cx INTEGER, cy INTEGER);
CREATE INDEX Dialogs_Name_ID ON Dialogs (Name_ID);

CREATE TABLE DlgCaption (LineIndex INTEGER PRIMARY KEY, DlgLine INTEGER);
CREATE INDEX DlgCaption_DlgLine ON DlgCaption (DlgLine);

CREATE TABLE DialogControl (
    LineIndex INTEGER PRIMARY KEY, DlgLine INTEGER, Name_ID TEXT, Class TEXT,
    x INTEGER, y INTEGER, cx INTEGER, cy INTEGER, Type INTEGER, Flags INTEGER);
CREATE INDEX DialogControl_DlgLine ON DialogControl (DlgLine);
CREATE INDEX DialogControl_Name_ID ON DialogControl (Name_ID);

CREATE TABLE Menu (LineIndex INTEGER PRIMARY KEY, Name_ID TEXT);
CREATE INDEX Menu_Name_ID ON Menu (Name_ID);

CREATE TABLE MenuItem (LineIndex INTEGER PRIMARY KEY, MenuLine INTEGER, Level INTEGER, Name_ID TEXT);
CREATE INDEX MenuItem_MenuLine ON MenuItem (MenuLine);
CREATE INDEX MenuItem_Name_ID ON MenuItem (Name_ID);

CREATE TABLE StringtableString (LineIndex INTEGER PRIMARY KEY, Name_ID TEXT);
CREATE INDEX StringtableString_Name_ID ON StringtableString (Name_ID);

CREATE TABLE Bitmap (LineIndex INTEGER PRIMARY KEY, Name_ID TEXT);
CREATE INDEX Bitmap_Name_ID ON Bitmap (Name_ID);

CREATE TABLE Version (LineIndex INTEGER PRIMARY KEY, Name_ID TEXT);
CREATE INDEX Version_Name_ID ON Version (Name_ID);

CREATE TABLE VersionBlockHeader (LineIndex INTEGER PRIMARY KEY, VersResLine INTEGER);
CREATE INDEX VersionBlockHeader_VersResLine ON VersionBlockHeader (VersResLine);

CREATE TABLE VersionBlockValues (
    LineIndex INTEGER PRIMARY KEY, VersResLine INTEGER, BlockHeaderLine INTEGER, Value TEXT);
CREATE INDEX VersionBlockValues_VersResLine ON VersionBlockValues (VersResLine);
CREATE INDEX VersionBlockValues_BlockHeaderLine ON VersionBlockValues (BlockHeaderLine);

-- A text joined from several literals ("a" "b"): the literals as the script wrote them, between
-- the outer quotes, so that an untranslated text is written back as it stood.
CREATE TABLE JoinedLiteral (LineIndex INTEGER PRIMARY KEY, AsWritten TEXT);

CREATE TABLE "Source File Language" (
    LineIndex INTEGER PRIMARY KEY, Language INTEGER, SubLanguage INTEGER, FontName TEXT, CharSet INTEGER);

CREATE TABLE Translations (
    Language INTEGER NOT NULL, SubLanguage INTEGER NOT NULL, LanguageStr TEXT,
    FontName TEXT, CharSet INTEGER, Encoding INTEGER, PRIMARY KEY (Language, SubLanguage));

CREATE TABLE TranslationInfoTable (
    Language INTEGER NOT NULL, SubLanguage INTEGER NOT NULL, FileName TEXT,
    PRIMARY KEY (Language, SubLanguage));

CREATE TABLE Bookmark (
    ID INTEGER PRIMARY KEY AUTOINCREMENT, LineIndex INTEGER, Name TEXT, Window TEXT,
    Language INTEGER, SubLanguage INTEGER);
CREATE INDEX Bookmark_LineIndex ON Bookmark (LineIndex);
)SQL";

} // namespace

void create(SqliteDatabase& db)
{
    Transaction transaction(db);
    db.execute(Layout);
    transaction.commit();
}

} // namespace qmk::schema
