// The fixture of the source update tests.
#include "SourceUpdateFixture.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <regex>

#include "database/CProjectDatabase.h"
#include "database/Transaction.h"

namespace qmk::test {

void setModificationTime(const std::filesystem::path& path, std::time_t when)
{
    struct timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

void SourceUpdateFixture::SetUp()
{
    if (const char* tmp = std::getenv("TMPDIR")) {
        hadTmpdir_ = true;
        savedTmpdir_ = tmp;
    }
    std::filesystem::create_directories(dir / "tmp");
    ::setenv("TMPDIR", (dir / "tmp").c_str(), 1);
    // Whole minutes in the past, so that every stamp below lies before the clock.
    start = std::time(nullptr) - 24 * 3600;
    script = dir / "app.rc";
}

void SourceUpdateFixture::TearDown()
{
    if (doc)
        doc->OnCloseDocument();
    doc.reset();
    if (hadTmpdir_)
        ::setenv("TMPDIR", savedTmpdir_.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

std::filesystem::path SourceUpdateFixture::writeScript(const std::string& text, int age)
{
    dir.write("app.rc", text);
    setModificationTime(script, start - age);
    return script;
}

bool SourceUpdateFixture::saveAndUpdate(const std::string& text)
{
    ++saves;
    dir.write("app.rc", text);
    setModificationTime(script, start + 60 * saves);
    return doc->UpdateDatabase().done();
}

void SourceUpdateFixture::open(const std::filesystem::path& path)
{
    doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{".DLG"});
    ASSERT_TRUE(doc->OnOpenDocument(path));
}

void SourceUpdateFixture::translateAll()
{
    CProjectDatabase& db = doc->database();
    ASSERT_TRUE(db.languages().addTranslation(German));
    auto bulk = db.beginBulk();
    for (const TextRow& row : db.texts().allTextsWithLineKind())
        db.texts().setTranslation(row.lineIndex, German, "de:" + std::to_string(row.lineIndex), false);
    bulk->commit();
}

int SourceUpdateFixture::stringLine(const std::string& ident)
{
    std::vector<TextMatch> found = doc->database().update().stringsByIdent(ident);
    return found.empty() ? 0 : found.front().lineIndex;
}

TextRow SourceUpdateFixture::textRow(int lineIndex)
{
    return doc->database().texts().text(lineIndex).value_or(TextRow{});
}

std::optional<TranslatedText> SourceUpdateFixture::german(int lineIndex)
{
    return doc->database().texts().translation(lineIndex, German);
}

std::vector<TextRow> SourceUpdateFixture::texts()
{
    return doc->database().texts().allTextsWithLineKind();
}

std::vector<std::filesystem::path> SourceUpdateFixture::workingFiles() const
{
    static const std::regex name("[0-9]+-[0-9]{5}\\.mdb");
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "tmp"))
        if (std::regex_match(entry.path().filename().string(), name))
            found.push_back(entry.path());
    return found;
}

} // namespace qmk::test
