// Terms a project's glossary may want: its menu and popup texts, its dialog captions, and the
// words and short phrases (one to three words) its source texts repeat, leaving out access-key
// marks, accelerators, numbers and phrases that start or end with a stop word ("the", "of").
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "project/ItemTypes.h"

namespace qmk {

class CQuillDoc;

struct TermCandidate {
    std::string text;  // as the first text holding it writes it, without its access key
    int count = 0;     // texts holding it
    bool label = false;  // a menu or popup text or a dialog caption
};

class TermCandidateCounter {
public:
    // Counts one source text (UTF-8) of the given item type.
    void add(std::string_view text, ItemType type);
    // Labels whatever their count, and the words and phrases of at least `minimumCount` texts;
    // the most frequent first, then alphabetically.
    std::vector<TermCandidate> candidates(int minimumCount) const;

private:
    void count(const std::string& key, std::string surface, bool label);
    struct Counted {
        TermCandidate candidate;
        int lastText = -1;  // each text counts once
    };
    std::vector<Counted> counted_;
    std::unordered_map<std::string, std::size_t> byKey_;
    int texts_ = 0;
};

// Whether an English word is too common to be a term by itself ("the", "and", "of", ...).
bool isStopWord(std::string_view foldedWord);

// The candidates of the project's source texts.
std::vector<TermCandidate> projectTermCandidates(CQuillDoc& doc, int minimumCount);

} // namespace qmk
