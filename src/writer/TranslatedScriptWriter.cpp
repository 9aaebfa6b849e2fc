// The translated script writer.
#include "writer/TranslatedScriptWriter.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <unistd.h>

#include "parser/CodePageTable.h"
#include "parser/LanguageTable.h"
#include "parser/LineKindGroups.h"
#include "parser/ParserCodes.h"
#include "project/TextCodec.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

constexpr std::size_t kBufferSize = 4096;
constexpr std::string_view kLineEnd = "\r\n";

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
    return line.exclude || line.translation.empty() ? line.sourceText : line.translation;
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
        return "LANGUAGE  " + std::string(languageName(target.language, target.sublanguage)) + ", " +
               std::string(sublanguageName(target.language, target.sublanguage));
    if (line.kind == toInt(LineKind::CodePage)) {
        const std::string page = target.keepUtf8 ? std::to_string(kCodePageUtf8)
                                                 : std::string(codePage(target.language, target.sublanguage));
        return "#pragma code_page(" + page + ")";
    }
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
    : target_(target), path_(std::move(path))
{
    buffer_.reserve(kBufferSize);
}

TranslatedScriptWriter::~TranslatedScriptWriter()
{
    if (fd_ >= 0) {
        ::close(fd_);
        std::remove(tempPath_.c_str());
    }
}

bool TranslatedScriptWriter::begin(const std::string& sourcePath)
{
    std::random_device rd;
    for (int attempt = 0; attempt < 20 && fd_ < 0; ++attempt) {
        tempPath_ = path_.string() + ".qmk" + std::to_string(rd() % 100000);
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        fail(errno);
        return false;
    }
    putLine(txt::ScriptSlashLine);
    putLine(txt::ScriptHeaderProduct);
    putLine(txt::ScriptHeaderTranslated);
    putLine(fillPlaceholders(txt::ScriptHeaderSource, {sourcePath}));
    putLine(txt::ScriptSlashLine);
    put(kLineEnd);
    return error_ == FileErrorCause::None;
}

void TranslatedScriptWriter::writeLine(const WriterLine& line)
{
    put(linePrefix(line.kind));
    if (line.kind == toInt(LineKind::Language) || line.kind == toInt(LineKind::CodePage)) {
        putLine(translatedLineText(line, target_));
        return;
    }
    // The common case without building the line first.
    put(line.before);
    put(chosenText(line));
    put(line.behind);
    put(kLineEnd);
}

bool TranslatedScriptWriter::finish()
{
    if (fd_ < 0)
        return false;
    put(kLineEnd);
    putLine(txt::ScriptSlashLine);
    putLine(txt::ScriptFooterEnd);
    putLine(txt::ScriptSlashLine);
    // No sync: the script can always be written again from the project, and the rename
    // already keeps a failed write from replacing the previous file.
    flush();
    if (::close(fd_) != 0 && error_ == FileErrorCause::None)
        fail(errno);
    fd_ = -1;
    if (error_ == FileErrorCause::None && std::rename(tempPath_.c_str(), path_.c_str()) != 0)
        fail(errno);
    if (error_ != FileErrorCause::None) {
        std::remove(tempPath_.c_str());
        return false;
    }
    return true;
}

void TranslatedScriptWriter::put(std::string_view bytes)
{
    if (error_ != FileErrorCause::None)
        return;
    if (buffer_.size() + bytes.size() > kBufferSize)
        flush();
    if (bytes.size() > kBufferSize) {
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        flush();
        return;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void TranslatedScriptWriter::putLine(std::string_view text)
{
    put(text);
    put(kLineEnd);
}

void TranslatedScriptWriter::flush()
{
    std::size_t done = 0;
    while (error_ == FileErrorCause::None && done < buffer_.size()) {
        ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(n < 0 ? errno : ENOSPC);
        else
            done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void TranslatedScriptWriter::fail(int errnoValue)
{
    if (error_ == FileErrorCause::None)
        error_ = fileErrorCauseOf(errnoValue);
    if (error_ == FileErrorCause::None)
        error_ = FileErrorCause::Generic;
}

} // namespace qmk
