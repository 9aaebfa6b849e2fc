#include "app/MemoryFeeds.h"

namespace qmk {

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

void MemoryFeeds::attach(CQuillDoc& doc)
{
    TranslationMemory* open = memory();
    if (!open || feeders_.count(&doc))
        return;
    feeders_[&doc] = std::make_unique<MemoryFeeder>(doc, *open);
    if (!feeders_[&doc]->problem().empty())
        problem_ = feeders_[&doc]->problem();
}

void MemoryFeeds::detach(CQuillDoc& doc)
{
    feeders_.erase(&doc);
}

} // namespace qmk
