// Findings kept in step with the project.
#include "checks/TranslationFindings.h"

#include <algorithm>

#include "database/DaoException.h"
#include "project/CQuillDoc.h"

namespace qmk {

TranslationFindings::TranslationFindings(CQuillDoc& doc) : doc_(doc)
{
    doc_.addObserver(this);
}

TranslationFindings::~TranslationFindings()
{
    doc_.removeObserver(this);
}

void TranslationFindings::setLanguage(std::optional<LanguageId> language)
{
    if (language == language_ && checks_)
        return;
    language_ = language;
    checks_ = language ? std::make_unique<TranslationChecks>(doc_, *language) : nullptr;
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
    findings_.clear();
    failed_ = false;
    stale_ = false;
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
    if (language_)
        checks_ = std::make_unique<TranslationChecks>(doc_, *language_);
    runAll();
}

void TranslationFindings::busyChanged(bool busy)
{
    if (!busy && stale_)
        runAll();
}

} // namespace qmk
