// Lookups in a shared translation memory away from the window's thread: a server may answer
// slowly, and the window must not wait for it. The lookups use a connection of their own, made
// on their thread; a newer request supersedes the ones still waiting, and an answer that is no
// longer wanted is dropped.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "project/MemorySuggestions.h"

namespace qmk {

class CMemoryLookup : public QObject {
    Q_OBJECT
public:
    explicit CMemoryLookup(std::string location, QObject* parent = nullptr);
    ~CMemoryLookup() override;

    // Looks the query up; the answer comes by found() or failed() unless another request or
    // drop() comes first.
    void request(MemoryQuery query, int minimumScore);
    // Nothing asked so far is answered any more.
    void drop() { ++latest_; }

signals:
    void found(const std::vector<qmk::MemorySuggestion>& suggestions);
    void failed(const QString& why);

private:
    void lookUp(std::uint64_t generation, const MemoryQuery& query, int minimumScore);
    void answer(std::uint64_t generation, const std::vector<MemorySuggestion>& suggestions, const QString& why);

    std::string location_;
    QThread thread_;
    QObject* worker_;  // lives on thread_; what it runs uses memory_
    std::unique_ptr<TranslationMemory> memory_;
    std::atomic<std::uint64_t> latest_{0};
};

} // namespace qmk
