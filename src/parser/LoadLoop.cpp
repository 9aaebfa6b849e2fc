// The load loop over a script and its followed includes.
#include "parser/LoadLoop.h"

#include <algorithm>
#include <utility>

#include "parser/LineKindGroups.h"
#include "parser/LineSink.h"
#include "parser/ParsedLine.h"
#include "parser/ParserError.h"
#include "parser/ScriptParser.h"
#include "resources/Feedback.h"
#include "resources/FileNames.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

// Progress is reported each time another 3 % of the input has been read.
constexpr int kProgressPercentStep = 3;
// Deeper include chains than this are taken for a cycle the path test missed.
constexpr std::size_t kMaxIncludeDepth = 32;
// Files that include one another several times (without a cycle) multiply: a few kilobytes
// could expand beyond any memory. Real projects stay far below both bounds.
constexpr int kMaxIncludeExpansions = 10000;
constexpr long long kMaxIncludedBytes = 256LL << 20;

long long fileSize(const std::filesystem::path& p)
{
    std::error_code ec;
    auto size = std::filesystem::file_size(p, ec);
    return ec ? 0 : static_cast<long long>(size);
}

// A text the project offers for translation (include names and bitmaps start out excluded).
bool offersText(const ParsedLine& line)
{
    if (line.action != toInt(LineAction::String))
        return false;
    switch (static_cast<LineKind>(line.kind)) {
    case LineKind::Include: case LineKind::RcInclude: case LineKind::Bitmap: case LineKind::TextIncludeData:
        return false;
    default:
        return true;
    }
}

} // namespace

// Script include names are Windows paths: "res\\about.dlg" or "res\about.dlg".
std::filesystem::path includePath(const std::filesystem::path& includingFile, std::string_view name)
{
    std::string local;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\') {
            while (i + 1 < name.size() && name[i + 1] == '\\')
                ++i;
            local += '/';
        } else {
            local += name[i];
        }
    }
    std::filesystem::path p(local);
    if (p.is_relative())
        p = includingFile.parent_path() / p;
    return resolveCase(p.lexically_normal());
}

LoadLoop::LoadLoop(LineSink& sink, std::vector<std::string> includeExtensions, Feedback& feedback)
    : sink_(sink), extensions_(std::move(includeExtensions)), feedback_(&feedback)
{
}

std::vector<LanguageTexts> LoadLoop::countTexts(const std::filesystem::path& script)
{
    std::vector<LanguageTexts> counts;
    SilentFeedback quiet;
    Feedback* const feedback = std::exchange(feedback_, &quiet);
    const std::vector<std::string> missing = missing_;
    counts_ = &counts;
    languages_ = {};
    readScript(script);
    counts_ = nullptr;
    feedback_ = feedback;
    missing_ = missing;
    return counts;
}

int LoadLoop::run(const std::filesystem::path& script)
{
    if (rule_.kind == SourceLanguageRule::Kind::MostTexts)
        rule_ = ruleOfMostTexts(countTexts(script));
    languages_ = {};
    if (rule_.kind == SourceLanguageRule::Kind::Named)
        languages_.setSource(rule_.language);
    return readScript(script);
}

int LoadLoop::readScript(const std::filesystem::path& script)
{
    total_ = fileSize(script);
    expansions_ = 0;
    included_.clear();
    skippedFiles_.clear();
    notes_.clear();
    done_ = 0;
    budget_ = total_ * kProgressPercentStep / 100;
    return loadFile(script, 0);
}

int LoadLoop::loadFile(const std::filesystem::path& file, int startLine)
{
    LineCounter& counter = counter_;
    ScriptParser parser(counter);
    if (int code = parser.loadFile(file); code != 0) {
        ParserError::report(*feedback_, code, parser.errorLocation(file.string()));
        return code;
    }
    counter.value = startLine;
    if (open_.empty())
        scriptEncoding_ = parser.encoding();
    open_.insert(std::filesystem::weakly_canonical(file));
    const std::filesystem::path including = std::exchange(current_, file);
    int result = readLines(parser, file);
    current_ = including;
    open_.erase(std::filesystem::weakly_canonical(file));
    return result;
}

int LoadLoop::readLines(ScriptParser& parser, const std::filesystem::path& file)
{
    parser.reset();
    while (!parser.atEnd()) {
        ParsedLine line(parser);
        if (line.error < 0) {
            ParserError::report(*feedback_, line.error, parser.errorLocation(file.string()));
            return line.error;
        }
        reportProgress(line.text.size());
        if (line.kind == toInt(LineKind::EndOfInput))
            break;
        if (line.kind == toInt(LineKind::CodePage))
            notePragma(parser, file);
        if (isIncludeKind(line.kind) && followsInclude(parser.includeName())) {
            const int lineOfInclude = counter_.value;
            const int result = loadInclude(file, parser.physicalLine(), parser.includeName());
            if (result == 0) {
                // The included file's own end-of-input step was counted too.
                counter_.value -= 1;
            } else if (result == kLoadCancelled ||
                       (result < 0 && result != ParserCode::UnreadableInput)) {
                return result;  // a statement of the included file failed: the project is not built
            } else {
                // Not part of the project: the include line itself is kept as a text.
                counter_.value = lineOfInclude;
                store(line, parser);
            }
        } else {
            store(line, parser);
        }
        if (feedback_->cancelled())
            return kLoadCancelled;
    }
    return 0;
}

void LoadLoop::store(const ParsedLine& line, const ScriptParser& parser)
{
    if (counts_) {
        languages_.isSource(line, parser);
        const std::optional<LanguageId> language = languages_.statementLanguage();
        if (!language)
            return;
        // A block without texts is still one of the script's languages.
        auto entry = std::find_if(counts_->begin(), counts_->end(),
                                  [&](const LanguageTexts& e) { return e.language == *language; });
        if (entry == counts_->end())
            entry = counts_->insert(counts_->end(), {*language, 0});
        if (offersText(line))
            ++entry->texts;
        return;
    }
    // Code-page pragmas stay what they are: the writer sets them for the bytes it writes.
    if (languages_.isSource(line, parser) || line.kind == toInt(LineKind::CodePage)) {
        sink_.store(line, parser, counter_.value);
        return;
    }
    ParsedLine copied = line;
    copied.kind = toInt(LineKind::OtherStatement);
    copied.action = toInt(LineAction::None);
    copied.text = parser.sourceText();
    sink_.store(copied, parser, counter_.value);
}

void LoadLoop::reportReading(const std::filesystem::path& script) const
{
    if (!missing_.empty())
        feedback_->message(msg::MissingIncludeFiles, {joinedLines(missing_)}, Icon::Exclamation);
    if (!notes_.empty())
        feedback_->messageText(fillPlaceholders(txt::BuildNotes, {script.string(), joinedLines(notes_)}), Icon::Information);
}

void LoadLoop::notePragma(const ScriptParser& parser, const std::filesystem::path& file)
{
    if (parser.number() == kCodePageUtf8 || !parser.bytesAreUtf8())
        return;
    std::string note = fillPlaceholders(txt::PragmaMislabelsUtf8, {file.string(), std::to_string(parser.physicalLine()),
                                                                   std::to_string(parser.number())});
    if (std::find(notes_.begin(), notes_.end(), note) == notes_.end())
        notes_.push_back(std::move(note));
}

bool LoadLoop::followsInclude(std::string_view includeName) const
{
    const std::string upper = toUpperAscii(includeName);
    return std::any_of(extensions_.begin(), extensions_.end(),
                       [&upper](const std::string& ext) { return upper.find(ext) != std::string::npos; });
}

int LoadLoop::loadInclude(const std::filesystem::path& includingFile, int includeLine, std::string_view includeName)
{
    const std::filesystem::path path = includePath(includingFile, includeName);
    if (std::string reason = skipReason(path); !reason.empty()) {
        // Not part of the project: its include line stays a text, and the report says why.
        std::string entry = fillPlaceholders(txt::SkippedInclude, {path.string(), reason, includingFile.string(),
                                                                    std::to_string(includeLine)});
        if (std::find(missing_.begin(), missing_.end(), entry) == missing_.end()) {
            missing_.push_back(std::move(entry));
            skippedFiles_.push_back(path);
        }
        return ParserCode::CannotOpenFile;
    }
    total_ += fileSize(path);
    if (++expansions_ > kMaxIncludeExpansions || total_ > kMaxIncludedBytes) {
        ParserError::report(*feedback_, ParserCode::IncludeLimit, path.string());
        return ParserCode::IncludeLimit;
    }
    // The included file's first line takes the number the include line had.
    const int result = loadFile(path, counter_.value - 1);
    if (result == 0)
        included_.push_back(path);
    return result;
}

std::string LoadLoop::skipReason(const std::filesystem::path& file) const
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file, ec);
    if (!std::filesystem::exists(status))
        return txt::IncludeNotFound;
    if (std::filesystem::is_directory(status))
        return txt::TargetIsFolder;
    if (!std::filesystem::is_regular_file(status))
        return txt::TargetIsNotRegular;
    if (open_.count(std::filesystem::weakly_canonical(file, ec)) != 0)
        return txt::IncludeCycle;
    if (open_.size() >= kMaxIncludeDepth)
        return fillPlaceholders(txt::IncludeTooDeep, {std::to_string(kMaxIncludeDepth)});
    return readingProblem(file);
}

std::string LoadLoop::readingProblem(const std::filesystem::path& file)
{
    LineCounter scratch;
    ScriptParser parser(scratch);
    if (parser.loadFile(file) != 0)
        return parser.inputProblem().empty() ? std::string(txt::IncludeUnreadable) : parser.inputProblem();
    parser.reset();
    std::string text;
    while (!parser.atEnd() && parser.error() >= 0) {
        parser.readLine(text);
        if (parser.kindValue() == toInt(LineKind::EndOfInput))
            break;
    }
    if (parser.error() >= 0)
        return {};
    return ParserError::reportText(parser.error(), parser.errorLocation(file.string()));
}

void LoadLoop::reportProgress(std::size_t bytes)
{
    done_ += static_cast<long long>(bytes);
    budget_ -= static_cast<long long>(bytes);
    if (budget_ <= 0) {
        feedback_->stepTask(static_cast<long>(std::min(done_, total_)), static_cast<long>(total_));
        budget_ = std::max<long long>(1, total_ * kProgressPercentStep / 100);
    }
}

} // namespace qmk
