// Statement rules for top-level statements and the bodies of MENU and VERSIONINFO
// resources: resource headers, version statements, LANGUAGE and preprocessor lines.
#include "parser/ScriptParser.h"

#include "parser/DoubleByteCodePage.h"
#include "parser/LanguageNames.h"
#include "resources/FileNames.h"

namespace qmk {
namespace {

using K = LineKind;

// Keywords that keep their meaning at the start of a top-level statement; any other
// keyword there is the name of a resource (a resource may be called MENU).
bool keptAtTopLevel(int t)
{
    return t == Tok::StringTable || t == Tok::Begin || t == Tok::End || t == Tok::RcInclude ||
           t == Tok::Language || t == Tok::DoubleDollar || t == Tok::Dollar;
}

bool isFixedInfoValue(int t) { return t >= Tok::FileFlagsMask && t <= Tok::FileSubtype; }

// Resource types the resource editor writes for itself; their data is never translated.
bool isEditorDataType(std::string_view word)
{
    for (std::string_view type : {"DLGINIT", "DESIGNINFO", "AFX_DIALOG_LAYOUT", "TOOLBAR"})
        if (equalsIgnoringCase(word, type))
            return true;
    return false;
}

} // namespace

// statement := one of the forms below, chosen by its first token
void ScriptParser::readGeneralStatement()
{
    int t = sc_.next();
    if (st_.resourceType == 0 && sc_.keywordFlag() && !keptAtTopLevel(t)) {
        t = Tok::Identifier;
        sc_.setToken(t);
        sc_.clearKeywordFlag();
    }
    switch (t) {
    case Tok::None: classify(toInt(K::EndOfInput)); return;
    case Tok::Popup: readPopup(); return;
    case Tok::MenuItem: readMenuItem(); return;
    case Tok::StringTable:
        sc_.put(' ');
        restOfStatement();
        classify(toInt(K::StringTable));
        return;
    case Tok::Begin:
    case Tok::End:
    case Tok::LeftBrace:
    case Tok::RightBrace: classify(t); return;
    case Tok::RcInclude: readRcInclude(); return;
    case Tok::String: readLeadingString(); return;
    case Tok::Hash: readPreprocessor(); return;
    case Tok::Apostrophe: readQuotedSection(); return;
    case Tok::Block: readBlock(); return;
    case Tok::FileVersion:
    case Tok::ProductVersion: readVersionNumbers(t); return;
    case Tok::Value: readValue(); return;
    case Tok::Language: readLanguage(); return;
    case Tok::Dollar:
    case Tok::DoubleDollar: readDollarLine(); return;
    case Tok::Other:
        // A character no rule knows starts a statement of no known form; it is kept
        // as text rather than taken for the end of the script.
        restOfLine(CopyKeywords | Continuation);
        ++unknownStatements_;
        classify(toInt(K::OtherStatement));
        return;
    default: break;
    }
    if (isFixedInfoValue(t)) {
        readFixedInfoValue(t);
    } else if (Tok::isName(t)) {
        readNamedStatement(t);
    } else if (sc_.keywordFlag()) {
        if (!readResourceHeader(Tok::Identifier, sc_.tokenSpan())) {
            fail(ParserCode::Syntax);
            classify(toInt(K::Unparsed));
        }
    } else {
        fail(ParserCode::Syntax);
        classify(toInt(K::Unparsed));
    }
}

// named-statement := macro-line | resource-header
void ScriptParser::readNamedStatement(int nameToken)
{
    TextSpan name = sc_.tokenSpan();
    if (readMacroLine(false))
        return;
    if (st_.resourceType == 0 && sc_.copyNameRest())
        name.length = sc_.length() - name.start;
    if (!readResourceHeader(nameToken, name)) {
        fail(ParserCode::Syntax);
        classify(toInt(K::Unparsed));
    }
}

// resource-header := name [("+" | "-") name ...] type operands
bool ScriptParser::readResourceHeader(int nameToken, TextSpan name)
{
    int t = sc_.next();
    while (t == Tok::Plus || t == Tok::Minus) {
        if (!Tok::isName(sc_.next()))
            break;
        name.length = sc_.length() - name.start;
        t = sc_.next();
    }
    sc_.setSymbol(name);
    if (t != Tok::Comma)
        sc_.insertBlanksBeforeToken(1);

    switch (t) {
    case Tok::Dialog:
    case Tok::DialogEx:
        readDialogGeometry();
        classify(toInt(K::Dialog));
        return true;
    case Tok::Menu:
    case Tok::Accelerators:
    case Tok::TextInclude:
    case Tok::VersionInfo:
        readHeaderRest(t);
        st_.menuEx = false;
        return true;
    case Tok::RcData: readUserResource(name, toInt(K::RcData)); return true;
    case Tok::Icon:
    case Tok::Cursor:
    case Tok::Bitmap: readFileResource(t, name); return true;
    case Tok::Font:
        sc_.put(' ');
        restOfLine(0);
        classify(toInt(K::Font));
        return true;
    case Tok::Comma: {
        sc_.put(' ');
        bool string = sc_.next() == Tok::String;
        sc_.pushBack();
        restOfLine(string ? unsigned{RecordString} : 0u);
        classify(toInt(string ? K::DataString : K::OtherStatement));
        return true;
    }
    case Tok::String:
        sc_.pushBack();
        sc_.put(' ');
        restOfLine(RecordString);
        classify(toInt(K::DataString));
        return true;
    case Tok::End:
    case Tok::RightBrace:
        sc_.pushBack();
        classify(nameToken);
        return true;
    case Tok::None: return false;
    default: break;
    }
    if (t == Tok::Identifier && equalsIgnoringCase(sc_.tokenText(), "MENUEX")) {
        // An extended menu holds the same texts as a menu, items and popups.
        sc_.put(' ');
        restOfStatement();
        classify(toInt(K::Menu));
        st_.menuEx = true;
        return true;
    }
    if (Tok::isName(t)) {
        readUserResource(name, toInt(K::UserResource));
        return true;
    }
    sc_.pushBack();
    classify(toInt(K::OtherStatement));
    return true;
}

// file-resource := name (ICON | CURSOR | BITMAP) {memory-option} (file-name | BEGIN ...)
void ScriptParser::readFileResource(int type, TextSpan name)
{
    constexpr int kFileResourceGap = 3;
    sc_.blanks(kFileResourceGap);
    int options = 0;
    int t = sc_.next();
    while (t == Tok::MemoryOption) {
        if (options++ > 0)
            sc_.insertBlanksBeforeToken(1);
        t = sc_.next();
    }
    sc_.setSymbol(name);
    if (t == Tok::String) {
        if (options > 0)
            sc_.insertBlanksBeforeToken(kFileResourceGap);
        recordString();
    } else if (t == Tok::Begin || t == Tok::LeftBrace) {
        sc_.pushBack();
    } else if (t != Tok::None) {
        sc_.pushBack();
        if (options > 0)
            sc_.blanks(kFileResourceGap);
        sc_.copyRawWord();
    }
    classify(type);
}

// data-resource := name (RCDATA | type) {memory-option | number | ","} (BEGIN ... | file-name)
// The BEGIN form opens a resource of `blockKind`; one given by its file is a line without text.
void ScriptParser::readUserResource(TextSpan name, int blockKind)
{
    st_.editorData = blockKind == toInt(K::UserResource) && isEditorDataType(sc_.tokenText());
    sc_.put(' ');
    sc_.setSymbol(name);
    for (;;) {
        int t = sc_.next();
        if (t == Tok::MemoryOption || t == Tok::Comma || Tok::isNumber(t)) {
            sc_.put(' ');
        } else if (t == Tok::Begin || t == Tok::LeftBrace || t == Tok::Language) {
            sc_.pushBack();
            classify(blockKind);
            return;
        } else if (t == Tok::String) {
            classify(toInt(K::UserResourceFile));
            return;
        } else if (t == Tok::Identifier || t == Tok::Other) {
            sc_.pushBack();
            sc_.copyRawWord();
            classify(toInt(K::UserResourceFile));
            return;
        } else {
            fail(ParserCode::UserResourceFile);
            classify(toInt(K::Unparsed));
            return;
        }
    }
}

// A statement that begins with a string literal.
void ScriptParser::readLeadingString()
{
    if (st_.resourceType == toInt(K::VersionInfo)) {
        // A further line of a version value.
        constexpr int kValueContinuationIndent = 9;
        sc_.insertBlanksBeforeToken(kValueContinuationIndent);
        recordString();
        classify(toInt(K::Value));
    } else if (st_.resourceType != 0) {
        sc_.pushBack();
        restOfLine(RecordString);
        classify(toInt(K::DataString));
    } else {
        readStringNamedResource();
    }
}

// The rest of a resource header whose block the block statements read, kept as written.
void ScriptParser::readHeaderRest(int token)
{
    sc_.put(' ');
    restOfStatement();
    classify(token);
}

// A dialog header's position and size, after the blank that parts them from its keyword; the
// width is kept for the statements after it that take the dialog's width.
void ScriptParser::readDialogGeometry()
{
    sc_.put(' ');
    readGeometryStatement();
    st_.dialogWidth = st_.cx;
}

// string-named-resource := string (DIALOG | DIALOGEX | type-keyword | user-type) operands
void ScriptParser::readStringNamedResource()
{
    TextSpan name = sc_.lastString();
    sc_.put(' ');
    int t = sc_.next();
    switch (t) {
    case Tok::Dialog:
    case Tok::DialogEx:
        readDialogGeometry();
        sc_.setSymbol(name);
        classify(toInt(t == Tok::Dialog ? K::Dialog : K::DialogExByString));
        return;
    case Tok::RcData:
        readUserResource(name, toInt(K::RcData));
        return;
    case Tok::StringTable:
    case Tok::Menu:
    case Tok::Accelerators:
    case Tok::TextInclude:
    case Tok::VersionInfo:
        sc_.setSymbol(name);  // fixed: the words of the header's rest do not replace it
        readHeaderRest(t);
        return;
    default: break;
    }
    if (Tok::isName(t)) {
        readUserResource(name, toInt(K::UserResource));
        return;
    }
    // Not a resource: keep the line as text rather than cutting the string apart.
    sc_.pushBack();
    restOfLine(0);
    classify(toInt(K::OtherStatement));
}

// rcinclude := rcinclude file-name
void ScriptParser::readRcInclude()
{
    sc_.put(' ');
    sc_.skipBlanksOnLine();
    int c = sc_.peekChar();
    TextSpan name;
    if (c == '"' || c == '<') {
        sc_.takeChar();
        sc_.copyRawUntil(c == '"' ? '"' : '>', name);
    } else {
        name = sc_.copyRawWord();
    }
    st_.includeName = name;
    classify(toInt(name.length > 0 ? K::RcInclude : K::OtherStatement));
}

// quoted-section := "'" characters "'"
void ScriptParser::readQuotedSection()
{
    if (!sc_.copyUntilApostrophe())
        fail(ParserCode::Syntax);
    classify(toInt(K::QuotedSection));
}

// fixed-info := (FILEFLAGSMASK | FILEFLAGS | FILEOS | FILETYPE | FILESUBTYPE) value
void ScriptParser::readFixedInfoValue(int keyword)
{
    sc_.insertBlanksBeforeToken(1);
    sc_.put(' ');
    int t = sc_.next();
    if (Tok::isNumber(t))
        st_.styleBits |= static_cast<std::uint32_t>(tokenValue(t));
    else
        sc_.pushBack();
    restOfStatement();
    classify(keyword);
}

// block := BLOCK string | BLOCK rest-of-statement
void ScriptParser::readBlock()
{
    sc_.insertBlanksBeforeToken(1);
    if (sc_.next() == Tok::String) {
        recordString();
    } else {
        sc_.pushBack();
        sc_.put(' ');
        restOfStatement();
    }
    classify(toInt(K::Block));
}

// version-numbers := (FILEVERSION | PRODUCTVERSION) rest-of-statement
void ScriptParser::readVersionNumbers(int keyword)
{
    sc_.insertBlanksBeforeToken(1);
    sc_.put(' ');
    restOfStatement();
    classify(keyword);
}

// value := VALUE name ["," ] (string | number [[","] number]) rest-of-statement
void ScriptParser::readValue()
{
    constexpr int kValueIndent = 3;
    sc_.insertBlanksBeforeToken(kValueIndent);
    sc_.put(' ');
    int t = sc_.next();
    if (t == Tok::String) {
        sc_.setSymbol(sc_.lastString());
    } else if (t == Tok::Identifier) {
        sc_.setSymbol(sc_.tokenSpan());
    } else {
        fail(ParserCode::Syntax);
        classify(toInt(K::Unparsed));
        return;
    }
    optionalComma();
    t = sc_.next();
    if (t == Tok::String) {
        recordString();
    } else if (Tok::isNumber(t)) {
        st_.value1 = tokenValue(t);
        optionalComma();
        t = sc_.next();
        if (Tok::isNumber(t))
            st_.value2 = tokenValue(t);
        else
            sc_.pushBack();
    } else {
        sc_.pushBack();
    }
    restOfStatement();
    classify(toInt(K::Value));
}

// language := LANGUAGE (LANG_name | number) "," (SUBLANG_name | number)
void ScriptParser::readLanguage()
{
    sc_.put(' ');
    int t = sc_.next();
    bool ok = true;
    if (t == Tok::Identifier)
        st_.language = LanguageNames::languageValue(sc_.tokenText());
    else if (Tok::isNumber(t))
        st_.language = tokenValue(t);
    else
        ok = false;
    if (ok && sc_.next() == Tok::Comma) {
        sc_.put(' ');
        t = sc_.next();
        if (t == Tok::Identifier)
            st_.sublanguage = LanguageNames::sublanguageValue(sc_.tokenText());
        else if (Tok::isNumber(t))
            st_.sublanguage = tokenValue(t);
        else
            ok = false;
    } else {
        ok = false;
    }
    if (!ok) {
        sc_.pushBack();
        fail(ParserCode::BadLanguage);
    }
    classify(toInt(K::Language));
}

// dollar-line := ("$" | "$$") word rest-of-line
void ScriptParser::readDollarLine()
{
    sc_.copyWordChars();
    restOfLine(CopyKeywords);
    classify(toInt(K::DollarLine));
}

// preprocessor := "#" (include file | endif | pragma code_page "(" n ")" | other rest-of-line)
void ScriptParser::readPreprocessor()
{
    int hashLine = sc_.newlines();
    int t = sc_.next();
    if (t == Tok::None) {
        classify(toInt(K::OtherStatement));
        return;
    }
    if (sc_.tokenNewlines() == hashLine && t == Tok::Include) {
        readIncludeDirective();
        return;
    }
    if (sc_.tokenNewlines() == hashLine && t == Tok::Pragma) {
        readPragma();
        return;
    }
    sc_.pushBack();
    restOfLine(CopyKeywords | Continuation);
    // The rest of an #endif line stays with it, so no comment text or stray word
    // after it is taken for the start of a statement.
    classify(toInt(t == Tok::Endif ? K::Endif : K::OtherStatement));
}

// include-directive := include ('"' name '"' | '<' name '>')
void ScriptParser::readIncludeDirective()
{
    sc_.put(' ');
    sc_.skipBlanksOnLine();
    int c = sc_.peekChar();
    if (c == '"' || c == '<') {
        sc_.takeChar();
        TextSpan name;
        if (sc_.copyRawUntil(c == '"' ? '"' : '>', name) && name.length > 0) {
            st_.includeName = name;
            classify(toInt(K::Include));
            return;
        }
    }
    restOfLine(CopyKeywords | Continuation);
    classify(toInt(K::OtherStatement));
}

// pragma := pragma code_page "(" number ")" | pragma rest-of-line
void ScriptParser::readPragma()
{
    int line = sc_.newlines();
    int t = sc_.next();
    bool sameLine = t != Tok::None && sc_.tokenNewlines() == line;
    if (sameLine)
        sc_.insertBlanksBeforeToken(1);
    if (sameLine && t == Tok::CodePage) {
        if (sc_.next() == Tok::LeftParen) {
            t = sc_.next();
            if (t == Tok::Number) {
                st_.number = tokenValue(t);
                // A file whose bytes are UTF-8 is read as UTF-8, whatever the pragma claims.
                sc_.setDoubleByte(bytesAreUtf8_ ? nullptr : DoubleByteCodePage::of(st_.number));
                if (sc_.next() != Tok::RightParen)
                    sc_.pushBack();
                classify(toInt(K::CodePage));
                return;
            }
        }
        sc_.pushBack();
        restOfLine(CopyKeywords | Continuation);
        classify(toInt(K::OtherStatement));
        return;
    }
    sc_.pushBack();
    if (sameLine) {
        sc_.put(' ');
        restOfLine(CopyKeywords | Continuation);
    }
    classify(toInt(K::OtherStatement));
}

} // namespace qmk
