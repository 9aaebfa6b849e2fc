// The findings of the quality checks over the translation a project window shows, kept in step
// with the project: a store checks again the texts it can change (its dialog or menu), a long
// operation (an import, a Replace All) and a source update check everything once they end.
// The Text Table's marks, the "Checks" list and the bar read them here.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "checks/CheckEngine.h"
#include "project/ProjectObserver.h"

namespace qmk {

class CQuillDoc;

class TranslationFindings : public ProjectObserver {
public:
    explicit TranslationFindings(CQuillDoc& doc);
    ~TranslationFindings() override;
    TranslationFindings(const TranslationFindings&) = delete;
    TranslationFindings& operator=(const TranslationFindings&) = delete;

    // The translation to check (none: nothing is checked); runs every check over it.
    void setLanguage(std::optional<LanguageId> language);
    std::optional<LanguageId> language() const { return language_; }
    // Where the term check finds the glossary's terms of a language (none: no term check).
    using GlossaryTerms = std::function<std::shared_ptr<const TermIndex>(LanguageId)>;
    void setGlossary(GlossaryTerms terms) { glossary_ = std::move(terms); }
    // Called after every change of the findings.
    void setListener(std::function<void()> changed) { changed_ = std::move(changed); }

    // In script order.
    const std::vector<CheckFinding>& all() const { return findings_; }
    // The findings of one text (none: an empty span).
    std::span<const CheckFinding> of(int lineIndex) const;
    // A database failure of the last run (the findings are then empty).
    bool failed() const { return failed_; }

    // From now on every check over all texts runs in slices that the owner drives through
    // pendingRun() (the window, whose first check of a big project must not hold it up). Until a
    // run ends the findings are those before it; texts stored meanwhile are checked again when
    // it ends, so the run cannot bring back what they held.
    void setSliced(bool sliced) { sliced_ = sliced; }
    // The run to step while one is pending; null otherwise. Its last step hands over its findings.
    SlicedJob* pendingRun();
    // Gives the pending run up: no findings until the next run.
    void cancelRun();
    // Told when a sliced run starts.
    void setRunStarted(std::function<void()> started) { runStarted_ = std::move(started); }

    void translationStored(int lineIndex, LanguageId language) override;
    void itemExcluded(int lineIndex, bool excluded) override;
    void translationsChanged() override;
    void tableReset() override;
    void sourceUpdated() override;
    void checksChanged() override;
    void busyChanged(bool busy) override;

private:
    class SlicedRun;
    void runAll();
    void finishRun(std::vector<CheckFinding> findings);
    void runAround(int lineIndex);
    void index();
    std::unique_ptr<TranslationChecks> makeChecks(LanguageId language);

    CQuillDoc& doc_;
    std::optional<LanguageId> language_;
    std::unique_ptr<TranslationChecks> checks_;
    std::vector<CheckFinding> findings_;
    std::unordered_map<int, std::pair<std::size_t, std::size_t>> byLine_;  // first finding, count
    std::function<void()> changed_;
    bool stale_ = false;  // changed while the document was busy: checked again when it ends
    bool failed_ = false;
    bool sliced_ = false;
    std::unique_ptr<SlicedRun> run_;
    std::unique_ptr<SlicedRun> ended_;  // the run that just handed over, freed on the next call
    std::vector<int> storedDuringRun_;
    std::function<void()> runStarted_;
    GlossaryTerms glossary_;
};

} // namespace qmk
