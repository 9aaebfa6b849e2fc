// A small project built from its script in a fresh folder, for the import and export tests.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/ProjectRows.h"
#include "project/CQuillDoc.h"

namespace qmk::test {

inline constexpr LanguageId German{7, 1};
inline constexpr LanguageId French{12, 1};

// The project's script: two dialogs of one name, a menu of three popups, two strings, a bitmap
// and a version resource.
extern const char* const kProjectScript;

class ExchangeFixture {
public:
    explicit ExchangeFixture(std::unique_ptr<RecordingFeedback> feedback = std::make_unique<RecordingFeedback>());

    CQuillDoc& doc() { return *doc_; }
    CProjectDatabase& db() { return doc_->database(); }
    RecordingFeedback& feedback() { return *feedback_; }
    const TempDir& dir() const { return dir_; }

    // Opens (building when needed) the project of a script written into the folder.
    std::unique_ptr<CQuillDoc> openProject(const std::string& name, const std::string& script);

    // Line keys by identifier, in script order.
    int stringLine(const std::string& ident);
    int controlLine(const std::string& dialog, const std::string& ident, int kind, int nth = 0);
    std::vector<int> popupLines(const std::string& menu);
    std::string translationOf(int lineIndex, LanguageId language = German);
    bool modifiedFlagOf(int lineIndex, LanguageId language = German);
    bool saidText(const std::string& text) const;

    static const std::vector<std::string>& extensions();

protected:
    TempDir dir_;
    std::unique_ptr<RecordingFeedback> feedback_;
    std::unique_ptr<CQuillDoc> doc_;
};

} // namespace qmk::test
