// The unattended run and its report channel.
#include "app/BatchRunner.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>

#include "app/BatchOperations.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {

BatchReport::BatchReport(std::ostream& out, std::ostream& err, const std::string& logFile) : out_(out), err_(err)
{
    if (!logFile.empty()) {
        errno = 0;
        log_ = std::make_unique<std::ofstream>(logFile, std::ios::app);
        if (!*log_) {
            log_.reset();
            logProblem_ = printfText(txt::BatchLogUnwritable, {logFile, errno ? std::strerror(errno) : "it cannot be opened"});
        }
    }
}

void BatchReport::line(const std::string& text)
{
    out_ << text << '\n';
    if (log_)
        *log_ << text << '\n';
}

void BatchReport::error(const std::string& text)
{
    err_ << text << '\n';
    if (log_)
        *log_ << text << '\n';
}

BatchRunner::BatchRunner(const std::vector<std::string>& includeExtensions)
    : operations_(standardBatchOperations(includeExtensions))
{
}

BatchStatus BatchRunner::run(const CBatchCommandLineInfo& cmd, BatchReport& report) const
{
    // A run asked to keep a log keeps it, or does nothing: its reports would be lost.
    if (!report.logProblem().empty()) {
        report.error(report.logProblem());
        return BatchStatus::UsageError;
    }
    BatchStatus worst = BatchStatus::Success;
    auto remember = [&worst](BatchStatus s) {
        // A failure outranks a usage error, which outranks a "no" answer.
        auto rank = [](BatchStatus x) {
            switch (x) {
            case BatchStatus::Failed: return 3;
            case BatchStatus::UsageError: return 2;
            case BatchStatus::CheckAnsweredNo: return 1;
            default: return 0;
            }
        };
        if (rank(s) > rank(worst))
            worst = s;
    };

    for (std::size_t i = 0; i < cmd.operations().size(); ++i) {
        const auto& op = cmd.operations()[i];
        const FlagRow* row = flagRow(op.code);
        auto handler = operations_.find(op.code);
        if (!row || handler == operations_.end()) {
            report.error(printfText(txt::BatchUnknownFlag, {op.text}));
            remember(BatchStatus::UsageError);
            continue;
        }
        std::vector<std::string> params = cmd.parametersOf(i);
        if (static_cast<int>(params.size()) < row->parameterCount) {
            report.error(txt::BatchMissingParameter);
            remember(BatchStatus::UsageError);
            continue;
        }
        const auto& all = cmd.operations();
        report.setEveryFinding(std::any_of(all.begin() + static_cast<std::ptrdiff_t>(i) + 1, all.end(),
                                           [](const auto& later) { return later.code == FlagCode::QualityCheck; }));
        remember(handler->second(params, report));
    }
    return worst;
}

std::string batchUsageText()
{
    std::string text =
        "Usage: qmk32 [file.rc | file.mdb]\n"
        "       qmk32 /OPERATION parameters... [/OPERATION parameters...] [/LOG <logfile>]\n"
        "\n"
        "Without an operation, Quillmark opens the file in its window. With operations it runs\n"
        "them unattended, without a window. Flags start with / or - and are matched ignoring case;\n"
        "each operation also has a long name (/UpToDate, /HasLanguage, /Translated, /Export, /Import,\n"
        "/CreateDb, /Update, /AddLang, /WriteRC, /ListLIDS, /Encoding, /TextFit, /ExportXliff,\n"
        "/ExportPo, /ExportPot, /ExportXlsx, /QualityCheck, /PseudoTranslate, /Statistics, /AddToMemory,\n"
        "/ImportTmx, /ExportTmx, /PreTranslate, /Pictures, /LogFile).\n"
        "\n";
    for (std::string_view usage : txt::usageLines())
        text += std::string(usage) + "\n";
    text +=
        "\n"
        "<language> is a decimal language id (1031), four hex digits (0407 or 0x0407) or a language\n"
        "name (\"German\", \"English US\").\n"
        "/ENC sets the encoding the translation's script is written in: ansi (the language's code\n"
        "page), utf-8 or utf-16; its texts are converted, and refused when they do not fit.\n"
        "/FIT <project> <language> lists the translated dialog texts wider than their controls\n"
        "(dialog, control, text and the overflow in dialog units); it answers no when there are any.\n"
        "/XLIFF and /PO write one translation for a translation platform (XLIFF 1.2 or gettext PO);\n"
        "/I imports such a file back (by its extension .xlf, .xliff or .po), matching each unit by id\n"
        "(by its source text where a PO entry has no context); units it cannot take are listed.\n"
        "An export records what it sent: the import takes what changed on the platform, keeps what\n"
        "changed here since, and lists texts changed on both sides (kept here, flagged for review). A\n"
        "file of no known export never replaces another translation: those are listed, unless\n"
        "/OVERWRITE follows the /I operation's parameters.\n"
        "/C <script.rc> /SRC <language>: of a script of several languages, the project translates the\n"
        "LANGUAGE blocks of that language (and the neutral ones); the others are written as they\n"
        "stand. Without /SRC the language of the most texts is the source. The project keeps the\n"
        "choice: /U follows it and /STAT shows it.\n"
        "/POT writes the PO template of a project: every source text, no translation.\n"
        "/XLSX writes the Text Table to a workbook as the window's Export Text to Excel does (Ids,\n"
        "source and the languages given, all translations when none is); /I imports a workbook's\n"
        "language column as Import All does.\n"
        "/CHECK <project> <language> runs the quality checks over the translation and prints each\n"
        "finding as compilers print warnings (<script>:<line>: warning: [<check>] <resource> <Id>:\n"
        "<message>); it answers no when there are any. Imports count the findings of the texts they\n"
        "stored, per check, and list the first 20 (every one with /LOG, or with /CHECK after the import).\n"
        "/PSEUDO <project> <language> fills the translation's untranslated texts with accented,\n"
        "bracketed texts a third longer, keeping placeholders, access keys, escapes and accelerators.\n"
        "/STAT <project> [file.json] prints the items and words of every translation: translated,\n"
        "flagged and untranslated (and writes them to the JSON file when one is given).\n"
        "/SHOTS <project> <language|source> [language 2] <folder> draws every dialog and menu as the\n"
        "previews show them into PNG files (texts too wide outlined), with shots.json giving each\n"
        "XLIFF/PO unit id its picture and rectangle; two languages are drawn side by side.\n"
        "/SHOTS-INDEX <folder> after the parameters of /XLIFF, /PO, /POT or /XLSX writes each text's\n"
        "picture (and in XLIFF and PO its rectangle) from the folder's shots.json into the export.\n"
        "/TM-ADD adds a project's translations (of one language, or all) to the translation memory;\n"
        "/TMX-IMPORT and /TMX-EXPORT read and write the memory as TMX 1.4b (the export of one target\n"
        "language when one is given, as a language or a tag such as de-DE; de takes every region of\n"
        "German; a language the memory holds no translations into is refused, naming those it holds,\n"
        "and no file is written). /PRE fills the\n"
        "untranslated texts of a translation from the memory: identical source texts as translated,\n"
        "texts scoring at least the minimum (default 100) flagged for review; a match is taken only\n"
        "when its placeholders, mnemonic and tabs agree with the source. The memory is the one the\n"
        "settings name ([TranslationMemory] Location: a file or a postgresql:// connection), or\n"
        "QMK32_TM; by default $XDG_DATA_HOME/qmk32/memory.db.\n"
        "/TBX-IMPORT and /TBX-EXPORT read and write the glossary as TBX (its terms, translations,\n"
        "allowed and forbidden variants); the glossary is glossary.db beside the memory's file, or the\n"
        "memory's server. /TERMS <project> [min-count] [file.tbx] lists candidate terms of the\n"
        "project's source texts (menu and popup texts, dialog captions, and words and phrases of up to\n"
        "three words found in at least min-count texts, default 2) with their counts.\n"
        "/LOG <logfile> appends every report to the log file too; when the file cannot be written,\n"
        "no operation is run (exit status 2).\n"
        "\n"
        "Exit status: 0 all operations succeeded and every check answered yes, 3 a check answered no\n"
        "or an import was done with units refused, 1 an operation failed (an import that stored\n"
        "nothing among them), 2 the command line was wrong.\n";
    return text;
}

} // namespace qmk
