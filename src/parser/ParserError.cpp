// Error report texts of the script reader.
#include "parser/ParserError.h"

#include "parser/ParserCodes.h"
#include "parser/ScriptScanner.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"

namespace qmk {
namespace {

constexpr std::string_view kUnknownError = "Error: Unknown error accrued at file  ";

// The reader's own limit, so the person sees which statement is too long and by what measure.
std::string_view statementTooLongText()
{
    static const std::string text = "Parser Error: The statement is longer than " +
                                    std::to_string(ScriptScanner::kOutputCapacity) +
                                    " bytes, the most the reader takes. Build file failed at";
    return text;
}

bool endsWithFullStop(int code)
{
    return code == ParserCode::UnreadableInput || code == ParserCode::FolderNotReachable ||
           code == ParserCode::IncludeLimit;
}

} // namespace

std::string_view ParserError::codeText(int code)
{
    switch (code) {
    case ParserCode::Syntax: return "Parser Error: Resource File ";
    case ParserCode::AcceleratorComma:
        return "Parser Error: Accelerator Resource has comma at the end. Build file failed at";
    case ParserCode::UserResourceFile:
        return "Parser Error: Can't find name of file from user resource. Build file failed at";
    case ParserCode::BadPopup: return "Parser Error: Menu Popup, build file failed at";
    case ParserCode::BadMenuItem: return "Parser Error: Menu Menuitem, build file failed at";
    case ParserCode::BadLanguage: return "Parser Error: LANGUAGE statement at file";
    case ParserCode::OutOfMemory: return "Error: Not enough memory !";
    case ParserCode::UnreadableInput: return "Error: Can't read";
    case ParserCode::OutputOverflow: return statementTooLongText();
    case ParserCode::IncludeLimit:
        return "Error: The included files repeat themselves beyond any real project (more than 10000 includes "
               "or 256 MB read); the project was not built. Reading stopped at";
    case ParserCode::FolderNotReachable: return "Error: Can't change directory to";
    case ParserCode::CannotOpenFile: return messageText(msg::CantOpenFile);
    case ParserCode::SourceChangedByApplication: return "An application changed the source file:";
    case ParserCode::PlainText: return "";
    default: return kUnknownError;
    }
}

std::string ParserError::reportText(int code, std::string_view location)
{
    if (code == ParserCode::CannotOpenFile)
        return fillPlaceholders(codeText(code), {std::string(location)});
    if (code == ParserCode::PlainText)
        return std::string(location);
    std::string text(codeText(code));
    text += ' ';
    text += location;
    bool unknown = codeText(code) == kUnknownError;
    if (endsWithFullStop(code) || unknown)
        text += '.';
    return text;
}

std::string ParserError::locationText(std::string_view fileName, int line, std::string_view statement)
{
    std::string loc(fileName);
    loc += '(';
    loc += std::to_string(line);
    loc += "): ";
    loc += statement;
    return loc;
}

void ParserError::report(Feedback& feedback, int code, std::string_view location)
{
    feedback.messageText(reportText(code, location), Icon::Stop);
}

std::string ParserError::translationFailedText(std::string_view scriptName)
{
    return fillPlaceholders("New Translation File.\nParser Error at file %1.\nCannot create a Translation file.",
                            {std::string(scriptName)});
}

} // namespace qmk
