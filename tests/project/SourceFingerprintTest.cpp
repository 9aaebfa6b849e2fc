// "Up to date" means the same bytes: copies, checkouts and time zones never ask for an update,
// edits are noticed whatever they did to the file's size and time, in the script and its includes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

#include "SourceUpdateFixture.h"
#include "database/CProjectDatabase.h"
#include "parser/SourceFingerprint.h"
#include "project/FileStamp.h"

namespace qmk {
namespace {

const std::string kScript = "#include \"dlg/about.dlg\"\nSTRINGTABLE\nBEGIN\n    1 \"Hello\"\nEND\n";
const std::string kDialog = "IDD_ABOUT DIALOG 0, 0, 10, 10\nCAPTION \"About\"\nBEGIN\n    LTEXT \"Hi\", 1, 1, 1, 1, 1\nEND\n";

// Sets the time zone for the process while the guard lives.
class TimeZone {
public:
    explicit TimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            saved_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~TimeZone()
    {
        if (saved_)
            ::setenv("TZ", saved_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> saved_;
};

// Overwrites a file with bytes of the same length and gives it back its modification time.
void editKeepingSizeAndTime(const std::filesystem::path& path, const std::string& from, const std::string& to)
{
    ASSERT_EQ(from.size(), to.size());
    const auto time = std::filesystem::last_write_time(path);
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    in.close();
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, from.size(), to);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    std::filesystem::last_write_time(path, time);
}

class SourceFingerprintTest : public test::SourceUpdateFixture {
protected:
    void writeProject()
    {
        dir.write("dlg/about.dlg", kDialog);
        test::setModificationTime(dir / "dlg/about.dlg", start);
        writeScript(kScript);
    }

    ProjectRow projectRow() { return doc->database().projectRow().value_or(ProjectRow{}); }
};

TEST_F(SourceFingerprintTest, ACopyOpenedInAnotherTimeZoneIsUpToDateAndItsStampIsRefreshedQuietly)
{
    {
        TimeZone utc("UTC0");
        writeProject();
        open(script);
        EXPECT_NE(projectRow().sourceFingerprint.find("dlg/about.dlg"), std::string::npos);
        doc->OnCloseDocument();
        doc.reset();
    }
    // A copy gets new file times, as a checkout or an unpack does.
    test::TempDir copy;
    std::filesystem::create_directory(copy / "dlg");
    for (const char* name : {"app.rc", "app_rc.mdb", "dlg/about.dlg"}) {
        std::filesystem::copy_file(dir / name, copy / name);
        test::setModificationTime(copy / name, start + 3600);
    }

    for (const char* zone : {"JST-9", "CET-1CEST,M3.5.0,M10.5.0/3", "HST10"}) {
        TimeZone elsewhere(zone);
        CQuillDoc copied(feedback, {".DLG"});
        ASSERT_TRUE(copied.OnOpenDocument(copy / "app.rc"));
        EXPECT_FALSE(copied.sourceChanged()) << zone;
        EXPECT_FALSE(copied.IsSourceChanged()) << zone;
        const FileStamp stored = copied.database().projectRow()->stamp;
        const FileStamp now = *readFileStamp(copy / "app.rc");
        EXPECT_EQ(stored.date, now.date);
        EXPECT_EQ(stored.time, now.time);
        copied.OnCloseDocument();
    }
}

TEST_F(SourceFingerprintTest, EditsAreNoticedEvenWhenSizeAndTimeStayInTheScriptAndInItsIncludes)
{
    writeProject();
    open(script);
    ASSERT_FALSE(doc->IsSourceChanged());

    editKeepingSizeAndTime(dir / "dlg/about.dlg", "\"Hi\"", "\"Ho\"");
    EXPECT_TRUE(doc->IsSourceChanged());
    ASSERT_TRUE(doc->UpdateDatabase().done());
    EXPECT_FALSE(doc->IsSourceChanged());

    editKeepingSizeAndTime(script, "\"Hello\"", "\"Hallo\"");
    EXPECT_TRUE(doc->IsSourceChanged());
    // Closed and opened again, the project still asks: closing never stores what it did not read.
    doc->OnCloseDocument();
    open(script);
    EXPECT_TRUE(doc->sourceChanged());
}

TEST_F(SourceFingerprintTest, AnIncludeThatAppearsWhereItWasMissingIsAChange)
{
    dir.write("app.rc", "#include \"later.dlg\"\n" + kScript);
    writeScript("#include \"later.dlg\"\n" + kScript);
    dir.write("dlg/about.dlg", kDialog);
    open(script);
    ASSERT_FALSE(doc->IsSourceChanged());
    dir.write("later.dlg", kDialog);
    EXPECT_TRUE(doc->IsSourceChanged());
}

TEST_F(SourceFingerprintTest, AProjectBuiltBeforeHashesWereKeptDecidesByItsLocalStampOnceAndThenGetsThem)
{
    TimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    writeProject();
    open(script);
    CProjectDatabase& db = doc->database();
    db.writeSourceFingerprint("");
    db.refreshStamp(*readFileStamp(script, StampClock::Local));
    EXPECT_FALSE(doc->IsSourceChanged());

    doc->OnCloseDocument();
    open(script);
    EXPECT_FALSE(doc->sourceChanged());
    EXPECT_TRUE(fingerprintMatches(projectRow().sourceFingerprint, script));
}

TEST(SourceFingerprint, DamagedOrEmptyTextNeverMatches)
{
    test::TempDir dir;
    const auto script = dir.write("a.rc", "x");
    const std::string good = sourceFingerprint(script, {});
    EXPECT_TRUE(fingerprintMatches(good, script));
    for (const std::string& bad : std::vector<std::string>{"", "zz", good.substr(0, 10), "0123456789abcdefX a.rc\n"})
        EXPECT_FALSE(fingerprintMatches(bad, script)) << bad;
    EXPECT_TRUE(sourceFingerprint(dir / "missing.rc", {}).empty());
}

} // namespace
} // namespace qmk
