// The handlers of the batch operations: each checks its parameters, opens the project through
// the same document code the windows use, and reports with the batch texts.
#include "app/BatchOperations.h"

#include <fstream>
#include <memory>

#include "app/LanguageParameter.h"
#include "database/DaoException.h"
#include "database/TranslationColumnNames.h"
#include "parser/LanguageTable.h"
#include "project/CQuillDoc.h"
#include "project/ProjectFileNames.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

// Batch mode shows nothing, answers every question with its default, and only passes on the
// reports of failures, so that the log says why an operation failed.
class BatchFeedback : public SilentFeedback {
public:
    explicit BatchFeedback(BatchReport& report) : report_(report) {}
    void message(int id, const MessageArgs& args, Icon icon) override
    {
        if (icon == Icon::Stop)
            report_.error(formatMessage(id, args));
    }
    void messageText(const std::string& text, Icon icon) override
    {
        if (icon == Icon::Stop)
            report_.error(text);
    }

private:
    BatchReport& report_;
};

bool fileExists(const std::string& p)
{
    std::error_code ec;
    return std::filesystem::exists(p, ec);
}

// Everything an operation on a project database needs, with the checks every such operation makes.
class ProjectOperation {
public:
    ProjectOperation(BatchReport& report, const std::vector<std::string>& extensions)
        : report_(report), feedback_(report), doc_(feedback_, extensions)
    {
    }

    // The database parameter names an existing project database, which is opened.
    bool open(const std::string& database)
    {
        if (!fileExists(database)) {
            report_.error(printfText(txt::BatchFileNotFound, {database}));
            return false;
        }
        if (!isDatabasePath(database)) {
            report_.error(printfText(txt::BatchWrongFileType, {database}));
            return false;
        }
        if (!CQuillDoc::IsProjectDatabase(database)) {
            report_.error(printfText(txt::BatchNotAProjectDatabase, {database}));
            return false;
        }
        return doc_.OnOpenDocument(database);
    }

    std::optional<LanguageId> language(const std::string& text)
    {
        auto id = parseLanguageParameter(text);
        if (!id || translationColumnName(id->language, id->sublanguage).empty()) {
            report_.error(printfText(txt::BatchInvalidLanguage, {text}));
            return std::nullopt;
        }
        return id;
    }

    bool hasLanguage(LanguageId id, const std::string& text, const std::string& database)
    {
        if (doc_.hasTranslation(id))
            return true;
        report_.error(printfText(txt::BatchLanguageNotInDatabase, {text, database}));
        return false;
    }

    CQuillDoc& doc() { return doc_; }
    Feedback& feedback() { return feedback_; }

private:
    BatchReport& report_;
    BatchFeedback feedback_;
    CQuillDoc doc_;
};

// Runs an operation body, turning database failures into their report.
BatchStatus guarded(BatchReport& report, const std::function<BatchStatus()>& body)
{
    try {
        return body();
    } catch (const DaoException& e) {
        report.error(printfText(txt::BatchDaoException, {e.report()}));
        return BatchStatus::Failed;
    }
}

// A translated script named on the command line, as the project stores it: a plain name when
// it lies in the project's folder, else its full path.
std::string storedTranslationName(const std::string& given, const CQuillDoc& doc)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(given, ec).lexically_normal();
    if (full.parent_path() == doc.documentPath().parent_path())
        return full.filename().string();
    return full.string();
}

BatchStatus failed(BatchReport& report)
{
    report.error(txt::BatchCommandFailed);
    return BatchStatus::Failed;
}

BatchStatus createDb(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(txt::BatchCreateStart);
    const std::string& script = p[0];
    if (!fileExists(script)) {
        report.error(printfText(txt::BatchFileNotFound, {script}));
        return BatchStatus::Failed;
    }
    if (isDatabasePath(script)) {
        report.error(printfText(txt::BatchWrongFileType, {script}));
        return BatchStatus::Failed;
    }
    const std::string database = databaseForScript(script).string();
    if (fileExists(database)) {
        report.line(printfText(txt::BatchCreateExists, {database, script}));
        return BatchStatus::Success;
    }
    return guarded(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.doc().OnOpenDocument(script))
            return failed(report);
        op.doc().OnCloseDocument();
        report.line(printfText(txt::BatchCreateDone, {database, script}));
        return BatchStatus::Success;
    });
}

BatchStatus addLang(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(txt::BatchAddLangStart);
    return guarded(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.open(p[0]))
            return failed(report);
        auto id = op.language(p[1]);
        if (!id)
            return BatchStatus::UsageError;
        if (!op.doc().NewTranslation(id, storedTranslationName(p[2], op.doc())))
            return failed(report);
        op.doc().OnCloseDocument();
        report.line(printfText(txt::BatchAddLangDone, {p[1], p[0]}));
        return BatchStatus::Success;
    });
}

BatchStatus writeRc(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(txt::BatchWriteStart);
    return guarded(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.open(p[0]))
            return failed(report);
        auto id = op.language(p[1]);
        if (!id)
            return BatchStatus::UsageError;
        if (!op.hasLanguage(*id, p[1], p[0]))
            return BatchStatus::Failed;
        if (op.doc().writeTranslation(*id, p[2]) != 1)
            return failed(report);
        report.line(printfText(txt::BatchWriteDone, {p[1], p[0], p[2]}));
        return BatchStatus::Success;
    });
}

BatchStatus hasLanguage(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(printfText(txt::BatchHasLanguageStart, {p[0], p[1]}));
    return guarded(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.open(p[0]))
            return failed(report);
        auto id = op.language(p[1]);
        if (!id)
            return BatchStatus::UsageError;
        const bool has = op.doc().hasTranslation(*id);
        report.line(has ? txt::BatchAnswerYes : txt::BatchAnswerNo);
        return has ? BatchStatus::Success : BatchStatus::CheckAnsweredNo;
    });
}

BatchStatus translated(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(printfText(txt::BatchTranslatedStart, {p[0], p[1]}));
    return guarded(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.open(p[0]))
            return failed(report);
        auto id = op.language(p[1]);
        if (!id)
            return BatchStatus::UsageError;
        if (!op.hasLanguage(*id, p[1], p[0])) {
            report.line(txt::BatchAnswerNo);
            return BatchStatus::CheckAnsweredNo;
        }
        TranslationStatistics stats = op.doc().database().translationStatistics(*id);
        report.line(printfText(txt::BatchTranslatedCounts, {std::to_string(stats.total),
                                                            std::to_string(stats.translated),
                                                            std::to_string(stats.changed)}));
        const bool complete = stats.translated == stats.total;
        report.line(complete ? txt::BatchAnswerYes : txt::BatchAnswerNo);
        return complete ? BatchStatus::Success : BatchStatus::CheckAnsweredNo;
    });
}

BatchStatus listLanguageIds(const std::vector<std::string>& p, BatchReport& report)
{
    std::ofstream out(p[0], std::ios::binary | std::ios::trunc);
    if (!out) {
        report.error(printfText(txt::BatchFileNotFound, {p[0]}));
        return failed(report);
    }
    out << txt::BatchListHeading << '\n';
    for (const LanguageRow& row : languageRows())
        out << printfText(txt::BatchListLine,
                          {std::string(row.identifier), std::string(messageText(row.displayTextId))})
            << '\n';
    out.flush();
    if (!out)
        return failed(report);
    report.line(txt::BatchListHeading);
    return BatchStatus::Success;
}

// Operations whose project road is not in this build yet fail openly instead of pretending.
BatchStatus notAvailable(const std::vector<std::string>&, BatchReport& report)
{
    return failed(report);
}

} // namespace

std::map<FlagCode, BatchOperation> standardBatchOperations(const std::vector<std::string>& ext)
{
    using P = const std::vector<std::string>&;
    std::map<FlagCode, BatchOperation> ops;
    ops[FlagCode::CreateDb] = [ext](P p, BatchReport& r) { return createDb(p, r, ext); };
    ops[FlagCode::AddLang] = [ext](P p, BatchReport& r) { return addLang(p, r, ext); };
    ops[FlagCode::WriteRC] = [ext](P p, BatchReport& r) { return writeRc(p, r, ext); };
    ops[FlagCode::HasLanguage] = [ext](P p, BatchReport& r) { return hasLanguage(p, r, ext); };
    ops[FlagCode::Translated] = [ext](P p, BatchReport& r) { return translated(p, r, ext); };
    ops[FlagCode::ListLIDS] = listLanguageIds;
    for (FlagCode code : {FlagCode::UpToDate, FlagCode::Update, FlagCode::Export, FlagCode::Import})
        ops[code] = notAvailable;
    return ops;
}

} // namespace qmk
