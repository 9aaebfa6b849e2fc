// Writes one translated resource script: the stored lines in script order with each string
// replaced by its translation, LANGUAGE and code-page lines set for the target, a comment
// header and footer, a fixed indentation per line kind and CR LF line ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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
};

struct WriterTarget {
    int language = 0;
    int sublanguage = 0;
    // A UTF-8 project keeps UTF-8 in every translation, so its pragma lines keep 65001.
    bool keepUtf8 = false;
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

// The text of one line in the translated script, without prefix and line end.
std::string translatedLineText(const WriterLine& line, const WriterTarget& target);

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

private:
    void put(std::string_view bytes);
    void putLine(std::string_view text);
    void flush();
    void fail(int errnoValue);

    WriterTarget target_;
    std::filesystem::path path_;
    std::string tempPath_;
    int fd_ = -1;
    std::vector<char> buffer_;
    FileErrorCause error_ = FileErrorCause::None;
};

} // namespace qmk
