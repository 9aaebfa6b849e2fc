// Stores each parsed line of a source update: finds the item the line was before among the
// lines the update has not written yet, rewrites it (flagging a changed text) or adds it as new.
#pragma once

#include <deque>
#include <list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "database/LineIndexAllocator.h"
#include "load/ItemRowWriter.h"
#include "parser/LineSink.h"
#include "load/StoredItemIndex.h"

namespace qmk {

class CProjectDatabase;
class LineStore;

class UpdateLineStore : public LineSink {
public:
    // `rows` appends to `db` inside the update's transaction.
    UpdateLineStore(CProjectDatabase& db, LineStore& rows);

    void store(const ParsedLine& line, const ScriptParser& parser, int lineNumber) override;
    // Writes what is still gathered; to be called once the whole script is stored.
    void finish();

    int foundLines() const { return found_; }
    int newLines() const { return added_; }
    int changedTexts() const { return changed_; }
    int newTexts() const { return addedTexts_; }

private:
    // The line an item was before, with its stored text when the new text is to be compared,
    // and its stored rows when they were read with it (then the text is read from there).
    struct Match {
        int lineIndex = 0;
        std::optional<std::string> storedText;
        const StoredItem* stored = nullptr;
        bool compareStoredText = false;
        const std::string* oldText() const
        {
            if (compareStoredText)
                return &stored->sourceText;
            return storedText ? &*storedText : nullptr;
        }
    };
    static Match matchOf(const StoredItem& item, bool compareText = true);

    std::optional<Match> findItem(const ParsedLine& line, const ScriptParser& parser, const LineSplit& split);
    std::optional<Match> findControl(const ParsedLine& line, const ScriptParser& parser, std::string_view text);
    std::optional<Match> findBlockHeader(std::string_view text);
    std::optional<Match> findInclude(std::string_view fileName);
    std::optional<Match> findDataString(int kind, std::string_view text);
    // The look-ups of one item table, read when the first line of its kind is looked up.
    StoredItemIndex& storedItems(StoredItemIndex& index, StoredItemTable table);
    void rewriteLine(const Match& match, int kind, int lineNumber, const LineSplit& split);
    void rewriteItemRow(const Match& match, const ParsedLine& line, const ScriptParser& parser);
    void addNew(const ParsedLine& line, const ScriptParser& parser, const LineSplit& split, int lineNumber);

    CProjectDatabase& db_;
    LineStore& rows_;
    LineIndexAllocator lineIndexes_;
    ResourceContext context_;
    // Identifiers of the dialog and menu being read: items are found among those of every
    // dialog or menu of the same identifier.
    std::string dialogName_;
    std::string menuName_;
    std::vector<std::string> popups_;  // texts of the popups around the current menu line
    std::set<std::string> repeatedMenuIdents_;  // menu and identifier of items a menu repeats
    FoundLines foundLines_;
    std::string keyBuffer_;
    // Found rows that only need marking or relinking, gathered into one statement per batch:
    // a statement of its own costs a row several times its write. Controls and menu items are
    // written when their dialog or menu ends, lines in batches.
    void flushUnchangedLines();
    void flushRelinks();
    std::vector<int> unchangedLines_;
    std::vector<int> relinkedControls_;
    std::vector<int> relinkedMenuItems_;
    StoredItemIndex strings_;
    StoredItemIndex bitmaps_;
    StoredItemIndex captions_;
    StoredItemIndex controls_;
    StoredItemIndex menuItems_;  // look-up 0 by identifier, 1 popups by text
    // Identifiers that several controls of the dialog being read had before the update.
    std::set<std::string, std::less<>> sharedIdents_;
    std::set<std::string, std::less<>> seenIdents_;
    int identsOfDialog_ = 0;
    // The include lines not written yet, in script order: read once, since a script may have
    // a thousand of them and the engine has no index for a look-up that ignores case.
    std::list<TextMatch> includes_;
    // Data strings (RCDATA, user-defined resources) not yet found again, by kind and text.
    std::map<std::pair<int, std::string>, std::deque<int>, std::less<>> dataStrings_;
    bool dataStringsLoaded_ = false;
    // The block headers and values not written yet of the version resources named like the one
    // being read, read once per name: a script may hold hundreds of VS_VERSION_INFO resources,
    // and the list of the name is the same for each of them.
    void loadVersionItems();
    std::string versionIdent_;
    std::optional<std::string> versionItemsOf_;
    std::list<TextMatch> blockHeaders_;
    std::list<VersionValueMatch> values_;
    int found_ = 0;
    int added_ = 0;
    int addedTexts_ = 0;
    int changed_ = 0;
};

} // namespace qmk
