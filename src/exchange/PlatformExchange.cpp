// XLIFF 1.2 and PO files of a translation: the units of the project, and their way back.
#include "exchange/PlatformExchange.h"

#include <cctype>
#include <chrono>
#include <ctime>
#include <iterator>
#include <map>
#include <unordered_map>
#include <memory>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/Transaction.h"
#include "exchange/GettextMatching.h"
#include "exchange/ImportSource.h"
#include "exchange/PoFile.h"
#include "exchange/TextOutput.h"
#include "exchange/XliffFile.h"
#include "parser/LanguageTags.h"
#include "parser/SourceLanguageScope.h"
#include "project/CQuillDoc.h"
#include "project/TextCodec.h"
#include "project/TextFit.h"
#include "project/TranslationForm.h"
#include "resources/Feedback.h"
#include "resources/FileNames.h"
#include "resources/Messages.h"
#include "resources/ReplacementFile.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

std::string normalisedTag(std::string_view tag)
{
    std::string out(tag);
    for (char& c : out) {
        if (c == '_')
            c = '-';
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::vector<std::string> subtags(const std::string& tag)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= tag.size()) {
        const std::size_t end = std::min(tag.find('-', start), tag.size());
        parts.push_back(tag.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string regionOf(const std::vector<std::string>& parts)
{
    for (std::size_t i = 1; i < parts.size(); ++i)
        if (parts[i].size() == 2 || (parts[i].size() == 3 && std::isdigit(static_cast<unsigned char>(parts[i][0]))))
            return parts[i];
    return {};
}

std::string utcNow()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M+0000", &utc);
    return text;
}

// The width a dialog control's text may take, in pixels as the text-fit measure counts them;
// `widths` holds every control's cx by line.
int controlWidth(const std::unordered_map<int, int>& widths, const CObjectData& item)
{
    if (item.itemType != ItemType::DialogItem)
        return 0;
    const auto cx = widths.find(item.lineIndex);
    return cx != widths.end() && cx->second > 0 ? static_cast<int>(cx->second * TextMetrics{}.xScale) : 0;
}

// Why the project cannot take the unit's translation; empty when it can.
std::string refusal(const ExchangeUnit& unit, const ExchangeUnit& project)
{
    if (!unit.unreadable.empty())
        return unit.unreadable;
    if (unit.source != project.source)
        return "its source text is no longer the project's";
    if (project.itemType == itemTypeDisplayName(ItemType::BlockHeader)) {
        const std::optional<BlockHeader> header = parseBlockHeader(unit.target);
        if (!header || header->languageRow < 0 || header->codePageRow < 0)
            return "'" + unit.target + "' is no version block header (four digits of a language, four of a code page)";
    }
    return {};
}

} // namespace

namespace {

// The units of the Text Table's rows with the translation of `language`; without one, the
// sources alone, as a template has them before any translation exists. `forFile`: with what
// only a file carries (the source before an update, a control's width), which an import that
// compares the file's units with them does without.
std::vector<ExchangeUnit> rowUnits(CQuillDoc& doc, std::optional<LanguageId> language, bool forFile = true)
{
    std::vector<ExchangeUnit> units;
    const TextTableRows& rows = doc.rows();
    const int column = language ? rows.columns().columnOfLanguage(*language) : -1;
    if (language && column < 0)
        return units;
    try {
        // Read whole, once: a query per row would cost more than everything else the export does.
        const std::unordered_map<int, std::string> owners = doc.database().items().owningResourceIdents();
        const std::unordered_map<int, int> widths =
            forFile ? doc.database().items().controlWidths() : std::unordered_map<int, int>();
        // An id is the item type, the resource and the item's Id; items that share all three
        // are told apart by their order, which a source update keeps. Counted by the first
        // unit's id, which stays where it is (the units are never moved).
        std::unordered_map<std::string_view, int> seen;
        seen.reserve(static_cast<std::size_t>(rows.rowCount()));
        units.reserve(static_cast<std::size_t>(rows.rowCount()));
        for (int row = 0; row < rows.rowCount(); ++row) {
            const CObjectData& item = rows.item(row);
            if (item.excluded)
                continue;
            ExchangeUnit& unit = units.emplace_back();  // made in place: no unit is moved
            const auto owner = owners.find(item.lineIndex);
            unit.resource = owner == owners.end() ? std::string() : owner->second;
            unit.itemType = std::string(itemTypeDisplayName(item.itemType));
            unit.ident = rows.displayText(row, TextTableColumns::IdColumn);
            std::string id = unit.itemType + "/" + (unit.resource.empty() ? "" : unit.resource + "/") + unit.ident;
            for (char& c : id)
                if (c == ' ')
                    c = '_';
            const auto counted = seen.find(id);
            const bool first = counted == seen.end();
            if (first)
                unit.id = std::move(id);
            else
                unit.id = id + "#" + std::to_string(++counted->second);
            unit.source = toPlatformForm(rows.displayText(row, TextTableColumns::SourceColumn));
            if (language) {
                unit.target = toPlatformForm(rows.displayText(row, column));
                unit.needsReview = item.isModified(*language);
            }
            if (unit.needsReview && forFile) {
                const std::string old = doc.database().texts().sourceTextOld(item.lineIndex);
                unit.previousSource = toPlatformForm(decodeToUtf8(old, doc.codePage()).value_or(old));
            }
            unit.maxWidth = controlWidth(widths, item);
            unit.lineIndex = item.lineIndex;
            if (first)
                seen.emplace(unit.id, 1);
        }
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        return {};
    }
    return units;
}

} // namespace

std::vector<ExchangeUnit> exchangeUnits(CQuillDoc& doc, LanguageId language)
{
    return rowUnits(doc, language);
}

ExchangeDocument exchangeDocument(CQuillDoc& doc, std::optional<LanguageId> language)
{
    ExchangeDocument document;
    document.header.sourceLanguage = sourceLanguageTag(doc);
    document.header.original = doc.scriptPath().filename().string();
    if (language) {
        document.header.targetLanguage = languageTag(*language);
        document.units = exchangeUnits(doc, *language);
        return document;
    }
    // A template: the sources alone, whether or not a translation exists yet.
    document.header.isTemplate = true;
    document.units = rowUnits(doc, std::nullopt);
    return document;
}

std::optional<ExchangeFormat> exchangeFormatOf(const std::filesystem::path& path)
{
    switch (importKindOf(path)) {
    case ImportKind::Xliff: return ExchangeFormat::Xliff;
    case ImportKind::Po: return ExchangeFormat::Po;
    default: return std::nullopt;
    }
}

bool writeExchangeFile(const std::filesystem::path& path, ExchangeFormat format, const ExchangeDocument& document,
                       std::string& problem, std::vector<LeftOutUnit>* leftOut)
{
    // Written block by block into the temporary file as it is made; the file takes the name
    // only when all of it was written.
    ReplacementFile file(path);
    if (!file.create()) {
        problem = file.errorDetail();
        return false;
    }
    TextOutput out([&file](std::string_view block) { return file.write(block); });
    const bool written = format == ExchangeFormat::Xliff ? writeXliff(document, out, leftOut)
                                                         : writePo(document, utcNow(), out, leftOut);
    if (!written || !file.commit()) {
        problem = file.errorDetail();
        return false;
    }
    return true;
}

std::optional<ExchangeDocument> readExchangeFile(const std::filesystem::path& path, ExchangeFormat format,
                                                 std::string& problem)
{
    std::optional<std::string> bytes = readInputFile(path, problem);
    if (!bytes)
        return std::nullopt;
    return format == ExchangeFormat::Xliff ? readXliff(std::move(*bytes), problem) : readPo(*bytes, problem);
}

ExchangeImportResult importExchangeUnits(CQuillDoc& doc, LanguageId language, const std::vector<ExchangeUnit>& units,
                                         const ImportChoices& choices)
{
    ExchangeImportResult result;
    std::unordered_map<int, SentText> sent;
    try {
        if (doc.database().exports().knows(choices.exportId, language))
            sent = doc.database().exports().sent(choices.exportId);
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        return result;
    }
    const std::vector<ExchangeUnit> projectUnits = rowUnits(doc, language, false);
    const int codePage = doc.translationCodePage(language);
    struct Store {
        int lineIndex;
        std::string bytes;
        bool flagged;
        bool imported = true;  // false: the project's own text flagged for a conflict
    };
    std::vector<Store> stores;
    std::vector<Store> keptStores;  // what an overwrite would store over the kept translations
    // A unit without an id of the project translates each text its location or source reaches.
    for (const PlacedUnit& placed : placeUnits(doc.database(), projectUnits, units)) {
        // A unit placed by its id speaks for its text as it is; others are copied to do so.
        std::optional<ExchangeUnit> speaking;
        const ExchangeUnit& unit = placed.byId && !placed.fromPeer ? *placed.file : speaking.emplace(placed.unit());
        std::string reason = placed.reason;
        const ExchangeUnit* project = placed.project;
        if (project && unit.target.empty())
            continue;  // not translated there
        if (project)
            reason = refusal(unit, *project);
        if (!reason.empty()) {
            result.refused.push_back({unit.id.empty() ? unit.source : unit.id, reason});
            continue;
        }
        const auto sentText = sent.find(project->lineIndex);
        const UnitVerdict verdict = judgeUnit(unit, *project, sentText == sent.end() ? nullptr : &sentText->second);
        if (verdict == UnitVerdict::Same) {
            ++result.unchanged;
            continue;
        }
        if (verdict == UnitVerdict::UnchangedOnPlatform) {
            ++result.unchangedOnPlatform;
            continue;
        }
        // Made only for the units listed: a stored unit needs no copy of both its texts.
        auto disagreement = [&] {
            return ImportDisagreement{project->lineIndex, unit.id,     project->ident,
                                      project->target,    unit.target, unit.needsReview};
        };
        if (verdict == UnitVerdict::Conflict) {
            // The newer work here stays, flagged so that somebody looks at both.
            result.conflicts.push_back(disagreement());
            if (!project->needsReview)
                if (const PreparedTranslation ours = prepareTranslation(project->target, codePage); ours.ok)
                    stores.push_back({project->lineIndex, ours.bytes, true, false});
            continue;
        }
        const PreparedTranslation bytes = prepareTranslation(unit.target, codePage);
        if (!bytes.ok) {
            std::string characters;
            for (const std::string& c : bytes.unrepresentable)
                characters += (characters.empty() ? "" : " ") + c;
            result.refused.push_back({unit.id, "the translation's code page cannot hold " + characters});
            continue;
        }
        if (verdict == UnitVerdict::Existing && choices.overwrite) {
            // Replaced as asked: no list of what a whole file replaces is held beside it.
            stores.push_back({project->lineIndex, bytes.bytes, unit.needsReview});
            ++result.replaced;
            continue;
        }
        if (verdict == UnitVerdict::Existing) {
            result.kept.push_back(disagreement());
            keptStores.push_back({project->lineIndex, bytes.bytes, unit.needsReview});
            continue;
        }
        stores.push_back({project->lineIndex, bytes.bytes, unit.needsReview});
    }
    if (!result.kept.empty() &&
        doc.feedback().askText(fillPlaceholders(txt::ImportReplaceExisting, {std::to_string(result.kept.size())}),
                               false)) {
        stores.insert(stores.end(), keptStores.begin(), keptStores.end());
        result.replaced = static_cast<int>(result.kept.size());
        result.kept.clear();
    }
    for (const ImportDisagreement& conflict : result.conflicts)
        result.refused.push_back({conflict.id, fillPlaceholders(txt::ImportConflict, {conflict.ours, conflict.theirs})});
    for (const ImportDisagreement& kept : result.kept)
        result.refused.push_back({kept.id, fillPlaceholders(txt::ImportKeptExisting, {kept.ours, kept.theirs})});
    CQuillDoc::LongOperation operation(doc);
    if (!operation.acquired())
        return result;
    try {
        // Every translation accepted is stored, or none: the first that cannot be (its cause
        // reported by the store) rolls back the others.
        std::unique_ptr<Transaction> bulk = doc.database().beginBulk();
        int imported = 0;
        for (const Store& store : stores) {
            if (!doc.storeTranslation(operation, store.lineIndex, language, store.bytes, store.flagged).done()) {
                bulk.reset();
                doc.feedback().messageText(fillPlaceholders(txt::ImportStoresFailed, {std::to_string(stores.size())}),
                                           Icon::Stop);
                doc.translationsImported(operation, false);
                return result;
            }
            if (store.imported)
                ++imported;
        }
        bulk->commit();
        result.imported = imported;
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        doc.translationsImported(operation, false);  // the rows show what the database holds
        return result;
    }
    result.ok = true;
    return result;
}

bool languageTagsMatch(std::string_view fileTag, std::string_view projectTag)
{
    const std::string file = normalisedTag(fileTag);
    const std::string project = normalisedTag(projectTag);
    if (file == project)
        return true;
    const std::vector<std::string> a = subtags(file);
    const std::vector<std::string> b = subtags(project);
    if (a.front() != b.front())
        return false;
    auto scriptOf = [](const std::vector<std::string>& parts) {
        return parts.size() > 1 && parts[1].size() == 4 ? parts[1] : std::string();
    };
    const std::string scriptA = scriptOf(a), scriptB = scriptOf(b);
    if (!scriptA.empty() && !scriptB.empty() && scriptA != scriptB)
        return false;  // Serbian in Latin letters is not Serbian in Cyrillic
    const std::string regionA = regionOf(a);
    const std::string regionB = regionOf(b);
    return regionA.empty() || regionB.empty() || regionA == regionB;
}

std::string languageMismatch(CQuillDoc& doc, LanguageId language, const ExchangeHeader& header)
{
    const std::string target = languageTag(language);
    if (!header.targetLanguage.empty() && !languageTagsMatch(header.targetLanguage, target))
        return fillPlaceholders(txt::ImportWrongTargetLanguage, {header.targetLanguage, CQuillDoc::languageName(language), target});
    const std::optional<std::string> source = knownSourceLanguageTag(doc);
    if (!header.sourceLanguage.empty() && source && !languageTagsMatch(header.sourceLanguage, *source))
        return fillPlaceholders(txt::ImportWrongSourceLanguage, {header.sourceLanguage, *source});
    return {};
}

PlatformImport importPlatformFile(CQuillDoc& doc, LanguageId language, const std::filesystem::path& path,
                                  bool overwrite)
{
    PlatformImport run;
    const std::optional<ExchangeFormat> format = exchangeFormatOf(path);
    if (!format) {
        run.problem = "neither XLIFF nor PO";
        return run;
    }
    std::optional<ExchangeDocument> document = readExchangeFile(path, *format, run.problem);
    if (!document)
        return run;
    try {
        if (const std::string mismatch = languageMismatch(doc, language, document->header); !mismatch.empty()) {
            if (!doc.feedback().askText(fillPlaceholders(txt::ImportLanguageQuestion, {path.string(), mismatch}), false)) {
                run.outcome = OperationResult::InputRefused;
                run.problem = mismatch;
                return run;
            }
        }
    } catch (const DaoException& error) {
        run.problem = error.report();
        return run;
    }
    if (!doc.rows().columns().count() && !doc.reloadRows().done())
        return run;
    run.result = importExchangeUnits(doc, language, document->units, {document->header.exportId, overwrite});
    if (!run.result.ok) {
        run.problem = txt::ImportNothingStored;  // why, the import has reported
        return run;
    }
    run.outcome = OperationResult::Done;
    if (run.result.imported == 0 && run.result.refused.empty() && run.result.unchangedOnPlatform == 0)
        run.problem = document->units.empty() ? txt::ImportNoUnits : txt::ImportNothingNew;
    return run;
}

std::vector<std::string> refusedLines(const ExchangeImportResult& result)
{
    std::vector<std::string> lines;
    for (const RefusedUnit& unit : result.refused)
        lines.push_back(unit.id + ": " + unit.reason);
    return lines;
}

} // namespace qmk
