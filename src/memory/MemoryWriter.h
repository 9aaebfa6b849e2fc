// Adds units to a translation memory on a thread of its own, through a connection of its own,
// so that a large feed (each transaction also merges the full-text index) never holds up the
// thread that hands the units over. Only a few batches wait at a time.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "memory/TranslationMemory.h"

namespace qmk {

class MemoryWriter {
public:
    using Open = std::function<std::unique_ptr<TranslationMemory>()>;
    // `open` runs on the writer's thread.
    explicit MemoryWriter(Open open);
    // Gives up the batches that wait, and the one being written where the memory can stop
    // within a transaction (the embedded store can: nothing of that batch stays).
    ~MemoryWriter();
    MemoryWriter(const MemoryWriter&) = delete;
    MemoryWriter& operator=(const MemoryWriter&) = delete;

    // Takes the batch (leaving it empty) unless enough batches wait already: false then, and
    // the batch is left as it was, to be offered again.
    bool offer(std::vector<MemoryUnit>& batch);
    // Sets the stamp of `key` once every batch offered before it is written (and none failed).
    void stampWhenWritten(std::string key, std::string stamp);
    // Nothing waits and nothing is being written.
    bool idle() const;
    // The first failure (opening or writing the memory); empty while there is none.
    std::string problem() const;

    static constexpr std::size_t kMostWaiting = 3;

private:
    struct Task {
        std::vector<MemoryUnit> units;
        std::string key;  // with a stamp: the stamp to set
        std::string stamp;
    };
    void run();

    Open open_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Task> tasks_;
    bool writing_ = false;
    TranslationMemory* memory_ = nullptr;  // the writer thread's, while it runs
    bool stop_ = false;
    std::string problem_;
    std::thread thread_;
};

} // namespace qmk
