#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "parser/ParseHelpers.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "database/Transaction.h"
#include "load/DatabaseBuild.h"
#include "load/DatabaseUpdate.h"
#include "parser/ParserCodes.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;
using test::Statement;

constexpr LanguageId German{7, 1};
constexpr int kRoundsPerScript = 3;

bool isTextControl(int kind)
{
    return kind == 2 || (kind >= 19 && kind <= 23) || (kind >= 25 && kind <= 27) || (kind >= 102 && kind <= 104);
}

std::vector<std::string> physicalLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, end - at));
        at = end;
    }
    return lines;
}

std::string trimmed(const std::string& s)
{
    const std::size_t b = s.find_first_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b);
}

// Random small edits of a script, chosen where the statement stands alone on its line, with
// what each edit must do to the project's texts.
struct Edits {
    std::map<int, std::string> changed;  // line key -> new text
    std::set<int> deleted;               // line keys of removed items
    int inserted = 0;                    // new controls, each with the text "Inserted"
    bool swapped = false;                // two resources changed places
    std::string script;
};

class ScriptEditor {
public:
    ScriptEditor(const std::string& text, const std::map<int, int>& lineIndexOfCounter, unsigned seed)
        : lines_(physicalLines(text)), statements_(test::parseText(text)), keys_(lineIndexOfCounter), random_(seed)
    {
        for (const Statement& s : statements_)
            ++identCount_[{s.kind, s.symbol}];
    }

    Edits apply()
    {
        Edits edits;
        changeStrings(edits, 2);
        insertControl(edits);
        deleteMenuItem(edits);
        edits.swapped = swapResources();
        for (std::size_t i : order_)
            edits.script += pieces_[i];
        return edits;
    }

private:
    // Statements that begin their physical line and end before the next one starts.
    std::vector<std::size_t> alone(const std::function<bool(const Statement&)>& want)
    {
        std::vector<std::size_t> found;
        for (std::size_t i = 0; i + 1 < statements_.size(); ++i) {
            const Statement& s = statements_[i];
            const int line = s.physicalLine - 1;
            if (!want(s) || line < 0 || line >= static_cast<int>(lines_.size()) || touched_.count(line) ||
                statements_[i + 1].physicalLine != s.physicalLine + 1 ||
                (i > 0 && statements_[i - 1].physicalLine == s.physicalLine))
                continue;
            if (trimmed(lines_[line]).rfind(s.text.substr(0, s.text.find(' ')), 0) != 0)
                continue;
            found.push_back(i);
        }
        return found;
    }

    template <typename T>
    const T& pick(const std::vector<T>& from)
    {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random_)];
    }

    bool unique(const Statement& s) { return !s.symbol.empty() && identCount_[{s.kind, s.symbol}] == 1; }

    int keyOf(const Statement& s) { return keys_.count(s.counter) ? keys_.at(s.counter) : 0; }

    void changeStrings(Edits& edits, int count)
    {
        for (int n = 0; n < count; ++n) {
            auto candidates = alone([&](const Statement& s) {
                return s.action == 40 && !s.string.empty() && (s.kind == 70 || s.kind == 4 || isTextControl(s.kind)) &&
                       unique(s) && keyOf(s) != 0;
            });
            if (candidates.empty())
                return;
            const Statement& s = statements_[pick(candidates)];
            std::string& line = lines_[s.physicalLine - 1];
            const std::string quoted = "\"" + s.string + "\"";
            const std::size_t at = line.find(quoted);
            if (at == std::string::npos || line.find(quoted, at + 1) != std::string::npos)
                continue;
            line.replace(at, quoted.size(), "\"" + s.string + " (edited)\"");
            edits.changed[keyOf(s)] = s.string + " (edited)";
            touched_.insert(s.physicalLine - 1);
        }
    }

    void insertControl(Edits& edits)
    {
        auto candidates = alone([&](const Statement& s) { return isTextControl(s.kind); });
        if (candidates.empty())
            return;
        const Statement& s = statements_[pick(candidates)];
        lines_[s.physicalLine - 1] = "    LTEXT \"Inserted\", 32100, 1, 1, 20, 8\n" + lines_[s.physicalLine - 1];
        touched_.insert(s.physicalLine - 1);
        ++edits.inserted;
    }

    void deleteMenuItem(Edits& edits)
    {
        auto candidates = alone([&](const Statement& s) { return s.kind == 4 && s.action == 40 && unique(s) && keyOf(s); });
        if (candidates.empty())
            return;
        const Statement& s = statements_[pick(candidates)];
        lines_[s.physicalLine - 1].clear();
        touched_.insert(s.physicalLine - 1);
        edits.deleted.insert(keyOf(s));
    }

    // Two neighbouring dialogs or menus of different identifiers change places.
    bool swapResources()
    {
        pieces_ = lines_;
        order_.resize(pieces_.size());
        for (std::size_t i = 0; i < order_.size(); ++i)
            order_[i] = i;
        struct Range {
            int first, last;  // physical lines, 0-based
            std::string ident;
        };
        std::vector<std::pair<Range, Range>> pairs;
        std::optional<Range> previous;
        for (std::size_t i = 0; i < statements_.size(); ++i) {
            const Statement& s = statements_[i];
            if (s.kind != 8 && s.kind != 13) {
                previous.reset();
                continue;
            }
            int depth = 0;
            std::size_t j = i + 1;
            for (; j < statements_.size(); ++j) {
                if (statements_[j].kind == 6)
                    ++depth;
                else if (statements_[j].kind == 7 && --depth == 0)
                    break;
            }
            if (j + 1 >= statements_.size()) {
                previous.reset();
                continue;
            }
            Range range{s.physicalLine - 1, statements_[j].physicalLine - 1, s.symbol};
            if (previous && previous->ident != range.ident && previous->last < range.first)
                pairs.push_back({*previous, range});
            previous = range;
            i = j;
            // The next statement must be the next resource's header for the two to be neighbours.
            if (statements_[j + 1].kind != 8 && statements_[j + 1].kind != 13)
                previous.reset();
        }
        if (pairs.empty())
            return false;
        const auto& [a, b] = pick(pairs);
        std::vector<std::size_t> order;
        for (int l = 0; l < a.first; ++l)
            order.push_back(l);
        for (int l = b.first; l <= b.last; ++l)
            order.push_back(l);
        for (int l = a.last + 1; l < b.first; ++l)
            order.push_back(l);
        for (int l = a.first; l <= a.last; ++l)
            order.push_back(l);
        for (std::size_t l = b.last + 1; l < pieces_.size(); ++l)
            order.push_back(l);
        order_ = order;
        return true;
    }

    std::vector<std::string> lines_;
    std::vector<Statement> statements_;
    const std::map<int, int>& keys_;
    std::mt19937 random_;
    std::map<std::pair<int, std::string>, int> identCount_;
    std::set<int> touched_;
    std::vector<std::string> pieces_;
    std::vector<std::size_t> order_;
};

class UpdatePropertyTest : public ::testing::TestWithParam<std::string> {};

} // namespace

// Every line of a project in script order with its text and item row, the rows it links to
// given by their line numbers instead of their keys: what a fresh build of the same script
// holds too, whichever keys the lines have.
std::vector<std::string> layoutOf(CProjectDatabase& db)
{
    std::map<int, std::string> textOf;
    for (const TextRow& row : db.texts().allTextsWithLineKind())
        textOf[row.lineIndex] = row.sourceText;
    std::map<int, int> lineOf;
    std::vector<LineRow> lines;
    db.texts().forEachScriptLine([&](const LineRow& row) {
        lines.push_back(row);
        lineOf[row.lineIndex] = row.line;
    });
    const auto at = [&](int lineIndex) { return lineOf.count(lineIndex) ? lineOf[lineIndex] : -1; };
    std::vector<std::string> layout;
    for (const LineRow& line : lines) {
        std::ostringstream out;
        out << line.line << ' ' << line.lineKind << " [" << line.beforeStr << "|" << line.behindStr << "] added "
            << line.added;
        if (auto text = textOf.find(line.lineIndex); text != textOf.end())
            out << " text \"" << text->second << '"';
        if (auto c = db.items().control(line.lineIndex))
            out << " control of " << at(c->dlgLine) << ' ' << c->nameId << ' ' << c->className << ' ' << c->x << ','
                << c->y << ',' << c->cx << ',' << c->cy << " type " << c->type << " flags " << c->flags;
        if (auto caption = db.items().caption(line.lineIndex))
            out << " caption of " << at(caption->dlgLine);
        if (auto item = db.items().menuItem(line.lineIndex))
            out << " item of " << at(item->menuLine) << " level " << item->level << ' ' << item->nameId;
        if (auto value = db.items().versionValue(line.lineIndex))
            out << " value of " << at(value->versResLine) << '/' << at(value->blockHeaderLine) << ' ' << value->value;
        layout.push_back(out.str());
    }
    return layout;
}

// Translate everything, edit the script a little, update: what was not edited keeps its
// translation unflagged, edited texts are flagged, removed items are gone, inserted ones new.
TEST_P(UpdatePropertyTest, UntouchedItemsKeepTheirTranslationsAndChangedOnesAreFlagged)
{
    const fs::path corpus = test::corpusDir();
    if (corpus.empty())
        GTEST_SKIP() << "no corpus";
    const std::string original = test::readFile(corpus / GetParam());
    for (unsigned seed = 1; seed <= kRoundsPerScript; ++seed) {
        SCOPED_TRACE(GetParam() + " seed " + std::to_string(seed));
        test::TempDir dir;
        test::RecordingFeedback feedback;
        const fs::path script = dir.write("app.rc", original);
        CProjectDatabase db;
        db.createNew(dir / "app_rc.mdb");
        ASSERT_TRUE(BuildDatabase(script, db, {".DLG"}, feedback).ok());
        db.finishNew();
        ASSERT_TRUE(db.languages().addTranslation(German));
        std::map<int, TextRow> before;
        {
            auto bulk = db.beginBulk();
            for (TextRow& row : db.texts().allTextsWithLineKind()) {
                db.texts().setTranslation(row.lineIndex, German, "T" + std::to_string(row.lineIndex), false);
                before[row.lineIndex] = row;
            }
            bulk->commit();
        }
        std::map<int, int> keyOfLine;
        db.texts().forEachScriptLine([&](const LineRow& row) { keyOfLine[row.line] = row.lineIndex; });

        const Edits edits = ScriptEditor(original, keyOfLine, seed).apply();
        ASSERT_FALSE(edits.changed.empty());
        dir.write("app.rc", edits.script);
        ASSERT_TRUE(UpdateDatabasePass(script, db, {".DLG"}, feedback).ok());

        std::map<int, TextRow> after;
        for (TextRow& row : db.texts().allTextsWithLineKind())
            after[row.lineIndex] = row;
        for (const auto& [key, old] : before) {
            SCOPED_TRACE("line key " + std::to_string(key) + " \"" + old.sourceText + "\"");
            if (edits.deleted.count(key)) {
                EXPECT_EQ(after.count(key), 0u);
                continue;
            }
            ASSERT_EQ(after.count(key), 1u);
            const TextRow& now = after[key];
            ASSERT_EQ(now.translations.size(), 1u);
            EXPECT_EQ(now.translations[0].text, "T" + std::to_string(key));
            EXPECT_FALSE(now.modified);
            if (auto changed = edits.changed.find(key); changed != edits.changed.end()) {
                EXPECT_EQ(now.sourceText, changed->second);
                EXPECT_EQ(now.sourceTextOld, old.sourceText);
                EXPECT_TRUE(now.translations[0].modified);
            } else {
                EXPECT_EQ(now.sourceText, old.sourceText);
                EXPECT_FALSE(now.translations[0].modified);
            }
        }
        int added = 0;
        for (const auto& [key, now] : after) {
            if (before.count(key))
                continue;
            ++added;
            EXPECT_EQ(now.sourceText, "Inserted");
            EXPECT_EQ(now.translations[0].text, "");
            EXPECT_FALSE(now.translations[0].modified);
        }
        EXPECT_EQ(added, edits.inserted);
        EXPECT_EQ(after.size(), before.size() - edits.deleted.size() + static_cast<std::size_t>(edits.inserted));

        CProjectDatabase fresh;
        fresh.createNew(dir / "fresh_rc.mdb");
        ASSERT_TRUE(BuildDatabase(script, fresh, {".DLG"}, feedback).ok());
        fresh.finishNew();
        const std::vector<std::string> updated = layoutOf(db);
        const std::vector<std::string> built = layoutOf(fresh);
        ASSERT_EQ(updated.size(), built.size());
        for (std::size_t i = 0; i < built.size(); ++i)
            ASSERT_EQ(updated[i], built[i]) << "line " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, UpdatePropertyTest,
                         ::testing::Values("winmine/en-US.rc", "kbswitch/en-US.rc", "mplay32/en-US.rc",
                                           "solitaire/en-US.rc", "powercfg/en-US.rc", "standalone/7zip/resource.rc",
                                           "standalone/notepad-plus-plus/Notepad_plus.rc"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

} // namespace qmk
