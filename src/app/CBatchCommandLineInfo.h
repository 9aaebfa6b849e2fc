// The parsed command line: the file to open, the operation flags with their parameters and
// the log file, read one argument at a time as the shell passed them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qmk {

// Flag codes: what FindFlag returns for a short or long flag name.
enum class FlagCode : int {
    NotAFlag = -1,
    Empty = 0,  // a lone "-" or "/"
    Translated = 1,
    UpToDate = 2,
    HasLanguage = 3,
    Export = 4,
    Import = 5,
    CreateDb = 6,
    Update = 7,
    AddLang = 8,
    LogFile = 9,
    WriteRC = 10,
    ListLIDS = 11,
    Encoding = 12,
    TextFit = 13,
    Xliff = 14,
    Po = 15,
    Xlsx = 16,
    Pot = 17,
    // Pictures of the dialogs and menus; registered by the program when it can draw them.
    Shots = 18,
    QualityCheck = 30,
    Pseudo = 31,
    Statistics = 32,
    // The translation memory's operations (numbered apart from the project exchange's).
    TmAdd = 40,
    TmxImport = 41,
    TmxExport = 42,
    PreTranslate = 43,
    // The glossary's operations.
    TbxImport = 44,
    TbxExport = 45,
    Terms = 46,
    // Not an operation: the import before it replaces translations a file of no known export
    // would otherwise only list.
    Overwrite = 50,
    // Not an operation: the language /C builds the project's source from, for a script of
    // several languages.
    SourceLanguage = 51,
    // Not an operation: the folder of pictures (with its shots.json) whose places the export
    // before it writes beside each text.
    ShotsIndex = 52,
};

// How /OVERWRITE stands among the parameters of the operation it follows.
inline constexpr const char* OverwriteParameter = "/OVERWRITE";
// How /SRC stands among the parameters of the /C before it; its language follows it.
inline constexpr const char* SourceLanguageParameter = "/SRC";
// How /SHOTS-INDEX stands among the parameters of the export before it; its folder follows it.
inline constexpr const char* ShotsIndexParameter = "/SHOTS-INDEX";

struct FlagRow {
    const char* name;      // at most 15 characters
    int parameterCount;    // parameters the operation takes at least
    int projectOperation;  // 1 for operations on a project database, 0 for LOG and LIDS
    int reserved;          // always 0
    FlagCode code;
};

// Each operation under its short and its long name.
const std::vector<FlagRow>& flagTable();
const FlagRow* flagRow(FlagCode code);

class CBatchCommandLineInfo {
public:
    struct Operation {
        std::string text;            // the flag as typed, without its "-" or "/"
        FlagCode code;
        std::size_t firstParameter;  // index of its first parameter in parameters()
    };

    static int FindFlag(std::string_view text);
    static bool IsFlag(std::string_view text) { return FindFlag(text) != -1; }

    // One argument; isFlag when it began with "-" or "/" (already removed from text).
    void ParseParam(std::string_view text, bool isFlag, bool isLast);
    // All arguments after the program name, with Linux paths such as /home/a.rc kept as files.
    void parseArguments(const std::vector<std::string>& args);

    // Batch mode: an operation flag or a log file was given.
    // Operations, a log file or an unknown flag (a usage error, never a window) mean a run
    // without a window.
    bool isBatch() const { return !operations_.empty() || !logFile_.empty() || !unrecognisedFlag_.empty(); }
    bool helpRequested() const { return helpRequested_; }

    const std::string& fileName() const { return fileName_; }
    const std::vector<Operation>& operations() const { return operations_; }
    const std::vector<std::string>& parameters() const { return parameters_; }
    // The parameters that followed operation `index`, up to the next operation's.
    std::vector<std::string> parametersOf(std::size_t index) const;
    const std::string& logFile() const { return logFile_; }
    const std::string& unrecognisedFlag() const { return unrecognisedFlag_; }
    int currentCode() const { return currentCode_; }

private:
    std::string fileName_;
    std::vector<Operation> operations_;
    std::vector<std::string> parameters_;
    std::string logFile_;
    std::string unrecognisedFlag_;
    int currentCode_ = -1;
    bool helpRequested_ = false;
};

} // namespace qmk
