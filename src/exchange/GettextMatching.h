// Where the units of an XLIFF or PO file go in the project. A unit that carries an id Quillmark
// wrote goes to that text. A unit of translate-toolkit's rc2po goes to the place its location
// names (see PeerLocations.h). Any other unit translates, as a gettext catalogue means it to,
// every text of the project with its source; so does a located unit whose place is ambiguous.
// Sources are compared as the resource compiler reads them: a backslash before the line's end
// joins the lines, escapes and doubled quotes stand for their characters.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "exchange/ExchangeDocument.h"
#include "exchange/PeerLocations.h"
#include "exchange/ProjectTextList.h"

namespace qmk {

class CProjectDatabase;

// The text the resource compiler makes of a string in the platform form (escapes other than
// line breaks and tabs still written out); `doubledQuotes` when "" stands for one quote, as
// in the text of a script's string.
std::string compiledText(std::string_view text, bool doubledQuotes);

// Where one unit of a file goes: the texts it translates, or the reason it goes nowhere.
struct UnitPlacement {
    std::vector<const ProjectText*> texts;
    bool byId = false;          // by an id Quillmark wrote: the source is checked apart
    bool fromPeer = false;      // a unit of rc2po: its translation is as it reads scripts
    bool bySourceOnly = false;  // by its source alone: settled once every unit was placed
    std::string reason;
};

// Places a file's units one at a time, as they are read. A text that a unit names by its id or
// location is left to that unit; of units placed by source alone, the first to reach a text
// translates it, which settle() decides once every unit of the file was placed.
class UnitPlacer {
public:
    UnitPlacer(CProjectDatabase& db, const ProjectTextList& project);
    ~UnitPlacer();
    UnitPlacer(const UnitPlacer&) = delete;
    UnitPlacer& operator=(const UnitPlacer&) = delete;

    // The texts the unit names by its id or location, or reaches by its source (an untranslated
    // unit with the texts it would reach).
    UnitPlacement place(const ExchangeUnit& unit);
    // A unit placed by source alone, after every unit was placed, the units in the file's order
    // (each kept until the last is settled): the texts other units name, and those an earlier
    // unit reached, are taken from it.
    void settle(const ExchangeUnit& unit, UnitPlacement& placement);

private:
    struct Indexes;
    UnitPlacement locate(const ExchangeUnit& unit);
    const ProjectText* withId(std::string_view id) const;
    void indexTexts();
    std::vector<const ProjectText*> textsWithSource(const std::string& source) const;
    std::vector<const ProjectText*> resolve(const PeerLocation& place);
    std::string menuPath(const std::string& menu, int lineIndex);

    CProjectDatabase& db_;
    const ProjectTextList& project_;
    std::vector<const ProjectText*> byId_;  // the first text of each id, in id order
    std::vector<bool> named_;               // by text: a unit names it by its id or location
    std::unordered_map<int, const std::string*> reached_;  // by line: the translation of the first unit
    std::unique_ptr<Indexes> indexes_;
};

// The unit's translation as it speaks for the texts it was placed at: one of rc2po's in the
// platform form.
std::string placedTranslation(const ExchangeUnit& unit, const UnitPlacement& placement);

} // namespace qmk
