// A small project for the workbook tests: a script written into a temporary folder, opened
// (built) through CQuillDoc, with translations, and the Text Table's rows over it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "project/CQuillDoc.h"
#include "project/TextTableRows.h"

namespace qmk::test {

inline constexpr LanguageId Russian{25, 1};
inline constexpr LanguageId Greek{8, 1};
inline constexpr LanguageId German{7, 1};

// English (cp1252): two dialogs that share "IDOK"/"OK", a menu, strings, a bitmap, a version.
extern const char* const kWorkbookScript;

using Grid = std::vector<std::vector<std::string>>;

class WorkbookProject {
public:
    // Builds the project from the script and adds the translations (each writing "<name>.rc").
    bool open(const std::string& script, const std::vector<LanguageId>& translations);
    void reload();

    CQuillDoc& doc() { return *doc_; }
    CProjectDatabase& db() { return doc_->database(); }
    const TextTableRows& rows() const { return doc_->rows(); }

    // The LineIndex of the n-th text (from 0) with this source text, in script order; -1 if none.
    int lineOf(const std::string& sourceText, int nth = 0);
    std::string translation(int lineIndex, LanguageId language);

    // Every cell of a workbook's first sheet, rows by columns.
    static Grid readGrid(const std::filesystem::path& path);
    // Writes a grid as a workbook, the first row in the header style; with an export id, as a
    // spreadsheet application keeps the exported workbook's.
    static void writeGrid(const std::filesystem::path& path, const Grid& grid, const std::string& exportId = {});

    TempDir dir;
    RecordingFeedback feedback;

private:
    std::unique_ptr<CQuillDoc> doc_;
};

} // namespace qmk::test
