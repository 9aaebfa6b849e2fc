// The list of quality checks.
#include "checks/CheckCatalogue.h"

#include "resources/CheckTexts.h"

namespace qmk {
namespace {

constexpr CheckInfo kChecks[] = {
    {check::Placeholder, CheckSeverity::Warning, txt::CheckTitlePlaceholder},
    {check::Mnemonic, CheckSeverity::Warning, txt::CheckTitleMnemonic},
    {check::MnemonicClash, CheckSeverity::Warning, txt::CheckTitleMnemonicClash},
    {check::Accelerator, CheckSeverity::Warning, txt::CheckTitleAccelerator},
    {check::Escape, CheckSeverity::Warning, txt::CheckTitleEscape},
    {check::Whitespace, CheckSeverity::Warning, txt::CheckTitleWhitespace},
    {check::Punctuation, CheckSeverity::Warning, txt::CheckTitlePunctuation},
    {check::Fit, CheckSeverity::Warning, txt::CheckTitleFit},
    {check::CodePage, CheckSeverity::Warning, txt::CheckTitleCodePage},
    {check::Length, CheckSeverity::Warning, txt::CheckTitleLength},
    // Texts kept as they are ("OK", names of products) are common: the project switches it on.
    {check::Untranslated, CheckSeverity::Info, txt::CheckTitleUntranslated, false},
    // Needs a glossary: on once the translation's language has glossary terms, unless the project
    // switched it.
    {check::Term, CheckSeverity::Warning, txt::CheckTitleTerm, false},
};

} // namespace

std::span<const CheckInfo> checkCatalogue()
{
    return kChecks;
}

const CheckInfo* findCheck(std::string_view id)
{
    for (const CheckInfo& info : kChecks)
        if (info.id == id)
            return &info;
    return nullptr;
}

} // namespace qmk
