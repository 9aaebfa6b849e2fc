// The glossary's commands: a term selected in the source text added to the glossary.
#pragma once

namespace qmk {

class CommandContext;

// Opens "Add Glossary Term" with the selections of the Translate bar's source and translation
// boxes; Enter stores the term.
void addGlossaryTerm(CommandContext& ctx);

} // namespace qmk
