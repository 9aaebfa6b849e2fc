// Translation code pages from the language's code-page table row.
#include "exchange/TranslationCodePage.h"

#include "parser/CodePageTable.h"
#include "project/TextCodec.h"

namespace qmk {

int translationCodePage(int projectCodePage, LanguageId language)
{
    if (projectCodePage == kCodePageUtf8)
        return kCodePageUtf8;
    return codePageNumber(language.language, language.sublanguage);
}

} // namespace qmk
