// Shared pieces of the batch operations.
#include "app/BatchSupport.h"

#include <algorithm>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/LanguageParameter.h"
#include "database/DaoException.h"
#include "database/TranslationColumnNames.h"
#include "project/ProjectFileNames.h"
#include "resources/FileNames.h"
#include "resources/Messages.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {

std::string projectFileError(const std::string& path)
{
    switch (CProjectDatabase::checkProjectFile(path)) {
    case CProjectDatabase::FileCheck::Project:
        return {};
    case CProjectDatabase::FileCheck::InUse:
        return printfText(txt::BatchProjectInUse, {path});
    case CProjectDatabase::FileCheck::NotProject:
        break;
    }
    return printfText(txt::BatchNotAProjectDatabase, {path});
}

void BatchFeedback::message(int id, const MessageArgs& args, Icon icon)
{
    if (icon == Icon::Stop)
        report_.error(formatMessage(id, args));
}

void BatchFeedback::messageText(const std::string& text, Icon icon)
{
    if (icon == Icon::Stop)
        report_.error(text);
}

void BatchReportingFeedback::message(int id, const MessageArgs& args, Icon icon)
{
    messageText(formatMessage(id, args), icon);
}

void BatchReportingFeedback::messageText(const std::string& text, Icon icon)
{
    if (icon == Icon::Stop)
        report_.error(text);
    else
        report_.line(text);
}

std::string projectWriteProblem(const std::string& database)
{
    // The engine writes its journal beside the database: the folder must take new files too.
    if (::access(database.c_str(), W_OK) != 0)
        return std::strerror(errno);
    const std::filesystem::path folder = std::filesystem::path(database).parent_path();
    const std::string folderName = folder.empty() ? std::string(".") : folder.string();
    if (::access(folderName.c_str(), W_OK) != 0)
        return printfText(txt::BatchFolderUnwritable, {folderName, std::strerror(errno)});
    return {};
}

bool batchFileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

ProjectOperation::ProjectOperation(BatchReport& report, const std::vector<std::string>& includeExtensions)
    : report_(report), feedback_(report), doc_(feedback_, includeExtensions)
{
}

ProjectOperation::~ProjectOperation()
{
    // The notes of what was written out are kept without a word when they cannot be: the
    // operation has succeeded or failed by then, and a lost note only costs a backup later.
    // A writing operation that did not finish leaves nothing behind.
    if (use_ == ProjectUse::ReadAndRecord)
        doc_.commitHold(false);
}

bool ProjectOperation::finish()
{
    return doc_.commitHold();
}

bool ProjectOperation::open(const std::string& database, ProjectUse use)
{
    use_ = use;
    doc_.setHold(use == ProjectUse::Write ? ProjectHold::Writing : ProjectHold::Reading);
    if (!batchFileExists(database)) {
        report_.error(printfText(txt::BatchFileNotFound, {database}));
        return false;
    }
    if (!isDatabasePath(database)) {
        report_.error(printfText(txt::BatchWrongFileType, {database}));
        return false;
    }
    if (const std::string problem = inputFileProblem(database); !problem.empty()) {
        report_.error(printfText(txt::BatchCannotRead, {database, problem}));
        return false;
    }
    if (::access(database.c_str(), R_OK) != 0) {
        report_.error(printfText(txt::BatchCannotRead, {database, std::strerror(errno)}));
        return false;
    }
    if (const std::string error = projectFileError(database); !error.empty()) {
        report_.error(error);
        return false;
    }
    if (use == ProjectUse::Write) {
        if (const std::string problem = projectWriteProblem(database); !problem.empty()) {
            report_.error(printfText(txt::BatchCannotWrite, {database, problem}));
            return false;
        }
    }
    return doc_.OnOpenDocument(database);
}

std::optional<LanguageId> ProjectOperation::language(const std::string& text)
{
    auto id = parseLanguageParameter(text);
    if (!id || translationColumnName(id->language, id->sublanguage).empty()) {
        report_.error(printfText(txt::BatchInvalidLanguage, {text}));
        return std::nullopt;
    }
    return id;
}

bool ProjectOperation::hasLanguage(LanguageId id, const std::string& text, const std::string& database)
{
    if (doc_.hasTranslation(id))
        return true;
    report_.error(printfText(txt::BatchLanguageNotInDatabase, {text, database}));
    return false;
}

BatchStatus ProjectOperation::languagesNamed(const std::vector<std::string>& names, const std::string& database,
                                             std::vector<LanguageId>& languages)
{
    for (const std::string& name : names) {
        const std::optional<LanguageId> id = language(name);
        if (!id)
            return BatchStatus::UsageError;
        if (!hasLanguage(*id, name, database))
            return BatchStatus::Failed;
        if (std::find(languages.begin(), languages.end(), *id) == languages.end())
            languages.push_back(*id);
    }
    return BatchStatus::Success;
}

BatchStatus guardedBatchOperation(BatchReport& report, const std::function<BatchStatus()>& body)
{
    try {
        return body();
    } catch (const DaoException& e) {
        report.error(printfText(txt::BatchDaoException, {e.report()}));
        return BatchStatus::Failed;
    } catch (const std::exception& e) {
        // A file system error names the file it concerns in its text.
        report.error(printfText(txt::BatchUnexpectedError, {e.what()}));
        return BatchStatus::Failed;
    }
}

BatchStatus onProjectLanguage(BatchReport& report, const std::vector<std::string>& includeExtensions,
                              const std::string& database, ProjectUse use, const std::string& language,
                              const std::function<BatchStatus(ProjectOperation&, LanguageId)>& body)
{
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, includeExtensions);
        if (!op.open(database, use))
            return batchFailed(report);
        auto id = op.language(language);
        if (!id)
            return BatchStatus::UsageError;
        return body(op, *id);
    });
}

BatchStatus batchFailed(BatchReport& report)
{
    report.error(txt::BatchCommandFailed);
    return BatchStatus::Failed;
}

} // namespace qmk
