// Writes one translated resource script: the stored lines in script order with each string
// replaced by its translation, LANGUAGE and code-page lines set for the target, a comment
// header and footer, a fixed indentation per line kind and CR LF line ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "resources/ReplacementFile.h"

namespace qmk {

// One stored line, joined with its text row (if any) by its line index.
struct WriterLine {
    int kind = 0;
    std::string_view before;
    std::string_view behind;
    bool hasText = false;  // the line has a text row
    bool exclude = false;
    std::string_view sourceText;
    std::string_view translation;
    // A text joined from several literals: the literals as the source wrote them, written
    // instead of the joined text while it is not translated.
    std::string_view asWritten;
};

struct WriterTarget {
    int language = 0;
    int sublanguage = 0;
    // The written script's encoding: a code page, 65001 (UTF-8) or 1200 (UTF-16LE with a
    // byte-order mark); 0 stands for the language's code page. Translations are stored in it
    // (UTF-8 for UTF-16).
    int encoding = 0;
    // Code page of everything copied from the source; 0 when it is that of the translation.
    int sourceCodePage = 0;
    // The source has a code-page pragma; a UTF-8 script without one that holds other than
    // ASCII gets one, so it compiles the same whatever the compiler assumes.
    bool sourceHasPragma = true;
    // A UTF-8 script starts with a byte-order mark (when the source had one).
    bool utf8Bom = false;
    // The script is written in the encoding its source's bytes are in: the source's code-page
    // pragmas stay as they stand, so it compiles as the source does even where a pragma
    // mislabels the bytes (a UTF-8 script that kept "#pragma code_page(1251)").
    bool keepSourcePragmas = false;
};

// Causes of a file error, numbered as the program's file-error texts.
enum class FileErrorCause : int {
    None = 0,
    Generic = 1,
    FileNotFound = 2,
    BadPath = 3,
    TooManyOpenFiles = 4,
    AccessDenied = 5,
    DiskFull = 13,
};

FileErrorCause fileErrorCauseOf(int errnoValue);

// The message for a failed write of the translation `displayName` to `path`.
std::string fileErrorMessage(FileErrorCause cause, std::string_view displayName, const std::string& path);

// The text of one generated line (LANGUAGE and code-page pragma) in the translated script.
std::string translatedLineText(const WriterLine& line, const WriterTarget& target);

// A stored translation as a string literal may hold it: a line break or carriage return that no
// backslash continues becomes its escape, a NUL goes. `changed` tells whether anything did.
std::string literalSafe(std::string_view text, bool& changed);

// The indentation written before a line of this kind ("\r\n" for resource headers).
std::string_view linePrefix(int kind);

class TranslatedScriptWriter {
public:
    TranslatedScriptWriter(WriterTarget target, std::filesystem::path path);
    ~TranslatedScriptWriter();
    TranslatedScriptWriter(const TranslatedScriptWriter&) = delete;
    TranslatedScriptWriter& operator=(const TranslatedScriptWriter&) = delete;

    // Creates the file (beside the target until finish()) and writes the header.
    bool begin(const std::string& sourcePath);
    void writeLine(const WriterLine& line);
    // Writes the footer and puts the file in place; the previous file stays untouched
    // when anything failed.
    bool finish();

    FileErrorCause error() const { return error_; }
    // Lines whose text the target encoding cannot hold ("line 12: <text>"); the file is
    // then not written.
    const std::vector<std::string>& unrepresentable() const { return unrepresentable_; }
    // Lines whose copied bytes are not valid in the code page the source was read in, so they
    // cannot be converted ("line 12: <text>"); the file is then not written either.
    const std::vector<std::string>& undecodable() const { return undecodable_; }
    // Lines whose stored translation held a raw line break or NUL, written escaped ("line 12:
    // <text>").
    const std::vector<std::string>& escapedLines() const { return escaped_; }

private:
    void put(std::string_view bytes);
    // Text copied from the source, converted to the target's code page.
    void putCopied(std::string_view bytes);
    void putLine(std::string_view text);
    // Files the line under the fault it met (its bytes are taken out again).
    void recordUnfitLine(const WriterLine& line, std::size_t lineStart);
    bool writeAll(std::string_view bytes);
    bool failedBy(const ReplacementFile& file);
    void fail(int errnoValue);

    WriterTarget target_;
    int textCodePage_ = 0;
    std::filesystem::path path_;
    ReplacementFile file_;
    bool begun_ = false;
    // The whole script in the target's text code page (UTF-8 for UTF-16), written at the end
    // so that a pragma can still go after the header.
    std::string text_;
    std::size_t headerEnd_ = 0;
    int lineNumber_ = 0;
    enum class LineFault { None, Unrepresentable, Undecodable };
    LineFault lineFault_ = LineFault::None;
    std::vector<std::string> unrepresentable_;
    std::vector<std::string> undecodable_;
    std::vector<std::string> escaped_;
    FileErrorCause error_ = FileErrorCause::None;
};

} // namespace qmk
