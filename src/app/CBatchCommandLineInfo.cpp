// Command-line parsing: the flag table and the per-argument rules.
#include "app/CBatchCommandLineInfo.h"

#include <filesystem>

#include "resources/FileNames.h"

namespace qmk {

const std::vector<FlagRow>& flagTable()
{
    static const std::vector<FlagRow> rows = {
        {"D", 1, 1, 0, FlagCode::UpToDate},      {"UpToDate", 1, 1, 0, FlagCode::UpToDate},
        {"L", 2, 1, 0, FlagCode::HasLanguage},   {"HasLanguage", 2, 1, 0, FlagCode::HasLanguage},
        {"T", 2, 1, 0, FlagCode::Translated},    {"Translated", 2, 1, 0, FlagCode::Translated},
        {"E", 2, 1, 0, FlagCode::Export},        {"Export", 2, 1, 0, FlagCode::Export},
        {"I", 3, 1, 0, FlagCode::Import},        {"Import", 3, 1, 0, FlagCode::Import},
        {"U", 1, 1, 0, FlagCode::Update},        {"Update", 1, 1, 0, FlagCode::Update},
        {"A", 3, 1, 0, FlagCode::AddLang},       {"AddLang", 3, 1, 0, FlagCode::AddLang},
        {"C", 1, 1, 0, FlagCode::CreateDb},      {"CreateDb", 1, 1, 0, FlagCode::CreateDb},
        {"RC", 3, 1, 0, FlagCode::WriteRC},      {"WriteRC", 3, 1, 0, FlagCode::WriteRC},
        {"LOG", 1, 0, 0, FlagCode::LogFile},     {"LogFile", 1, 0, 0, FlagCode::LogFile},
        {"LIDS", 1, 0, 0, FlagCode::ListLIDS},   {"ListLIDS", 1, 0, 0, FlagCode::ListLIDS},
        {"ENC", 3, 1, 0, FlagCode::Encoding},    {"Encoding", 3, 1, 0, FlagCode::Encoding},
        {"FIT", 2, 1, 0, FlagCode::TextFit},     {"TextFit", 2, 1, 0, FlagCode::TextFit},
        {"XLIFF", 3, 1, 0, FlagCode::Xliff},     {"ExportXliff", 3, 1, 0, FlagCode::Xliff},
        {"PO", 3, 1, 0, FlagCode::Po},           {"ExportPo", 3, 1, 0, FlagCode::Po},
        {"XLSX", 2, 1, 0, FlagCode::Xlsx},       {"ExportXlsx", 2, 1, 0, FlagCode::Xlsx},
        {"POT", 2, 1, 0, FlagCode::Pot},         {"ExportPot", 2, 1, 0, FlagCode::Pot},
        {"CHECK", 2, 1, 0, FlagCode::QualityCheck}, {"QualityCheck", 2, 1, 0, FlagCode::QualityCheck},
        {"PSEUDO", 2, 1, 0, FlagCode::Pseudo},   {"PseudoTranslate", 2, 1, 0, FlagCode::Pseudo},
        {"STAT", 1, 1, 0, FlagCode::Statistics}, {"Statistics", 1, 1, 0, FlagCode::Statistics},
        // Its parameters are counted by the operation, which names itself in its usage error.
        {"SHOTS", 0, 1, 0, FlagCode::Shots},     {"Pictures", 0, 1, 0, FlagCode::Shots},
        {"TM-ADD", 1, 1, 0, FlagCode::TmAdd},           {"AddToMemory", 1, 1, 0, FlagCode::TmAdd},
        {"TMX-IMPORT", 1, 0, 0, FlagCode::TmxImport},   {"ImportTmx", 1, 0, 0, FlagCode::TmxImport},
        {"TMX-EXPORT", 1, 0, 0, FlagCode::TmxExport},   {"ExportTmx", 1, 0, 0, FlagCode::TmxExport},
        {"PRE", 2, 1, 0, FlagCode::PreTranslate},       {"PreTranslate", 2, 1, 0, FlagCode::PreTranslate},
        {"TBX-IMPORT", 1, 0, 0, FlagCode::TbxImport},   {"ImportTbx", 1, 0, 0, FlagCode::TbxImport},
        {"TBX-EXPORT", 1, 0, 0, FlagCode::TbxExport},   {"ExportTbx", 1, 0, 0, FlagCode::TbxExport},
        {"TERMS", 1, 1, 0, FlagCode::Terms},            {"CandidateTerms", 1, 1, 0, FlagCode::Terms},
        {"OVERWRITE", 0, 0, 0, FlagCode::Overwrite},
        {"SRC", 1, 0, 0, FlagCode::SourceLanguage}, {"SourceLanguage", 1, 0, 0, FlagCode::SourceLanguage},
        {"SHOTS-INDEX", 1, 0, 0, FlagCode::ShotsIndex}, {"PictureIndex", 1, 0, 0, FlagCode::ShotsIndex},
    };
    return rows;
}

const FlagRow* flagRow(FlagCode code)
{
    for (const FlagRow& row : flagTable())
        if (row.code == code)
            return &row;
    return nullptr;
}

int CBatchCommandLineInfo::FindFlag(std::string_view text)
{
    if (text.empty())
        return static_cast<int>(FlagCode::Empty);
    for (const FlagRow& row : flagTable())
        if (equalsIgnoringCase(row.name, text))
            return static_cast<int>(row.code);
    return static_cast<int>(FlagCode::NotAFlag);
}

void CBatchCommandLineInfo::ParseParam(std::string_view text, bool isFlag, bool /*isLast*/)
{
    if (isFlag) {
        if (!IsFlag(text)) {
            unrecognisedFlag_ = std::string(text);
            return;
        }
        if (FindFlag(text) == static_cast<int>(FlagCode::Overwrite)) {
            // A switch of the operation before it, kept among that operation's parameters.
            if (!operations_.empty())
                parameters_.emplace_back(OverwriteParameter);
            return;
        }
        if (FindFlag(text) == static_cast<int>(FlagCode::SourceLanguage)) {
            // Names the language of the /C before it; after anything else it has no meaning.
            if (operations_.empty() || operations_.back().code != FlagCode::CreateDb)
                unrecognisedFlag_ = std::string(text);
            else
                parameters_.emplace_back(SourceLanguageParameter);
            return;
        }
        if (FindFlag(text) == static_cast<int>(FlagCode::ShotsIndex)) {
            // Names the pictures of the export before it; kept among its parameters, the folder
            // following it as the next parameter.
            if (operations_.empty())
                unrecognisedFlag_ = std::string(text);
            else
                parameters_.emplace_back(ShotsIndexParameter);
            return;
        }
        currentCode_ = FindFlag(text);
        if (currentCode_ != static_cast<int>(FlagCode::LogFile))
            operations_.push_back({std::string(text), static_cast<FlagCode>(currentCode_), parameters_.size()});
        return;
    }
    // The log file is taken wherever /LOG stands, also before the operations.
    if (currentCode_ == static_cast<int>(FlagCode::LogFile)) {
        logFile_ = std::string(text);
        currentCode_ = operations_.empty() ? -1 : static_cast<int>(operations_.back().code);
    } else if (operations_.empty()) {
        // Before any operation: the first plain argument is the file to open, later ones are ignored.
        if (fileName_.empty())
            fileName_ = std::string(text);
    } else {
        parameters_.emplace_back(text);
    }
}

namespace {

// "/U" is a flag; "/home/me/a.rc" or an existing "/a.rc" is a path on this system.
bool slashStartsFlag(const std::string& arg)
{
    if (arg.find('/', 1) != std::string::npos)
        return false;
    std::error_code ec;
    return arg.size() == 1 || !std::filesystem::exists(arg, ec);
}

} // namespace

void CBatchCommandLineInfo::parseArguments(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool last = i + 1 == args.size();
        if (arg == "--help" || arg == "--usage" || arg == "-h" || arg == "-H" || arg == "/h" || arg == "/H" ||
            arg == "-?" || arg == "/?") {
            helpRequested_ = true;
            continue;
        }
        const bool isFlag = !arg.empty() && (arg[0] == '-' || (arg[0] == '/' && slashStartsFlag(arg)));
        ParseParam(isFlag ? std::string_view(arg).substr(1) : std::string_view(arg), isFlag, last);
    }
}

std::vector<std::string> CBatchCommandLineInfo::parametersOf(std::size_t index) const
{
    if (index >= operations_.size())
        return {};
    std::size_t begin = operations_[index].firstParameter;
    std::size_t end = index + 1 < operations_.size() ? operations_[index + 1].firstParameter : parameters_.size();
    return {parameters_.begin() + static_cast<std::ptrdiff_t>(begin),
            parameters_.begin() + static_cast<std::ptrdiff_t>(end)};
}

} // namespace qmk
