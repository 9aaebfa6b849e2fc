// Block-wise output of an export's text.
#include "exchange/TextOutput.h"

#include <utility>

namespace qmk {

TextOutput::TextOutput(Sink sink, std::size_t blockSize) : sink_(std::move(sink)), blockSize_(blockSize)
{
    block_.reserve(blockSize_ + 256);
}

void TextOutput::handOn()
{
    // After a refused block nothing more is handed on: the file is given up as a whole.
    if (!failed_ && !block_.empty() && !sink_(block_))
        failed_ = true;
    block_.clear();
}

bool TextOutput::finish()
{
    handOn();
    return !failed_;
}

TextOutput::Sink appendingTo(std::string& text)
{
    return [&text](std::string_view block) {
        text.append(block);
        return true;
    };
}

} // namespace qmk
