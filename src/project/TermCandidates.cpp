// Counting the labels, words and short phrases of a project's source texts.
#include "project/TermCandidates.h"

#include <algorithm>
#include <array>

#include "memory/TermIndex.h"
#include "project/CQuillDoc.h"

namespace qmk {
namespace {

constexpr std::size_t kLongestPhrase = 3;

constexpr std::array<std::string_view, 64> kStopWords = {
    "a",     "about", "after", "all",   "an",    "and",   "any",   "are",   "as",    "at",    "be",
    "been",  "but",   "by",    "can",   "cannot", "could", "do",   "does",  "for",   "from",  "has",
    "have",  "he",    "her",   "his",   "how",   "i",     "if",    "in",    "into",  "is",    "it",
    "its",   "may",   "more",  "no",    "not",   "of",    "on",    "or",    "our",   "she",   "so",
    "than",  "that",  "the",   "their", "then",  "there", "these", "they",  "this",  "to",    "was",
    "we",    "were",  "what",  "when",  "which", "will",  "with",  "you",   "your"};

bool isNumber(std::string_view word)
{
    return std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The part of a text a label shows: a menu item's accelerator ("\tCtrl+S") and trailing dots
// ("Open...") left out.
std::string_view shownPart(std::string_view text)
{
    const std::size_t tab = std::min(text.find('\t'), text.find("\\t"));
    text = text.substr(0, tab);
    while (!text.empty() && (text.back() == '.' || text.back() == ' ' || text.back() == ':'))
        text.remove_suffix(1);
    return text;
}

std::string withoutAccessKeys(std::string_view text)
{
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '&' && k + 1 < text.size() && text[k + 1] == '&')
            ++k;
        else if (text[k] == '&')
            continue;
        out += text[k];
    }
    return out;
}

bool isLabel(ItemType type)
{
    return type == ItemType::MenuItem || type == ItemType::PopupMenu || type == ItemType::DialogCaption;
}

} // namespace

bool isStopWord(std::string_view word)
{
    return std::binary_search(kStopWords.begin(), kStopWords.end(), word);
}

void TermCandidateCounter::count(const std::string& key, std::string surface, bool label)
{
    const auto [found, added] = byKey_.emplace(key, counted_.size());
    if (added)
        counted_.push_back({{std::move(surface), 0, false}, -1});
    Counted& entry = counted_[found->second];
    // A label writes the term as the program shows it ("Game", not the "game" of a sentence).
    if (!added && label && !entry.candidate.label)
        entry.candidate.text = std::move(surface);
    entry.candidate.label = entry.candidate.label || label;
    if (entry.lastText != texts_) {
        entry.lastText = texts_;
        ++entry.candidate.count;
    }
}

void TermCandidateCounter::add(std::string_view text, ItemType type)
{
    ++texts_;
    const std::string_view shown = shownPart(text);
    const std::vector<TextWord> words = textWords(shown);
    if (words.empty())
        return;
    if (isLabel(type) && words.size() <= kLongestPhrase + 1) {
        std::string key;
        for (const TextWord& word : words)
            key += (key.empty() ? "" : " ") + word.folded;
        count(key, withoutAccessKeys(shown.substr(words.front().begin, words.back().end - words.front().begin)), true);
    }
    for (std::size_t first = 0; first < words.size(); ++first) {
        if (isStopWord(words[first].folded) || isNumber(words[first].folded) || words[first].folded.size() < 2)
            continue;
        std::string key;
        for (std::size_t last = first; last < words.size() && last < first + kLongestPhrase; ++last) {
            if (isNumber(words[last].folded))
                break;
            key += (key.empty() ? "" : " ") + words[last].folded;
            if (isStopWord(words[last].folded))
                continue;
            count(key, withoutAccessKeys(shown.substr(words[first].begin, words[last].end - words[first].begin)), false);
        }
    }
}

std::vector<TermCandidate> TermCandidateCounter::candidates(int minimumCount) const
{
    std::vector<TermCandidate> list;
    for (const Counted& entry : counted_)
        if (entry.candidate.label || entry.candidate.count >= minimumCount)
            list.push_back(entry.candidate);
    std::stable_sort(list.begin(), list.end(), [](const TermCandidate& a, const TermCandidate& b) {
        if (a.count != b.count)
            return a.count > b.count;
        return a.text < b.text;
    });
    return list;
}

std::vector<TermCandidate> projectTermCandidates(CQuillDoc& doc, int minimumCount)
{
    TermCandidateCounter counter;
    const TextTableRows& rows = doc.rows();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const CObjectData& item = rows.item(row);
        if (item.excluded || item.itemType == ItemType::BlockHeader || item.itemType == ItemType::IncludeStatement)
            continue;
        counter.add(rows.passingDisplayText(row, TextTableColumns::SourceColumn), item.itemType);
    }
    return counter.candidates(minimumCount);
}

} // namespace qmk
