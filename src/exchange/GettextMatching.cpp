// Placing imported units: by id, by the peer's location, by source.
#include "exchange/GettextMatching.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "database/CProjectDatabase.h"
#include "exchange/PeerLocations.h"
#include "parser/ParserCodes.h"
#include "parser/ScriptKeywords.h"
#include "project/ItemTypes.h"
#include "project/TranslationForm.h"

namespace qmk {
namespace {

int digitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

void appendCodePoint(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Whether an id is one Quillmark writes: an item type with its blanks as underscores, a slash.
bool isQuillmarkId(std::string_view id)
{
    const std::size_t slash = id.find('/');
    if (slash == std::string_view::npos)
        return false;
    for (int type = 1; type <= LastItemType; ++type) {
        std::string name(itemTypeDisplayName(static_cast<ItemType>(type)));
        std::replace(name.begin(), name.end(), ' ', '_');
        if (!name.empty() && id.substr(0, slash) == name)
            return true;
    }
    return false;
}

std::string key(std::string_view a, std::string_view b)
{
    return std::string(a) + '\n' + std::string(b);
}

struct UnitPlacement {
    std::vector<const ExchangeUnit*> texts;
    bool byId = false;
    bool fromPeer = false;
    std::string reason;
};

// A translation as rc2po writes it (as it reads the translated script: doubled quotes kept,
// a backslash for a \\) in the platform form.
std::string fromPeerReading(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"')
            ++i;
        // The peer turns a script's \\ into one backslash and leaves other escapes as written.
        if (text[i] == '\\' && (i + 1 == text.size() || std::string_view("01234567xXabfv\"'").find(text[i + 1]) ==
                                                           std::string_view::npos))
            out += '\\';
        out += text[i];
    }
    return out;
}

// A text as rc2po reads it from the script (the platform form of the project's source): lines
// continued with a backslash joined, then \n, \r, \t and \\ replaced in turn, each
// left to right, and nothing else; "\\n" so becomes a backslash and a line break. Its
// catalogues hold such texts, so a source is also found by them.
std::string peerReading(std::string_view platform)
{
    std::string joined;
    for (std::size_t i = 0; i < platform.size(); ++i) {
        if (platform[i] == '\\' && platform.substr(i + 1, 1) == "\n")
            ++i;
        else if (platform[i] == '\\' && platform.substr(i + 1, 2) == "\r\n")
            i += 2;
        else
            joined += platform[i];
    }
    std::string text = toStoredForm(joined);
    for (const auto& [letter, character] : {std::pair{'n', '\n'}, {'r', '\r'}, {'t', '\t'}, {'\\', '\\'}}) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == letter) {
                out += character;
                ++i;
            } else {
                out += text[i];
            }
        }
        text = std::move(out);
    }
    return text;
}

class Placer {
public:
    Placer(CProjectDatabase& db, const std::vector<ExchangeUnit>& project) : db_(db)
    {
        byId_.reserve(project.size());
        for (const ExchangeUnit& unit : project)
            byId_.emplace(unit.id, &unit);
    }

    std::vector<UnitPlacement> placeAll(const std::vector<ExchangeUnit>& units)
    {
        std::vector<UnitPlacement> placements;
        std::vector<bool> bySourceOnly;
        placements.reserve(units.size());
        bySourceOnly.reserve(units.size());
        bool anyBySourceOnly = false;
        for (const ExchangeUnit& unit : units) {
            bool sourceOnly = false;
            placements.push_back(place(unit, sourceOnly));
            bySourceOnly.push_back(sourceOnly);
            anyBySourceOnly = anyBySourceOnly || sourceOnly;
        }
        if (!anyBySourceOnly)
            return placements;  // a file of Quillmark's ids: every unit names its own text
        std::unordered_set<int> named;  // texts a unit names by id or by location
        for (std::size_t i = 0; i < placements.size(); ++i)
            if (!bySourceOnly[i])
                for (const ExchangeUnit* text : placements[i].texts)
                    named.insert(text->lineIndex);
        // A text named by a unit of its own takes that unit's translation; among units placed by
        // source alone the first to reach a text translates it.
        std::unordered_map<int, const std::string*> reached;
        for (std::size_t i = 0; i < placements.size(); ++i) {
            if (!bySourceOnly[i] || units[i].target.empty())
                continue;
            bool differs = false;
            std::erase_if(placements[i].texts, [&](const ExchangeUnit* text) {
                if (named.count(text->lineIndex))
                    return true;
                const auto [earlier, first] = reached.emplace(text->lineIndex, &units[i].target);
                differs = differs || (!first && *earlier->second != units[i].target);
                return !first;
            });
            if (placements[i].texts.empty() && differs)
                placements[i].reason = "an earlier entry of the file with this source translates its texts otherwise";
        }
        return placements;
    }

private:
    UnitPlacement place(const ExchangeUnit& unit, bool& sourceOnly)
    {
        UnitPlacement placement;
        if (!unit.id.empty()) {
            const auto found = byId_.find(unit.id);
            if (found != byId_.end()) {
                placement.byId = true;
                placement.texts.push_back(found->second);
                return placement;
            }
        }
        indexTexts();
        std::vector<PeerLocation> places = peerLocations(unit.id);
        if (places.empty())
            for (const std::string& reference : unit.references)
                for (PeerLocation& place : peerReferenceLocations(reference))
                    places.push_back(std::move(place));
        if (places.empty() && isQuillmarkId(unit.id)) {
            placement.reason = "no such item in the project";
            return placement;
        }
        bool located = false;
        placement.fromPeer = !places.empty();
        if (!places.empty()) {
            std::vector<const ExchangeUnit*> candidates;
            for (const PeerLocation& place : places)
                for (const ExchangeUnit* text : resolve(place))
                    if (std::find(candidates.begin(), candidates.end(), text) == candidates.end())
                        candidates.push_back(text);
            located = !candidates.empty();
            for (const ExchangeUnit* text : candidates)
                if (sameSource(unit.source, text->source))
                    placement.texts.push_back(text);
            if (!placement.texts.empty())
                return placement;
        }
        // No place, or one whose texts have another source: every text with this source.
        sourceOnly = true;
        placement.texts = textsWithSource(unit.source);
        if (placement.texts.empty())
            placement.reason = located              ? "its source text is no longer the project's"
                               : unit.id.empty()    ? "no context and no text of the project has this source"
                                                    : "no text of the project has this source";
        return placement;
    }

    // The project's texts by source and by place, made when the first unit is not placed by its
    // id: a file that comes back from a platform with Quillmark's ids never needs them.
    void indexTexts()
    {
        if (indexed_)
            return;
        indexed_ = true;
        const std::string caption(itemTypeDisplayName(ItemType::DialogCaption));
        const std::string control(itemTypeDisplayName(ItemType::DialogItem));
        const std::string string(itemTypeDisplayName(ItemType::StringtableString));
        const std::string menuItem(itemTypeDisplayName(ItemType::MenuItem));
        const std::string popup(itemTypeDisplayName(ItemType::PopupMenu));
        // In the order of their ids, so that texts sharing a source or a place are found in
        // one order whatever order the project lists them in.
        std::vector<const ExchangeUnit*> inIdOrder;
        inIdOrder.reserve(byId_.size());
        for (const auto& [id, text] : byId_)
            inIdOrder.push_back(text);
        std::sort(inIdOrder.begin(), inIdOrder.end(), [](const ExchangeUnit* a, const ExchangeUnit* b) { return a->id < b->id; });
        for (const ExchangeUnit* text : inIdOrder) {
            const ExchangeUnit& unit = *text;
            bySource_.emplace(unit.source, &unit);
            byCompiled_.emplace(compiledText(unit.source, false), &unit);
            byPeerReading_.emplace(peerReading(unit.source), &unit);
            byLine_.emplace(unit.lineIndex, &unit);
            if (unit.itemType == string)
                strings_.emplace(unit.ident, &unit);
            else if (unit.itemType == caption)
                captions_.emplace(unit.resource, &unit);
            else if (unit.itemType == control)
                controls_.emplace(key(unit.resource, unit.ident), &unit);
            else if (unit.itemType == menuItem)
                menuItems_.emplace(key(unit.resource, unit.ident), &unit);
            else if (unit.itemType == popup)
                popups_.emplace(unit.resource, &unit);
        }
    }

    static bool sameSource(const std::string& file, const std::string& project)
    {
        if (file == project)
            return true;
        const std::string ours = compiledText(project, false);
        return ours == compiledText(file, true) || ours == file || peerReading(project) == file;
    }

    std::vector<const ExchangeUnit*> textsWithSource(const std::string& source)
    {
        std::vector<const ExchangeUnit*> texts;
        auto add = [&](const std::multimap<std::string, const ExchangeUnit*>& index, const std::string& text) {
            const auto [first, last] = index.equal_range(text);
            for (auto it = first; it != last; ++it)
                if (std::find(texts.begin(), texts.end(), it->second) == texts.end())
                    texts.push_back(it->second);
        };
        add(bySource_, source);
        add(byCompiled_, compiledText(source, true));
        add(byCompiled_, source);
        add(byPeerReading_, source);
        // In the Text Table's order.
        std::sort(texts.begin(), texts.end(), [](const ExchangeUnit* a, const ExchangeUnit* b) {
            return a->lineIndex < b->lineIndex;
        });
        return texts;
    }

    static std::vector<const ExchangeUnit*> all(const std::multimap<std::string, const ExchangeUnit*>& index,
                                                const std::string& k)
    {
        std::vector<const ExchangeUnit*> found;
        const auto [first, last] = index.equal_range(k);
        for (auto it = first; it != last; ++it)
            found.push_back(it->second);
        return found;
    }

    // Keeps the texts the test holds for, unless it holds for none.
    template <typename Test>
    static std::vector<const ExchangeUnit*> narrowed(std::vector<const ExchangeUnit*> texts, Test test)
    {
        std::vector<const ExchangeUnit*> kept;
        for (const ExchangeUnit* text : texts)
            if (test(*text))
                kept.push_back(text);
        return kept.empty() ? texts : kept;
    }

    std::vector<const ExchangeUnit*> resolve(const PeerLocation& place)
    {
        switch (place.place) {
        case PeerPlace::String: return all(strings_, place.ident);
        case PeerPlace::DialogCaption: return all(captions_, place.resource);
        case PeerPlace::Control: {
            std::vector<const ExchangeUnit*> texts = all(controls_, key(place.resource, place.ident));
            const int kind = ScriptKeywords::code(place.keyword);
            if (texts.size() > 1 && kind != 0)
                texts = narrowed(texts, [&](const ExchangeUnit& text) {
                    const std::optional<ControlRow> row = db_.items().control(text.lineIndex);
                    return row && row->type == kind;
                });
            return texts;
        }
        case PeerPlace::MenuItem: {
            std::vector<const ExchangeUnit*> texts = all(menuItems_, key(place.resource, place.ident));
            if (texts.size() > 1)
                texts = narrowed(texts, [&](const ExchangeUnit& text) {
                    return menuPath(place.resource, text.lineIndex) == place.popupPath;
                });
            return texts;
        }
        case PeerPlace::Popup:
            return narrowed(all(popups_, place.resource), [&](const ExchangeUnit& text) {
                return menuPath(place.resource, text.lineIndex) == place.popupPath;
            });
        }
        return {};
    }

    // The popups around a popup or menu item as the peer names them: the captions as the script
    // writes them, blanks as underscores, joined by dots; an item's own popup left out.
    std::string menuPath(const std::string& menu, int lineIndex)
    {
        auto paths = paths_.find(menu);
        if (paths == paths_.end()) {
            std::unordered_map<int, std::string> found;
            std::vector<std::string> open;
            int menuLine = -1;
            for (const MenuItemMatch& entry : db_.update().menuItemsOfMenusNamed(menu)) {
                if (entry.menuLine != menuLine)
                    open.clear();
                menuLine = entry.menuLine;
                const std::size_t level = static_cast<std::size_t>(std::max(entry.level, 0));
                open.resize(std::min(open.size(), level));
                const bool popup = entry.lineKind == toInt(LineKind::Popup);
                const std::size_t around = popup ? open.size() : (open.empty() ? 0 : open.size() - 1);
                std::string path;
                for (std::size_t i = 0; i < around; ++i)
                    path += (i ? "." : "") + open[i];
                found.emplace(entry.lineIndex, path);
                if (popup) {
                    const auto unit = byLine_.find(entry.lineIndex);
                    std::string caption = unit != byLine_.end() ? toStoredForm(unit->second->source) : entry.sourceText;
                    std::replace(caption.begin(), caption.end(), ' ', '_');
                    open.resize(level);
                    open.push_back(caption);
                }
            }
            paths = paths_.emplace(menu, std::move(found)).first;
        }
        const auto path = paths->second.find(lineIndex);
        return path == paths->second.end() ? std::string() : path->second;
    }

    CProjectDatabase& db_;
    std::unordered_map<std::string_view, const ExchangeUnit*> byId_;  // the first text of each id
    std::multimap<std::string, const ExchangeUnit*> bySource_, byCompiled_, byPeerReading_;
    std::unordered_map<int, const ExchangeUnit*> byLine_;
    std::multimap<std::string, const ExchangeUnit*> strings_, captions_, controls_, menuItems_, popups_;
    std::unordered_map<std::string, std::unordered_map<int, std::string>> paths_;
    bool indexed_ = false;
};

} // namespace

std::string compiledText(std::string_view text, bool doubledQuotes)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (doubledQuotes && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            out += '"';
            ++i;
            continue;
        }
        if (c != '\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const char next = text[++i];
        switch (next) {
        case '\n': break;  // the line goes on on the next
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'a': out += '\a'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'v': out += '\v'; break;
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case '\'': out += '\''; break;
        case 'x':
        case 'X': {
            unsigned code = 0;
            std::size_t digits = 0;
            while (digits < 4 && i + 1 < text.size() && digitValue(text[i + 1], 16) >= 0) {
                code = code * 16 + static_cast<unsigned>(digitValue(text[++i], 16));
                ++digits;
            }
            if (digits == 0)
                out += "\\x";
            else
                appendCodePoint(out, code);
            break;
        }
        default:
            if (digitValue(next, 8) >= 0) {
                unsigned code = static_cast<unsigned>(digitValue(next, 8));
                for (int digits = 1; digits < 3 && i + 1 < text.size() && digitValue(text[i + 1], 8) >= 0; ++digits)
                    code = code * 8 + static_cast<unsigned>(digitValue(text[++i], 8));
                appendCodePoint(out, code);
            } else {
                out += '\\';
                out += next;
            }
        }
    }
    return out;
}

ExchangeUnit PlacedUnit::unit() const
{
    ExchangeUnit unit = *file;
    if (project && !byId) {
        unit.id = project->id;
        unit.source = project->source;
    }
    if (fromPeer)
        unit.target = fromPeerReading(unit.target);
    return unit;
}

std::vector<PlacedUnit> placeUnits(CProjectDatabase& db, const std::vector<ExchangeUnit>& project,
                                   const std::vector<ExchangeUnit>& units)
{
    const std::vector<UnitPlacement> placements = Placer(db, project).placeAll(units);
    std::vector<PlacedUnit> placed;
    placed.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const UnitPlacement& placement = placements[i];
        if (placement.texts.empty() && !placement.reason.empty())
            placed.push_back({&units[i], nullptr, false, false, placement.reason});
        for (const ExchangeUnit* text : placement.texts)
            placed.push_back({&units[i], text, placement.byId, placement.fromPeer, {}});
    }
    return placed;
}

} // namespace qmk
