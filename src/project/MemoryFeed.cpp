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
    unit.target = toPlatformForm(rows.passingDisplayText(row, column));
    if (unit.target.empty())
        return std::nullopt;
    unit.source = toPlatformForm(rows.passingDisplayText(row, TextTableColumns::SourceColumn));
    if (unit.source.empty() || unit.target.empty())
        return std::nullopt;
    unit.sourceLanguage = context.sourceLanguage;
    unit.targetLanguage = languageTag(language);
    unit.project = context.project;
    unit.resourceType = std::string(itemTypeDisplayName(item.itemType));
    unit.resourceId = rows.passingDisplayText(row, TextTableColumns::IdColumn);
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

// A fingerprint of the units and their review flags, taken one unit at a time; their times do
// not count.
class Fingerprint {
public:
    Fingerprint() : state_(XXH3_createState()) { XXH3_64bits_reset(state_); }
    ~Fingerprint() { XXH3_freeState(state_); }
    Fingerprint(const Fingerprint&) = delete;
    Fingerprint& operator=(const Fingerprint&) = delete;
    void add(const MemoryUnit& unit)
    {
        const std::string key = memoryUnitKey(unit) + (unit.flagged ? "1" : "0");
        XXH3_64bits_update(state_, key.data(), key.size());
        ++units_;
    }
    std::string text() const { return std::to_string(units_) + ":" + std::to_string(XXH3_64bits_digest(state_)); }

private:
    XXH3_state_t* state_;
    std::size_t units_ = 0;
};

std::vector<LanguageId> languagesFed(CQuillDoc& doc, std::optional<LanguageId> language)
{
    if (language)
        return {*language};
    return doc.rows().columns().translations();
}

} // namespace

// Where a pass over the rows stands: each language's rows in turn.
struct ProjectMemoryFeed::Pass {
    UnitContext context;
    std::vector<LanguageId> languages;
    std::size_t language = 0;
    int row = 0;
    std::size_t visited = 0;
    Fingerprint fingerprint;
};

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
    ProjectMemoryFeed feed(doc, memory, language, always);
    runToEnd(feed);
    return feed.result();
}

ProjectMemoryFeed::ProjectMemoryFeed(CQuillDoc& doc, TranslationMemory& memory, std::optional<LanguageId> language,
                                     bool always, std::unique_ptr<MemoryWriter> writer)
    : doc_(doc), memory_(memory), language_(language), always_(always), writer_(std::move(writer))
{
    startPass();
}

ProjectMemoryFeed::~ProjectMemoryFeed() = default;

void ProjectMemoryFeed::startPass()
{
    pass_ = std::make_unique<Pass>();
    pass_->context = contextOf(doc_);
    pass_->languages = languagesFed(doc_, language_);
}

bool ProjectMemoryFeed::nextUnit(MemoryUnit& unit)
{
    Pass& pass = *pass_;
    while (pass.language < pass.languages.size()) {
        if (pass.row >= doc_.rows().rowCount()) {
            ++pass.language;
            pass.row = 0;
            continue;
        }
        ++pass.visited;
        if (std::optional<MemoryUnit> found = unitOfRow(doc_, pass.row++, pass.languages[pass.language], pass.context)) {
            unit = std::move(*found);
            return true;
        }
    }
    return false;
}

bool ProjectMemoryFeed::fingerprintSome(const SliceDeadline& deadline)
{
    constexpr int kUnitsBetweenClockReads = 64;
    MemoryUnit unit;
    for (int n = 1;; ++n) {
        if (!nextUnit(unit))
            return true;
        pass_->fingerprint.add(unit);
        if (n % kUnitsBetweenClockReads == 0 && deadline.passed())
            return false;
    }
}

bool ProjectMemoryFeed::addSome(const SliceDeadline& deadline)
{
    std::vector<MemoryUnit> units;
    MemoryUnit unit;
    bool end = false;
    do {
        units.clear();
        while (units.size() < chunk_ && !(end = !nextUnit(unit)))
            units.push_back(std::move(unit));
        const auto begun = std::chrono::steady_clock::now();
        if (!units.empty())
            memory_.add(units);
        // The next transaction takes what fits a quarter of a slice at this speed.
        const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - begun);
        if (units.size() == chunk_ && took < std::chrono::milliseconds(2))
            chunk_ = std::min<std::size_t>(chunk_ * 2, 4096);
        else if (took > std::chrono::milliseconds(5) && chunk_ > 16)
            chunk_ /= 2;
        result_.added += static_cast<std::int64_t>(units.size());
    } while (!end && !deadline.passed());
    return end;
}

bool ProjectMemoryFeed::handSome(const SliceDeadline& deadline)
{
    constexpr std::size_t kBatch = 500;
    MemoryUnit unit;
    bool end = false;
    do {
        if (batch_.empty())
            while (batch_.size() < kBatch && !(end = !nextUnit(unit)))
                batch_.push_back(std::move(unit));
        const std::size_t size = batch_.size();
        if (size > 0 && !writer_->offer(batch_)) {
            waiting_ = true;  // the writer is behind: the batch is offered again later
            return false;
        }
        result_.added += static_cast<std::int64_t>(size);
    } while (!end && !deadline.passed());
    return end;
}

void ProjectMemoryFeed::finish()
{
    stage_ = Stage::Done;
    pass_.reset();
    result_.ok = true;
}

JobProgress ProjectMemoryFeed::step(Budget budget)
{
    const SliceDeadline deadline(budget);
    waiting_ = false;
    try {
        if (stage_ == Stage::Fingerprint && fingerprintSome(deadline)) {
            stamp_ = pass_->fingerprint.text();
            if (!always_ && memory_.projectStamp(projectKey(doc_, language_)) == stamp_) {
                result_.unchanged = true;
                finish();
            } else {
                stage_ = Stage::Add;
                startPass();
            }
        }
        if (stage_ == Stage::Add && writer_ && handSome(deadline)) {
            writer_->stampWhenWritten(projectKey(doc_, language_), stamp_);
            stage_ = Stage::Written;
        } else if (stage_ == Stage::Add && !writer_ && addSome(deadline)) {
            memory_.setProjectStamp(projectKey(doc_, language_), stamp_);
            finish();
        }
        if (stage_ == Stage::Written && writer_->idle()) {
            result_.problem = writer_->problem();
            if (result_.problem.empty())
                finish();
            else
                stage_ = Stage::Done;
        }
    } catch (const MemoryError& error) {
        result_.problem = error.what();
        stage_ = Stage::Done;
        pass_.reset();
    } catch (const DaoException& error) {
        result_.problem = error.report();
        stage_ = Stage::Done;
        pass_.reset();
    }
    return progress();
}

JobProgress ProjectMemoryFeed::progress() const
{
    if (stage_ == Stage::Done)
        return {true, 1, 1};
    // Two passes over every row of every language fed.
    if (stage_ == Stage::Written)
        return {false, 99, 100, true};
    const std::size_t perPass = pass_->languages.size() * static_cast<std::size_t>(doc_.rows().rowCount());
    const std::size_t done = (stage_ == Stage::Add ? perPass : 0) + std::min(pass_->visited, perPass);
    return {false, done, 2 * perPass, waiting_};
}

MemoryFeeder::MemoryFeeder(CQuillDoc& doc, TranslationMemory& memory, ProjectFeed feed, MemoryWriter::Open openWriter)
    : doc_(doc), memory_(memory), feed_(feed), openWriter_(std::move(openWriter))
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
    if (feed_ == ProjectFeed::AtOnce) {
        problem_ = addProjectToMemory(doc_, memory_, std::nullopt).problem;
        return;
    }
    projectFeed_ = std::make_unique<ProjectMemoryFeed>(
        doc_, memory_, std::nullopt, false, openWriter_ ? std::make_unique<MemoryWriter>(openWriter_) : nullptr);
    if (feedStarted_)
        feedStarted_();
}

void MemoryFeeder::projectFeedEnded()
{
    if (projectFeed_ && !projectFeed_->result().problem.empty())
        problem_ = projectFeed_->result().problem;
    projectFeed_.reset();
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
