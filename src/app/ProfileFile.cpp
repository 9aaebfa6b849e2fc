// Private-profile settings file: reading, in-place editing and atomic replacement.
#include "app/ProfileFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "resources/FileNames.h"
#include "resources/ReplacementFile.h"

namespace qmk {
namespace {

std::string_view trim(std::string_view s)
{
    const char* blanks = " \t\r";
    std::size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos)
        return {};
    std::size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

// "[Name]" -> "Name"; nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line)
{
    std::string_view t = trim(line);
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    std::size_t close = t.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(t.substr(1, close - 1));
}

bool isComment(std::string_view line)
{
    std::string_view t = trim(line);
    return !t.empty() && t.front() == ';';
}

std::string_view keyOf(std::string_view line)
{
    std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : trim(line.substr(0, eq));
}

std::string_view valueOf(std::string_view line)
{
    std::string_view v = trim(line.substr(line.find('=') + 1));
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        v = v.substr(1, v.size() - 2);
    return v;
}

} // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path))
{
    reload();
}

void ProfileFile::reload()
{
    lines_.clear();
    problem_.clear();
    // Only a regular file is read: a pipe would block every start, a device never end.
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec))
        return;
    std::optional<std::string> read = readInputFile(path_, problem_);
    if (!read)
        return;
    const std::string& content = *read;
    std::size_t nl = content.find('\n');
    lineEnd_ = (nl != std::string::npos && nl > 0 && content[nl - 1] == '\r') ? "\r\n" : "\n";
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(std::move(line));
        start = end + 1;
    }
}

std::optional<ProfileFile::Location> ProfileFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = sectionName(lines_[i]);
        if (!name || !equalsIgnoringCase(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !sectionName(lines_[end]))
            ++end;
        return Location{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileFile::findKeyLine(const Location& loc, std::string_view key) const
{
    for (std::size_t i = loc.sectionLine + 1; i < loc.endLine; ++i)
        if (!isComment(lines_[i]) && lines_[i].find('=') != std::string::npos &&
            equalsIgnoringCase(keyOf(lines_[i]), key))
            return i;
    return std::nullopt;
}

std::optional<std::string> ProfileFile::find(std::string_view section, std::string_view key) const
{
    auto loc = findSection(section);
    if (!loc)
        return std::nullopt;
    auto line = findKeyLine(*loc, key);
    if (!line)
        return std::nullopt;
    return std::string(valueOf(lines_[*line]));
}

std::string ProfileFile::getString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    auto v = find(section, key);
    return v ? *v : std::string(fallback);
}

int ProfileFile::getInt(std::string_view section, std::string_view key, int fallback) const
{
    auto v = find(section, key);
    if (!v)
        return fallback;
    return static_cast<int>(std::strtol(v->c_str(), nullptr, 10));
}

bool ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    reload();
    setInMemory(section, key, value);
    return save();
}

bool ProfileFile::writeStrings(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries)
{
    reload();
    for (const auto& [key, value] : entries)
        setInMemory(section, key, value);
    return save();
}

void ProfileFile::setInMemory(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string entry = std::string(key) + "=" + std::string(value);
    auto loc = findSection(section);
    if (!loc) {
        lines_.push_back(std::string("[").append(section).append("]"));
        lines_.push_back(entry);
        return;
    }
    if (auto line = findKeyLine(*loc, key)) {
        // Keep the key as it was spelled in the file.
        lines_[*line] = std::string(keyOf(lines_[*line])) + "=" + std::string(value);
        return;
    }
    std::size_t insertAt = loc->endLine;
    while (insertAt > loc->sectionLine + 1 && trim(lines_[insertAt - 1]).empty())
        --insertAt;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
}

bool ProfileFile::writeInt(std::string_view section, std::string_view key, int value)
{
    return writeString(section, key, std::to_string(value));
}

bool ProfileFile::removeKey(std::string_view section, std::string_view key)
{
    reload();
    auto loc = findSection(section);
    if (!loc)
        return true;
    if (auto line = findKeyLine(*loc, key)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
        return save();
    }
    return true;
}

bool ProfileFile::save() const
{
    std::error_code ec;
    std::filesystem::path folder = path_.parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
    std::string content;
    for (const std::string& line : lines_)
        content += line + lineEnd_;
    ReplacementFile file(path_);
    return file.create() && file.write(content) && file.commit();
}

} // namespace qmk
