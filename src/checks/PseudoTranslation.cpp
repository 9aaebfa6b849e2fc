// Pseudo-translation of a translation's texts.
#include "checks/PseudoTranslation.h"

#include <array>
#include <map>
#include <memory>
#include <optional>

#include "checks/TextRules.h"
#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/Transaction.h"
#include "project/CQuillDoc.h"
#include "project/PreviewLayout.h"
#include "project/TextCodec.h"
#include "resources/CheckTexts.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/Utf8Length.h"

namespace qmk {
namespace {

// For each ASCII letter its accented forms, the most telling first: Latin Extended, then
// Latin-1 (which most Western code pages hold), then the letter itself.
const std::array<std::string_view, 52>& accentedForms()
{
    static const std::array<std::string_view, 52> forms = {
        // A..Z
        "Ā|Å", "Ɓ|ß", "Ċ|Ç", "Ď|Ð", "Ē|É", "Ƒ|F", "Ğ|G", "Ĥ|H", "Ĭ|Î", "Ĵ|J", "Ķ|K", "Ļ|L", "Ṁ|M",
        "Ň|Ñ", "Ŏ|Ö", "Ƥ|Þ", "Ǫ|Q", "Ř|R", "Š|S", "Ţ|T", "Ŭ|Û", "Ṽ|V", "Ŵ|W", "Ẋ|×", "Ŷ|Ý", "Ž|Z",
        // a..z
        "ā|å", "ƀ|b", "ċ|ç", "ď|ð", "ē|é", "ƒ|f", "ğ|g", "ĥ|h", "î|ì", "ĵ|j", "ķ|k", "ļ|l", "ṁ|m",
        "ŋ|ñ", "ŏ|ö", "ƥ|þ", "ǫ|q", "ř|r", "š|s", "ţ|t", "ŭ|û", "ṽ|v", "ŵ|w", "ẋ|x", "ŷ|ý", "ž|z",
    };
    return forms;
}

std::string_view accented(char letter, const std::function<bool(std::string_view)>& holds)
{
    const std::size_t index = letter >= 'a' ? 26 + static_cast<std::size_t>(letter - 'a') : static_cast<std::size_t>(letter - 'A');
    std::string_view forms = accentedForms()[index];
    while (!forms.empty()) {
        const std::size_t bar = forms.find('|');
        const std::string_view form = forms.substr(0, bar);
        if (holds(form))
            return form;
        forms = bar == std::string_view::npos ? std::string_view() : forms.substr(bar + 1);
    }
    return {};
}

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Where the part to bracket ends: before trailing line breaks, blanks, final punctuation and
// an East Asian access key "(&F)"; and where it starts: after leading blanks.
std::size_t bodyEnd(std::string_view text)
{
    std::size_t end = text.size();
    for (bool changed = true; changed && end > 0;) {
        changed = false;
        const std::string_view head = text.substr(0, end);
        for (std::string_view tail : {"\\n", "\\r", "\\t", " ", "...", "\xE2\x80\xA6", ":", "?", "!", ".",
                                      "\xEF\xBC\x9A", "\xEF\xBC\x9F", "\xEF\xBC\x81", "\xE3\x80\x82"}) {
            if (head.size() >= tail.size() && head.substr(head.size() - tail.size()) == tail &&
                !(tail.front() == '\\' && head.size() > 2 && head[head.size() - 3] == '\\')) {
                end -= tail.size();
                changed = true;
                break;
            }
        }
        if (!changed && end >= 4 && head.back() == ')' && head.substr(end - 4, 2) == "(&") {
            end -= 4;
            changed = true;
        }
    }
    return end;
}

std::size_t bodyStart(std::string_view text, std::size_t end)
{
    std::size_t start = 0;
    while (start < end && (text[start] == ' ' || text.substr(start, 2) == "\\t"))
        start += text[start] == ' ' ? 1 : 2;
    return start;
}

// The body accented; everything a program or the compiler reads is copied as it stands.
std::string accentBody(std::string_view body, const std::function<bool(std::string_view)>& holds, int* characters)
{
    const Placeholders placeholders = placeholdersOf(body);
    std::string out;
    for (std::size_t i = 0; i < body.size();) {
        const char c = body[i];
        std::size_t keep = 0;
        if (c == '\\' && i + 1 < body.size()) {
            keep = 2;
            if (body[i + 1] == 'x' || body[i + 1] == 'X')
                while (i + keep < body.size() && std::isxdigit(static_cast<unsigned char>(body[i + keep])))
                    ++keep;
        } else if (c == '"' && i + 1 < body.size() && body[i + 1] == '"') {
            keep = 2;
        } else if (c == '&' && i + 1 < body.size()) {
            // "&&" is a literal; a single "&" keeps the letter it marks, so the access key stays.
            keep = body[i + 1] == '&' ? 2 : 1 + utf8Length(static_cast<unsigned char>(body[i + 1]));
        } else if (c == '%' || c == '{') {
            for (const std::string& p : placeholders.ordered)
                if (body.substr(i, p.size()) == p)
                    keep = std::max(keep, p.size());
            for (const std::string& p : placeholders.free)
                if (body.substr(i, p.size()) == p)
                    keep = std::max(keep, p.size());
        }
        if (keep > 0) {
            out += body.substr(i, std::min(keep, body.size() - i));
            i += keep;
            ++*characters;
            continue;
        }
        const std::size_t length = std::min(utf8Length(static_cast<unsigned char>(c)), body.size() - i);
        const std::string_view form = isAsciiLetter(c) ? accented(c, holds) : std::string_view();
        out += form.empty() ? body.substr(i, length) : form;
        i += length;
        ++*characters;
    }
    return out;
}

bool hasLetter(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
            continue;
        }
        if (isAsciiLetter(text[i]) || static_cast<unsigned char>(text[i]) >= 0x80)
            return true;
    }
    return false;
}

// Texts whose words a person translates: not a dialog's icon or picture, which names a resource.
bool isPseudoTranslatable(const CheckTextRow& row, ItemType type)
{
    switch (type) {
    case ItemType::DialogCaption:
    case ItemType::MenuItem:
    case ItemType::PopupMenu:
    case ItemType::StringtableString:
    case ItemType::VersionValue:
        return true;
    case ItemType::DialogItem: {
        const std::optional<ControlKind> kind = controlKindOf(row.lineKind, row.className, row.flags);
        if (!kind)
            return false;
        const std::uint32_t staticType = kind->style & 0x1F;
        return kind->windowClass != ControlClass::Static ||
               (staticType != 0x3 && staticType != 0xE && staticType != 0xF);
    }
    default:
        return false;
    }
}

} // namespace

std::string pseudoText(std::string_view source, ItemType type, const std::function<bool(std::string_view)>& holds)
{
    if (!hasLetter(source))
        return {};
    const std::string_view label = labelPart(source, type);
    const std::size_t end = bodyEnd(label);
    const std::size_t start = bodyStart(label, end);
    if (start >= end)
        return {};
    int characters = 0;
    const std::string body = accentBody(label.substr(start, end - start), holds, &characters);
    const int padding = std::max(1, (characters + 2) / 3);
    return std::string(label.substr(0, start)) + "[" + body + " " + std::string(static_cast<std::size_t>(padding), '!') +
           "]" + std::string(label.substr(end)) + std::string(source.substr(label.size()));
}

PseudoResult pseudoTranslate(CQuillDoc& doc, LanguageId language)
{
    PseudoResult result;
    if (doc.isBusy()) {
        result.outcome = OperationResult::Refused;
        return result;
    }
    const int sourceCodePage = doc.codePage();
    const int codePage = doc.translationCodePage(language);
    std::map<std::string, bool, std::less<>> held;
    auto holds = [&](std::string_view character) {
        if (codePage == kCodePageUtf8)
            return true;
        auto found = held.find(character);
        if (found == held.end())
            found = held.emplace(std::string(character), encodeFromUtf8(character, codePage).ok).first;
        return found->second;
    };
    std::vector<std::pair<int, std::string>> texts;
    std::unique_ptr<Transaction> bulk;
    try {
        doc.database().checks().forEachText(language, [&](const CheckTextRow& row) {
            const ItemType type = itemTypeOfLineKind(row.lineKind);
            if (row.exclude || !isPseudoTranslatable(row, type))
                return;
            if (!row.translation.empty()) {
                ++result.kept;
                return;
            }
            const std::string source = hasBytesAbove127(row.sourceText)
                                           ? decodeToUtf8(row.sourceText, sourceCodePage).value_or(row.sourceText)
                                           : row.sourceText;
            std::string pseudo = pseudoText(source, type, holds);
            if (!pseudo.empty())
                texts.emplace_back(row.lineIndex, std::move(pseudo));
        });
        bulk = doc.database().beginBulk();  // one transaction for every text
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        return result;
    }
    doc.beginEditStep(fillPlaceholders(txt::StepPseudo, {CQuillDoc::languageName(language)}));
    for (const auto& [lineIndex, text] : texts) {
        EncodeResult bytes = encodeFromUtf8(text, codePage);
        if (!bytes.ok) {
            // Characters of the source the encoding lacks (a Japanese source in a Western
            // translation) become question marks, character by character.
            std::string replaced;
            for (std::size_t i = 0; i < text.size();) {
                const std::size_t length = std::min(utf8Length(static_cast<unsigned char>(text[i])), text.size() - i);
                const std::string_view character(text.data() + i, length);
                replaced += holds(character) ? std::string(character) : std::string("?");
                i += length;
            }
            bytes = encodeFromUtf8(replaced, codePage);
            if (!bytes.ok)
                continue;
        }
        if (!doc.storeTranslation(lineIndex, language, bytes.bytes).done()) {
            // The store said why; the texts of this run are kept all or none, so none is.
            doc.endEditStep();
            bulk.reset();
            doc.reloadRows();
            result.filled = 0;
            return result;
        }
        ++result.filled;
    }
    doc.endEditStep();
    try {
        bulk->commit();
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        doc.reloadRows();
        return result;
    }
    result.outcome = OperationResult::Done;
    return result;
}

} // namespace qmk
