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
