// Pieces every batch operation uses: the silent feedback that passes failures to the report,
// the checks on a project database parameter, language parameters, and failure reporting.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/BatchRunner.h"
#include "database/ProjectRows.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"

namespace qmk {

// The report line for a file that should be a project database and is not one, or that another
// program holds; empty for a project database.
std::string projectFileError(const std::string& path);

// Batch mode shows nothing, answers every question with its default, and only passes on the
// reports of failures, so that the log says why an operation failed.
class BatchFeedback : public SilentFeedback {
public:
    explicit BatchFeedback(BatchReport& report) : report_(report) {}
    void message(int id, const MessageArgs& args, Icon icon) override;
    void messageText(const std::string& text, Icon icon) override;

private:
    BatchReport& report_;
};

// For operations whose every message belongs in the report, as the window would show it: the
// workbook exchange reports its counts and its refused texts this way.
class BatchReportingFeedback : public BatchFeedback {
public:
    explicit BatchReportingFeedback(BatchReport& report) : BatchFeedback(report), report_(report) {}
    void message(int id, const MessageArgs& args, Icon icon) override;
    void messageText(const std::string& text, Icon icon) override;

private:
    BatchReport& report_;
};

bool batchFileExists(const std::string& path);
// Why the project database cannot be written (the file, or its folder that takes the engine's
// journal); empty when it can.
std::string projectWriteProblem(const std::string& database);

// How a batch operation uses the project it opens, which decides how it holds it against other
// programs (windows and batch runs) using it at the same time.
enum class ProjectUse {
    // Reads one snapshot and leaves the project exactly as it found it: nothing it would write
    // (a refreshed stamp, a renamed column) is kept.
    Read,
    // Reads one snapshot and keeps the notes it makes of what it wrote out (the scripts it
    // wrote, the exports it made); such a note that cannot be kept only costs a backup later.
    ReadAndRecord,
    // Holds the project's write lock from the open to finish(): refused at the open, before
    // anything changes, while another program writes; what it did stays only when finished.
    Write,
};

// One project opened for a batch operation, with the checks every such operation makes.
class ProjectOperation {
public:
    ProjectOperation(BatchReport& report, const std::vector<std::string>& includeExtensions);
    ~ProjectOperation();

    // The parameter names an existing project database ("File not found", "Wrong file type",
    // "not a QMK database" otherwise, "in use by another program" when another program holds
    // it), which is opened for `use`.
    bool open(const std::string& database, ProjectUse use);
    // The end of a writing operation: what it did is kept, before its success is reported.
    // False (reported) when the project could not take it; nothing of it stays then.
    bool finish();
    // A language parameter that names a language with a translation column.
    std::optional<LanguageId> language(const std::string& text);
    // The project has the translation; otherwise the warning is reported.
    bool hasLanguage(LanguageId id, const std::string& text, const std::string& database);
    // The translations the names give, each once, in their order; each must be the project's.
    // UsageError for a name that is no language, Failed for one the project lacks (reported).
    BatchStatus languagesNamed(const std::vector<std::string>& names, const std::string& database,
                               std::vector<LanguageId>& languages);

    CQuillDoc& doc() { return doc_; }
    Feedback& feedback() { return feedback_; }

private:
    BatchReport& report_;
    BatchFeedback feedback_;
    CQuillDoc doc_;
    ProjectUse use_ = ProjectUse::Read;
};

// Runs an operation body, turning database failures into their report.
BatchStatus guardedBatchOperation(BatchReport& report, const std::function<BatchStatus()>& body);
// Opens the project database parameter for `use` and reads the language parameter, then runs
// `body`; database failures are reported as such.
BatchStatus onProjectLanguage(BatchReport& report, const std::vector<std::string>& includeExtensions,
                              const std::string& database, ProjectUse use, const std::string& language,
                              const std::function<BatchStatus(ProjectOperation&, LanguageId)>& body);
// Reports "Command failed" and returns Failed.
BatchStatus batchFailed(BatchReport& report);

} // namespace qmk
