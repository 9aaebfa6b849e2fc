// A settings file with Windows private-profile semantics: "[Section]" and "Key=Value" lines,
// sections and keys compared without regard to case, values kept verbatim, and every line the
// program does not own (comments, other sections, odd spelling) kept as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qmk {

class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // Re-reads the file from disk (a missing file is an empty profile, and so is one that is no
    // regular file or cannot be read: problem() says why).
    void reload();
    const std::string& problem() const { return problem_; }

    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    std::string getString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The leading signed decimal number of the value; fallback when the key is missing.
    int getInt(std::string_view section, std::string_view key, int fallback) const;

    // Each write re-reads the file first, so edits made by hand meanwhile are kept, and
    // replaces it atomically. False (and the file untouched) when it cannot be written.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInt(std::string_view section, std::string_view key, int value);
    // Several keys of one section in one replacement of the file.
    bool writeStrings(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries);
    bool removeKey(std::string_view section, std::string_view key);

private:
    struct Location {
        std::size_t sectionLine;  // index of the "[Section]" line
        std::size_t endLine;      // one past the section's last line
    };
    std::optional<Location> findSection(std::string_view section) const;
    std::optional<std::size_t> findKeyLine(const Location& loc, std::string_view key) const;
    void setInMemory(std::string_view section, std::string_view key, std::string_view value);
    bool save() const;

    std::filesystem::path path_;
    std::vector<std::string> lines_;
    std::string lineEnd_ = "\n";
    std::string problem_;
};

} // namespace qmk
