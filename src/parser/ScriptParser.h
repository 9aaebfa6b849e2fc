// Reads a resource script statement by statement: each step rebuilds one statement into a
// normalised text, classifies it and records where its string, symbol and values are.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "parser/LineCounter.h"
#include "parser/ParseState.h"
#include "parser/ParserCodes.h"
#include "parser/ScriptEncoding.h"
#include "parser/ScriptScanner.h"

namespace qmk {

class ScriptParser {
public:
    static constexpr int kOutputCapacity = ScriptScanner::kOutputCapacity;

    // The counter is shared with the caller, which sets it before the first step.
    explicit ScriptParser(LineCounter& counter);
    ScriptParser(const ScriptParser&) = delete;
    ScriptParser& operator=(const ScriptParser&) = delete;

    // Reads the whole file. Returns 0, ParserCode::CannotOpenFile when it cannot be
    // opened, or ParserCode::UnreadableInput (also for binary data). On failure the
    // parser's error is set, so reading stops at once. UTF-16 text is read as UTF-8.
    int loadFile(const std::filesystem::path& path);
    // Takes the script text itself; returns 0 or ParserCode::UnreadableInput.
    int setText(std::string text);
    // How the file was encoded (UTF-16 input has been decoded to UTF-8).
    ScriptEncoding encoding() const { return encoding_; }
    // The file's bytes above 127 all form UTF-8 (a UTF-16 file aside): they are read as UTF-8
    // whatever a code-page pragma claims.
    bool bytesAreUtf8() const { return bytesAreUtf8_; }

    void reset();
    // Reads one statement into text and returns its action (0 when nothing was read).
    int readLine(std::string& text);
    void setError(int code);

    // Results of the last step, valid until the next one.
    int error() const { return st_.error; }
    LineKind kind() const { return static_cast<LineKind>(st_.kind); }
    int kindValue() const { return st_.kind; }
    int action() const { return st_.action; }
    int resourceLine() const { return st_.resourceLine; }
    int resourceType() const { return st_.resourceType; }
    int depth() const { return st_.depth; }
    std::string_view text() const { return sc_.output(); }
    TextSpan stringSpan() const { return st_.string; }
    std::string_view stringText() const { return sc_.outputSpan(st_.string); }
    // The string's literals as the script wrote them, when it was joined from several.
    const std::string& stringAsWritten() const { return st_.stringAsWritten; }
    TextSpan secondStringSpan() const { return st_.secondString; }
    std::string_view secondStringText() const { return sc_.outputSpan(st_.secondString); }
    std::string_view symbolText() const { return sc_.outputSpan(sc_.symbol()); }
    TextSpan includeNameSpan() const { return st_.includeName; }
    std::string_view includeName() const { return sc_.outputSpan(st_.includeName); }
    TextSpan numberHistory(int index) const { return sc_.numberHistory(index); }
    int x() const { return st_.x; }
    int y() const { return st_.y; }
    int cx() const { return st_.cx; }
    int cy() const { return st_.cy; }
    std::uint32_t styleBits() const { return st_.styleBits; }
    int number() const { return st_.number; }
    int language() const { return st_.language; }
    int sublanguage() const { return st_.sublanguage; }
    int value1() const { return st_.value1; }
    int value2() const { return st_.value2; }
    // The last statement as the script has it (its comments and layout kept).
    std::string_view sourceText() const { return sc_.statementSource(); }
    // Physical line (1-based) of the first token of the last statement.
    int physicalLine() const { return sc_.statementLine(); }
    bool atEnd() const { return sc_.atEnd(); }
    // Why the input could not be read (for example UTF-16 text), or empty.
    const std::string& inputProblem() const { return inputProblem_; }
    // Location text for an error report: "file(line): statement".
    std::string errorLocation(std::string_view fileName) const;

private:
    enum LineMode : unsigned {
        CopyKeywords = 1,
        RecordString = 2,
        StopAtSecondString = 4,
        Continuation = 8,
        StopAtBlockEnd = 16,  // a closing brace or END ends a data line: no data is one
    };
    enum class LineEnd { EndOfLine, Keyword, SecondString, Comment };

    // Rule selection and the rules (one function per construct).
    void readStatement();
    void readGeneralStatement();
    void readNamedStatement(int nameToken);
    bool readResourceHeader(int nameToken, TextSpan name);
    void readFileResource(int type, TextSpan name);
    void readUserResource(TextSpan name, int blockKind);
    void readLeadingString();
    void readStringNamedResource();
    void readRcInclude();
    void readQuotedSection();
    void readFixedInfoValue(int keyword);
    void readBlock();
    void readVersionNumbers(int keyword);
    void readValue();
    void readLanguage();
    void readDollarLine();
    void readPreprocessor();
    void readIncludeDirective();
    void readPragma();
    bool readDialogStatement();
    void readDialogCaption();
    void readDialogFont();
    void readDialogClass();
    void readTextControl(int kind);
    void readListControl(int kind);
    void readControl();
    bool readControlClass();
    void readStyleList();
    void readPopup();
    void readMenuItem();
    bool readItemTextOrExtended(int t, int failure, LineKind kind);
    void readIdAndOptions(int optionToken, LineKind kind);
    void readOptionWords(int optionToken);
    void readExtendedMenuOperands();
    void readStringTableStatement();
    void readStringTableEntry();
    void readAcceleratorStatement();
    void readDataStatement();
    bool readMacroLine(bool inStringTable);

    // Shared pieces of the rules.
    int nextOfStatement();
    void restOfStatement();
    LineEnd restOfLine(unsigned mode);
    void blankAfterCopiedToken();
    bool readIdExpression();
    bool readRequiredId();
    bool optionalComma();
    void requiredComma();
    void dropCommaAfterKeyword();
    void ensureBlankBeforeToken();
    void startGeometry();
    void takeGeometry();
    void readGeometryStatement();
    void readDialogGeometry();
    void readHeaderRest(int token);
    bool readBlockCommon(int token);
    int tokenValue(int token) const;
    int spanValue(TextSpan span, int base) const;
    void recordString()
    {
        st_.string = sc_.lastString();
        st_.stringAsWritten = sc_.lastStringAsWritten();
    }
    void fail(int code);
    void classify(int kind);

    LineCounter& counter_;
    std::string input_;
    std::string inputProblem_;
    ScriptEncoding encoding_ = ScriptEncoding::Bytes;
    bool bytesAreUtf8_ = false;
    int inputError_ = 0;
    ScriptScanner sc_;
    ParseState st_;
    int geometryFrom_ = -1;
    // Statements read, and those of no known form kept as they stand: a file made mostly of
    // the latter is not a resource script.
    int statements_ = 0;
    int unknownStatements_ = 0;
    // Why the reader refused the statement: the token it met where another was due.
    std::string refusal_;
};

} // namespace qmk
