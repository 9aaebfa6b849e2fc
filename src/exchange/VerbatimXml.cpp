// Escaping of verbatim-parsed XML before it is printed back unescaped.
#include "exchange/VerbatimXml.h"

namespace qmk::xml {

namespace {

bool isNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether an entity or character reference ("&name;", "&#10;", "&#x0A;") starts at `at`.
bool referenceAt(std::string_view text, std::size_t at)
{
    std::size_t i = at + 1;
    if (i < text.size() && text[i] == '#') {
        const bool hex = i + 1 < text.size() && text[i + 1] == 'x';
        i += hex ? 2 : 1;
        const std::size_t digits = i;
        while (i < text.size() && (hex ? isHexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9')))
            ++i;
        return i > digits && i < text.size() && text[i] == ';';
    }
    if (i >= text.size() || !isNameStart(text[i]))
        return false;
    while (i < text.size() && isNameChar(text[i]))
        ++i;
    return i < text.size() && text[i] == ';';
}

bool needsEscape(std::string_view raw, bool inAttribute)
{
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '<' || (c == '&' && !referenceAt(raw, i)) || (inAttribute && c == '"') ||
            (!inAttribute && c == '>' && i >= 2 && raw.substr(i - 2, 2) == "]]"))
            return true;
    }
    return false;
}

} // namespace

std::string escapeVerbatim(std::string_view raw, bool inAttribute)
{
    if (!needsEscape(raw, inAttribute))
        return std::string(raw);
    std::string out;
    out.reserve(raw.size() + 16);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '<')
            out += "&lt;";
        else if (c == '&' && !referenceAt(raw, i))
            out += "&amp;";
        else if (inAttribute && c == '"')
            out += "&quot;";
        else if (!inAttribute && c == '>' && i >= 2 && raw.substr(i - 2, 2) == "]]")
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

// Walks the tree in document order without recursion: a file nested thousands deep must not
// exhaust the stack.
void escapeVerbatimTree(pugi::xml_node root)
{
    pugi::xml_node node = root;
    while (node) {
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
            if (needsEscape(a.value(), true))
                a.set_value(escapeVerbatim(a.value(), true).c_str());
        if (node.type() == pugi::node_pcdata && needsEscape(node.value(), false))
            node.set_value(escapeVerbatim(node.value(), false).c_str());
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && node != root && !node.next_sibling())
            node = node.parent();
        node = node && node != root ? node.next_sibling() : pugi::xml_node();
    }
}

} // namespace qmk::xml
