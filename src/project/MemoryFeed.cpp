// The project's side of the translation memory: its units, their fingerprint, the observer.
#include "project/MemoryFeed.h"

#include <xxhash.h>

#include <filesystem>

#include "database/DaoException.h"
#include "parser/LanguageTags.h"
#include "project/CQuillDoc.h"
#include "project/ItemTypes.h"
#include "project/SourceLanguageTag.h"
#include "project/TranslationForm.h"
#include "resources/TextValidity.h"

namespace qmk {
namespace {

struct UnitContext {
    std::string sourceLanguage;
    std::string project;
    std::int64_t time = 0;
};

UnitContext contextOf(CQuillDoc& doc)
{
    return {sourceLanguageTag(doc), printableText(doc.scriptPath().filename().string()), memoryNow()};
}

std::optional<MemoryUnit> unitOfRow(CQuillDoc& doc, int row, LanguageId language, const UnitContext& context)
{
    const TextTableRows& rows = doc.rows();
    const int column = rows.columns().columnOfLanguage(language);
    const CObjectData& item = rows.item(row);
    if (column < 0 || item.excluded || item.itemType == ItemType::BlockHeader)
        return std::nullopt;
    MemoryUnit unit;
    unit.source = toPlatformForm(rows.displayText(row, TextTableColumns::SourceColumn));
    unit.target = toPlatformForm(rows.displayText(row, column));
    if (unit.source.empty() || unit.target.empty())
        return std::nullopt;
    unit.sourceLanguage = context.sourceLanguage;
    unit.targetLanguage = languageTag(language);
    unit.project = context.project;
    unit.resourceType = std::string(itemTypeDisplayName(item.itemType));
    unit.resourceId = rows.displayText(row, TextTableColumns::IdColumn);
    unit.time = context.time;
    unit.flagged = item.isModified(language);
    // A text its code page could not decode is shown as its bytes; the memory takes only UTF-8.
    if (!memoryUnitProblem(unit).empty())
        return std::nullopt;
    return unit;
}

// What the memory is told of the project: its database's path and the languages fed.
std::string projectKey(CQuillDoc& doc, std::optional<LanguageId> language)
{
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(doc.databasePath(), ec);
    return path.string() + "|" + (language ? languageTag(*language) : "*");
}

// A fingerprint of the units and their review flags; their times do not count.
std::string fingerprint(const std::vector<MemoryUnit>& units)
{
    XXH3_state_t* state = XXH3_createState();
    XXH3_64bits_reset(state);
    for (const MemoryUnit& unit : units) {
        const std::string key = memoryUnitKey(unit) + (unit.flagged ? "1" : "0");
        XXH3_64bits_update(state, key.data(), key.size());
    }
    const std::uint64_t hash = XXH3_64bits_digest(state);
    XXH3_freeState(state);
    return std::to_string(units.size()) + ":" + std::to_string(hash);
}

} // namespace

std::vector<MemoryUnit> projectMemoryUnits(CQuillDoc& doc, std::optional<LanguageId> language)
{
    std::vector<MemoryUnit> units;
    const UnitContext context = contextOf(doc);
    std::vector<LanguageId> languages;
    if (language)
        languages.push_back(*language);
    else
        languages = doc.rows().columns().translations();
    for (LanguageId each : languages)
        for (int row = 0; row < doc.rows().rowCount(); ++row)
            if (std::optional<MemoryUnit> unit = unitOfRow(doc, row, each, context))
                units.push_back(std::move(*unit));
    return units;
}

MemoryFeedResult addProjectToMemory(CQuillDoc& doc, TranslationMemory& memory, std::optional<LanguageId> language,
                                    bool always)
{
    MemoryFeedResult result;
    try {
        const std::vector<MemoryUnit> units = projectMemoryUnits(doc, language);
        const std::string key = projectKey(doc, language);
        const std::string stamp = fingerprint(units);
        if (!always && memory.projectStamp(key) == stamp) {
            result.ok = true;
            result.unchanged = true;
            return result;
        }
        memory.add(units);
        memory.setProjectStamp(key, stamp);
        result.added = static_cast<std::int64_t>(units.size());
        result.ok = true;
    } catch (const MemoryError& error) {
        result.problem = error.what();
    } catch (const DaoException& error) {
        result.problem = error.report();
    }
    return result;
}

MemoryFeeder::MemoryFeeder(CQuillDoc& doc, TranslationMemory& memory) : doc_(doc), memory_(memory)
{
    doc_.addObserver(this);
    addProject();
}

MemoryFeeder::~MemoryFeeder()
{
    doc_.removeObserver(this);
    flush();
}

void MemoryFeeder::addProject()
{
    pending_.clear();  // the project's units include them
    const MemoryFeedResult result = addProjectToMemory(doc_, memory_, std::nullopt);
    problem_ = result.problem;
}

void MemoryFeeder::add(const std::vector<MemoryUnit>& units)
{
    try {
        memory_.add(units);
        problem_.clear();
    } catch (const MemoryError& error) {
        problem_ = error.what();
    }
}

void MemoryFeeder::flush()
{
    if (pending_.empty() || doc_.isBusy() || doc_.inEditStep())
        return;
    add(pending_);
    pending_.clear();
}

void MemoryFeeder::translationStored(int lineIndex, LanguageId language)
{
    const int row = doc_.rows().rowOfLineIndex(lineIndex);
    if (row < 0)
        return;
    std::optional<MemoryUnit> unit;
    try {
        unit = unitOfRow(doc_, row, language, contextOf(doc_));
    } catch (const DaoException& error) {
        problem_ = error.report();
    }
    if (!unit)
        return;
    pending_.push_back(std::move(*unit));
    flush();
}

void MemoryFeeder::translationsChanged()
{
    addProject();
}

void MemoryFeeder::sourceUpdated()
{
    addProject();
}

void MemoryFeeder::editStepEnded()
{
    flush();
}

void MemoryFeeder::busyChanged(bool busy)
{
    if (!busy)
        flush();
}

} // namespace qmk
