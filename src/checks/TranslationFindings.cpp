// Findings kept in step with the project.
#include "checks/TranslationFindings.h"

#include <algorithm>

#include "database/DaoException.h"
#include "project/CQuillDoc.h"

namespace qmk {

// A run over every text, handing its findings over at its end. It waits while the document is
// busy: a long operation changes what it reads, and checks everything again when it ends.
class TranslationFindings::SlicedRun : public SlicedJob {
public:
    SlicedRun(TranslationFindings& owner, TranslationChecks& checks) : owner_(owner), run_(checks) {}
    JobProgress step(Budget budget) override
    {
        if (owner_.doc_.isBusy())
            return {false, 0, 0, true};
        JobProgress progress;
        try {
            progress = run_.step(budget);
        } catch (const DaoException&) {
            owner_.failed_ = true;
            progress.done = true;
        }
        if (progress.done)
            owner_.finishRun(owner_.failed_ ? std::vector<CheckFinding>{} : run_.takeFindings());  // deletes this
        return progress;
    }

private:
    TranslationFindings& owner_;
    TranslationChecks::Run run_;
};

TranslationFindings::TranslationFindings(CQuillDoc& doc) : doc_(doc)
{
    doc_.addObserver(this);
}

TranslationFindings::~TranslationFindings()
{
    doc_.removeObserver(this);
}

SlicedJob* TranslationFindings::pendingRun()
{
    ended_.reset();
    return run_.get();
}

void TranslationFindings::cancelRun()
{
    ended_.reset();
    run_.reset();
    storedDuringRun_.clear();
}

void TranslationFindings::finishRun(std::vector<CheckFinding> findings)
{
    // The run is still in its step: it is deleted later, not under itself.
    ended_ = std::move(run_);
    findings_ = std::move(findings);
    index();
    const std::vector<int> stored = std::exchange(storedDuringRun_, {});
    for (int lineIndex : stored)
        runAround(lineIndex);
}

std::unique_ptr<TranslationChecks> TranslationFindings::makeChecks(LanguageId language)
{
    auto checks = std::make_unique<TranslationChecks>(doc_, language);
    // The window lists findings by item: reading a large script again for their places would
    // cost as much memory as the project's rows.
    checks->leaveOutPlaces();
    if (glossary_)
        checks->useGlossary(glossary_(language));
    return checks;
}

void TranslationFindings::setLanguage(std::optional<LanguageId> language)
{
    if (language == language_ && checks_)
        return;
    language_ = language;
    cancelRun();  // it reads the checks replaced here
    checks_ = language ? makeChecks(*language) : nullptr;
    runAll();
}

std::span<const CheckFinding> TranslationFindings::of(int lineIndex) const
{
    const auto at = byLine_.find(lineIndex);
    if (at == byLine_.end())
        return {};
    return std::span<const CheckFinding>(findings_).subspan(at->second.first, at->second.second);
}

void TranslationFindings::runAll()
{
    cancelRun();
    findings_.clear();
    failed_ = false;
    stale_ = false;
    if (checks_ && sliced_) {
        index();  // the old findings go at once: they belong to another language or state
        run_ = std::make_unique<SlicedRun>(*this, *checks_);
        if (runStarted_)
            runStarted_();
        return;
    }
    if (checks_) {
        try {
            checks_->forgetLocations();
            findings_ = checks_->run();
        } catch (const DaoException&) {
            failed_ = true;
        }
    }
    index();
}

void TranslationFindings::runAround(int lineIndex)
{
    if (!checks_)
        return;
    if (run_)
        storedDuringRun_.push_back(lineIndex);
    if (doc_.isBusy()) {
        stale_ = true;
        return;
    }
    try {
        const std::vector<int> lines = checks_->linesAround({lineIndex});
        std::vector<CheckFinding> fresh = checks_->run(lines);
        std::erase_if(findings_, [&lines](const CheckFinding& f) {
            return std::binary_search(lines.begin(), lines.end(), f.lineIndex);
        });
        // Kept in script order: lines are numbered in it, and a text's findings keep theirs.
        findings_.insert(findings_.end(), std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const CheckFinding& a, const CheckFinding& b) { return a.lineIndex < b.lineIndex; });
    } catch (const DaoException&) {
        failed_ = true;
        findings_.clear();
    }
    index();
}

void TranslationFindings::index()
{
    byLine_.clear();
    for (std::size_t i = 0; i < findings_.size(); ++i) {
        auto [at, isNew] = byLine_.try_emplace(findings_[i].lineIndex, i, 0);
        ++at->second.second;
        (void)isNew;
    }
    if (changed_)
        changed_();
}

void TranslationFindings::translationStored(int lineIndex, LanguageId language)
{
    if (language == language_)
        runAround(lineIndex);
}

void TranslationFindings::itemExcluded(int lineIndex, bool)
{
    runAround(lineIndex);
}

void TranslationFindings::translationsChanged()
{
    // A deleted translation is checked no more; the window chooses the next one.
    if (language_ && !doc_.hasTranslation(*language_))
        setLanguage(std::nullopt);
}

void TranslationFindings::tableReset()
{
    if (doc_.isBusy())
        stale_ = true;
    else
        runAll();
}

void TranslationFindings::sourceUpdated()
{
    if (doc_.isBusy())
        stale_ = true;
    else
        runAll();
}

void TranslationFindings::checksChanged()
{
    // The checks read which findings stand and which checks are on when they are made.
    cancelRun();
    if (language_)
        checks_ = makeChecks(*language_);
    runAll();
}

void TranslationFindings::busyChanged(bool busy)
{
    if (!busy && stale_)
        runAll();
}

} // namespace qmk
