// The window's translation memory: opened once, as the settings say, on the first project, and
// one feeder per open project, so that every translation stored there also goes into it.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "app/Settings.h"
#include "memory/TranslationMemory.h"
#include "project/MemoryFeed.h"

namespace qmk {

class CQuillDoc;

class MemoryFeeds {
public:
    explicit MemoryFeeds(MemorySettings settings) : settings_(std::move(settings)) {}

    // Feeds the memory from the project (what it holds now, then what is stored); nothing when
    // the memory is switched off or cannot be opened (problem() says why).
    void attach(CQuillDoc& doc, MemoryFeeder::ProjectFeed feed = MemoryFeeder::ProjectFeed::AtOnce);
    // The project's feeder; null when it is not fed.
    MemoryFeeder* feeder(CQuillDoc& doc);
    // Before the project closes.
    void detach(CQuillDoc& doc);
    // Before the projects go all at once.
    void detachAll() { feeders_.clear(); }
    // Takes new settings. When the memory changes (another place, switched on or off), every
    // project is detached and the memory closed: attach the open projects again. False when
    // nothing but the minimum score changed.
    bool reconfigure(const MemorySettings& settings);
    const MemorySettings& settings() const { return settings_; }
    // The memory, or null when it is off or cannot be opened.
    TranslationMemory* memory();
    const std::string& problem() const { return problem_; }
    // Where the memory is, and whether it is a server (whose lookups may be slow).
    const std::string& location() const { return settings_.location; }
    bool shared() const { return settings_.enabled && isServerLocation(settings_.location); }

private:
    MemorySettings settings_;
    std::unique_ptr<TranslationMemory> memory_;
    bool tried_ = false;
    std::string problem_;
    std::map<CQuillDoc*, std::unique_ptr<MemoryFeeder>> feeders_;
};

} // namespace qmk
