// Element and attribute look-up by local name in workbook XML, whatever namespace prefix the
// writing application chose ("worksheet" and "x:worksheet" are the same element).
#pragma once

#include <string_view>

#include <pugixml.hpp>

namespace qmk::xml {

inline std::string_view localName(const char* name)
{
    std::string_view n(name);
    size_t colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

inline bool isNamed(const pugi::xml_node& node, std::string_view local)
{
    return node.type() == pugi::node_element && localName(node.name()) == local;
}

inline pugi::xml_node child(const pugi::xml_node& parent, std::string_view local)
{
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
        if (isNamed(n, local))
            return n;
    return {};
}

// The attribute of this local name, with or without a prefix ("r:id" for "id").
inline pugi::xml_attribute attribute(const pugi::xml_node& node, std::string_view local)
{
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
        if (localName(a.name()) == local)
            return a;
    return {};
}

// The prefix with its colon ("x:") of an element, to name new siblings and children alike.
inline std::string_view prefixOf(const pugi::xml_node& node)
{
    std::string_view n(node.name());
    size_t colon = n.find(':');
    return colon == std::string_view::npos ? std::string_view() : n.substr(0, colon + 1);
}

} // namespace qmk::xml
