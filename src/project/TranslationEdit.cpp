// Undoable edits.
#include "project/TranslationEdit.h"

#include "project/CQuillDoc.h"

namespace qmk {

OperationResult TranslationEdit::apply(CQuillDoc& doc) const
{
    if (kind == Kind::Exclude)
        return doc.setExcluded(lineIndex, excludedAfter);
    return doc.storeTranslation(lineIndex, language, textAfter);
}

OperationResult TranslationEdit::revert(CQuillDoc& doc) const
{
    if (kind == Kind::Exclude)
        return doc.setExcluded(lineIndex, excludedBefore);
    return doc.restoreTranslation(lineIndex, language, textBefore, flaggedBefore);
}

OperationResult EditHistory::store(CQuillDoc& doc, int lineIndex, LanguageId language, std::string_view text)
{
    TranslationEdit edit;
    edit.kind = TranslationEdit::Kind::Text;
    edit.lineIndex = lineIndex;
    edit.language = language;
    if (const std::optional<TranslatedText> before = doc.database().texts().translation(lineIndex, language)) {
        edit.textBefore = before->text;
        edit.flaggedBefore = before->modified;
    }
    edit.textAfter = std::string(text);
    return record(doc, std::move(edit));
}

OperationResult EditHistory::exclude(CQuillDoc& doc, int lineIndex, bool excluded)
{
    TranslationEdit edit;
    edit.kind = TranslationEdit::Kind::Exclude;
    edit.lineIndex = lineIndex;
    edit.excludedBefore = doc.database().texts().exclude(lineIndex).value_or(false);
    edit.excludedAfter = excluded;
    return record(doc, std::move(edit));
}

OperationResult EditHistory::record(CQuillDoc& doc, TranslationEdit edit)
{
    const OperationResult result = edit.apply(doc);
    if (result == OperationResult::Done) {
        if (!grouping_ || !groupStarted_)
            done_.emplace_back();
        groupStarted_ = grouping_;
        done_.back().push_back(std::move(edit));
        undone_.clear();
    }
    return result;
}

OperationResult EditHistory::undo(CQuillDoc& doc) { return step(doc, done_, undone_, false); }

OperationResult EditHistory::redo(CQuillDoc& doc) { return step(doc, undone_, done_, true); }

void EditHistory::beginGroup()
{
    grouping_ = true;
    groupStarted_ = false;
}

void EditHistory::endGroup()
{
    grouping_ = false;
    groupStarted_ = false;
}

// Takes the newest step of `from`, reverts its edits (newest first) or applies them, and keeps
// it on `to` when every edit worked.
OperationResult EditHistory::step(CQuillDoc& doc, std::vector<Step>& from, std::vector<Step>& to, bool apply)
{
    if (from.empty())
        return OperationResult::Refused;
    Step& edits = from.back();
    OperationResult result = OperationResult::Done;
    if (apply) {
        for (const TranslationEdit& edit : edits)
            if (result.done())
                result = edit.apply(doc);
    } else {
        for (auto it = edits.rbegin(); it != edits.rend() && result.done(); ++it)
            result = it->revert(doc);
    }
    if (result.done()) {
        to.push_back(std::move(edits));
        from.pop_back();
    }
    return result;
}

void EditHistory::clear()
{
    done_.clear();
    undone_.clear();
}

} // namespace qmk
