// Reading a script again for the places of its lines.
#include "project/ScriptLocations.h"

#include "parser/LineSink.h"
#include "parser/LoadLoop.h"
#include "parser/ScriptParser.h"
#include "resources/Feedback.h"

namespace qmk {
namespace {

class LocationSink : public LineSink {
public:
    explicit LocationSink(std::unordered_map<int, ScriptLocation>& places) : places_(places) {}
    void setLoop(const LoadLoop* loop) { loop_ = loop; }
    void store(const ParsedLine&, const ScriptParser& parser, int lineNumber) override
    {
        places_[lineNumber] = {loop_->currentFile(), parser.physicalLine()};
    }

private:
    std::unordered_map<int, ScriptLocation>& places_;
    const LoadLoop* loop_ = nullptr;
};

} // namespace

std::unordered_map<int, ScriptLocation> scriptLocations(const std::filesystem::path& script,
                                                       const std::vector<std::string>& includeExtensions)
{
    std::unordered_map<int, ScriptLocation> places;
    LocationSink sink(places);
    SilentFeedback quiet;
    LoadLoop loop(sink, includeExtensions, quiet);
    sink.setLoop(&loop);
    if (loop.run(script) != 0)
        places.clear();
    return places;
}

} // namespace qmk
