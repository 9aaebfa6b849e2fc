// Lookups in a shared translation memory on a thread of their own.
#include "ui/CMemoryLookup.h"

#include "memory/TranslationMemory.h"

namespace qmk {

CMemoryLookup::CMemoryLookup(std::string location, QObject* parent)
    : QObject(parent), location_(std::move(location)), worker_(new QObject)
{
    thread_.setObjectName(QStringLiteral("memory lookups"));
    worker_->moveToThread(&thread_);
    thread_.start();
}

CMemoryLookup::~CMemoryLookup()
{
    drop();
    thread_.quit();
    thread_.wait();  // at most the lookup under way; what waits behind it is dropped
    delete worker_;
}

void CMemoryLookup::request(MemoryQuery query, int minimumScore)
{
    const std::uint64_t generation = ++latest_;
    QMetaObject::invokeMethod(
        worker_, [this, generation, query = std::move(query), minimumScore] { lookUp(generation, query, minimumScore); },
        Qt::QueuedConnection);
}

// On the lookup thread.
void CMemoryLookup::lookUp(std::uint64_t generation, const MemoryQuery& query, int minimumScore)
{
    if (generation != latest_)
        return;  // the selection has moved on
    std::vector<MemorySuggestion> suggestions;
    QString why;
    try {
        if (!memory_)
            memory_ = openTranslationMemory(location_);
        suggestions = memorySuggestions(query, *memory_, minimumScore);
    } catch (const std::exception& error) {
        memory_.reset();  // a broken connection is made anew for the next lookup
        why = QString::fromUtf8(error.what());
    }
    QMetaObject::invokeMethod(
        this, [this, generation, suggestions = std::move(suggestions), why] { answer(generation, suggestions, why); },
        Qt::QueuedConnection);
}

// On the window's thread.
void CMemoryLookup::answer(std::uint64_t generation, const std::vector<MemorySuggestion>& suggestions,
                           const QString& why)
{
    if (generation != latest_)
        return;
    if (why.isEmpty())
        emit found(suggestions);
    else
        emit failed(why);
}

} // namespace qmk
