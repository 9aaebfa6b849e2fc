// Generates the benchmark project through the database layer's own line store, in runs that
// resemble a real script: a dialog of ten texts, a menu of ten, then a block of strings.
#include "support/SyntheticProject.h"

#include <memory>
#include <string>

#include "database/CProjectDatabase.h"
#include "database/LineStore.h"
#include "database/Transaction.h"

namespace qmk::bench {

namespace {

// Line kinds the generator writes.
constexpr int CaptionKind = 1, PopupKind = 3, MenuItemKind = 4, MenuKind = 8, DialogKind = 13, BitmapKind = 16,
              LTextKind = 19, PushButtonKind = 23, StringKind = 70, VersionKind = 77, BlockKind = 85, ValueKind = 86,
              LanguageKind = 94;

constexpr LanguageId German{7, 1};
constexpr LanguageId French{12, 1};

class Generator {
public:
    explicit Generator(LineStore& store) : store_(store) {}

    int line(int kind, const std::string& text, bool exclude = false)
    {
        int index = next_++;
        store_.addLine({index, index, kind, 0, text.empty() ? "STATEMENT" : "STATEMENT \"", text.empty() ? "" : "\""});
        if (!text.empty()) {
            store_.addText(index, text, exclude);
            ++texts_;
        }
        return index;
    }

    void dialog(int n)
    {
        int header = line(DialogKind, "");
        store_.addDialog({header, "IDD_DIALOG" + std::to_string(n), 300, 200});
        store_.addCaption({line(CaptionKind, "Dialog caption " + std::to_string(n)), header});
        for (int c = 0; c < 9; ++c) {
            int kind = c % 3 == 0 ? PushButtonKind : LTextKind;
            int at = line(kind, "Control text " + std::to_string(n) + "." + std::to_string(c));
            store_.addControl({at, header, "IDC_CONTROL" + std::to_string(c), "", 7, 7 + 12 * c, 100, 10, kind, 0});
        }
    }

    void menu(int n)
    {
        int header = line(MenuKind, "");
        store_.addMenu({header, "IDR_MENU" + std::to_string(n)});
        store_.addMenuItem({line(PopupKind, "&Popup " + std::to_string(n)), header, 0, "", 0});
        for (int i = 0; i < 9; ++i)
            store_.addMenuItem(
                {line(MenuItemKind, "Menu item " + std::to_string(n) + "." + std::to_string(i)), header, 1,
                 "ID_COMMAND" + std::to_string(n * 10 + i), 0});
    }

    void strings(int n, int count)
    {
        for (int s = 0; s < count; ++s)
            store_.addStringtableString(
                {line(StringKind, "String number " + std::to_string(n) + "." + std::to_string(s) + " of the table"),
                 "IDS_STRING" + std::to_string(n * 100 + s)});
    }

    void bitmap(int n)
    {
        store_.addBitmap({line(BitmapKind, "res\\bitmap" + std::to_string(n) + ".bmp", true),
                          "IDB_BITMAP" + std::to_string(n)});
    }

    void version(int n)
    {
        int header = line(VersionKind, "");
        store_.addVersion({header, "VS_VERSION_INFO" + std::to_string(n)});
        int block = line(BlockKind, "040904E4");
        store_.addVersionBlockHeader({block, header});
        store_.addVersionValue({line(ValueKind, "Product " + std::to_string(n)), header, block, "ProductName"});
    }

    void sourceLanguage()
    {
        store_.addSourceLanguage(line(LanguageKind, ""), {9, 1});
    }

    int texts() const { return texts_; }
    int lastLine() const { return next_ - 1; }

private:
    LineStore& store_;
    int next_ = 1;
    int texts_ = 0;
};

} // namespace

int buildSyntheticProject(const std::filesystem::path& path, const SyntheticProjectSize& size)
{
    std::error_code ec;
    std::filesystem::remove(path, ec);
    CProjectDatabase db;
    db.createNew(path);
    int lastLine = 0, texts = 0;
    {
        std::unique_ptr<LineStore> store = db.lineStore();
        Generator g(*store);
        g.sourceLanguage();
        for (int n = 0; g.texts() < size.texts; ++n) {
            g.dialog(n);
            g.menu(n);
            g.strings(n, 25);
            if (n % 10 == 0) {
                g.bitmap(n);
                g.version(n);
            }
        }
        store->commit();
        lastLine = g.lastLine();
        texts = g.texts();
    }
    db.writeProjectRow(path.filename().string(), {}, {});
    db.finishNew();
    db.languages().addTranslation(German);
    db.languages().addTranslation(French);
    auto bulk = db.beginBulk();
    for (int line = 1; line <= lastLine; line += 2)
        db.texts().setTranslation(line, German, "Übersetzter Text", line % 7 == 0);
    bulk->commit();
    return texts;
}

} // namespace qmk::bench
