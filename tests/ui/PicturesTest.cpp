// Pictures of the dialogs and menus for translators outside the window: every text of the demo
// has its picture and place, texts too wide are outlined as the preview outlines them, the same
// project gives the same bytes, and a review picture shows the source beside the translation.
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdlib>
#include <set>
#include <sstream>

#include "app/BatchPictures.h"
#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "exchange/PlatformExchange.h"
#include "exchange/WorkbookReader.h"
#include "exchange/XliffFile.h"
#include "project/CQuillDoc.h"
#include "ui/CPreviewPictures.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

const LanguageId German{7, 1};

// How far a drawing may stray from its golden picture: the same fonts hint and smooth a little
// differently between builds of their libraries, never by a glyph or a control.
constexpr int kChannelTolerance = 48;
constexpr double kDifferingShareAtMost = 0.01;

// The share of pixels of `drawn` further from `golden` than the tolerance; 1 when the sizes differ.
double differingShare(const QImage& drawn, const QImage& golden)
{
    if (drawn.size() != golden.size())
        return 1.0;
    const QImage a = drawn.convertToFormat(QImage::Format_RGB32), b = golden.convertToFormat(QImage::Format_RGB32);
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > kChannelTolerance || std::abs(qGreen(p) - qGreen(q)) > kChannelTolerance ||
                std::abs(qBlue(p) - qBlue(q)) > kChannelTolerance)
                ++differing;
        }
    return static_cast<double>(differing) / (static_cast<double>(a.width()) * a.height());
}

class PicturesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "qmk32";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        fs::copy(fs::path(QMK_BINARY_DIR) / "demoproj", dir / "demo", fs::copy_options::recursive);
        db = (dir / "demo" / "demo_rc.mdb").string();
    }
    void TearDown() override { app.reset(); }

    BatchStatus shots(const std::vector<std::string>& params)
    {
        BatchReport report(out, err, "");
        return batchPictures(params, report, {".DLG"}, renderer);
    }
    QJsonObject index(const fs::path& folder)
    {
        return QJsonDocument::fromJson(QByteArray::fromStdString(test::readFile(folder / "shots.json"))).object();
    }
    static QRect rectOf(const QJsonValue& value)
    {
        const QJsonArray r = value.toArray();
        return {r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt()};
    }
    // The ids the exports give the texts of dialogs and menus.
    std::vector<std::string> dialogAndMenuIds()
    {
        test::RecordingFeedback quiet;
        CQuillDoc doc(quiet, {".DLG"});
        EXPECT_TRUE(doc.OnOpenDocument(db));
        EXPECT_TRUE(doc.reloadRows().done());
        std::vector<std::string> ids;
        const std::set<std::string> types{"Dialog Item", "Dialog Caption", "Menu Item", "Popup Menu"};
        for (const ExchangeUnit& unit : exchangeDocument(doc, std::nullopt).units)
            if (types.count(unit.itemType))
                ids.push_back(unit.id);
        doc.OnCloseDocument();
        return ids;
    }
    void storeGerman(const std::string& ident, const std::string& text)
    {
        test::RecordingFeedback quiet;
        CQuillDoc doc(quiet, {".DLG"});
        ASSERT_TRUE(doc.OnOpenDocument(db));
        ASSERT_TRUE(doc.reloadRows().done());
        for (const ExchangeUnit& unit : exchangeDocument(doc, std::nullopt).units)
            if (unit.ident == ident) {
                ASSERT_EQ(doc.storeTranslation(unit.lineIndex, German, text), OperationResult::Done);
            }
        ASSERT_TRUE(doc.OnCloseDocument());
    }

    // A command line as a build script gives it, /SHOTS drawn by the preview's renderer.
    BatchStatus run(const std::vector<std::string>& args)
    {
        CBatchCommandLineInfo cmd;
        cmd.parseArguments(args);
        BatchRunner runner({".DLG"});
        runner.setOperation(FlagCode::Shots, [this](const std::vector<std::string>& p, BatchReport& r) {
            return batchPictures(p, r, {".DLG"}, renderer);
        });
        BatchReport report(out, err, "");
        return runner.run(cmd, report);
    }

    std::unique_ptr<QApplication> app;
    test::TempDir dir;
    std::string db;
    CPreviewPictures renderer;
    std::ostringstream out, err;
};

} // namespace

TEST_F(PicturesTest, EveryTextOfTheDemosDialogsAndMenusHasItsPlaceInAPicture)
{
    const fs::path folder = dir / "shots";
    ASSERT_EQ(shots({db, "German", folder.string()}), BatchStatus::Success) << err.str();
    const QJsonObject shown = index(folder);
    const QJsonObject units = shown["units"].toObject();
    const QJsonObject pictures = shown["pictures"].toObject();
    EXPECT_EQ(pictures.keys(), (QStringList{"dialog-IDD_ABOUT.png", "dialog-IDD_OPTIONS.png", "menu-IDR_MAINMENU.png"}));
    EXPECT_TRUE(shown["undrawn"].toArray().isEmpty());
    const std::vector<std::string> ids = dialogAndMenuIds();
    ASSERT_EQ(ids.size(), 29u);
    for (const std::string& id : ids) {
        SCOPED_TRACE(id);
        const QJsonObject unit = units[QString::fromStdString(id)].toObject();
        const QString file = unit["picture"].toString();
        ASSERT_TRUE(pictures.contains(file));
        const QImage image(QString::fromStdString((folder / file.toStdString()).string()));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), pictures[file].toObject()["width"].toInt());
        EXPECT_EQ(image.height(), pictures[file].toObject()["height"].toInt());
        const QRect rect = rectOf(unit["rect"]);
        EXPECT_FALSE(rect.isEmpty());
        EXPECT_TRUE(image.rect().contains(rect)) << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height();
    }
    EXPECT_NE(out.str().find("3 pictures of 29 texts"), std::string::npos) << out.str();
}

// The pictures of the demo as the fonts scripts/install-deps.sh installs draw them. After a
// deliberate change of the drawing, QMK_WRITE_GOLDEN=1 writes them anew (look at them first).
TEST_F(PicturesTest, TheDemosPicturesMatchTheirGoldenPictures)
{
    const fs::path golden = fs::path(QMK_TEST_DATA_DIR) / "pictures";
    for (const std::string language : {"source", "German"}) {
        const fs::path folder = dir / language;
        ASSERT_EQ(shots({db, language, folder.string()}), BatchStatus::Success) << err.str();
        for (const char* file : {"dialog-IDD_ABOUT.png", "dialog-IDD_OPTIONS.png", "menu-IDR_MAINMENU.png"}) {
            SCOPED_TRACE(language + "/" + file);
            const fs::path expected = golden / language / file;
            if (std::getenv("QMK_WRITE_GOLDEN")) {
                fs::create_directories(expected.parent_path());
                fs::copy_file(folder / file, expected, fs::copy_options::overwrite_existing);
                continue;
            }
            const QImage drawn(QString::fromStdString((folder / file).string()));
            const QImage wanted(QString::fromStdString(expected.string()));
            ASSERT_FALSE(wanted.isNull()) << expected;
            EXPECT_EQ(drawn.size(), wanted.size());
            EXPECT_LE(differingShare(drawn, wanted), kDifferingShareAtMost);
        }
    }
}

TEST_F(PicturesTest, ATranslationTooWideForItsControlIsOutlined)
{
    storeGerman("IDC_VERSION_TEXT", "Demo Writer, Version 1.0 mit einem viel zu langen Text f\xC3\xBCr sein Feld");
    const fs::path folder = dir / "shots";
    ASSERT_EQ(shots({db, "German", folder.string()}), BatchStatus::Success) << err.str();
    const QJsonObject units = index(folder)["units"].toObject();
    const QImage about(QString::fromStdString((folder / "dialog-IDD_ABOUT.png").string()));
    const QColor outline(255, 140, 0);
    const QRect tooWide = rectOf(units["Dialog_Item/IDD_ABOUT/IDC_VERSION_TEXT"].toObject()["rect"]);
    EXPECT_EQ(about.pixelColor(tooWide.left() - 1, tooWide.center().y()), outline);
    EXPECT_EQ(about.pixelColor(tooWide.center().x(), tooWide.top() - 1), outline);
    const QRect fits = rectOf(units["Dialog_Item/IDD_ABOUT/IDOK"].toObject()["rect"]);
    EXPECT_NE(about.pixelColor(fits.left() - 1, fits.center().y()), outline);
}

TEST_F(PicturesTest, TheSameProjectGivesTheSameBytes)
{
    ASSERT_EQ(shots({db, "German", (dir / "a").string()}), BatchStatus::Success);
    ASSERT_EQ(shots({db, "German", (dir / "b").string()}), BatchStatus::Success);
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir / "a")) {
        EXPECT_EQ(test::readFile(entry.path()), test::readFile(dir / "b" / entry.path().filename())) << entry.path();
        ++files;
    }
    EXPECT_EQ(files, 4);
}

TEST_F(PicturesTest, AReviewPictureShowsTheSourceLeftOfTheTranslation)
{
    const fs::path folder = dir / "review";
    ASSERT_EQ(shots({db, "source", "German", folder.string()}), BatchStatus::Success) << err.str();
    const QJsonObject shown = index(folder);
    EXPECT_EQ(shown["languages"].toArray(), (QJsonArray{"source", "German"}));
    const QJsonObject units = shown["units"].toObject();
    ASSERT_EQ(units.size(), 29);
    for (const QString& id : units.keys()) {
        SCOPED_TRACE(id.toStdString());
        const QJsonObject unit = units[id].toObject();
        const QRect source = rectOf(unit["left_rect"]), translation = rectOf(unit["rect"]);
        const QJsonObject picture = shown["pictures"].toObject()[unit["picture"].toString()].toObject();
        EXPECT_FALSE(source.isEmpty());
        EXPECT_LT(source.right(), translation.left());
        EXPECT_EQ(source.top(), translation.top());
        EXPECT_LE(translation.right(), picture["width"].toInt());
    }
}

TEST_F(PicturesTest, TextsNoPictureShowsAreListedAsUndrawn)
{
    // A control of a class the preview does not know, and one placed outside its dialog.
    const fs::path script = dir.write("own.rc", "IDD_OWN DIALOG 0, 0, 100, 50\nCAPTION \"Own\"\nBEGIN\n"
                                                "    CONTROL \"Custom\", IDC_CUSTOM, \"MyOwnClass\", 0, 5, 5, 60, 10\n"
                                                "    LTEXT \"Far away\", IDC_FAR, 200, 200, 40, 8\n"
                                                "    LTEXT \"Here\", IDC_HERE, 5, 20, 40, 8\nEND\n");
    CBatchCommandLineInfo cmd;
    cmd.parseArguments({"-C", script.string()});
    BatchReport report(out, err, "");
    ASSERT_EQ(BatchRunner({".DLG"}).run(cmd, report), BatchStatus::Success) << err.str();
    const fs::path folder = dir / "own";
    ASSERT_EQ(shots({(dir / "own_rc.mdb").string(), "source", folder.string()}), BatchStatus::Success) << err.str();
    const QJsonObject shown = index(folder);
    EXPECT_EQ(shown["undrawn"].toArray(), (QJsonArray{"Dialog_Item/IDD_OWN/IDC_CUSTOM", "Dialog_Item/IDD_OWN/IDC_FAR"}));
    const QJsonObject units = shown["units"].toObject();
    EXPECT_EQ(units.keys(), (QStringList{"Dialog_Caption/IDD_OWN/\"Caption\"", "Dialog_Item/IDD_OWN/IDC_HERE"}));
    EXPECT_NE(out.str().find("2 texts are in no picture"), std::string::npos) << out.str();
}

TEST_F(PicturesTest, EveryDialogAndMenuUnitOfTheXliffExportNamesItsPictureAndARectangleInsideIt)
{
    const std::string folder = (dir / "shots").string(), xliff = (dir / "de.xlf").string();
    // Drawn and named in one run, as a build server would.
    ASSERT_EQ(run({"/SHOTS", db, "German", folder, "/XLIFF", db, "German", xliff, "/SHOTS-INDEX", folder}),
              BatchStatus::Success)
        << err.str();
    EXPECT_NE(out.str().find("29 of "), std::string::npos) << out.str();
    std::string problem;
    const std::optional<ExchangeDocument> read = readXliff(test::readFile(xliff), problem);
    ASSERT_TRUE(read) << problem;
    const std::string text = test::readFile(xliff);
    const std::vector<std::string> ids = dialogAndMenuIds();
    std::size_t named = 0;
    for (const std::string& id : ids) {
        SCOPED_TRACE(id);
        // The unit's own block of the file: its note and its context group with the rectangle.
        std::string attribute = id;  // as XML writes it in an attribute
        for (std::size_t at = attribute.find('"'); at != std::string::npos; at = attribute.find('"', at + 6))
            attribute.replace(at, 1, "&quot;");
        const std::size_t start = text.find("<trans-unit id=\"" + attribute + "\"");
        ASSERT_NE(start, std::string::npos);
        const std::string unit = text.substr(start, text.find("</trans-unit>", start) - start);
        const std::string fileTag = "<context context-type=\"x-picture\">", rectTag = "<context context-type=\"x-rect\">";
        const std::size_t file = unit.find(fileTag), rect = unit.find(rectTag);
        ASSERT_NE(file, std::string::npos);
        ASSERT_NE(rect, std::string::npos);
        const std::size_t name = file + fileTag.size();
        const std::string picture = unit.substr(name, unit.find('<', name) - name);
        std::istringstream numbers(unit.substr(rect + rectTag.size()));
        int x = -1, y = -1, w = -1, h = -1;
        numbers >> x >> y >> w >> h;
        const QImage image(QString::fromStdString((dir / "shots" / picture).string()));
        ASSERT_FALSE(image.isNull()) << picture;
        EXPECT_GT(w, 0);
        EXPECT_GT(h, 0);
        EXPECT_TRUE(image.rect().contains(QRect(x, y, w, h))) << picture << " " << x << "," << y << " " << w << "x" << h;
        EXPECT_NE(unit.find("<note from=\"developer\">Picture: " + picture + " [" + std::to_string(x) + ", "),
                  std::string::npos);
        ++named;
    }
    EXPECT_EQ(named, 29u);
    // Only those: string table texts have no picture and their units stay as they were.
    std::size_t notes = 0;
    for (std::size_t at = text.find("Picture: "); at != std::string::npos; at = text.find("Picture: ", at + 1))
        ++notes;
    EXPECT_EQ(notes, 29u);
    EXPECT_GT(read->units.size(), 29u);
    const std::size_t table = text.find("<trans-unit id=\"Stringtable_String/");
    ASSERT_NE(table, std::string::npos);
    EXPECT_EQ(text.substr(table, text.find("</trans-unit>", table) - table).find("Picture"), std::string::npos);
}

TEST_F(PicturesTest, TranslateToolkitCarriesThePictureIntoThePoFileItMakes)
{
    if (!fs::exists("/usr/bin/xliff2po"))
        GTEST_SKIP() << "translate-toolkit is not installed";
    const std::string folder = (dir / "shots").string(), xliff = (dir / "de.xlf").string();
    ASSERT_EQ(run({"/SHOTS", db, "German", folder, "/XLIFF", db, "German", xliff, "/SHOTS-INDEX", folder}),
              BatchStatus::Success);
    const std::string po = (dir / "de.po").string();
    ASSERT_EQ(std::system(("xliff2po '" + xliff + "' '" + po + "' >/dev/null 2>&1").c_str()), 0);
    const std::string converted = test::readFile(po);
    EXPECT_NE(converted.find("#. Picture: dialog-IDD_ABOUT.png ["), std::string::npos) << converted;
    EXPECT_NE(converted.find("#. Picture: menu-IDR_MAINMENU.png ["), std::string::npos);
}

TEST_F(PicturesTest, PoEntriesAndTheWorkbookNameThePictureAndWithoutTheIndexNothingChanges)
{
    const std::string folder = (dir / "shots").string();
    ASSERT_EQ(run({"/SHOTS", db, "German", folder, "/PO", db, "German", (dir / "with.po").string(), "/SHOTS-INDEX",
                   folder, "/XLSX", db, (dir / "with.xlsx").string(), "German", "/SHOTS-INDEX", folder,
                   "/XLIFF", db, "German", (dir / "plain.xlf").string(), "/XLSX", db, (dir / "plain.xlsx").string(),
                   "German"}),
              BatchStatus::Success)
        << err.str();
    const std::string po = test::readFile(dir / "with.po");
    EXPECT_NE(po.find("#. Dialog Item in IDD_ABOUT\n#. Picture: dialog-IDD_ABOUT.png ["), std::string::npos) << po;
    EXPECT_NE(po.find("#. Menu Item in IDR_MAINMENU\n#. Picture: menu-IDR_MAINMENU.png ["), std::string::npos);
    EXPECT_EQ(test::readFile(dir / "plain.xlf").find("Picture"), std::string::npos);

    WorkbookReader with, plain;
    ASSERT_TRUE(with.open(dir / "with.xlsx"));
    ASSERT_TRUE(plain.open(dir / "plain.xlsx"));
    // Resource, item type, Id, source, German; an empty column; the picture.
    EXPECT_EQ(plain.columnCount(), 5);
    ASSERT_EQ(with.columnCount(), 7);
    EXPECT_EQ(with.text(0, 5), "");
    EXPECT_EQ(with.text(0, 6), "Picture");
    int pictured = 0;
    for (int row = 2; row < with.rowCount(); ++row) {
        const std::string& type = with.text(row, 1);
        const bool drawn = type == "Dialog Item" || type == "Dialog Caption" || type == "Menu Item" || type == "Popup Menu";
        EXPECT_EQ(with.text(row, 6).empty(), !drawn) << with.text(row, 2);
        if (drawn)
            EXPECT_EQ(with.text(row, 6), (type.rfind("Dialog", 0) == 0 ? "dialog-" : "menu-") + with.text(row, 0) + ".png");
        pictured += drawn;
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(with.text(row, column), plain.text(row, column));
    }
    EXPECT_EQ(pictured, 29);
    // The workbook comes back as one without pictures does.
    out.str("");
    EXPECT_EQ(run({"/I", (dir / "with.xlsx").string(), "German", db}), BatchStatus::Success) << err.str() << out.str();
}

TEST_F(PicturesTest, AnExportGivenNoIndexOrABrokenOneWritesNothing)
{
    const fs::path empty = dir / "empty";
    fs::create_directories(empty);
    EXPECT_EQ(run({"/XLIFF", db, "German", (dir / "a.xlf").string(), "/SHOTS-INDEX", empty.string()}),
              BatchStatus::Failed);
    EXPECT_NE(err.str().find("Can not read " + (empty / "shots.json").string()), std::string::npos) << err.str();
    dir.write("empty/shots.json", "{\"units\": {\"x\": {\"rect\": [1, 2, 3]}}}");
    EXPECT_EQ(run({"/PO", db, "German", (dir / "a.po").string(), "/SHOTS-INDEX", empty.string()}), BatchStatus::Failed);
    EXPECT_FALSE(fs::exists(dir / "a.xlf"));
    EXPECT_FALSE(fs::exists(dir / "a.po"));
    // The folder missing after the switch, and too few parameters once it is taken out.
    EXPECT_EQ(run({"/XLIFF", db, "German", (dir / "a.xlf").string(), "/SHOTS-INDEX"}), BatchStatus::UsageError);
    EXPECT_EQ(run({"/XLIFF", db, "/SHOTS-INDEX", empty.string()}), BatchStatus::UsageError);
    EXPECT_FALSE(fs::exists(dir / "a.xlf"));
}

} // namespace qmk
