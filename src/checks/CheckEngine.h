// Runs the quality checks over a translation: every text, one item, or the texts an import
// stored. A finding names its check, the item as the Text Table knows it (its LineIndex) and
// where the item stands in the source script, so the window, the batch and the imports list
// the same findings. Checks switched off in the project and findings let stand are left out.
#pragma once

#include <future>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "checks/CheckCatalogue.h"
#include "database/ProjectRows.h"
#include "project/ItemTypes.h"
#include "project/ScriptLocations.h"
#include "project/SlicedJob.h"
#include "project/TextFit.h"

namespace qmk {

class CQuillDoc;
class TermIndex;
struct PreviewControl;

struct CheckFinding {
    std::string check;  // the check's id
    CheckSeverity severity = CheckSeverity::Warning;
    int lineIndex = -1;
    LanguageId language;
    ItemType itemType = ItemType::None;
    std::string resource;  // the dialog, menu or version resource; "STRINGTABLE" for strings
    std::string ident;     // the Text Table's Id
    std::string file;      // the script, or the included file the item stands in
    int line = 0;          // the item's line there (0 when the script cannot be read)
    std::string message;
    bool operator==(const CheckFinding&) const = default;
};

class TranslationChecks {
public:
    // `metrics` measure the fit check (the window passes its fonts' measure).
    TranslationChecks(CQuillDoc& doc, LanguageId language, TextMetrics metrics = approximateTextMetrics());
    ~TranslationChecks();

    // Every text of the translation, in script order. May throw DaoException.
    std::vector<CheckFinding> run();
    // The texts given (clashes are looked for in their whole dialog or menu), in script order.
    std::vector<CheckFinding> run(const std::vector<int>& lineIndexes);
    // The texts whose findings a change of the given ones can change: every text of their
    // dialogs and menus (access keys clash there), and strings on their own.
    std::vector<int> linesAround(const std::vector<int>& lineIndexes);

    // Findings let stand are listed too (the window's "show ignored").
    void setWithIgnored(bool with) { withIgnored_ = with; }
    // The glossary's terms of the translation's language for the term check. A project that has
    // not switched that check has it on once it has a glossary with terms to check.
    void useGlossary(std::shared_ptr<const TermIndex> terms);
    // The places of the items are read from the script once; a source update changes them.
    void forgetLocations() { locations_.reset(); }
    // Findings without the file and line of their item (the window shows neither): the script
    // is not read again for them, nor are its places kept.
    void leaveOutPlaces() { places_ = false; }

    struct Prepared;
    // Every text of the translation in slices, as run() checks them: step() until it is done,
    // then take the findings. The checks must outlive it.
    class Run : public SlicedJob {
    public:
        explicit Run(TranslationChecks& checks);
        ~Run() override;
        JobProgress step(Budget budget) override;
        std::vector<CheckFinding> takeFindings();

    private:
        struct State;
        void place();
        TranslationChecks& checks_;
        std::unique_ptr<State> state_;
        // The script's places, read on a thread of their own (a large script takes a while).
        std::future<ScriptLocations> locations_;
    };

private:
    using DialogFits = std::map<int, std::map<int, PreviewControl>>;
    class Decoder;
    std::vector<CheckFinding> runOver(std::vector<Prepared>& texts, const std::set<int>* only);
    void checkText(const Prepared& text, std::vector<CheckFinding>& out);
    void checkClashes(std::span<const Prepared> texts, const std::set<int>* only, std::vector<CheckFinding>& out);
    void checkFit(const std::vector<Prepared>& texts, const std::set<int>* only, std::vector<CheckFinding>& out);
    // The texts [from, to) of the fit check, the dialogs' layouts kept in `dialogs`.
    void checkFitOf(const std::vector<Prepared>& texts, std::size_t from, std::size_t to, const std::set<int>* only,
                    DialogFits& dialogs, std::vector<CheckFinding>& out);
    static void sortFindings(std::vector<std::pair<int, int>> lines, std::vector<CheckFinding>& findings);
    std::optional<std::string> codePageProblem(const Prepared& text) const;
    Prepared prepare(const CheckTextRow& row) const;
    void add(const Prepared& text, std::string_view check, std::string message, std::vector<CheckFinding>& out);
    bool enabled(std::string_view check) const { return enabled_.count(std::string(check)) != 0; }
    ScriptLocation locationOf(int line);

    CQuillDoc& doc_;
    LanguageId language_;
    TextMetrics metrics_;
    int sourceCodePage_ = 1252;
    int encoding_ = 1252;
    int textCodePage_ = 1252;
    std::set<std::string> enabled_;
    std::shared_ptr<const TermIndex> terms_;
    std::set<std::pair<int, std::string>> ignored_;
    bool withIgnored_ = false;
    std::optional<ScriptLocations> locations_;
    bool places_ = true;
    bool placesLater_ = false;  // while a sliced run steps: findings keep the stored line, placed at its end
    std::unique_ptr<Decoder> sourceDecoder_;
    std::unique_ptr<Decoder> translationDecoder_;
};

// A finding as compilers write theirs, so that editors and build logs lead to it:
// "<file>:<line>: warning: [<check>] <resource> <Id>: <message>" ("note" for information).
std::string compilerStyleLine(const CheckFinding& finding);

// The texts an import stores, checked: made before the import, asked after it, it checks the
// translations the import changed or added.
class ImportedTextsCheck {
public:
    ImportedTextsCheck(CQuillDoc& doc, LanguageId language);
    std::vector<CheckFinding> findings();

private:
    CQuillDoc& doc_;
    LanguageId language_;
    std::unordered_map<int, std::string> before_;
};

// The checks of the project that are switched on (stored in the project; at first those the
// catalogue has on).
std::vector<std::string> enabledChecks(CQuillDoc& doc);

// The labels of one window or one menu ("&File", "Sea&rch") that share an access key, as pairs of
// indexes, the later label second; keys compared as the mnemonic-clash check compares them.
std::vector<std::pair<std::size_t, std::size_t>> accessKeyClashes(const std::vector<std::string>& labels);

} // namespace qmk
