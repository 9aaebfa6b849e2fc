// What the quality checks read and keep in a project: the texts with their items and script
// lines, the findings a translator let stand and the checks switched off. The two tables of the
// last are made when first written, so older projects and older programs never see them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/DatabasePart.h"

namespace qmk {

class ProjectChecks : public DatabasePart {
public:
    using DatabasePart::DatabasePart;

    // Every text with its translation in `language`, in script order; false (nothing visited)
    // when the language has no column.
    bool forEachText(LanguageId language, const std::function<void(const CheckTextRow&)>& visit);
    // At most `count` texts in script order after the one at `line` and `lineIndex` (a text
    // read before); nothing when the language has no column. Pages of a read in slices.
    std::vector<CheckTextRow> textsAfter(LanguageId language, int line, int lineIndex, int count);
    // The texts of one dialog, menu or version resource (by its line key).
    std::vector<CheckTextRow> textsOf(int ownerLine, LanguageId language);
    std::optional<CheckTextRow> text(int lineIndex, LanguageId language);

    std::vector<IgnoredFinding> ignoredFindings();
    // True when the state changed.
    bool setIgnored(const IgnoredFinding& finding, bool ignored);

    // Makes those of the tables made on first write that `tables` names (a copied project's).
    void createTablesNamed(const std::vector<std::string>& tables);
    // Forgets the findings let stand in a translation that is gone.
    void forgetLanguage(LanguageId language);

    // The stored on/off state of each check named so far (checks not named are on).
    std::unordered_map<std::string, bool> checkSettings();
    void setCheckEnabled(std::string_view check, bool enabled);

private:
    std::optional<Statement> textQuery(std::string_view name, LanguageId language);
};

} // namespace qmk
