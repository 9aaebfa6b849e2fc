// An XLIFF or PO import, fed the file's units one at a time as they are read: each is placed and
// judged at once, and only what is to be stored (the bytes, in one store of characters) and
// what is to be reported stays; the file's units and the project's texts are never held side
// by side as full units. Units placed by their source alone wait until the whole file was read
// (a later unit may name their texts). Nothing is stored before finish().
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "exchange/GettextMatching.h"
#include "exchange/PlatformExchange.h"
#include "exchange/ProjectTextList.h"

namespace qmk {

class ExchangeImport {
public:
    // Reads what the export the choices name sent and the project's texts of the translation;
    // when the database fails that is reported, and ready() is false.
    ExchangeImport(CQuillDoc& doc, LanguageId language, const ImportChoices& choices);
    ~ExchangeImport();
    ExchangeImport(const ExchangeImport&) = delete;
    ExchangeImport& operator=(const ExchangeImport&) = delete;

    bool ready() const { return placer_ != nullptr; }
    // The file's next unit.
    void add(const ExchangeUnit& unit);
    void add(ExchangeUnit&& unit);
    std::size_t unitsAdded() const { return added_; }
    // Settles the waiting units, asks about the translations a file of no known export would
    // replace, and stores everything accepted in one transaction (or nothing).
    ExchangeImportResult finish();

private:
    struct Store {
        int lineIndex;
        bool flagged;
        bool imported;  // false: the project's own text flagged for a conflict
        std::string_view bytes;
    };
    void judge(std::size_t at, const ExchangeUnit& unit, const UnitPlacement& placement);
    void judgeAgainst(std::size_t at, const ExchangeUnit& unit, const UnitPlacement& placement, const std::string& target,
                   const ProjectText& text);
    void refuse(std::size_t at, std::string id, std::string reason);
    bool storeAll(const std::vector<Store>& stores);

    CQuillDoc& doc_;
    LanguageId language_;
    ImportChoices choices_;
    int codePage_ = 0;
    std::unordered_map<int, SentText> sent_;
    std::unique_ptr<ProjectTextList> project_;
    std::unique_ptr<UnitPlacer> placer_;
    std::size_t added_ = 0;
    // Units placed by source alone, with their place in the file.
    std::vector<std::pair<std::size_t, ExchangeUnit>> waiting_;
    std::vector<UnitPlacement> waitingPlacements_;
    TextArena bytes_;  // what the stores write
    std::vector<Store> stores_;
    std::vector<Store> keptStores_;  // what an overwrite would store over the kept translations
    int unchanged_ = 0, unchangedOnPlatform_ = 0, replaced_ = 0;
    // By the unit's place in the file: waiting units report after the others.
    std::vector<std::pair<std::size_t, RefusedUnit>> refused_;
    std::vector<std::pair<std::size_t, ImportDisagreement>> conflicts_, kept_;
};

} // namespace qmk
