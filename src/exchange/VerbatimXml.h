// XML read without resolving its references (pugixml without parse_escapes) and printed back
// without escaping: what must still be escaped so that the printed text stays well-formed XML.
#pragma once

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace qmk::xml {

// The raw text of an attribute value (`inAttribute`, printed between double quotes) or of
// character data, escaped where it needs to be: '"' (the file may have quoted with '), '<', an
// '&' that starts no reference, and in character data the '>' of "]]>". References as the file
// wrote them ("&amp;", "&#10;") stay as they were.
std::string escapeVerbatim(std::string_view raw, bool inAttribute);

// escapeVerbatim() on every attribute and every text below `root`.
void escapeVerbatimTree(pugi::xml_node root);

} // namespace qmk::xml
