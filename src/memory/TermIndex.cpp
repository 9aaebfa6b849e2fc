// Words of a text and the glossary's terms among them.
#include "memory/TermIndex.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <optional>

namespace qmk {
namespace {

bool wordCharacter(UChar32 c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    return u_isalnum(c) || (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0;
}

bool joiner(UChar32 c)
{
    return c == '\'' || c == '-' || c == 0x2019;
}

void appendFolded(std::string& out, UChar32 c)
{
    if (c < 0x80) {
        out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        return;
    }
    const UChar32 folded = u_foldCase(c, U_FOLD_CASE_DEFAULT);
    char bytes[4];
    std::int32_t length = 0;
    UBool error = false;
    U8_APPEND(bytes, length, 4, folded, error);
    if (!error)
        out.append(bytes, static_cast<std::size_t>(length));
}

struct Decoded {
    UChar32 c;
    std::size_t next;
};

Decoded decodeAt(std::string_view text, std::size_t at)
{
    std::int32_t i = static_cast<std::int32_t>(at);
    UChar32 c = 0;
    U8_NEXT(text.data(), i, static_cast<std::int32_t>(text.size()), c);
    return {c, static_cast<std::size_t>(i)};
}

} // namespace

std::vector<TextWord> textWords(std::string_view text)
{
    std::vector<TextWord> words;
    TextWord current;
    bool inWord = false;
    auto close = [&](std::size_t end) {
        if (inWord && !current.folded.empty()) {
            current.end = end;
            words.push_back(std::move(current));
        }
        current = TextWord{};
        inWord = false;
    };
    std::size_t at = 0;
    std::size_t lastWordEnd = 0;
    while (at < text.size()) {
        // "&&" is a literal ampersand; a single "&" marks the access key and is read past.
        if (text[at] == '&') {
            if (at + 1 < text.size() && text[at + 1] == '&') {
                close(lastWordEnd);
                at += 2;
                continue;
            }
            ++at;
            continue;
        }
        const Decoded d = decodeAt(text, at);
        if (d.c >= 0 && wordCharacter(d.c)) {
            if (!inWord) {
                inWord = true;
                current.begin = at;
                // An access key's mark just before the word belongs to it.
                if (at > 0 && text[at - 1] == '&' && (at < 2 || text[at - 2] != '&'))
                    current.begin = at - 1;
            }
            appendFolded(current.folded, d.c);
            lastWordEnd = d.next;
        } else if (inWord && d.c >= 0 && joiner(d.c) && d.next < text.size()) {
            const Decoded after = decodeAt(text, d.next);
            if (after.c >= 0 && wordCharacter(after.c)) {
                current.folded += d.c == 0x2019 ? '\'' : static_cast<char>(d.c);
            } else {
                close(lastWordEnd);
            }
        } else {
            close(lastWordEnd);
        }
        at = d.next > at ? d.next : at + 1;
    }
    close(lastWordEnd);
    return words;
}

bool containsPhrase(const std::vector<TextWord>& words, std::string_view phrase)
{
    const std::vector<TextWord> wanted = textWords(phrase);
    if (wanted.empty() || wanted.size() > words.size())
        return false;
    for (std::size_t start = 0; start + wanted.size() <= words.size(); ++start) {
        std::size_t k = 0;
        while (k < wanted.size() && words[start + k].folded == wanted[k].folded)
            ++k;
        if (k == wanted.size())
            return true;
    }
    return false;
}

TermIndex::TermIndex(const std::vector<GlossaryEntry>& entries)
{
    std::unordered_map<std::string, std::size_t> byKey;
    for (const GlossaryEntry& entry : entries) {
        std::vector<std::string> words;
        std::string key;
        for (TextWord& word : textWords(entry.term)) {
            key += (key.empty() ? "" : " ") + word.folded;
            words.push_back(std::move(word.folded));
        }
        if (words.empty())
            continue;
        const auto [found, added] = byKey.emplace(key, terms_.size());
        if (added)
            terms_.push_back({std::move(words), {}});
        terms_[found->second].entries.push_back(entry);
    }
    for (std::size_t k = 0; k < terms_.size(); ++k)
        byFirstWord_[terms_[k].words.front()].push_back(k);
    for (auto& [word, list] : byFirstWord_)
        std::stable_sort(list.begin(), list.end(),
                         [&](std::size_t a, std::size_t b) { return terms_[a].words.size() > terms_[b].words.size(); });
}

std::vector<TermHit> TermIndex::find(std::string_view text) const
{
    if (terms_.empty())
        return {};
    return find(textWords(text));
}

std::vector<TermHit> TermIndex::find(std::string_view text, const WordStems& stems) const
{
    if (terms_.empty())
        return {};
    const std::vector<TextWord> words = textWords(text);
    if (!stems)
        return find(words);
    std::vector<std::vector<std::string>> forms;
    forms.reserve(words.size());
    for (const TextWord& word : words) {
        std::vector<std::string> wordForms{word.folded};
        for (std::string& stem : stems(word.folded))
            if (!stem.empty() && std::find(wordForms.begin(), wordForms.end(), stem) == wordForms.end())
                wordForms.push_back(std::move(stem));
        forms.push_back(std::move(wordForms));
    }
    return findAmong(words, forms);
}

std::vector<TermHit> TermIndex::findAmong(const std::vector<TextWord>& words,
                                          const std::vector<std::vector<std::string>>& forms) const
{
    auto standsFor = [&](std::size_t at, const std::string& termWord) {
        return std::find(forms[at].begin(), forms[at].end(), termWord) != forms[at].end();
    };
    std::vector<TermHit> hits;
    std::size_t at = 0;
    while (at < words.size()) {
        // Of the terms starting with any form of this word, the longest that matches.
        std::optional<std::size_t> best;
        for (const std::string& form : forms[at]) {
            const auto candidates = byFirstWord_.find(form);
            if (candidates == byFirstWord_.end())
                continue;
            for (std::size_t index : candidates->second) {
                const Term& term = terms_[index];
                if (at + term.words.size() > words.size() || (best && terms_[*best].words.size() >= term.words.size()))
                    continue;
                std::size_t k = 1;
                while (k < term.words.size() && standsFor(at + k, term.words[k]))
                    ++k;
                if (k == term.words.size()) {
                    best = index;
                    break;  // the list holds the longest first
                }
            }
        }
        if (!best) {
            ++at;
            continue;
        }
        const std::size_t length = terms_[*best].words.size();
        hits.push_back({*best, words[at].begin, words[at + length - 1].end});
        at += length;
    }
    return hits;
}

std::vector<TermHit> TermIndex::find(const std::vector<TextWord>& words) const
{
    std::vector<TermHit> hits;
    std::size_t at = 0;
    while (at < words.size()) {
        const auto candidates = byFirstWord_.find(words[at].folded);
        std::size_t taken = 0;
        if (candidates != byFirstWord_.end()) {
            for (std::size_t index : candidates->second) {
                const Term& term = terms_[index];
                if (at + term.words.size() > words.size())
                    continue;
                std::size_t k = 1;
                while (k < term.words.size() && words[at + k].folded == term.words[k])
                    ++k;
                if (k == term.words.size()) {
                    hits.push_back({index, words[at].begin, words[at + k - 1].end});
                    taken = k;
                    break;
                }
            }
        }
        at += taken ? taken : 1;
    }
    return hits;
}

} // namespace qmk
