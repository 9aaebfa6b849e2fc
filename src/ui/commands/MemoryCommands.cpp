// The translation memory's commands.
#include "ui/commands/MemoryCommands.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMainWindow>

#include "app/MemoryFeeds.h"
#include "memory/TmxFile.h"
#include "project/CQuillDoc.h"
#include "project/PreTranslate.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CChildFrame.h"
#include "ui/CMemoryView.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CTextListView.h"
#include "ui/commands/CommandContext.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }

QString said(const std::string& text) { return QString::fromStdString(text); }

// The memory the TMX commands work on; none (with the reason said) when it is off or broken.
TranslationMemory* memoryForCommand(CommandContext& ctx)
{
    if (!ctx.memory().settings().enabled) {
        ctx.feedback().messageText(txt::MemorySwitchedOff, Icon::Information);
        return nullptr;
    }
    TranslationMemory* memory = ctx.memory().memory();
    if (!memory)
        ctx.feedback().messageText(fillPlaceholders(txt::MemoryUnavailable, {ctx.memory().problem()}), Icon::Exclamation);
    return memory;
}

} // namespace

void preTranslate(CommandContext& ctx)
{
    CChildFrame* child = ctx.project();
    const std::optional<LanguageId> language = child ? child->textList()->currentLanguage() : std::nullopt;
    if (!language)
        return;
    TranslationMemory* memory = ctx.memory().memory();
    if (!memory) {
        ctx.feedback().messageText(fillPlaceholders(txt::MemoryUnavailable, {ctx.memory().problem()}), Icon::Exclamation);
        return;
    }
    bool chosen = false;
    const int minimum = QInputDialog::getInt(&ctx.window(), qs(txt::PreTranslateTitle), qs(txt::PreTranslateMinimum),
                                             100, 50, 100, 1, &chosen);
    if (!chosen)
        return;
    const PreTranslateResult result = qmk::preTranslate(child->document(), *memory, *language, minimum);
    if (!result.ok) {
        ctx.feedback().messageText(fillPlaceholders(txt::MemoryUnavailable, {result.problem}), Icon::Exclamation);
        return;
    }
    if (result.cancelled) {
        ctx.showStatus(said(fillPlaceholders(txt::PreTranslateCancelled,
                                             {std::to_string(result.exact), std::to_string(result.fuzzy)})));
        return;
    }
    ctx.showStatus(said(fillPlaceholders(
        txt::PreTranslateDone, {std::to_string(result.exact), std::to_string(result.fuzzy),
                                std::to_string(result.withoutMatch), std::to_string(result.disagreeing + result.unfit)})));
}

void importTmxIntoMemory(CommandContext& ctx)
{
    TranslationMemory* memory = memoryForCommand(ctx);
    if (!memory)
        return;
    const QString file = QFileDialog::getOpenFileName(&ctx.window(), qs(txt::MenuImportTmx).remove(QLatin1Char('&')),
                                                      QString(), qs(txt::TmxFileFilter));
    if (file.isEmpty())
        return;
    const TmxImportResult result = importTmx(*memory, file.toStdString(), &ctx.feedback());
    if (!result.ok) {
        ctx.feedback().messageText(result.problem, Icon::Exclamation);
        return;
    }
    if (!result.refused.empty()) {
        std::string lines;
        for (const TmxRefusedUnit& unit : result.refused)
            lines += (lines.empty() ? "" : "\n") + unit.unit + ": " + unit.reason;
        ctx.feedback().messageText(fillPlaceholders(txt::TmxImportRefused, {std::to_string(result.refused.size()),
                                                                           file.toStdString(), lines}),
                                   Icon::Exclamation);
    }
    const std::string done = result.cancelled
                                 ? fillPlaceholders(txt::TmxImportCancelled, {std::to_string(result.units)})
                                 : fillPlaceholders(txt::TmxImportDone, {std::to_string(result.units),
                                                                         std::to_string(result.skipped)});
    ctx.showStatus(said(done));
    ctx.memoryView().refresh();
}

void exportMemoryAsTmx(CommandContext& ctx)
{
    TranslationMemory* memory = memoryForCommand(ctx);
    if (!memory)
        return;
    const QString file = QFileDialog::getSaveFileName(&ctx.window(), qs(txt::MenuExportTmx).remove(QLatin1Char('&')),
                                                      QStringLiteral("memory.tmx"), qs(txt::TmxFileFilter));
    if (file.isEmpty())
        return;
    const TmxExportResult result = exportTmx(*memory, file.toStdString(), std::nullopt, &ctx.feedback());
    if (!result.problem.empty()) {
        ctx.feedback().messageText(result.problem, Icon::Exclamation);
        return;
    }
    ctx.showStatus(said(result.cancelled ? std::string(txt::TmxExportCancelled)
                                         : fillPlaceholders(txt::TmxExportDone, {std::to_string(result.units),
                                                                                file.toStdString(),
                                                                                std::to_string(result.skipped)})));
}

} // namespace qmk
