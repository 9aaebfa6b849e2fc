// Line classification: maps a statement rule's proposed kind to the stored kind and
// action, and opens and closes resources and their blocks.
#include "parser/LineClassifier.h"

#include <algorithm>
#include <iterator>

#include "parser/ParserCodes.h"

namespace qmk {
namespace {

using K = LineKind;

constexpr int kNoStringKinds[] = {12, 14, 15, 18, 24, 28, 29, 30, 32, 33, 34, 36, 37, 38, 39, 44,
                                  50, 65, 72, 74, 78, 79, 80, 81, 82, 83, 84, 92, 95, 100, 101,
                                  105, 106};
constexpr int kResourceHeaders[] = {5, 8, 13, 31, 35, 17, 75, 77, 99};
constexpr int kTextKinds[] = {1, 2, 16, 19, 20, 21, 22, 23, 25, 26, 27, 86, 102, 103, 104};

template <std::size_t N>
bool among(const int (&list)[N], int kind)
{
    return std::find(std::begin(list), std::end(list), kind) != std::end(list);
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int textAction(const ParseState& s)
{
    bool hasText = s.string.length > 0;
    bool ownerDrawn = (s.styleBits & LineClassifier::kOwnerDrawBits) == LineClassifier::kOwnerDrawBits;
    return toInt(hasText && !ownerDrawn ? LineAction::String : LineAction::NoString);
}

// The kind a data string takes in the resource that holds it.
int dataStringKind(int resourceType)
{
    switch (resourceType) {
    case toInt(K::StringTable): return toInt(K::StringTableString);
    case toInt(K::RcData): return toInt(K::RcDataString);
    case toInt(K::UserResource): return toInt(K::UserResourceData);
    case toInt(K::TextInclude): return toInt(K::TextIncludeData);
    default: return toInt(K::DataString);
    }
}

} // namespace

bool LineClassifier::isResourceHeader(int kind) { return among(kResourceHeaders, kind); }

bool LineClassifier::isLanguageBlockName(std::string_view name)
{
    if (name.empty() || name == "StringFileInfo" || name == "VarFileInfo")
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) { return c == ' ' || isHexDigit(c); });
}

void LineClassifier::classify(ParseState& s, int proposedKind, int lineCounter,
                              std::string_view stringText)
{
    int kind = proposedKind;
    if (kind == Tok::LeftBrace)
        kind = toInt(K::Begin);
    else if (kind == Tok::RightBrace)
        kind = toInt(K::End);
    bool withString = s.string.length > 0;
    bool menuLine = kind == toInt(K::Popup) || kind == toInt(K::MenuItem);
    s.kind = kind;

    if (among(kNoStringKinds, kind) || (menuLine && !withString)) {
        s.action = toInt(LineAction::NoString);
    } else if (isResourceHeader(kind)) {
        s.resourceType = kind;
        s.resourceLine = lineCounter + 1;
        s.action = toInt(LineAction::NoString);
    } else if (kind == toInt(K::Include) || kind == toInt(K::RcInclude)) {
        s.action = toInt(LineAction::String);
        s.resourceLine = -1;
    } else if (kind == toInt(K::Begin)) {
        ++s.depth;
        s.action = toInt(LineAction::NoString);
    } else if (kind == toInt(K::End)) {
        if (s.depth == 1)
            s.resourceType = 0;
        if (s.depth > 0)
            --s.depth;
        s.action = toInt(LineAction::BlockEnd);
    } else if (kind == toInt(K::Language)) {
        s.action = toInt(LineAction::Language);
    } else if (kind == toInt(K::DataString)) {
        s.kind = dataStringKind(s.resourceType);
        s.action = textAction(s);
    } else if (among(kTextKinds, kind) || menuLine) {
        s.action = textAction(s);
    } else if (kind == toInt(K::Block) && withString) {
        s.action = toInt(isLanguageBlockName(stringText) ? LineAction::String : LineAction::NoString);
    } else if (kind == toInt(K::Block)) {
        s.action = toInt(LineAction::NoString);
    } else {
        s.action = toInt(LineAction::None);
    }
}

} // namespace qmk
