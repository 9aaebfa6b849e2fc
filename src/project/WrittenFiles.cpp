// Telling the project's own translated scripts from the files of others, and keeping a copy of
// the others before they are replaced.
#include "project/WrittenFiles.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "parser/SourceFingerprint.h"
#include "resources/FileNames.h"
#include "resources/Texts.h"

namespace qmk {
namespace fs = std::filesystem;
namespace {

// The header is the first five lines; a long source path makes its fourth line long.
constexpr std::size_t kHeaderBytes = 8192;
constexpr int kMostBackups = 1000;

std::optional<std::string> contentHashText(const fs::path& file)
{
    const std::optional<std::uint64_t> hash = fileContentHash(file);
    if (!hash)
        return std::nullopt;
    std::array<char, 17> text{};
    std::snprintf(text.data(), text.size(), "%016llx", static_cast<unsigned long long>(*hash));
    return std::string(text.data(), 16);
}

// The start of the file as single-byte text: a UTF-16 script (the writer gives it a byte-order
// mark) is narrowed, which keeps its ASCII header readable.
std::string headerText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string bytes(kHeaderBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.starts_with("\xFF\xFE")) {
        std::string narrow;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            narrow += bytes[i + 1] == '\0' ? bytes[i] : '?';
        return narrow;
    }
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.erase(0, 3);
    return bytes;
}

// The line from `at`, without its line end; past the end of the text (a header cut short) empty,
// with `at` beyond the text.
std::string nextLine(std::string_view text, std::size_t& at)
{
    if (at >= text.size()) {
        at = text.size() + 1;
        return {};
    }
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return std::string(line);
}

bool sameContent(const fs::path& a, const fs::path& b)
{
    std::error_code sizeOfA, sizeOfB;
    if (fs::file_size(a, sizeOfA) != fs::file_size(b, sizeOfB) || sizeOfA || sizeOfB)
        return false;
    const std::optional<std::uint64_t> first = fileContentHash(a), second = fileContentHash(b);
    return first && second && *first == *second;
}

fs::path backupName(const fs::path& file, int n)
{
    fs::path name = file;
    name += n == 1 ? std::string(".bak") : "." + std::to_string(n) + ".bak";
    return name;
}

} // namespace

bool hasTranslatedScriptHeader(const fs::path& file, const fs::path& sourceScript)
{
    const std::string text = headerText(file);
    std::size_t at = 0;
    if (nextLine(text, at) != txt::ScriptSlashLine || nextLine(text, at) != txt::ScriptHeaderProduct ||
        nextLine(text, at) != txt::ScriptHeaderTranslated)
        return false;
    const std::string sourceLine = nextLine(text, at);
    const std::string_view sourceHeader = txt::ScriptHeaderSource;
    const std::string_view prefix = sourceHeader.substr(0, sourceHeader.find("%1"));
    if (!sourceLine.starts_with(prefix) || at > text.size())
        return false;
    // The header names the source as the machine that wrote it saw it, perhaps with backslashes.
    std::string_view source = std::string_view(sourceLine).substr(prefix.size());
    if (const std::size_t separator = source.find_last_of("/\\"); separator != std::string_view::npos)
        source.remove_prefix(separator + 1);
    return !source.empty() && equalsIgnoringCase(source, sourceScript.filename().string());
}

std::string writtenFileName(const fs::path& databasePath, const fs::path& file)
{
    std::error_code ec;
    const fs::path folder = fs::absolute(databasePath, ec).parent_path().lexically_normal();
    const fs::path target = fs::absolute(file, ec).lexically_normal();
    const fs::path relative = target.lexically_relative(folder);
    if (!relative.empty() && *relative.begin() != "..")
        return relative.generic_string();
    return target.generic_string();
}

WrittenFileState writtenFileState(CProjectDatabase& db, const fs::path& sourceScript, const fs::path& file)
{
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status))
        return WrittenFileState::Absent;
    if (status.type() != fs::file_type::regular)
        return WrittenFileState::Foreign;
    std::optional<WrittenFileRecord> record;
    try {
        if (db.isOpen())
            record = db.writtenFiles().record(writtenFileName(db.path(), file));
    } catch (const DaoException&) {
        // Without the record the file is judged by its content alone, which only costs a backup.
    }
    if (record && static_cast<std::int64_t>(fs::file_size(file, ec)) == record->size && !ec &&
        contentHashText(file) == record->contentHash)
        return WrittenFileState::Written;
    return hasTranslatedScriptHeader(file, sourceScript) ? WrittenFileState::ProjectScript : WrittenFileState::Foreign;
}

void recordWrittenFile(CProjectDatabase& db, const fs::path& file)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    const std::optional<std::string> hash = contentHashText(file);
    if (ec || !hash || !db.isOpen())
        return;
    try {
        db.writtenFiles().setRecord(writtenFileName(db.path(), file), {static_cast<std::int64_t>(size), *hash});
    } catch (const DaoException&) {
        // A project that cannot be written to (held by another program) keeps no record.
    }
}

fs::path backupPathFor(const fs::path& file)
{
    const fs::path original = resolvedWriteTarget(file);
    for (int n = 1; n < kMostBackups; ++n) {
        const fs::path backup = backupName(original, n);
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(backup, ec);
        if (!fs::exists(status) || (fs::is_regular_file(status) && sameContent(original, backup)))
            return backup;
    }
    return backupName(original, kMostBackups);
}

std::optional<KeptBackup> keepBackup(const fs::path& file, int& errorNumber)
{
    const fs::path original = resolvedWriteTarget(file);
    // A name that appears between the choice and the copy makes the choice be made again.
    for (int attempt = 0; attempt < kMostBackups; ++attempt) {
        const fs::path backup = backupPathFor(original);
        std::error_code ec;
        if (fs::exists(fs::symlink_status(backup, ec))) {
            if (fs::is_regular_file(fs::symlink_status(backup, ec)) && sameContent(original, backup))
                return KeptBackup{backup, false};
            break;  // every name is taken by another backup
        }
        if (!fs::copy_file(original, backup, fs::copy_options::none, ec)) {
            if (ec == std::errc::file_exists)
                continue;
            errorNumber = ec.value() != 0 ? ec.value() : EIO;
            return std::nullopt;
        }
        fs::last_write_time(backup, fs::last_write_time(original, ec), ec);
        return KeptBackup{backup, true};
    }
    errorNumber = EEXIST;
    return std::nullopt;
}

} // namespace qmk
