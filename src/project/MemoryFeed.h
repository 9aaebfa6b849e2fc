// Filling the translation memory from a project: every translation the project holds (once per
// change of them, so that opening a project again costs one fingerprint), and, through an
// observer of the document, every translation stored from then on. Excluded texts never go in.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "memory/MemoryWriter.h"
#include "memory/TranslationMemory.h"
#include "project/ProjectObserver.h"
#include "project/SlicedJob.h"

namespace qmk {

class CQuillDoc;

// The project's translated texts (of one language, or of all) as memory units: the texts the
// Text Table shows in the form the XLIFF export writes, with the project's script, the item
// type and Id, and the review flag. Version block headers are codes, not text: left out.
std::vector<MemoryUnit> projectMemoryUnits(CQuillDoc& doc, std::optional<LanguageId> language);

struct MemoryFeedResult {
    bool ok = false;
    std::int64_t added = 0;
    bool unchanged = false;  // the memory holds them since the last time already
    std::string problem;
};
// Adds the project's translations unless the memory has them from the last time (`always`:
// adds them anyway). The memory's failure is returned, never thrown.
MemoryFeedResult addProjectToMemory(CQuillDoc& doc, TranslationMemory& memory, std::optional<LanguageId> language,
                                    bool always = false);

// The same in slices: a first pass over the rows takes the units' fingerprint (keeping none of
// them), and when the memory lacks them, a second pass adds them a few hundred at a time. Rows
// that change meanwhile are fed by the document's observer; adding a unit twice adds nothing.
// With a writer the units made in each slice are written on the writer's thread.
class ProjectMemoryFeed : public SlicedJob {
public:
    ProjectMemoryFeed(CQuillDoc& doc, TranslationMemory& memory, std::optional<LanguageId> language,
                      bool always = false, std::unique_ptr<MemoryWriter> writer = nullptr);
    ~ProjectMemoryFeed() override;
    JobProgress step(Budget budget) override;
    // Complete once step() said done.
    const MemoryFeedResult& result() const { return result_; }

private:
    struct Pass;
    enum class Stage { Fingerprint, Add, Written, Done };
    void startPass();
    // The next unit of the pass; false at its end.
    bool nextUnit(MemoryUnit& unit);
    bool fingerprintSome(const SliceDeadline& deadline);
    bool addSome(const SliceDeadline& deadline);
    bool handSome(const SliceDeadline& deadline);
    void finish();
    JobProgress progress() const;

    CQuillDoc& doc_;
    TranslationMemory& memory_;
    std::optional<LanguageId> language_;
    bool always_;
    Stage stage_ = Stage::Fingerprint;
    std::unique_ptr<Pass> pass_;
    std::string stamp_;
    std::size_t chunk_ = 64;  // units added in one transaction, grown to fill a slice
    std::unique_ptr<MemoryWriter> writer_;
    std::vector<MemoryUnit> batch_;  // made for the writer, not yet taken
    bool waiting_ = false;
    MemoryFeedResult result_;
};

// Listens to a document and adds each stored translation (an edit, an undo, an import's unit)
// to the memory; after imports that wrote past the document, what the project holds. What a
// step of many changes or a long operation stores goes in at its end, in one transaction.
class MemoryFeeder : public ProjectObserver {
public:
    enum class ProjectFeed { AtOnce, Sliced };
    // Registers with the document; the project's translations are added at once, or (Sliced)
    // by a feed that its owner runs through projectFeed(), written through a connection of its
    // own on a thread of its own where `openWriter` is given.
    MemoryFeeder(CQuillDoc& doc, TranslationMemory& memory, ProjectFeed feed = ProjectFeed::AtOnce,
                 MemoryWriter::Open openWriter = {});
    ~MemoryFeeder() override;
    MemoryFeeder(const MemoryFeeder&) = delete;
    MemoryFeeder& operator=(const MemoryFeeder&) = delete;

    void translationStored(int lineIndex, LanguageId language) override;
    void translationsChanged() override;
    void sourceUpdated() override;
    void editStepEnded() override;
    void busyChanged(bool busy) override;

    // The memory's last failure (a server gone away); editing goes on without it. Empty when
    // every addition succeeded.
    const std::string& problem() const { return problem_; }

    // The project's feed while it runs (Sliced); null when none is left to run.
    SlicedJob* projectFeed() { return projectFeed_.get(); }
    // Called after step() of the feed said done, or to give it up (the memory then has what it
    // added so far and is fed whole the next time the project opens).
    void projectFeedEnded();
    // Told when a new project feed starts (translations added or deleted, a source update).
    void setFeedStarted(std::function<void()> started) { feedStarted_ = std::move(started); }

private:
    void addProject();
    void add(const std::vector<MemoryUnit>& units);
    void flush();

    CQuillDoc& doc_;
    TranslationMemory& memory_;
    std::string problem_;
    std::vector<MemoryUnit> pending_;  // stored during a step or a long operation
    ProjectFeed feed_;
    MemoryWriter::Open openWriter_;
    std::unique_ptr<ProjectMemoryFeed> projectFeed_;
    std::function<void()> feedStarted_;
};

} // namespace qmk
