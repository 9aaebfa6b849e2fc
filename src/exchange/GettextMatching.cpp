// Placing imported units: by id, by the peer's location, by source.
#include "exchange/GettextMatching.h"

#include <algorithm>
#include <map>
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
    std::string joined;
    joined.reserve(a.size() + b.size() + 1);
    return joined.append(a).append(1, '\n').append(b);
}

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

template <typename Key>
using TextIndex = std::multimap<Key, const ProjectText*, std::less<>>;

template <typename Key, typename Probe>
std::vector<const ProjectText*> all(const TextIndex<Key>& index, const Probe& k)
{
    std::vector<const ProjectText*> found;
    const auto [first, last] = index.equal_range(k);
    for (auto it = first; it != last; ++it)
        found.push_back(it->second);
    return found;
}

// Keeps the texts the test holds for, unless it holds for none.
template <typename Test>
std::vector<const ProjectText*> narrowed(std::vector<const ProjectText*> texts, Test test)
{
    std::vector<const ProjectText*> kept;
    for (const ProjectText* text : texts)
        if (test(*text))
            kept.push_back(text);
    return kept.empty() ? texts : kept;
}

bool sameSource(const std::string& file, std::string_view project)
{
    if (file == project)
        return true;
    const std::string ours = compiledText(project, false);
    return ours == compiledText(file, true) || ours == file || peerReading(project) == file;
}

} // namespace

// The project's texts by source and by place, made when the first unit is not placed by its id:
// a file that comes back from a platform with Quillmark's ids never needs them.
struct UnitPlacer::Indexes {
    TextIndex<std::string_view> bySource;
    TextIndex<std::string> byCompiled, byPeerReading;
    std::unordered_map<int, const ProjectText*> byLine;
    TextIndex<std::string_view> strings, captions, popups;
    TextIndex<std::string> controls, menuItems;
    std::unordered_map<std::string, std::unordered_map<int, std::string>> paths;  // by menu, made when asked
};

UnitPlacer::UnitPlacer(CProjectDatabase& db, const ProjectTextList& project)
    : db_(db), project_(project), named_(project.texts().size(), false)
{
    // In the order of their ids (the first text of each), so that the look-up by id is a search
    // and texts sharing a source or a place are found in one order whatever order the project
    // lists them in.
    byId_.reserve(project.texts().size());
    for (const ProjectText& text : project.texts())
        byId_.push_back(&text);
    std::stable_sort(byId_.begin(), byId_.end(), [](const ProjectText* a, const ProjectText* b) { return a->id < b->id; });
    byId_.erase(std::unique(byId_.begin(), byId_.end(),
                            [](const ProjectText* a, const ProjectText* b) { return a->id == b->id; }),
                byId_.end());
}

UnitPlacer::~UnitPlacer() = default;

const ProjectText* UnitPlacer::withId(std::string_view id) const
{
    const auto found = std::lower_bound(byId_.begin(), byId_.end(), id,
                                        [](const ProjectText* text, std::string_view k) { return text->id < k; });
    return found != byId_.end() && (*found)->id == id ? *found : nullptr;
}

UnitPlacement UnitPlacer::place(const ExchangeUnit& unit)
{
    UnitPlacement placement = locate(unit);
    if (!placement.bySourceOnly)
        for (const ProjectText* text : placement.texts)
            named_[project_.indexOf(*text)] = true;
    return placement;
}

UnitPlacement UnitPlacer::locate(const ExchangeUnit& unit)
{
    UnitPlacement placement;
    if (!unit.id.empty())
        if (const ProjectText* text = withId(unit.id)) {
            placement.byId = true;
            placement.texts.push_back(text);
            return placement;
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
        std::vector<const ProjectText*> candidates;
        for (const PeerLocation& place : places)
            for (const ProjectText* text : resolve(place))
                if (std::find(candidates.begin(), candidates.end(), text) == candidates.end())
                    candidates.push_back(text);
        located = !candidates.empty();
        for (const ProjectText* text : candidates)
            if (sameSource(unit.source, text->source))
                placement.texts.push_back(text);
        if (!placement.texts.empty())
            return placement;
    }
    // No place, or one whose texts have another source: every text with this source.
    placement.bySourceOnly = true;
    placement.texts = textsWithSource(unit.source);
    if (placement.texts.empty())
        placement.reason = located           ? "its source text is no longer the project's"
                           : unit.id.empty() ? "no context and no text of the project has this source"
                                             : "no text of the project has this source";
    return placement;
}

void UnitPlacer::settle(const ExchangeUnit& unit, UnitPlacement& placement)
{
    if (!placement.bySourceOnly || unit.target.empty())
        return;
    bool differs = false;
    std::erase_if(placement.texts, [&](const ProjectText* text) {
        if (named_[project_.indexOf(*text)])
            return true;
        const auto [earlier, first] = reached_.emplace(text->lineIndex, &unit.target);
        differs = differs || (!first && *earlier->second != unit.target);
        return !first;
    });
    if (placement.texts.empty() && differs)
        placement.reason = "an earlier entry of the file with this source translates its texts otherwise";
}

void UnitPlacer::indexTexts()
{
    if (indexes_)
        return;
    indexes_ = std::make_unique<Indexes>();
    Indexes& index = *indexes_;
    for (const ProjectText* text : byId_) {
        index.bySource.emplace(text->source, text);
        index.byCompiled.emplace(compiledText(text->source, false), text);
        index.byPeerReading.emplace(peerReading(text->source), text);
        index.byLine.emplace(text->lineIndex, text);
        switch (text->type) {
        case ItemType::StringtableString: index.strings.emplace(text->ident, text); break;
        case ItemType::DialogCaption: index.captions.emplace(text->resource, text); break;
        case ItemType::DialogItem: index.controls.emplace(key(text->resource, text->ident), text); break;
        case ItemType::MenuItem: index.menuItems.emplace(key(text->resource, text->ident), text); break;
        case ItemType::PopupMenu: index.popups.emplace(text->resource, text); break;
        default: break;
        }
    }
}

std::vector<const ProjectText*> UnitPlacer::textsWithSource(const std::string& source) const
{
    std::vector<const ProjectText*> texts;
    auto add = [&](const auto& index, const std::string& text) {
        const auto [first, last] = index.equal_range(text);
        for (auto it = first; it != last; ++it)
            if (std::find(texts.begin(), texts.end(), it->second) == texts.end())
                texts.push_back(it->second);
    };
    add(indexes_->bySource, source);
    add(indexes_->byCompiled, compiledText(source, true));
    add(indexes_->byCompiled, source);
    add(indexes_->byPeerReading, source);
    // In the Text Table's order.
    std::sort(texts.begin(), texts.end(),
              [](const ProjectText* a, const ProjectText* b) { return a->lineIndex < b->lineIndex; });
    return texts;
}

std::vector<const ProjectText*> UnitPlacer::resolve(const PeerLocation& place)
{
    const Indexes& index = *indexes_;
    switch (place.place) {
    case PeerPlace::String: return all(index.strings, std::string_view(place.ident));
    case PeerPlace::DialogCaption: return all(index.captions, std::string_view(place.resource));
    case PeerPlace::Control: {
        std::vector<const ProjectText*> texts = all(index.controls, key(place.resource, place.ident));
        const int kind = ScriptKeywords::code(place.keyword);
        if (texts.size() > 1 && kind != 0)
            texts = narrowed(texts, [&](const ProjectText& text) {
                const std::optional<ControlRow> row = db_.items().control(text.lineIndex);
                return row && row->type == kind;
            });
        return texts;
    }
    case PeerPlace::MenuItem: {
        std::vector<const ProjectText*> texts = all(index.menuItems, key(place.resource, place.ident));
        if (texts.size() > 1)
            texts = narrowed(texts, [&](const ProjectText& text) {
                return menuPath(place.resource, text.lineIndex) == place.popupPath;
            });
        return texts;
    }
    case PeerPlace::Popup:
        return narrowed(all(index.popups, std::string_view(place.resource)), [&](const ProjectText& text) {
            return menuPath(place.resource, text.lineIndex) == place.popupPath;
        });
    }
    return {};
}

// The popups around a popup or menu item as the peer names them: the captions as the script
// writes them, blanks as underscores, joined by dots; an item's own popup left out.
std::string UnitPlacer::menuPath(const std::string& menu, int lineIndex)
{
    auto& cache = indexes_->paths;
    auto paths = cache.find(menu);
    if (paths == cache.end()) {
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
                const auto text = indexes_->byLine.find(entry.lineIndex);
                std::string caption =
                    text != indexes_->byLine.end() ? toStoredForm(text->second->source) : entry.sourceText;
                std::replace(caption.begin(), caption.end(), ' ', '_');
                open.resize(level);
                open.push_back(caption);
            }
        }
        paths = cache.emplace(menu, std::move(found)).first;
    }
    const auto path = paths->second.find(lineIndex);
    return path == paths->second.end() ? std::string() : path->second;
}

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

std::string placedTranslation(const ExchangeUnit& unit, const UnitPlacement& placement)
{
    return placement.fromPeer ? fromPeerReading(unit.target) : unit.target;
}

} // namespace qmk
