// Pictures of the dialogs and menus for translators outside the window: every text of the demo
// has its picture and place, texts too wide are outlined as the preview outlines them, the same
// project gives the same bytes, and a review picture shows the source beside the translation.
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <set>
#include <sstream>

#include "app/BatchPictures.h"
#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "exchange/PlatformExchange.h"
#include "project/CQuillDoc.h"
#include "ui/CPreviewPictures.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

const LanguageId German{7, 1};

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

} // namespace qmk
