// A file's text handed on in blocks as it is made: an export of a large project is written to
// its file while it is produced and never held whole in memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace qmk {

class TextOutput {
public:
    // Takes each full block; false stops the output (the writer then fails).
    using Sink = std::function<bool(std::string_view)>;
    explicit TextOutput(Sink sink, std::size_t blockSize = std::size_t{1} << 16);
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    TextOutput& operator<<(std::string_view text)
    {
        block_.append(text);
        if (block_.size() >= blockSize_)
            handOn();
        return *this;
    }
    TextOutput& operator<<(char c)
    {
        block_.push_back(c);
        if (block_.size() >= blockSize_)
            handOn();
        return *this;
    }
    TextOutput& operator<<(int number) { return *this << std::string_view(std::to_string(number)); }

    // Hands on what is left; false when the sink refused any block.
    bool finish();
    bool failed() const { return failed_; }

private:
    void handOn();

    Sink sink_;
    std::size_t blockSize_;
    std::string block_;
    bool failed_ = false;
};

// An output that collects the whole text into `text` (small files, tests).
TextOutput::Sink appendingTo(std::string& text);

} // namespace qmk
