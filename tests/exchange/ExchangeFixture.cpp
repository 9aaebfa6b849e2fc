// The project of the import and export tests.
#include "exchange/ExchangeFixture.h"

#include <algorithm>

#include "database/CProjectDatabase.h"

namespace qmk::test {

const char* const kProjectScript = R"(LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US

IDD_ABOUT DIALOG 0, 0, 200, 100
CAPTION "About"
BEGIN
    LTEXT "Hello", IDC_STATIC, 7, 7, 100, 8
    PUSHBUTTON "OK", IDOK, 7, 20, 50, 14
END

IDD_ABOUT DIALOG 0, 0, 220, 100
CAPTION "About wide"
BEGIN
    PUSHBUTTON "OK", IDOK, 27, 20, 50, 14
END

IDR_MAIN MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "E&xit", ID_EXIT
    END
    POPUP "&Edit"
    BEGIN
        MENUITEM "&Copy", ID_COPY
    END
    POPUP "&Help"
    BEGIN
        MENUITEM "&About", ID_ABOUT
    END
END

IDB_LOGO BITMAP "logo.bmp"

STRINGTABLE
BEGIN
    IDS_HELLO "Hello world"
    IDS_BYE "Goodbye"
END

VS_VERSION_INFO VERSIONINFO
 FILEVERSION 1,0,0,1
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040904b0"
        BEGIN
            VALUE "FileDescription", "Sample application"
        END
    END
END
)";

ExchangeFixture::ExchangeFixture(std::unique_ptr<RecordingFeedback> feedback) : feedback_(std::move(feedback))
{
    doc_ = openProject("app.rc", kProjectScript);
}

const std::vector<std::string>& ExchangeFixture::extensions()
{
    static const std::vector<std::string> list{".DLG"};
    return list;
}

std::unique_ptr<CQuillDoc> ExchangeFixture::openProject(const std::string& name, const std::string& script)
{
    auto doc = std::make_unique<CQuillDoc>(*feedback_, extensions());
    if (!doc->OnOpenDocument(dir_.write(name, script)))
        return nullptr;
    return doc;
}

int ExchangeFixture::stringLine(const std::string& ident)
{
    auto rows = db().update().stringsByIdent(ident);
    return rows.empty() ? 0 : rows.front().lineIndex;
}

int ExchangeFixture::controlLine(const std::string& dialog, const std::string& ident, int kind, int nth)
{
    auto rows = db().update().dialogControls(dialog, ident, kind);
    return static_cast<int>(rows.size()) > nth ? rows[static_cast<std::size_t>(nth)].lineIndex : 0;
}

std::vector<int> ExchangeFixture::popupLines(const std::string& menu)
{
    std::vector<int> lines;
    for (const TextMatch& m : db().update().menuItemsOfKind(menu, 3))
        lines.push_back(m.lineIndex);
    return lines;
}

std::string ExchangeFixture::translationOf(int lineIndex, LanguageId language)
{
    auto t = db().texts().translation(lineIndex, language);
    return t ? t->text : std::string("<none>");
}

bool ExchangeFixture::modifiedFlagOf(int lineIndex, LanguageId language)
{
    auto t = db().texts().translation(lineIndex, language);
    return t && t->modified;
}

bool ExchangeFixture::saidText(const std::string& text) const
{
    return std::any_of(feedback_->said.begin(), feedback_->said.end(),
                       [&](const RecordingFeedback::Said& s) { return s.text == text; });
}

} // namespace qmk::test
