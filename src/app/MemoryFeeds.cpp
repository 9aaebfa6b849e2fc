#include "app/MemoryFeeds.h"

#include "memory/SqliteMemory.h"

namespace qmk {
namespace {

// The feed's own connection: the embedded store's with a small cache, a server's as any.
std::unique_ptr<TranslationMemory> openMemoryForAdding(const std::string& location)
{
    if (isServerLocation(location))
        return openTranslationMemory(location);
    return std::make_unique<SqliteMemory>(location.empty() ? defaultMemoryFile() : std::filesystem::path(location),
                                          SqliteMemory::Use::Adding);
}

} // namespace

TranslationMemory* MemoryFeeds::memory()
{
    if (!settings_.enabled)
        return nullptr;
    if (!tried_) {
        tried_ = true;
        try {
            memory_ = openTranslationMemory(settings_.location);
        } catch (const MemoryError& error) {
            problem_ = error.what();
        }
    }
    return memory_.get();
}

bool MemoryFeeds::reconfigure(const MemorySettings& settings)
{
    const bool sameMemory = settings.enabled == settings_.enabled && settings.location == settings_.location;
    settings_ = settings;
    if (sameMemory)
        return false;
    feeders_.clear();
    memory_.reset();
    tried_ = false;
    problem_.clear();
    return true;
}

void MemoryFeeds::attach(CQuillDoc& doc, MemoryFeeder::ProjectFeed feed)
{
    TranslationMemory* open = memory();
    if (!open || feeders_.count(&doc))
        return;
    // A feed in slices writes through a connection of its own on a thread of its own.
    MemoryWriter::Open writer;
    if (feed == MemoryFeeder::ProjectFeed::Sliced)
        writer = [location = settings_.location] { return openMemoryForAdding(location); };
    feeders_[&doc] = std::make_unique<MemoryFeeder>(doc, *open, feed, std::move(writer));
    if (!feeders_[&doc]->problem().empty())
        problem_ = feeders_[&doc]->problem();
}

MemoryFeeder* MemoryFeeds::feeder(CQuillDoc& doc)
{
    const auto found = feeders_.find(&doc);
    return found == feeders_.end() ? nullptr : found->second.get();
}

void MemoryFeeds::detach(CQuillDoc& doc)
{
    feeders_.erase(&doc);
}

} // namespace qmk
