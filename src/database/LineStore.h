// Appends the parsed lines of a script and their item rows to a project database, all in
// one transaction with the insert statements prepared once. Dropped without commit(): nothing stays.
#pragma once

#include <string_view>

#include "database/ProjectRows.h"
#include "database/Statement.h"
#include "database/Transaction.h"

namespace qmk {

class SqliteDatabase;

class LineStore {
public:
    explicit LineStore(SqliteDatabase& db);
    LineStore(const LineStore&) = delete;
    LineStore& operator=(const LineStore&) = delete;

    // Empty before/behind texts and an empty source text are stored as null.
    void addLine(const LineRow& row);
    void addText(int lineIndex, std::string_view sourceText, bool exclude);
    void addDialog(const DialogRow& row);
    void addCaption(const CaptionRow& row);
    void addControl(const ControlRow& row);
    void addMenu(const IdentRow& row);
    void addMenuItem(const MenuItemRow& row);
    void addStringtableString(const IdentRow& row);
    void addBitmap(const IdentRow& row);
    void addVersion(const IdentRow& row);
    void addVersionBlockHeader(const VersionBlockHeaderRow& row);
    void addVersionValue(const VersionValueRow& row);
    void addSourceLanguage(int lineIndex, LanguageId language);
    // The literals a text was joined from, as written (see the JoinedLiteral table).
    void addJoinedLiteral(int lineIndex, std::string_view asWritten);
    // Before an update stores every line again.
    void clearJoinedLiterals();

    void commit();

private:
    Transaction transaction_;
    Statement line_, text_, dialog_, caption_, control_, menu_, menuItem_, string_, bitmap_, version_, blockHeader_,
        value_, sourceLanguage_, joinedLiteral_;
    SqliteDatabase& db_;
};

} // namespace qmk
