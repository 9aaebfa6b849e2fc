// The quality checks run over a translation's texts.
#include "checks/CheckEngine.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <map>
#include <numeric>
#include <utility>

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include "checks/TermRule.h"
#include "checks/TextRules.h"
#include "database/CProjectDatabase.h"
#include "project/CQuillDoc.h"
#include "project/MnemonicText.h"
#include "project/PreviewLayout.h"
#include "project/TextCodec.h"
#include "project/TranslationEncoding.h"
#include "project/TranslationForm.h"
#include "resources/CheckTexts.h"
#include "resources/Messages.h"
#include "resources/PrintfText.h"

namespace qmk {

struct TranslationChecks::Prepared {
    CheckTextRow row;
    std::string source;       // UTF-8
    std::string translation;  // UTF-8; empty when untranslated
    ItemType type = ItemType::None;
    bool drawsAccessKey = false;
    int group = -1;           // the menu level's popup (-1 at the top) for clashes
};

namespace {

constexpr int kLanguageTurkish = 0x1F;
constexpr int kLanguageAzeri = 0x2C;

} // namespace

// Decodes a translation's texts: a single-byte code page through a table of its 128 upper
// characters (made once, where a conversion per text would cost more than every rule together),
// others through the codec.
class TranslationChecks::Decoder {
public:
    explicit Decoder(int codePage) : codePage_(codePage)
    {
        if (codePage == kCodePageUtf8)
            return;
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const std::optional<std::string> character = decodeToUtf8(std::string(1, static_cast<char>(byte)), codePage);
            if (!character || character->empty())
                return;  // a lead byte of a double-byte code page, or no single-byte code page
            upper_[static_cast<std::size_t>(byte - 0x80)] = *character;
        }
        singleByte_ = true;
    }
    std::string operator()(const std::string& bytes) const
    {
        if (!hasBytesAbove127(bytes))
            return bytes;
        if (!singleByte_)
            return decodeToUtf8(bytes, codePage_).value_or(bytes);
        std::string text;
        text.reserve(bytes.size() + bytes.size() / 2);
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80)
                text += c;
            else
                text += upper_[byte - 0x80];
        }
        return text;
    }

private:
    int codePage_;
    bool singleByte_ = false;
    std::array<std::string, 128> upper_;
};

namespace {

// Statics that show text (not icons, bitmaps or frames, and not marked to show "&" as it is) and
// buttons other than owner-drawn ones underline their access key; so do menu items and popups.
bool drawsAccessKey(ItemType type, const CheckTextRow& row)
{
    if (type == ItemType::MenuItem || type == ItemType::PopupMenu)
        return true;
    if (type != ItemType::DialogItem)
        return false;
    const std::optional<ControlKind> kind = controlKindOf(row.lineKind, row.className, row.flags);
    if (!kind)
        return false;
    constexpr std::uint32_t kNoPrefix = 0x80;
    if (kind->windowClass == ControlClass::Static) {
        const std::uint32_t type = kind->style & 0x1F;
        return (kind->style & kNoPrefix) == 0 && (type <= 2 || type == 0xB || type == 0xC);
    }
    if (kind->windowClass == ControlClass::Button)
        return (kind->style & 0xF) != 0xB;
    return false;
}

// The access key of a label folded for comparison; 0 when it has none.
UChar32 foldedAccessKey(std::string_view text, ItemType type, LanguageId language)
{
    const MnemonicText split = splitMnemonic(labelPart(text, type));
    if (split.key == std::string::npos)
        return 0;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(split.text.data());
    std::int32_t at = static_cast<std::int32_t>(split.key);
    UChar32 c = 0;
    U8_NEXT(bytes, at, static_cast<std::int32_t>(split.text.size()), c);
    if (c < 0)
        return 0;
    const bool dotlessI = language.language == kLanguageTurkish || language.language == kLanguageAzeri;
    return u_foldCase(c, dotlessI ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT);
}

std::string characterText(UChar32 c)
{
    std::string text(4, '\0');
    std::int32_t length = 0;
    UBool error = false;
    U8_APPEND(reinterpret_cast<std::uint8_t*>(text.data()), length, 4, c, error);
    text.resize(error ? 0 : static_cast<std::size_t>(length));
    return text;
}

std::string resourceOf(const CheckTextRow& row, ItemType type)
{
    if (!row.ownerIdent.empty())
        return row.ownerIdent;
    if (type == ItemType::StringtableString)
        return "STRINGTABLE";
    return std::string(itemTypeDisplayName(type));
}

std::size_t catalogueIndex(std::string_view id)
{
    const auto checks = checkCatalogue();
    for (std::size_t i = 0; i < checks.size(); ++i)
        if (checks[i].id == id)
            return i;
    return checks.size();
}

// Menus: the popup each item is shown in, from the items in script order.
void assignMenuGroups(std::vector<TranslationChecks::Prepared>& texts)
{
    std::map<int, std::vector<int>> popupsAtLevel;  // by menu
    for (auto& text : texts) {
        if (text.type != ItemType::MenuItem && text.type != ItemType::PopupMenu)
            continue;
        std::vector<int>& popups = popupsAtLevel[text.row.ownerLine];
        const int level = std::max(0, text.row.level);
        text.group = level > 0 && static_cast<int>(popups.size()) >= level ? popups[static_cast<std::size_t>(level - 1)] : -1;
        if (text.type == ItemType::PopupMenu) {
            popups.resize(static_cast<std::size_t>(level + 1), -1);
            popups[static_cast<std::size_t>(level)] = text.row.lineIndex;
        }
    }
}

} // namespace

TranslationChecks::TranslationChecks(CQuillDoc& doc, LanguageId language, TextMetrics metrics)
    : doc_(doc), language_(language), metrics_(std::move(metrics))
{
    sourceCodePage_ = doc.codePage();
    encoding_ = doc.translationEncoding(language);
    textCodePage_ = textCodePage(encoding_);
    sourceDecoder_ = std::make_unique<Decoder>(sourceCodePage_);
    translationDecoder_ = std::make_unique<Decoder>(textCodePage_);
    for (const std::string& check : enabledChecks(doc))
        enabled_.insert(check);
    for (const IgnoredFinding& finding : doc.database().checks().ignoredFindings())
        if (finding.language == language)
            ignored_.emplace(finding.lineIndex, finding.check);
}

TranslationChecks::~TranslationChecks() = default;

void TranslationChecks::useGlossary(std::shared_ptr<const TermIndex> terms)
{
    terms_ = std::move(terms);
    if (!terms_ || terms_->empty())
        return;
    const auto settings = doc_.database().checks().checkSettings();
    if (settings.find(std::string(check::Term)) == settings.end())
        enabled_.insert(std::string(check::Term));
}

std::vector<std::string> enabledChecks(CQuillDoc& doc)
{
    const auto settings = doc.database().checks().checkSettings();
    std::vector<std::string> on;
    for (const CheckInfo& info : checkCatalogue()) {
        const auto found = settings.find(std::string(info.id));
        if (found == settings.end() ? info.onAtFirst : found->second)
            on.emplace_back(info.id);
    }
    return on;
}

TranslationChecks::Prepared TranslationChecks::prepare(const CheckTextRow& row) const
{
    Prepared text;
    text.row = row;
    text.type = itemTypeOfLineKind(row.lineKind);
    text.source = (*sourceDecoder_)(row.sourceText);
    text.translation = (*translationDecoder_)(row.translation);
    text.drawsAccessKey = drawsAccessKey(text.type, row);
    return text;
}

ScriptLocation TranslationChecks::locationOf(int line)
{
    if (!locations_)
        locations_.emplace(doc_.scriptPath(), doc_.includeExtensions());
    return locations_->find(line);
}

void TranslationChecks::add(const Prepared& text, std::string_view check, std::string message,
                            std::vector<CheckFinding>& out)
{
    if (!withIgnored_ && ignored_.count({text.row.lineIndex, std::string(check)}))
        return;
    const CheckInfo* info = findCheck(check);
    if (placesLater_ || !places_) {
        out.push_back({std::string(check), info ? info->severity : CheckSeverity::Warning, text.row.lineIndex, language_,
                       text.type, resourceOf(text.row, text.type), idText(text.type, text.row.itemIdent), {},
                       places_ ? text.row.line : 0, std::move(message)});
        return;
    }
    const ScriptLocation place = locationOf(text.row.line);
    out.push_back({std::string(check), info ? info->severity : CheckSeverity::Warning, text.row.lineIndex, language_,
                   text.type, resourceOf(text.row, text.type), idText(text.type, text.row.itemIdent),
                   (place.file ? *place.file : doc_.scriptPath()).string(), place.line, std::move(message)});
}

std::optional<std::string> TranslationChecks::codePageProblem(const Prepared& text) const
{
    const CheckTextRow& row = text.row;
    if (!row.translation.empty() && !row.exclude) {
        if (hasBytesAbove127(row.translation) && !decodeToUtf8(row.translation, textCodePage_))
            return fillPlaceholders(txt::CheckCodePageBytes, {encodingName(encoding_)});
        return std::nullopt;
    }
    // Untranslated or excluded, the source's text is written into the translation's script.
    if (!hasBytesAbove127(row.sourceText) || sourceCodePage_ == textCodePage_)
        return std::nullopt;
    const EncodeResult recoded = recodeText(row.sourceText, sourceCodePage_, textCodePage_);
    if (recoded.ok || recoded.unrepresentable.empty())
        return std::nullopt;
    std::string characters;
    for (const std::string& c : recoded.unrepresentable)
        characters += c;
    return fillPlaceholders(txt::CheckCodePageSource, {characters, encodingName(encoding_)});
}

void TranslationChecks::checkText(const Prepared& text, std::vector<CheckFinding>& out)
{
    if (enabled(check::CodePage))
        if (auto problem = codePageProblem(text))
            add(text, check::CodePage, std::move(*problem), out);
    if (text.row.exclude || text.translation.empty())
        return;
    const CheckedText checked{text.source, text.translation, text.type, text.drawsAccessKey, language_};
    using Rule = std::optional<std::string> (*)(const CheckedText&);
    static const std::pair<std::string_view, Rule> kRules[] = {
        {check::Placeholder, checkPlaceholders}, {check::Mnemonic, checkMnemonic},
        {check::Accelerator, checkAccelerator},  {check::Escape, checkEscapes},
        {check::Whitespace, checkWhitespace},    {check::Punctuation, checkPunctuation},
        {check::Length, checkLength},            {check::Untranslated, checkUntranslated},
    };
    for (const auto& [id, rule] : kRules)
        if (enabled(id))
            if (auto message = rule(checked))
                add(text, id, std::move(*message), out);
    if (terms_ && enabled(check::Term))
        if (auto message = checkTerms(text.source, text.translation, *terms_))
            add(text, check::Term, std::move(*message), out);
}

// Two items of one dialog, or of one menu level, that the translation gives the same access
// key where the source gave them different ones.
void TranslationChecks::checkClashes(std::span<const Prepared> texts, const std::set<int>* only,
                                     std::vector<CheckFinding>& out)
{
    std::map<std::pair<int, int>, std::vector<const Prepared*>> groups;
    for (const Prepared& text : texts)
        if (text.drawsAccessKey && !text.row.exclude && text.row.ownerLine >= 0)
            groups[{text.row.ownerLine, text.type == ItemType::DialogItem ? -2 : text.group}].push_back(&text);
    for (const auto& [group, members] : groups) {
        std::map<UChar32, const Prepared*> firstWithKey;
        for (const Prepared* text : members) {
            const bool translated = !text->translation.empty();
            const UChar32 key = foldedAccessKey(translated ? text->translation : text->source, text->type, language_);
            if (key == 0)
                continue;
            const auto [first, isNew] = firstWithKey.emplace(key, text);
            if (isNew)
                continue;
            const Prepared* other = first->second;
            if (foldedAccessKey(other->source, other->type, {}) == foldedAccessKey(text->source, text->type, {}))
                continue;  // the source shares the key already
            const Prepared* at = translated ? text : other;
            const Prepared* named = at == text ? other : text;
            if (at->translation.empty() || (only && !only->count(at->row.lineIndex)))
                continue;
            const std::string& namedText = named->translation.empty() ? named->source : named->translation;
            add(*at, check::MnemonicClash,
                fillPlaceholders(txt::CheckMnemonicClash,
                                 {characterText(key), idText(named->type, named->row.itemIdent) + " (\"" +
                                                          namedText + "\")"}),
                out);
        }
    }
}

void TranslationChecks::checkFit(const std::vector<Prepared>& texts, const std::set<int>* only,
                                 std::vector<CheckFinding>& out)
{
    DialogFits dialogs;
    checkFitOf(texts, 0, texts.size(), only, dialogs, out);
}

void TranslationChecks::checkFitOf(const std::vector<Prepared>& texts, std::size_t from, std::size_t to,
                                   const std::set<int>* only, DialogFits& dialogs, std::vector<CheckFinding>& out)
{
    for (std::size_t i = from; i < to; ++i) {
        const Prepared& text = texts[i];
        if ((text.type != ItemType::DialogItem && text.type != ItemType::DialogCaption) || text.translation.empty() ||
            text.row.exclude || text.row.ownerLine < 0 || (only && !only->count(text.row.lineIndex)))
            continue;
        auto dialog = dialogs.find(text.row.ownerLine);
        if (dialog == dialogs.end()) {
            std::map<int, PreviewControl> controls;
            for (PreviewControl& control :
                 buildDialogLayout(doc_, text.row.ownerLine, metrics_.xScale, metrics_.yScale).textControls)
                controls.emplace(control.lineIndex, std::move(control));
            dialog = dialogs.emplace(text.row.ownerLine, std::move(controls)).first;
        }
        const auto control = dialog->second.find(text.row.lineIndex);
        if (control == dialog->second.end())
            continue;
        // Overflowing further than the source does: the source's own overflow is what the
        // measure (an approximation without the real font) gets wrong for this control.
        const int sourceOverflow = textOverflow(control->second, toDisplayForm(text.source), metrics_);
        if (const int overflow = textOverflow(control->second, toDisplayForm(text.translation), metrics_) - sourceOverflow;
            overflow > 0)
            add(text, check::Fit,
                fillPlaceholders(txt::CheckFit, {std::to_string(static_cast<int>(std::ceil(overflow / metrics_.xScale)))}),
                out);
    }
}

std::vector<CheckFinding> TranslationChecks::runOver(std::vector<Prepared>& texts, const std::set<int>* only)
{
    std::vector<CheckFinding> findings;
    assignMenuGroups(texts);
    for (const Prepared& text : texts)
        if (!only || only->count(text.row.lineIndex))
            checkText(text, findings);
    if (enabled(check::MnemonicClash))
        checkClashes(texts, only, findings);
    if (enabled(check::Fit))
        checkFit(texts, only, findings);
    std::vector<std::pair<int, int>> lines;
    lines.reserve(texts.size());
    for (const Prepared& text : texts)
        lines.emplace_back(text.row.lineIndex, text.row.line);
    sortFindings(std::move(lines), findings);
    return findings;
}

// In script order (the order of the stored lines), each text's findings in catalogue order.
// `lines` holds each text's LineIndex and Line. The findings are put in order through their
// positions, moved along the cycles of the order in place: sorting them as they are would take
// a second buffer as large as all findings (tens of megabytes on a large project).
void TranslationChecks::sortFindings(std::vector<std::pair<int, int>> lines, std::vector<CheckFinding>& findings)
{
    std::sort(lines.begin(), lines.end());
    const auto lineOf = [&lines](int lineIndex) {
        const auto at = std::lower_bound(lines.begin(), lines.end(), std::pair<int, int>(lineIndex, INT_MIN));
        return at != lines.end() && at->first == lineIndex ? at->second : 0;
    };
    std::vector<std::uint32_t> order(findings.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t i, std::uint32_t j) {
        const CheckFinding& a = findings[i];
        const CheckFinding& b = findings[j];
        const int lineA = lineOf(a.lineIndex), lineB = lineOf(b.lineIndex);
        if (lineA != lineB)
            return lineA < lineB;
        if (a.lineIndex != b.lineIndex)
            return a.lineIndex < b.lineIndex;
        return catalogueIndex(a.check) < catalogueIndex(b.check);
    });
    // Place `at` takes the finding at order[at]; a place done is marked by order[at] == at.
    for (std::uint32_t start = 0; start < order.size(); ++start) {
        if (order[start] == start)
            continue;
        CheckFinding held = std::move(findings[start]);
        std::uint32_t at = start;
        for (;;) {
            const std::uint32_t from = std::exchange(order[at], at);
            if (from == start) {
                findings[at] = std::move(held);
                break;
            }
            findings[at] = std::move(findings[from]);
            at = from;
        }
    }
}

// The sliced run checks each text as it is read and keeps only the texts of dialogs, menus and
// version resources, which the clash and fit checks compare with their neighbours.
struct TranslationChecks::Run::State {
    enum class Stage { Read, Clashes, Fit, Place, Sort, Done };
    Stage stage = Stage::Read;
    std::vector<Prepared> owned;  // texts with an owner
    std::vector<std::pair<int, int>> lines;  // LineIndex and Line of every text read
    std::size_t next = 0;
    DialogFits dialogs;
    std::vector<CheckFinding> findings;
};

TranslationChecks::Run::Run(TranslationChecks& checks) : checks_(checks), state_(std::make_unique<State>())
{
    if (checks_.places_ && !checks_.locations_)
        locations_ = std::async(std::launch::async, [script = checks_.doc_.scriptPath(),
                                                     includes = checks_.doc_.includeExtensions()] {
            return ScriptLocations(script, includes);
        });
}

TranslationChecks::Run::~Run() = default;

// The findings made while the places were read get their file and line there.
void TranslationChecks::Run::place()
{
    if (!checks_.places_) {
        for (CheckFinding& finding : state_->findings)
            finding.line = 0;
        return;
    }
    if (locations_.valid())
        checks_.locations_.emplace(locations_.get());
    for (CheckFinding& finding : state_->findings) {
        if (!finding.file.empty())
            continue;
        const ScriptLocation where = checks_.locations_->find(finding.line);
        finding.file = (where.file ? *where.file : checks_.doc_.scriptPath()).string();
        finding.line = where.line;
    }
}

JobProgress TranslationChecks::Run::step(Budget budget)
{
    using Stage = State::Stage;
    const SliceDeadline deadline(budget);
    State& s = *state_;
    // Findings wait for their places while these are read; the checks go back to placing
    // their own findings between steps (a store checked meanwhile).
    struct PlacesLater {
        bool& flag;
        explicit PlacesLater(bool& f) : flag(f) { flag = true; }
        ~PlacesLater() { flag = false; }
    } later(checks_.placesLater_);
    constexpr int kPage = 128;
    constexpr std::size_t kTextsBetweenClockReads = 32;
    do {  // at least one piece of work a step, however short its budget
        switch (s.stage) {
        case Stage::Read: {
            const int line = s.lines.empty() ? -1 : s.lines.back().second;
            const int lineIndex = s.lines.empty() ? -1 : s.lines.back().first;
            const std::vector<CheckTextRow> page =
                checks_.doc_.database().checks().textsAfter(checks_.language_, line, lineIndex, kPage);
            for (const CheckTextRow& row : page) {
                Prepared text = checks_.prepare(row);
                checks_.checkText(text, s.findings);
                s.lines.emplace_back(row.lineIndex, row.line);
                if (row.ownerLine >= 0)
                    s.owned.push_back(std::move(text));
            }
            if (page.size() < static_cast<std::size_t>(kPage)) {
                assignMenuGroups(s.owned);
                s.stage = Stage::Clashes;
            }
            break;
        }
        case Stage::Clashes:
            if (!checks_.enabled(check::MnemonicClash))
                s.next = s.owned.size();
            // A resource's texts stand together: they are compared a few resources at a time.
            while (s.next < s.owned.size()) {
                std::size_t to = std::min(s.owned.size(), s.next + kTextsBetweenClockReads * 8);
                while (to < s.owned.size() && s.owned[to].row.ownerLine == s.owned[to - 1].row.ownerLine)
                    ++to;
                checks_.checkClashes(std::span<const Prepared>(s.owned).subspan(s.next, to - s.next), nullptr,
                                     s.findings);
                s.next = to;
                if (deadline.passed())
                    break;
            }
            if (s.next >= s.owned.size()) {
                s.stage = Stage::Fit;
                s.next = 0;
            }
            break;
        case Stage::Fit:
            if (!checks_.enabled(check::Fit)) {
                s.stage = Stage::Place;
                break;
            }
            do {
                const std::size_t to = std::min(s.owned.size(), s.next + kTextsBetweenClockReads);
                checks_.checkFitOf(s.owned, s.next, to, nullptr, s.dialogs, s.findings);
                s.next = to;
            } while (s.next < s.owned.size() && !deadline.passed());
            if (s.next >= s.owned.size())
                s.stage = Stage::Place;
            break;
        case Stage::Place:
            if (locations_.valid() &&
                locations_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
                return {false, s.lines.size(), s.lines.size() + s.lines.size() / 10, true};
            place();
            s.stage = Stage::Sort;
            break;
        case Stage::Sort:
            s.owned = {};
            s.dialogs = {};
            sortFindings(std::exchange(s.lines, {}), s.findings);
            s.stage = Stage::Done;
            break;
        case Stage::Done: break;
        }
    } while (s.stage != Stage::Done && !deadline.passed());
    // Reading is most of the work: the later stages count as a tenth more.
    const std::size_t read = s.lines.size();
    switch (s.stage) {
    case Stage::Read: {
        const std::size_t expected = std::max(read, static_cast<std::size_t>(checks_.doc_.rows().rowCount()));
        return {false, read, expected + expected / 10};
    }
    case Stage::Clashes:
    case Stage::Fit:
        return {false, read + (s.owned.empty() ? 0 : read / 20 * s.next / s.owned.size()) + (s.stage == Stage::Fit ? read / 20 : 0),
                read + read / 10};
    case Stage::Place:
    case Stage::Sort: return {false, read + read / 10, read + read / 10};
    case Stage::Done: break;
    }
    return {true, 1, 1};
}

std::vector<CheckFinding> TranslationChecks::Run::takeFindings()
{
    return std::exchange(state_->findings, {});
}

std::vector<CheckFinding> TranslationChecks::run()
{
    std::vector<Prepared> texts;
    doc_.database().checks().forEachText(language_, [&](const CheckTextRow& row) { texts.push_back(prepare(row)); });
    return runOver(texts, nullptr);
}

std::vector<CheckFinding> TranslationChecks::run(const std::vector<int>& lineIndexes)
{
    const std::set<int> only(lineIndexes.begin(), lineIndexes.end());
    // Many texts (an import of a whole translation) are read at once; a few with their resources.
    constexpr std::size_t kReadAllFrom = 200;
    std::vector<Prepared> texts;
    if (only.size() >= kReadAllFrom) {
        doc_.database().checks().forEachText(language_, [&](const CheckTextRow& row) { texts.push_back(prepare(row)); });
        return runOver(texts, &only);
    }
    std::set<int> owners;
    std::set<int> read;
    for (int lineIndex : only) {
        const std::optional<CheckTextRow> row = doc_.database().checks().text(lineIndex, language_);
        if (!row)
            continue;
        if (row->ownerLine >= 0)
            owners.insert(row->ownerLine);
        else if (read.insert(lineIndex).second)
            texts.push_back(prepare(*row));
    }
    for (int owner : owners)
        for (const CheckTextRow& row : doc_.database().checks().textsOf(owner, language_))
            if (read.insert(row.lineIndex).second)
                texts.push_back(prepare(row));
    std::stable_sort(texts.begin(), texts.end(), [](const Prepared& a, const Prepared& b) { return a.row.line < b.row.line; });
    return runOver(texts, &only);
}

std::vector<int> TranslationChecks::linesAround(const std::vector<int>& lineIndexes)
{
    std::set<int> lines;
    std::set<int> owners;
    for (int lineIndex : lineIndexes) {
        lines.insert(lineIndex);
        if (const std::optional<CheckTextRow> row = doc_.database().checks().text(lineIndex, language_);
            row && row->ownerLine >= 0 && owners.insert(row->ownerLine).second)
            for (const CheckTextRow& member : doc_.database().checks().textsOf(row->ownerLine, language_))
                lines.insert(member.lineIndex);
    }
    return {lines.begin(), lines.end()};
}

std::string compilerStyleLine(const CheckFinding& finding)
{
    return printfText(txt::BatchCheckLine, {finding.file, std::to_string(finding.line),
                                            finding.severity == CheckSeverity::Info ? "note" : "warning", finding.check,
                                            finding.resource, finding.ident, finding.message});
}

ImportedTextsCheck::ImportedTextsCheck(CQuillDoc& doc, LanguageId language) : doc_(doc), language_(language)
{
    doc.database().checks().forEachText(language, [this](const CheckTextRow& row) {
        if (!row.translation.empty())
            before_.emplace(row.lineIndex, row.translation);
    });
}

std::vector<CheckFinding> ImportedTextsCheck::findings()
{
    std::vector<int> changed;
    doc_.database().checks().forEachText(language_, [&](const CheckTextRow& row) {
        const auto found = before_.find(row.lineIndex);
        if (!row.translation.empty() && (found == before_.end() || found->second != row.translation))
            changed.push_back(row.lineIndex);
    });
    if (changed.empty())
        return {};
    return TranslationChecks(doc_, language_).run(changed);
}

std::vector<std::pair<std::size_t, std::size_t>> accessKeyClashes(const std::vector<std::string>& labels)
{
    std::vector<std::pair<std::size_t, std::size_t>> clashes;
    std::map<UChar32, std::size_t> firstWithKey;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const UChar32 key = foldedAccessKey(labels[i], ItemType::DialogItem, {});
        if (key == 0)
            continue;
        if (const auto [first, isNew] = firstWithKey.emplace(key, i); !isNew)
            clashes.emplace_back(first->second, i);
    }
    return clashes;
}

} // namespace qmk
