// The edit history's steps.
#include "project/TranslationEdit.h"

namespace qmk {

void EditHistory::record(TranslationEdit edit, const std::string& label)
{
    if (!grouping() || !groupHasStep_) {
        done_.push_back({grouping() ? groupLabel_ : label, {}});
        groupHasStep_ = grouping();
        if (done_.size() > MostSteps)
            done_.erase(done_.begin());
    }
    done_.back().edits.push_back(std::move(edit));
    undone_.clear();
}

void EditHistory::beginGroup(const std::string& label)
{
    if (groupDepth_++ > 0)
        return;
    groupHasStep_ = false;
    groupLabel_ = label;
}

void EditHistory::endGroup()
{
    if (groupDepth_ == 0 || --groupDepth_ > 0)
        return;
    groupHasStep_ = false;
}

void EditHistory::undone()
{
    if (done_.empty())
        return;
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
}

void EditHistory::redone()
{
    if (undone_.empty())
        return;
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
}

void EditHistory::clear()
{
    done_.clear();
    undone_.clear();
    groupHasStep_ = false;
}

} // namespace qmk
