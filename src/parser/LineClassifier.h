// The last step of every statement: gives the line its kind and its action (whether it
// carries a translatable string) and moves the resource type and nesting depth.
#pragma once

#include <string_view>

#include "parser/ParseState.h"

namespace qmk {

class LineClassifier {
public:
    // A control whose style bits contain all of these is drawn by its owner and has
    // no text to translate (BS_OWNERDRAW, SS_SIMPLE).
    static constexpr unsigned kOwnerDrawBits = 0x0B;

    // proposedKind is the kind the statement rule chose; stringText is the recorded string.
    static void classify(ParseState& state, int proposedKind, int lineCounter,
                         std::string_view stringText);

    static bool isResourceHeader(int kind);
    // A version block name that is translatable: hexadecimal digits and blanks only.
    static bool isLanguageBlockName(std::string_view name);
};

} // namespace qmk
