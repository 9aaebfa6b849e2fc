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
#include "exchange/ExchangeImport.h"
#include "exchange/ImportSource.h"
#include "exchange/PoFile.h"
#include "exchange/TextOutput.h"
#include "exchange/UnitReader.h"
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

} // namespace

namespace {

// The units of the Text Table's rows with the translation of `language`; without one, the
// sources alone, as a template has them before any translation exists.
std::vector<ExchangeUnit> rowUnits(CQuillDoc& doc, std::optional<LanguageId> language)
{
    std::vector<ExchangeUnit> units;
    const TextTableRows& rows = doc.rows();
    const int column = language ? rows.columns().columnOfLanguage(*language) : -1;
    if (language && column < 0)
        return units;
    try {
        // Read whole, once: a query per row would cost more than everything else the export does.
        const std::unordered_map<int, std::string> owners = doc.database().items().owningResourceIdents();
        const std::unordered_map<int, int> widths = doc.database().items().controlWidths();
        // Each id is counted by the first unit's, which stays where it is (the units are never moved).
        UnitIds ids(static_cast<std::size_t>(rows.rowCount()));
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
            bool first = false;
            unit.id = ids.next(unit.itemType, unit.resource, unit.ident, first);
            unit.source = toPlatformForm(rows.displayText(row, TextTableColumns::SourceColumn));
            if (language) {
                unit.target = toPlatformForm(rows.displayText(row, column));
                unit.needsReview = item.isModified(*language);
            }
            if (unit.needsReview) {
                const std::string old = doc.database().texts().sourceTextOld(item.lineIndex);
                unit.previousSource = toPlatformForm(decodeToUtf8(old, doc.codePage()).value_or(old));
            }
            unit.maxWidth = controlWidth(widths, item);
            unit.lineIndex = item.lineIndex;
            if (first)
                ids.remember(unit.id);
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

bool writeExchangeFile(const std::filesystem::path& path, ExchangeKind format, const ExchangeDocument& document,
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
    const bool written = format == ExchangeKind::Xliff ? writeXliff(document, out, leftOut)
                                                         : writePo(document, utcNow(), out, leftOut);
    if (!written || !file.commit()) {
        problem = file.errorDetail();
        return false;
    }
    return true;
}

std::optional<ExchangeDocument> readExchangeFile(const std::filesystem::path& path, ExchangeKind format,
                                                 std::string& problem)
{
    std::optional<std::string> bytes = readInputFile(path, problem);
    if (!bytes)
        return std::nullopt;
    return format == ExchangeKind::Xliff ? readXliff(std::move(*bytes), problem) : readPo(*bytes, problem);
}

ExchangeImportResult importExchangeUnits(CQuillDoc& doc, LanguageId language, const std::vector<ExchangeUnit>& units,
                                         const ImportChoices& choices)
{
    ExchangeImport import(doc, language, choices);
    if (!import.ready())
        return {};
    for (const ExchangeUnit& unit : units)
        import.add(unit);
    return import.finish();
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
    const ExchangeFormat* format = exchangeFormatOf(path);
    if (!format || !format->read) {
        run.problem = "neither XLIFF nor PO";
        return run;
    }
    // Read a block and a unit at a time, each unit judged as it comes: a large file is never
    // held whole, nor all of its units.
    const std::unique_ptr<UnitReader> reader = openUnitReader(path, format->kind == ExchangeKind::Xliff, run.problem);
    if (!reader)
        return run;
    try {
        if (const std::string mismatch = languageMismatch(doc, language, reader->header()); !mismatch.empty()) {
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
    ExchangeImport import(doc, language, {reader->header().exportId, overwrite});
    if (import.ready() && !reader->readUnits([&import](ExchangeUnit&& unit) { import.add(std::move(unit)); }, run.problem))
        return run;  // the file broke off: nothing stored
    run.result = import.finish();
    if (!run.result.ok) {
        run.problem = txt::ImportNothingStored;  // why, the import has reported
        return run;
    }
    run.outcome = OperationResult::Done;
    if (run.result.imported == 0 && run.result.refused.empty() && run.result.unchangedOnPlatform == 0)
        run.problem = import.unitsAdded() == 0 ? txt::ImportNoUnits : txt::ImportNothingNew;
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
