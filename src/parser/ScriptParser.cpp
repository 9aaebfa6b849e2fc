// The reader's frame: input loading, the step that reads one statement, the choice of
// statement rule, and the copying helpers the rules share.
#include "parser/ScriptParser.h"

#include <algorithm>
#include <new>

#include "parser/LineClassifier.h"
#include "parser/ParserError.h"
#include "parser/ScriptEncoding.h"
#include "parser/StyleNames.h"
#include "resources/FileNames.h"

namespace qmk {
namespace {

constexpr int kMaxNumberDigits = 19;
constexpr int kGeometryValues = 4;
constexpr std::size_t kLocationStatementChars = 80;
// Below this many statements of no known form a file is still read as a script.
constexpr int kUnknownStatementsOfNoScript = 16;

// Resources whose literals are texts: there adjacent literals form one text. Data resources and
// TEXTINCLUDE keep theirs apart, line by line, as the resource editor wrote them.
bool joinsLiterals(int resourceType)
{
    switch (static_cast<LineKind>(resourceType)) {
    case LineKind::StringTable: case LineKind::Menu: case LineKind::Dialog: case LineKind::DialogExByString:
    case LineKind::VersionInfo:
        return true;
    default:
        return false;
    }
}

bool isOperatorChar(char c)
{
    return std::string_view("&|=<>!+-*/%^~#").find(c) != std::string_view::npos;
}


} // namespace

ScriptParser::ScriptParser(LineCounter& counter) : counter_(counter)
{
    sc_.setInput(input_);
}

int ScriptParser::loadFile(const std::filesystem::path& path)
{
    // A folder, a pipe or a device is refused before it is opened: reading one would fail,
    // block for ever or never end.
    std::string problem;
    bool notOpened = false;
    std::optional<std::string> text;
    try {
        text = readInputFile(path, problem, &notOpened);
    } catch (const std::bad_alloc&) {
        st_.error = inputError_ = ParserCode::OutOfMemory;
        return ParserCode::OutOfMemory;
    }
    if (!text) {
        inputProblem_ = std::move(problem);
        st_.error = inputError_ = ParserCode::UnreadableInput;
        return notOpened ? ParserCode::CannotOpenFile : ParserCode::UnreadableInput;
    }
    return setText(std::move(*text));
}

int ScriptParser::setText(std::string text)
{
    st_ = ParseState{};
    statements_ = unknownStatements_ = 0;
    refusal_.clear();
    encoding_ = detectScriptEncoding(text);
    const std::size_t bom = byteOrderMarkLength(text, encoding_);
    if (isUtf16(encoding_))
        // Decoded where the reader takes its input: every later step sees UTF-8, and the
        // line breaks, and so the line numbers of messages, stay those of the file.
        input_ = utf16ToUtf8(std::string_view(text).substr(bom), encoding_ == ScriptEncoding::Utf16BE);
    else
        input_ = std::move(text);
    std::string_view view = input_;
    const std::size_t start = isUtf16(encoding_) ? 0 : bom;
    if (std::size_t binary = firstBinaryByte(view); binary != std::string_view::npos) {
        const auto line = std::count(view.begin(), view.begin() + static_cast<std::ptrdiff_t>(binary), '\n') + 1;
        inputProblem_ = "line " + std::to_string(line) + " holds binary data: this is not a resource script";
        sc_.setInput({});
        st_.error = inputError_ = ParserCode::UnreadableInput;
        return ParserCode::UnreadableInput;
    }
    sc_.setInput(view, start);
    bytesAreUtf8_ = !isUtf16(encoding_) && hasBytesAbove127(view) && isValidUtf8(view);
    inputProblem_.clear();
    st_.error = inputError_ = 0;
    return 0;
}

void ScriptParser::reset()
{
    st_.clearStatement();
    // An input that could not be read stays failed.
    st_.error = inputError_;
    sc_.beginStatement();
    geometryFrom_ = -1;
}

void ScriptParser::setError(int code) { st_.error = code; }

int ScriptParser::readLine(std::string& text)
{
    text.clear();
    if (st_.error < 0)
        return 0;
    st_.clearStatement();
    sc_.beginStatement();
    geometryFrom_ = -1;
    if (sc_.atEnd())
        return 0;
    sc_.setResourceType(st_.resourceType);
    sc_.setJoinLiterals(joinsLiterals(st_.resourceType));
    readStatement();
    if (++statements_ >= kUnknownStatementsOfNoScript && unknownStatements_ >= kUnknownStatementsOfNoScript &&
        unknownStatements_ * 2 > statements_) {
        inputProblem_ = "most statements up to here have no form of a resource script: this is not a resource script";
        fail(ParserCode::Syntax);
    }
    sc_.terminate();
    if (sc_.failed()) {
        if (st_.error == 0)
            st_.error = ParserCode::OutputOverflow;
    } else {
        ++counter_.value;
    }
    text.assign(sc_.output());
    return st_.action;
}

std::string ScriptParser::errorLocation(std::string_view fileName) const
{
    std::string loc(fileName);
    if (!inputProblem_.empty() && inputError_ != 0) {
        loc.append(" (").append(inputProblem_).append(")");
        return loc;
    }
    std::string_view statement = text();
    bool cut = statement.size() > kLocationStatementChars;
    loc = ParserError::locationText(fileName, physicalLine(), statement.substr(0, kLocationStatementChars));
    if (cut)
        loc.append(" ...");
    if (!inputProblem_.empty())
        loc.append(" (").append(inputProblem_).append(")");
    else if (!refusal_.empty() && st_.error < 0)
        loc.append(statement.empty() ? "" : " ").append("(").append(refusal_).append(")");
    return loc;
}

// The rule is chosen by the resource being read and the nesting depth.
void ScriptParser::readStatement()
{
    switch (st_.resourceType) {
    case toInt(LineKind::StringTable):
        readStringTableStatement();
        return;
    case toInt(LineKind::Dialog):
    case toInt(LineKind::DialogExByString):
        // A DIALOGEX named by a string has the same body as any other dialog.
        if (!readDialogStatement() && st_.error == 0)
            readGeneralStatement();
        return;
    case toInt(LineKind::Accelerators):
        if (st_.depth > 0) {
            readAcceleratorStatement();
            return;
        }
        break;
    case toInt(LineKind::RcData):
    case toInt(LineKind::UserResource):
        readDataStatement();
        return;
    default:
        break;
    }
    readGeneralStatement();
}

void ScriptParser::fail(int code)
{
    if (st_.error != 0)
        return;
    st_.error = code;
    constexpr std::size_t kShownTokenChars = 40;
    const std::string_view token = sc_.inputAtToken(kShownTokenChars);
    if (token.empty())
        refusal_ = "the file ends before the statement is complete";
    else
        refusal_ = "unexpected \"" + std::string(token) + "\" here";
}

void ScriptParser::classify(int kind)
{
    LineClassifier::classify(st_, kind, counter_.value, sc_.outputSpan(st_.string));
}

// The statement's next token, or Tok::None at its end: a keyword, '#' or brace is left to the
// statement it opens.
int ScriptParser::nextOfStatement()
{
    int t = sc_.next();
    if (t != Tok::None && (sc_.keywordFlag() || t == Tok::Hash || t == Tok::LeftBrace || t == Tok::RightBrace)) {
        sc_.pushBack();
        return Tok::None;
    }
    return t;
}

// rest-of-statement := { token } up to the next keyword, brace or '#'
void ScriptParser::restOfStatement()
{
    for (;;) {
        int t = nextOfStatement();
        if (t == Tok::None)
            return;
        switch (t) {
        case Tok::Comma:
        case Tok::Bar:
        case Tok::MemoryOption:
            sc_.put(' ');
            break;
        case Tok::Identifier:
        case Tok::AcceleratorOption:
        case Tok::MenuOption:
            st_.styleBits |= StyleNames::value(sc_.tokenText());
            if (sc_.peekNonBlank() != ',')
                sc_.put(' ');
            break;
        default:
            break;
        }
    }
}

// rest-of-line := { token } up to the end of the physical line
ScriptParser::LineEnd ScriptParser::restOfLine(unsigned mode)
{
    int line = sc_.newlines();
    bool stringFound = false;
    for (;;) {
        int t = sc_.next();
        bool commentOnLine = sc_.lineCommentNewlines() == line;
        if (t == Tok::None)
            return commentOnLine ? LineEnd::Comment : LineEnd::EndOfLine;
        if (sc_.tokenNewlines() != line) {
            sc_.pushBack();
            return commentOnLine ? LineEnd::Comment : LineEnd::EndOfLine;
        }
        if ((mode & StopAtBlockEnd) && (t == Tok::RightBrace || t == Tok::End)) {
            sc_.pushBack();
            return LineEnd::Keyword;
        }
        bool isKeyword = sc_.keywordFlag() || t == Tok::LeftBrace || t == Tok::RightBrace;
        if (isKeyword && !(mode & CopyKeywords)) {
            sc_.pushBack();
            return LineEnd::Keyword;
        }
        if (t == Tok::String && (mode & RecordString)) {
            if (!stringFound) {
                recordString();
                stringFound = true;
            } else if (mode & StopAtSecondString) {
                sc_.pushBack();
                return LineEnd::SecondString;
            }
        }
        if (t == Tok::Other && (mode & Continuation) && sc_.tokenText() == "\\" &&
            sc_.takeLineContinuation()) {
            line = sc_.newlines();
            continue;
        }
        line = sc_.newlines(); // a literal may itself run over line breaks
        blankAfterCopiedToken();
    }
}

void ScriptParser::blankAfterCopiedToken()
{
    int c = sc_.peekChar();
    if (c < 0 || c == '\n' || c == '\r' || c == ',' || c == '|')
        return;
    // A blank before '(' would turn a function-like macro into an object-like one, and
    // one inside an operator such as &&, == or ## would change what it means.
    if (c == '(' || (isOperatorChar(sc_.lastOutputChar()) && isOperatorChar(static_cast<char>(c))))
        return;
    sc_.put(' ');
}

// An id the statement cannot do without: without one the line is a syntax error, unparsed.
bool ScriptParser::readRequiredId()
{
    if (readIdExpression())
        return true;
    fail(ParserCode::Syntax);
    classify(toInt(LineKind::Unparsed));
    return false;
}

// id-expression := ["+" | "-"] name { ("+" | "-" | "*") name }
bool ScriptParser::readIdExpression()
{
    int t = sc_.next();
    int start = sc_.tokenSpan().start;
    if (t == Tok::Plus || t == Tok::Minus)
        t = sc_.next();
    if (!Tok::isName(t)) {
        sc_.pushBack();
        return false;
    }
    int end = sc_.length();
    for (;;) {
        int op = sc_.next();
        if (op != Tok::Plus && op != Tok::Minus && op != Tok::Star) {
            sc_.pushBack();
            break;
        }
        if (!Tok::isName(sc_.next())) {
            sc_.pushBack();
            break;
        }
        end = sc_.length();
    }
    sc_.setSymbol({start, end - start});
    return true;
}

// Takes a comma (written with one blank), or writes one where Microsoft's compiler lets a
// script leave it out, so that the written script compiles with every resource compiler.
void ScriptParser::requiredComma()
{
    if (!optionalComma()) {
        while (sc_.lastOutputChar() == ' ')
            sc_.cut(sc_.length() - 1);
        sc_.put(", ");
    }
}

// "EDITTEXT, IDC_X, ..." is accepted by Microsoft's compiler; the comma is dropped.
void ScriptParser::dropCommaAfterKeyword()
{
    if (sc_.peekNonBlank() == ',' && sc_.next() == Tok::Comma)
        sc_.cut(sc_.tokenSpan().start);
}

// A macro call ("SUGGEST(...)", continued with backslashes) or a macro word standing alone on
// its line ("JAPANBEGIN") where a statement should begin: kept as it stands, without text.
// In a string table every entry that does not go on with a comma, a string or TEXT is one.
bool ScriptParser::readMacroLine(bool inStringTable)
{
    // The common case, an entry going on with its string or a comma, is settled without
    // scanning (and then scanning again) a string that may be long.
    const int next = sc_.peekNonBlank();
    if (inStringTable && (next == '"' || next == ','))
        return false;
    const int wordLine = sc_.tokenNewlines();
    const int t = sc_.next();
    bool macro = t == Tok::LeftParen;
    if (inStringTable)
        macro = macro || !(t == Tok::Comma || t == Tok::String || (t == Tok::Identifier && sc_.tokenText() == "TEXT"));
    else
        macro = macro || ((t == Tok::None || sc_.tokenNewlines() != wordLine) && !sc_.keywordFlag() &&
                          t != Tok::LeftBrace && t != Tok::RightBrace);
    sc_.pushBack();
    if (!macro)
        return false;
    sc_.copyVerbatimStatement();
    ++unknownStatements_;
    st_.string = {};
    classify(toInt(LineKind::OtherStatement));
    return true;
}

// Takes a comma (written with one blank) if one comes next.
bool ScriptParser::optionalComma()
{
    if (sc_.next() == Tok::Comma) {
        sc_.put(' ');
        return true;
    }
    sc_.pushBack();
    return false;
}

void ScriptParser::ensureBlankBeforeToken()
{
    char before = sc_.charBeforeToken();
    if (before != ' ' && before != '\0')
        sc_.insertBlanksBeforeToken(1);
}

void ScriptParser::startGeometry() { geometryFrom_ = sc_.numberCount(); }

// The statement's rest, whose first four numbers are the item's geometry.
void ScriptParser::readGeometryStatement()
{
    startGeometry();
    restOfStatement();
    takeGeometry();
}

// Geometry is the first four numbers where the geometry operands begin, so that a
// trailing help id or numeric style does not shift it; without that mark, the four
// most recent numbers of the statement.
void ScriptParser::takeGeometry()
{
    TextSpan n[kGeometryValues];
    if (geometryFrom_ >= 0 && sc_.numberCount() - geometryFrom_ >= kGeometryValues) {
        for (int i = 0; i < kGeometryValues; ++i)
            n[i] = sc_.numberAt(geometryFrom_ + i);
    } else {
        for (int i = 0; i < kGeometryValues; ++i)
            n[i] = sc_.numberHistory(kGeometryValues - 1 - i);
    }
    int* out[kGeometryValues] = {&st_.x, &st_.y, &st_.cx, &st_.cy};
    std::string_view text = sc_.output();
    for (int i = 0; i < kGeometryValues; ++i) {
        int v = spanValue(n[i], 10);
        auto before = static_cast<std::size_t>(n[i].start) - 1;
        if (n[i].length > 0 && n[i].start > 0 && before < text.size() && text[before] == '-')
            v = -v;
        *out[i] = v;
    }
}

int ScriptParser::tokenValue(int token) const
{
    return spanValue(sc_.tokenSpan(), token == Tok::HexNumber ? 16 : 10);
}

int ScriptParser::spanValue(TextSpan span, int base) const
{
    std::string_view t = sc_.outputSpan(span).substr(0, kMaxNumberDigits);
    std::size_t i = 0;
    if (base == 16 && t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        i = 2;
    std::uint32_t v = 0;
    for (; i < t.size(); ++i) {
        char c = t[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        v = v * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(d);
    }
    return static_cast<int>(v);
}

} // namespace qmk
