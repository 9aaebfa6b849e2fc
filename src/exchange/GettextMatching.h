// Where the units of an XLIFF or PO file go in the project. A unit that carries an id Quillmark
// wrote goes to that text. A unit of translate-toolkit's rc2po goes to the place its location
// names (see PeerLocations.h). Any other unit translates, as a gettext catalogue means it to,
// every text of the project with its source; so does a located unit whose place is ambiguous.
// Sources are compared as the resource compiler reads them: a backslash before the line's end
// joins the lines, escapes and doubled quotes stand for their characters.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/ExchangeDocument.h"

namespace qmk {

class CProjectDatabase;

// The text the resource compiler makes of a string in the platform form (escapes other than
// line breaks and tabs still written out); `doubledQuotes` when "" stands for one quote, as
// in the text of a script's string.
std::string compiledText(std::string_view text, bool doubledQuotes);

// A file unit with one project text it translates, or with the reason it goes nowhere.
struct PlacedUnit {
    const ExchangeUnit* file = nullptr;
    const ExchangeUnit* project = nullptr;  // null: `reason` says why
    bool byId = false;                      // by an id Quillmark wrote: the source is checked apart
    bool fromPeer = false;                  // a unit of rc2po: its translation is as it reads scripts
    std::string reason;
    // The file's unit as it speaks for the text: one placed by location or source carries the
    // text's id and source, so that reports name the text and the source needs no second check;
    // one of rc2po has its translation in the platform form.
    ExchangeUnit unit() const;
};

// The file's units in order (`project`: the project's units with their distinct ids), each once per text it translates (a unit that reaches no text
// once, with the reason; an untranslated one with the texts it would reach). A text that a unit
// names by its id or location is left to that unit; of units placed by source alone, the first
// to reach a text translates it.
std::vector<PlacedUnit> placeUnits(CProjectDatabase& db, const std::vector<ExchangeUnit>& project,
                                   const std::vector<ExchangeUnit>& units);

} // namespace qmk
