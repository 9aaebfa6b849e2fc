// A Windows language and sublanguage pair: how scripts name a language and how the project stores it.
#pragma once

namespace qmk {

struct LanguageId {
    int language = 0;
    int sublanguage = 0;
    bool operator==(const LanguageId&) const = default;
};

} // namespace qmk
