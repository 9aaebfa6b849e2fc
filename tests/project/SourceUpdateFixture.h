// A project built from a small script in a fresh folder, with the temporary folder moved into
// it so that the update's working files can be seen (and are removed with the folder).
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "project/CQuillDoc.h"

namespace qmk::test {

inline constexpr LanguageId German{7, 1};
inline constexpr LanguageId French{12, 1};

class SourceUpdateFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the script with a modification time `age` seconds before the start of the test.
    std::filesystem::path writeScript(const std::string& text, int age = 0);
    // Writes the script as a later save and updates the project from it.
    bool saveAndUpdate(const std::string& text);
    void open(const std::filesystem::path& path);
    // Adds German and gives every text the translation "de:<LineIndex>".
    void translateAll();

    int stringLine(const std::string& ident);
    TextRow textRow(int lineIndex);
    std::optional<TranslatedText> german(int lineIndex);
    std::vector<TextRow> texts();
    std::vector<std::filesystem::path> workingFiles() const;

    TempDir dir;
    RecordingFeedback feedback;
    std::unique_ptr<CQuillDoc> doc;
    std::filesystem::path script;
    std::time_t start = 0;
    int saves = 0;

private:
    std::string savedTmpdir_;
    bool hadTmpdir_ = false;
};

void setModificationTime(const std::filesystem::path& path, std::time_t when);

} // namespace qmk::test
