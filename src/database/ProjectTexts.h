// The project's lines and texts by line key: source texts, translations, Exclude, and the
// passes the writer and the Text Table make over every line.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/DatabasePart.h"

namespace qmk {

class ProjectTexts : public DatabasePart {
public:
    using DatabasePart::DatabasePart;

    int textCount();
    std::optional<TextRow> text(int lineIndex);
    std::optional<TranslatedText> translation(int lineIndex, LanguageId language);
    bool setTranslation(int lineIndex, LanguageId language, std::string_view text, bool modified);
    std::string sourceTextOld(int lineIndex);
    std::optional<bool> exclude(int lineIndex);
    bool setExclude(int lineIndex, bool excluded);
    std::optional<LineValues> lineValues(int lineIndex);
    std::optional<int> lineKind(int lineIndex);
    std::vector<int> allLineIndexes();

    // Writer: every line in script order, and every text in the same order (join by lineIndex).
    void forEachScriptLine(const std::function<void(const LineRow&)>& visit);
    // The script's lines of one kind, in script order.
    std::vector<LineRow> scriptLinesOfKind(int lineKind);
    void forEachTextInLineOrder(const std::function<void(const TextRow&)>& visit);
    // Writer, one pass: every line in script order with its own text and one translation of
    // it. The views are valid during the call only. False when the language has no column.
    struct WriterRow {
        int lineKind = 0;
        std::string_view beforeStr, behindStr;
        bool hasText = false;
        bool exclude = false;
        std::string_view sourceText, translation;
        std::string_view asWritten;  // the literals a joined text stood in, as written; else empty
    };
    bool forEachLineWithTranslation(LanguageId language, const std::function<void(const WriterRow&)>& visit);
    // Text Table: every text with its line kind and all translations, in script order.
    std::vector<TextRow> allTextsWithLineKind();
    // Data strings not yet written by the running update, in script order (lineKind set, no translations).
    std::vector<TextRow> dataStringTexts();
    // The same texts with their item identifiers and dialogs, in script order (the old source
    // texts are not read). The visitor may take the record's texts: each record is read afresh.
    void forEachTextTableRecord(const std::function<void(TextTableRecord&)>& visit);
};

} // namespace qmk
