// What the project's exports to platforms and workbooks sent: per export, under the id written
// into its file, the language and, per text, the translation and review flag as the file held
// them. An import of the file coming back tells by it what changed on the platform and what
// changed here since. The tables are made by the first export, so older projects and older
// programs never see them; the newest exports of each language are kept.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "database/DatabasePart.h"

namespace qmk {

struct SentText {
    int lineIndex = -1;
    std::string text;  // as the file held it (UTF-8)
    bool needsReview = false;
};

class ProjectExports : public DatabasePart {
public:
    using DatabasePart::DatabasePart;

    // How many exports of one language are remembered: a platform rarely sends back a file
    // older than that.
    static constexpr int KeptPerLanguage = 20;

    // Records one export (replacing an export of the same id) and forgets the oldest ones of
    // its language beyond those kept. `written` is the export's time (seconds since 1970).
    void record(const std::string& exportId, LanguageId language, long long written, const std::vector<SentText>& sent);
    // Whether an export of this id was made of the language.
    bool knows(const std::string& exportId, LanguageId language);
    // What the export sent, by line index; empty for an unknown export.
    std::unordered_map<int, SentText> sent(const std::string& exportId);

    // A database export carries the record: its tables are made where the source has them,
    // and what was sent of a translation left behind goes.
    void createTablesNamed(const std::vector<std::string>& tables);
    void forgetLanguage(LanguageId language);

private:
    bool exists();
};

} // namespace qmk
