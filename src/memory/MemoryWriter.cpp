// The memory's writing thread.
#include "memory/MemoryWriter.h"

namespace qmk {

MemoryWriter::MemoryWriter(Open open) : open_(std::move(open)), thread_([this] { run(); }) {}

MemoryWriter::~MemoryWriter()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        tasks_.clear();
        if (memory_)
            memory_->stopAdding();
    }
    wake_.notify_all();
    thread_.join();
}

bool MemoryWriter::offer(std::vector<MemoryUnit>& batch)
{
    {
        std::lock_guard lock(mutex_);
        if (tasks_.size() >= kMostWaiting)
            return false;
        tasks_.push_back({std::move(batch), {}, {}});
    }
    batch.clear();
    wake_.notify_all();
    return true;
}

void MemoryWriter::stampWhenWritten(std::string key, std::string stamp)
{
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back({{}, std::move(key), std::move(stamp)});
    }
    wake_.notify_all();
}

bool MemoryWriter::idle() const
{
    std::lock_guard lock(mutex_);
    return tasks_.empty() && !writing_;
}

std::string MemoryWriter::problem() const
{
    std::lock_guard lock(mutex_);
    return problem_;
}

void MemoryWriter::run()
{
    std::unique_ptr<TranslationMemory> memory;
    try {
        memory = open_();
    } catch (const std::exception& error) {
        std::lock_guard lock(mutex_);
        problem_ = error.what();
    }
    {
        std::lock_guard lock(mutex_);
        memory_ = memory.get();
        if (stop_)
            return;
    }
    for (;;) {
        Task task;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || !tasks_.empty(); });
            if (stop_)
                return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
            writing_ = true;
        }
        std::string failure;
        {
            std::lock_guard lock(mutex_);
            failure = problem_;
        }
        // After a failure the rest is dropped: a stamp then would claim what is not there.
        if (failure.empty() && memory) {
            try {
                if (!task.key.empty())
                    memory->setProjectStamp(task.key, task.stamp);
                else
                    memory->add(task.units);
            } catch (const std::exception& error) {
                failure = error.what();
            }
        }
        std::lock_guard lock(mutex_);
        if (problem_.empty())
            problem_ = failure;
        writing_ = false;
    }
}

} // namespace qmk
