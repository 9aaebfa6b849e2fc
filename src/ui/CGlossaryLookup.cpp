// Glossary lookups on a thread of their own.
#include "ui/CGlossaryLookup.h"

namespace qmk {

CGlossaryLookup::CGlossaryLookup(std::string glossaryLocation, std::filesystem::path dictionaries, QObject* parent)
    : QObject(parent), worker_(new QObject),
      lookup_(std::make_unique<GlossaryLookup>(std::move(glossaryLocation), std::move(dictionaries)))
{
    thread_.setObjectName(QStringLiteral("glossary lookups"));
    worker_->moveToThread(&thread_);
    thread_.start();
}

CGlossaryLookup::~CGlossaryLookup()
{
    drop();
    thread_.quit();
    thread_.wait();  // at most the lookup under way; what waits behind it is dropped
    delete worker_;
}

void CGlossaryLookup::request(GlossaryQuery query)
{
    const std::uint64_t generation = ++latest_;
    QMetaObject::invokeMethod(
        worker_, [this, generation, query = std::move(query)] { lookUp(generation, query); }, Qt::QueuedConnection);
}

void CGlossaryLookup::add(GlossaryEntry entry)
{
    QMetaObject::invokeMethod(
        worker_,
        [this, entry = std::move(entry)] {
            QString why;
            try {
                lookup_->add(entry);
            } catch (const std::exception& error) {
                why = QString::fromUtf8(error.what());
            }
            const QString term = QString::fromStdString(entry.term);
            QMetaObject::invokeMethod(
                this, [this, term, why] { why.isEmpty() ? emit added(term) : emit failed(why); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

// On the lookup thread.
void CGlossaryLookup::lookUp(std::uint64_t generation, const GlossaryQuery& query)
{
    if (generation != latest_)
        return;  // the selection has moved on
    std::vector<GlossaryMatch> matches;
    QString why;
    try {
        matches = lookup_->lookup(query);
    } catch (const std::exception& error) {
        why = QString::fromUtf8(error.what());
    }
    QMetaObject::invokeMethod(
        this, [this, generation, matches = std::move(matches), why] { answer(generation, matches, why); },
        Qt::QueuedConnection);
}

// On the window's thread.
void CGlossaryLookup::answer(std::uint64_t generation, const std::vector<GlossaryMatch>& matches, const QString& why)
{
    if (generation != latest_)
        return;
    if (why.isEmpty())
        emit found(matches);
    else
        emit failed(why);
}

} // namespace qmk
