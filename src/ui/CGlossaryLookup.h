// Glossary lookups away from the window's thread: a team's glossary server may answer slowly,
// and a large embedded glossary takes a moment to index. The lookups and additions run on a
// thread of their own with their own connection; a newer request supersedes the ones still
// waiting, and an answer no longer wanted is dropped.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "project/GlossaryLookup.h"

namespace qmk {

class CGlossaryLookup : public QObject {
    Q_OBJECT
public:
    // `glossaryLocation` as openGlossary takes it; `dictionaries` is the spelling dictionaries' folder.
    explicit CGlossaryLookup(std::string glossaryLocation, std::filesystem::path dictionaries = "/usr/share/hunspell",
                             QObject* parent = nullptr);
    ~CGlossaryLookup() override;

    // Looks the query up; the answer comes by found() or failed() unless another request or
    // drop() comes first.
    void request(GlossaryQuery query);
    // Nothing asked so far is answered any more.
    void drop() { ++latest_; }
    // Stores the entry; added() or failed() tells how it went.
    void add(GlossaryEntry entry);

signals:
    void found(const std::vector<qmk::GlossaryMatch>& matches);
    void failed(const QString& why);
    void added(const QString& term);

private:
    void lookUp(std::uint64_t generation, const GlossaryQuery& query);
    void answer(std::uint64_t generation, const std::vector<GlossaryMatch>& matches, const QString& why);

    QThread thread_;
    QObject* worker_;                         // lives on thread_; what it runs uses lookup_
    std::unique_ptr<GlossaryLookup> lookup_;  // used on thread_ only
    std::atomic<std::uint64_t> latest_{0};
};

} // namespace qmk
