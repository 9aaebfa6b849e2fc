// The commands of the quality checks: a pseudo-translation to test a layout, and a finding's
// item brought to the translator.
#pragma once

namespace qmk {

class CommandContext;

void pseudoTranslate(CommandContext& ctx);
// A finding's item chosen in the project in front, its window forward, the caret in the
// Translation box.
void goToFinding(CommandContext& ctx, int lineIndex);

} // namespace qmk
