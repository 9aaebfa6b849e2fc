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
        done_.push_back(std::move(edit));
        undone_.clear();
    }
    return result;
}

OperationResult EditHistory::undo(CQuillDoc& doc) { return step(doc, done_, undone_, false); }

OperationResult EditHistory::redo(CQuillDoc& doc) { return step(doc, undone_, done_, true); }

// Takes the newest edit of `from`, reverts or applies it, and keeps it on `to` when that worked.
OperationResult EditHistory::step(CQuillDoc& doc, std::vector<TranslationEdit>& from,
                                  std::vector<TranslationEdit>& to, bool apply)
{
    if (from.empty())
        return OperationResult::Refused;
    const OperationResult result = apply ? from.back().apply(doc) : from.back().revert(doc);
    if (result == OperationResult::Done) {
        to.push_back(std::move(from.back()));
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
