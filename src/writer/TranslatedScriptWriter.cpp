// The translated script writer.
#include "writer/TranslatedScriptWriter.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <algorithm>
#include <unistd.h>

#include "parser/CodePageTable.h"
#include "parser/LanguageTable.h"
#include "parser/LineKindGroups.h"
#include "parser/ParserCodes.h"
#include "parser/ScriptEncoding.h"
#include "project/TextCodec.h"
#include "project/TranslationEncoding.h"
#include "resources/FileNames.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

// The script can always be written again from the project: no sync before it takes its name.
constexpr ReplacementOptions kScriptReplacement{.tag = "qmk", .hidden = false, .sync = false};
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf8Pragma = "#pragma code_page(65001)";
// The comment header and the empty line after it.
constexpr int kHeaderLines = 6;

int effectiveEncoding(const WriterTarget& target)
{
    return target.encoding != 0 ? target.encoding : codePageNumber(target.language, target.sublanguage);
}

bool isResourceHeader(int kind)
{
    switch (static_cast<LineKind>(kind)) {
    case LineKind::StringTable: case LineKind::Menu: case LineKind::Dialog: case LineKind::Accelerators:
    case LineKind::RcData: case LineKind::UserResource: case LineKind::TextInclude: case LineKind::VersionInfo:
        return true;
    default:
        return false;
    }
}

// An excluded text, or one not translated yet, is written in the source language.
std::string_view chosenText(const WriterLine& line)
{
    if (!line.hasText)
        return {};
    if (line.exclude || line.translation.empty())
        return line.asWritten.empty() ? line.sourceText : line.asWritten;
    return line.translation;
}

// A LANGUAGE statement names its language as the script spelt it: by the LANG_ and SUBLANG_
// names where the source used names (its headers define them), else by numbers, which every
// resource compiler reads without a header.
std::string languageOperands(std::string_view statement, const WriterTarget& target)
{
    constexpr std::string_view kKeyword = "LANGUAGE";
    std::size_t first = statement.size() >= kKeyword.size() ? kKeyword.size() : statement.size();
    while (first < statement.size() && (statement[first] == ' ' || statement[first] == '\t'))
        ++first;
    const char c = first < statement.size() ? statement[first] : '\0';
    const bool names = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    if (names)
        return languageStatementOperands(target.language, target.sublanguage);
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "0x%02X, 0x%02X", static_cast<unsigned>(target.language),
                  static_cast<unsigned>(target.sublanguage));
    return numbers;
}

// A version block's name keeps the letter case the source wrote it in ("040704e4").
std::string blockNameAsWritten(std::string_view translation, std::string_view source)
{
    std::string name(translation);
    if (equalsIgnoringCase(name, source))
        return std::string(source);
    const bool lower = source.find_first_of("abcdef") != std::string_view::npos &&
                       source.find_first_of("ABCDEF") == std::string_view::npos;
    if (lower)
        for (char& ch : name)
            if (ch >= 'A' && ch <= 'F')
                ch = static_cast<char>(ch - 'A' + 'a');
    return name;
}

} // namespace

FileErrorCause fileErrorCauseOf(int e)
{
    switch (e) {
    case 0: return FileErrorCause::None;
    case ENOENT: case ENOTDIR: case ENAMETOOLONG: case ELOOP: case EISDIR: return FileErrorCause::BadPath;
    case EACCES: case EPERM: case EROFS: return FileErrorCause::AccessDenied;
    case EMFILE: case ENFILE: return FileErrorCause::TooManyOpenFiles;
    case ENOSPC: case EDQUOT: case EFBIG: return FileErrorCause::DiskFull;
    default: return FileErrorCause::Generic;
    }
}

std::string fileErrorMessage(FileErrorCause cause, std::string_view displayName, const std::string& path)
{
    if (cause == FileErrorCause::BadPath)
        return fillPlaceholders(txt::WriteBadPath, {std::string(displayName), path});
    return std::string(txt::fileErrorText(static_cast<int>(cause)));
}

std::string translatedLineText(const WriterLine& line, const WriterTarget& target)
{
    if (line.kind == toInt(LineKind::Language))
        return "LANGUAGE  " + languageOperands(line.before, target);
    if (line.kind == toInt(LineKind::CodePage) && !target.keepSourcePragmas)
        return "#pragma code_page(" + std::to_string(textCodePage(effectiveEncoding(target))) + ")";
    std::string text(line.before);
    text += chosenText(line);
    text += line.behind;
    return text;
}

std::string_view linePrefix(int kind)
{
    if (isDialogControlKind(kind) || kind == toInt(LineKind::MenuItem) || kind == toInt(LineKind::StringTableString) ||
        kind == toInt(LineKind::Value))
        return "  ";
    if (kind == toInt(LineKind::Popup))
        return "   ";
    if (isResourceHeader(kind))
        return kLineEnd;
    return {};
}

TranslatedScriptWriter::TranslatedScriptWriter(WriterTarget target, std::filesystem::path path)
    : target_(target), textCodePage_(textCodePage(effectiveEncoding(target))), path_(std::move(path)),
      file_(path_, kScriptReplacement)
{
    if (target_.sourceCodePage == 0)
        target_.sourceCodePage = textCodePage_;
}

TranslatedScriptWriter::~TranslatedScriptWriter() = default;

bool TranslatedScriptWriter::failedBy(const ReplacementFile& file)
{
    fail(file.errorNumber());
    return false;
}

bool TranslatedScriptWriter::begin(const std::string& sourcePath)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file_.targetPath(), ec);
    if (std::filesystem::exists(status) && status.type() != std::filesystem::file_type::regular) {
        fail(status.type() == std::filesystem::file_type::directory ? EISDIR : EACCES);
        return false;
    }
    if (!file_.create())
        return failedBy(file_);
    begun_ = true;
    putLine(txt::ScriptSlashLine);
    putLine(txt::ScriptHeaderProduct);
    putLine(txt::ScriptHeaderTranslated);
    // The source path is a file name of this machine, in UTF-8 like the target's own texts.
    putLine(fillPlaceholders(txt::ScriptHeaderSource, {sourcePath}));
    putLine(txt::ScriptSlashLine);
    put(kLineEnd);
    headerEnd_ = text_.size();
    lineNumber_ = kHeaderLines;
    return true;
}

void TranslatedScriptWriter::writeLine(const WriterLine& line)
{
    ++lineNumber_;
    const std::size_t lineStart = text_.size();
    put(linePrefix(line.kind));
    if (line.kind == toInt(LineKind::Language) || line.kind == toInt(LineKind::CodePage)) {
        putLine(translatedLineText(line, target_));
        return;
    }
    lineFault_ = LineFault::None;
    putCopied(line.before);
    if (line.hasText && !line.exclude && !line.translation.empty()) {
        bool changed = false;
        const std::string translation = line.kind == toInt(LineKind::Block)
                                            ? blockNameAsWritten(line.translation, line.sourceText)
                                            : std::string(line.translation);
        put(literalSafe(translation, changed));  // stored in the translation's own encoding
        if (changed)
            escaped_.push_back("line " + std::to_string(lineNumber_) + ": " +
                               decodeToUtf8(line.translation, textCodePage_).value_or(std::string(line.translation)));
    } else
        putCopied(chosenText(line));
    putCopied(line.behind);
    // UTF-16 is made from the UTF-8 text at the end: bytes that are not UTF-8 cannot be.
    if (effectiveEncoding(target_) == kCodePageUtf16 && !isValidUtf8(std::string_view(text_).substr(lineStart)))
        lineFault_ = LineFault::Undecodable;
    if (lineFault_ != LineFault::None)
        recordUnfitLine(line, lineStart);
    put(kLineEnd);
}

void TranslatedScriptWriter::recordUnfitLine(const WriterLine& line, std::size_t lineStart)
{
    std::string statement(line.before);
    statement += chosenText(line);
    statement += line.behind;
    (lineFault_ == LineFault::Undecodable ? undecodable_ : unrepresentable_)
        .push_back("line " + std::to_string(lineNumber_) + ": " +
                   decodeToUtf8(statement, target_.sourceCodePage).value_or(statement));
    text_.resize(lineStart);
}

bool TranslatedScriptWriter::finish()
{
    if (!begun_)
        return false;
    begun_ = false;
    put(kLineEnd);
    putLine(txt::ScriptSlashLine);
    putLine(txt::ScriptFooterEnd);
    putLine(txt::ScriptSlashLine);
    if (textCodePage_ == kCodePageUtf8 && !target_.sourceHasPragma && hasBytesAbove127(text_))
        text_.insert(headerEnd_, std::string(kUtf8Pragma) + std::string(kLineEnd));
    const bool fits = unrepresentable_.empty() && undecodable_.empty();
    if (fits) {
        if (effectiveEncoding(target_) == kCodePageUtf16) {
            // Every line was checked; only the header's source path can still be no UTF-8.
            std::string wide(kUtf16LeBom);
            if (!utf8ToUtf16LE(text_, wide))
                fail(EILSEQ);
            else
                writeAll(wide);
        } else {
            if (textCodePage_ == kCodePageUtf8 && target_.utf8Bom)
                writeAll(kUtf8Bom);
            writeAll(text_);
        }
    }
    const bool ok = error_ == FileErrorCause::None && fits;
    if (ok && !file_.commit())
        failedBy(file_);
    if (error_ != FileErrorCause::None || !fits) {
        file_.discard();
        return false;
    }
    return true;
}

std::string literalSafe(std::string_view text, bool& changed)
{
    std::string safe;
    safe.reserve(text.size());
    changed = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // A backslash at the end of a line continues the literal on the next: that stays.
        const bool continued = i > 0 && text[i - 1] == '\\' && (i < 2 || text[i - 2] != '\\');
        const bool crOfContinuation = c == '\r' && continued && i + 1 < text.size() && text[i + 1] == '\n';
        const bool lfOfContinuation = c == '\n' && (continued || (i > 1 && text[i - 1] == '\r' && text[i - 2] == '\\'));
        if (c == '\0' || ((c == '\n' || c == '\r') && !crOfContinuation && !lfOfContinuation)) {
            changed = true;
            if (c != '\0')
                safe += c == '\n' ? "\\n" : "\\r";
            continue;
        }
        safe += c;
    }
    return safe;
}

void TranslatedScriptWriter::put(std::string_view bytes) { text_.append(bytes); }

void TranslatedScriptWriter::putCopied(std::string_view bytes)
{
    if (target_.sourceCodePage == textCodePage_ || !hasBytesAbove127(bytes)) {
        text_.append(bytes);
        return;
    }
    EncodeResult converted = recodeText(bytes, target_.sourceCodePage, textCodePage_);
    if (converted.ok)
        text_.append(converted.bytes);
    else if (lineFault_ == LineFault::None)
        // Nothing listed: the bytes are not text of the code page they were read in.
        lineFault_ = converted.unrepresentable.empty() ? LineFault::Undecodable : LineFault::Unrepresentable;
}

void TranslatedScriptWriter::putLine(std::string_view text)
{
    put(text);
    put(kLineEnd);
}

bool TranslatedScriptWriter::writeAll(std::string_view bytes)
{
    if (error_ == FileErrorCause::None && !file_.write(bytes))
        failedBy(file_);
    return error_ == FileErrorCause::None;
}

void TranslatedScriptWriter::fail(int errnoValue)
{
    if (error_ == FileErrorCause::None)
        error_ = fileErrorCauseOf(errnoValue);
    if (error_ == FileErrorCause::None)
        error_ = FileErrorCause::Generic;
}

} // namespace qmk
