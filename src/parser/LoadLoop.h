// Reads a script and the included files whose extensions are configured, line by line, and
// hands every statement to a line sink. Shared by the database build and the source update.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "parser/LineCounter.h"
#include "parser/ScriptEncoding.h"
#include "parser/SourceLanguageScope.h"

namespace qmk {

class Feedback;
class LineSink;
class ScriptParser;

inline constexpr int kLoadCancelled = -1;

// The file an include line of `includingFile` names: a Windows path ("res\\about.dlg") taken
// relative to the including file's folder and found whatever the case of its folders and name.
std::filesystem::path includePath(const std::filesystem::path& includingFile, std::string_view name);

class LoadLoop {
public:
    LoadLoop(LineSink& sink, std::vector<std::string> includeExtensions, Feedback& feedback);

    // Which language's statements are the source's; by default the language of the most texts.
    void setSourceRule(SourceLanguageRule rule) { rule_ = rule; }
    // The rule the last run followed (a rule of the most texts is settled by then).
    SourceLanguageRule sourceRule() const { return rule_; }
    // The texts the script and its followed includes offer under each language they name (not
    // the neutral one; a block without texts counts 0), in the order the languages first appear.
    // Reads the script quietly.
    std::vector<LanguageTexts> countTexts(const std::filesystem::path& script);

    // 0 on success, kLoadCancelled, or the negative (or open-failure) code of the first
    // failure; the failure has been reported through the feedback channel.
    int run(const std::filesystem::path& script);

    // Included files that were to be read but were not, each with the reason and the file and
    // line that include it ("/p/res/a.dlg (not found), included at /p/app.rc(12)").
    const std::vector<std::string>& missingIncludes() const { return missing_; }
    // The paths of those files, for the content hashes that notice when one appears.
    const std::vector<std::filesystem::path>& skippedFiles() const { return skippedFiles_; }
    // Every included file that was read as part of the script.
    const std::vector<std::filesystem::path>& includedFiles() const { return included_; }
    // What the build should say about the script besides failures: code-page pragmas that
    // contradict the bytes they stand over ("app.rc(3): the pragma says 1251, the bytes are UTF-8. ...").
    const std::vector<std::string>& notes() const { return notes_; }
    // Tells the person what they should know of the reading besides its failure: the included
    // files that were not read, and the notes.
    void reportReading(const std::filesystem::path& script) const;
    // The file the line handed to the sink comes from (the script or a followed include).
    const std::filesystem::path& currentFile() const { return current_; }
    // How the script itself (not its includes) was encoded.
    ScriptEncoding scriptEncoding() const { return scriptEncoding_; }

private:
    int readScript(const std::filesystem::path& script);
    int loadFile(const std::filesystem::path& file, int startLine);
    int readLines(ScriptParser& parser, const std::filesystem::path& file);
    bool followsInclude(std::string_view includeName) const;
    // 0 when the included file was read; otherwise it is not part of the project.
    int loadInclude(const std::filesystem::path& includingFile, int includeLine, std::string_view includeName);
    void reportProgress(std::size_t bytes);
    // Hands the line to the sink; a statement under another language than the source's is
    // handed over as the script has it, with nothing to translate.
    void store(const ParsedLine& line, const ScriptParser& parser);
    void notePragma(const ScriptParser& parser, const std::filesystem::path& file);
    // Why an included file is not read (missing, no regular file, a cycle, nested too deep, no
    // script), or empty.
    std::string skipReason(const std::filesystem::path& file) const;
    // Why an included file cannot be read as a script (its first parser error), or empty.
    static std::string readingProblem(const std::filesystem::path& file);

    LineSink& sink_;
    std::vector<std::string> extensions_;
    Feedback* feedback_;
    SourceLanguageRule rule_;
    // While texts are counted nothing reaches the sink.
    std::vector<LanguageTexts>* counts_ = nullptr;
    LineCounter counter_;
    std::vector<std::string> missing_;
    std::vector<std::filesystem::path> skippedFiles_;
    std::vector<std::string> notes_;
    SourceLanguageScope languages_;
    std::vector<std::filesystem::path> included_;
    ScriptEncoding scriptEncoding_ = ScriptEncoding::Bytes;
    std::set<std::filesystem::path> open_;  // files being read, against include cycles
    std::filesystem::path current_;
    long long total_ = 0;
    int expansions_ = 0;
    long long done_ = 0;
    long long budget_ = 0;
};

} // namespace qmk
