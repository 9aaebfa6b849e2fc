// A word diff as rich text for the windows: deleted words struck out on red, inserted words
// underlined on green, every text HTML-escaped with its blanks kept; and the same changes in
// words for screen readers, which do not announce the marks.
#pragma once

#include <QString>
#include <vector>

#include "project/WordDiff.h"

namespace qmk {

// Inline HTML (to be placed in a block): the old text with its deletions marked, the new text
// with its insertions marked, or both in one (deletions before insertions) for a tooltip.
QString markedOldText(const std::vector<DiffSegment>& diff);
QString markedNewText(const std::vector<DiffSegment>& diff);
QString markedChanges(const std::vector<DiffSegment>& diff);
// A block that keeps the blanks and line breaks of the inline HTML in it.
QString preservingBlanks(const QString& inlineHtml);

// 'deleted: "file", "old"' or "nothing deleted"; likewise for the insertions.
QString deletionsDescription(const std::vector<DiffSegment>& diff);
QString insertionsDescription(const std::vector<DiffSegment>& diff);

} // namespace qmk
