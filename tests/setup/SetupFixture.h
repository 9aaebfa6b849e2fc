// A temporary world for setup tests: a distribution folder with small stand-ins for the files,
// configuration and data folders in place of the user's, and a feedback that answers from a script.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/TempDir.h"
#include "setup/SetupEngine.h"
#include "setup/SetupFiles.h"
#include "setup/SetupManifest.h"

namespace qmk::setup::test {

namespace fs = std::filesystem;

class ScriptedFeedback : public SetupFeedback {
public:
    void message(const std::string& text, Icon icon) override { messages.push_back({text, icon}); }
    bool askYesNo(const std::string& text) override
    {
        questions.push_back(text);
        return answer;
    }
    bool askKeepChangedDemo(const std::string& question) override
    {
        demoQuestions.push_back(question);
        return keepDemo;
    }
    void status(const std::string& text) override { statuses.push_back(text); }
    void progress(int done, int total) override { lastProgress = {done, total}; }
    std::optional<fs::path> askSourceFolder(const SourceFolderRequest& request) override
    {
        requests.push_back(request);
        if (folders.empty())
            return std::nullopt;
        auto folder = folders.front();
        folders.pop_front();
        return folder;
    }
    void beep() override { ++beeps; }

    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& [text, icon] : messages)
            texts.push_back(text);
        return texts;
    }

    std::vector<std::pair<std::string, Icon>> messages;
    std::vector<std::string> questions;
    std::vector<std::string> demoQuestions;
    std::vector<std::string> statuses;
    std::vector<SourceFolderRequest> requests;
    std::pair<int, int> lastProgress{-1, -1};
    int beeps = 0;
    bool answer = true;
    bool keepDemo = true;
    // The answers to the source folder prompt, in turn; Cancel once they are used up.
    std::deque<std::optional<fs::path>> folders;
};

// Sets an environment variable for the lifetime of the object, then puts back what was there.
class EnvOverride {
public:
    EnvOverride(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvOverride()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// The content every stand-in file has: its own name, so a mix-up shows.
inline std::string standInContent(std::string_view name)
{
    return "stand-in for " + std::string(name) + "\n";
}

// gzip-compresses `content`, recording `modified` (seconds, 0 for none) in the header.
std::string gzipped(const std::string& content, long modified);

fs::file_time_type fileTime(long secondsSinceEpoch);

class SetupFixture : public ::testing::Test {
protected:
    SetupFixture();

    // Writes every file of the table into `folder` under its own name.
    void writeDistribution(const fs::path& folder) const;
    SetupEngine engine() { return SetupEngine(options, feedback); }
    InstallResult install(bool program = true, bool demo = true) { return engine().install(destination.string(), program, demo); }
    // Every file below `folder` (relative, sorted), for comparing what is left.
    static std::vector<std::string> filesBelow(const fs::path& folder);
    // The list of what setup installed in the destination, as it is on the disk now.
    SetupManifest manifest() const;

    qmk::test::TempDir root;
    EnvOverride configHome{"XDG_CONFIG_HOME", (root / "config").string()};
    EnvOverride dataHome{"XDG_DATA_HOME", (root / "data").string()};
    EnvOverride settingsIni{"QMK32_INI", (root / "config/qmk32/qmk32.ini").string()};
    EnvOverride home{"HOME", (root / "home").string()};
    fs::path source = root / "dist";
    fs::path destination = root / "home/work/qmk32";
    SetupOptions options;
    ScriptedFeedback feedback;
};

} // namespace qmk::setup::test
