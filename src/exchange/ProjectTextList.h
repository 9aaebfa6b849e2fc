// The project's texts as an import compares a file's units with them: per text its id (the one
// exports write), its place, its source and translation in the platform form. The characters are
// kept once in one store instead of as a full unit per text: an import of 150,000 units holds all
// of them at once, beside what it reads.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/ProjectRows.h"
#include "project/ItemTypes.h"

namespace qmk {

class CQuillDoc;

// Characters kept for as long as the store lives, in large blocks: a view it gives out stays
// valid, whatever is kept after it.
class TextArena {
public:
    std::string_view keep(std::string_view text);

private:
    static constexpr std::size_t kBlockBytes = 1 << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = kBlockBytes;  // of the last block
};

// The ids exports give the texts: the item type, the resource and the item's Id, blanks as
// underscores; texts that share all three are told apart by their order ("#2", "#3"), which a
// source update keeps. Counted by the first text's id, which the caller keeps where it stays.
class UnitIds {
public:
    explicit UnitIds(std::size_t expected) { seen_.reserve(expected); }
    // The id of the next text; `first` says whether no text before had it, and then the caller
    // gives the kept id to remember().
    std::string next(std::string_view itemType, std::string_view resource, std::string_view ident, bool& first);
    void remember(std::string_view keptId) { seen_.emplace(keptId, 1); }

private:
    std::unordered_map<std::string_view, int> seen_;
};

struct ProjectText {
    int lineIndex = -1;
    ItemType type = ItemType::None;
    bool needsReview = false;
    std::string_view id;
    std::string_view itemType;  // the display name, as a file's units carry it
    std::string_view resource;  // the owning dialog, menu or version resource; empty for others
    std::string_view ident;     // the Text Table's Id
    std::string_view source;
    std::string_view target;    // empty when untranslated
};

class ProjectTextList {
public:
    // The texts of the Text Table's rows (excluded ones left out) with the translation of
    // `language`, in the Text Table's order; none when the project has no such translation.
    // May throw DaoException.
    ProjectTextList(CQuillDoc& doc, LanguageId language);
    ProjectTextList(const ProjectTextList&) = delete;
    ProjectTextList& operator=(const ProjectTextList&) = delete;

    const std::vector<ProjectText>& texts() const { return texts_; }
    std::size_t indexOf(const ProjectText& text) const { return static_cast<std::size_t>(&text - texts_.data()); }

private:
    TextArena arena_;
    std::vector<ProjectText> texts_;
};

} // namespace qmk
