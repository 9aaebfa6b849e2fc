// Filling the translation memory from a project: every translation the project holds (once per
// change of them, so that opening a project again costs one fingerprint), and, through an
// observer of the document, every translation stored from then on. Excluded texts never go in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "memory/TranslationMemory.h"
#include "project/ProjectObserver.h"

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

// Listens to a document and adds each stored translation (an edit, an undo, an import's unit)
// to the memory; after imports that wrote past the document, what the project holds. What a
// step of many changes or a long operation stores goes in at its end, in one transaction.
class MemoryFeeder : public ProjectObserver {
public:
    // Registers with the document; the project's translations are added at once.
    MemoryFeeder(CQuillDoc& doc, TranslationMemory& memory);
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

private:
    void addProject();
    void add(const std::vector<MemoryUnit>& units);
    void flush();

    CQuillDoc& doc_;
    TranslationMemory& memory_;
    std::string problem_;
    std::vector<MemoryUnit> pending_;  // stored during a step or a long operation
};

} // namespace qmk
