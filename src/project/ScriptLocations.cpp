// Reading a script again for the places of its lines.
#include "project/ScriptLocations.h"

#include "parser/LineSink.h"
#include "parser/LoadLoop.h"
#include "parser/ScriptParser.h"
#include "resources/Feedback.h"

namespace qmk {
namespace {

// Asks the loop that calls it which file the line comes from.
class LocationSink : public LineSink {
public:
    explicit LocationSink(ScriptLocations& places) : places_(places) {}
    void setLoop(const LoadLoop& loop) { loop_ = &loop; }
    void store(const ParsedLine&, const ScriptParser& parser, int lineNumber) override
    {
        places_.add(lineNumber, loop_->currentFile(), parser.physicalLine());
    }

private:
    ScriptLocations& places_;
    const LoadLoop* loop_ = nullptr;
};

} // namespace

ScriptLocations::ScriptLocations(const std::filesystem::path& script, const std::vector<std::string>& includeExtensions)
{
    SilentFeedback quiet;
    LocationSink sink(*this);
    LoadLoop loop(sink, includeExtensions, quiet);
    sink.setLoop(loop);
    if (loop.run(script) != 0) {
        files_.clear();
        places_.clear();
    }
}

ScriptLocation ScriptLocations::find(int storedLine) const
{
    if (storedLine < 0 || static_cast<std::size_t>(storedLine) >= places_.size())
        return {};
    const auto [file, line] = places_[static_cast<std::size_t>(storedLine)];
    return file < 0 ? ScriptLocation{} : ScriptLocation{&files_[static_cast<std::size_t>(file)], line};
}

void ScriptLocations::add(int storedLine, const std::filesystem::path& file, int line)
{
    if (storedLine < 0)
        return;
    if (current_ < 0 || files_[static_cast<std::size_t>(current_)] != file) {
        current_ = 0;
        while (static_cast<std::size_t>(current_) < files_.size() && files_[static_cast<std::size_t>(current_)] != file)
            ++current_;
        if (static_cast<std::size_t>(current_) == files_.size())
            files_.push_back(file);
    }
    if (places_.size() <= static_cast<std::size_t>(storedLine))
        places_.resize(static_cast<std::size_t>(storedLine) + 1 + places_.size() / 2, {-1, 0});
    places_[static_cast<std::size_t>(storedLine)] = {current_, line};
}

} // namespace qmk
