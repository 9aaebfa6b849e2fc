// Writing and reading XLIFF 1.2.
#include "exchange/XliffFile.h"

#include <pugixml.hpp>

#include <sstream>

#include "resources/TextValidity.h"

namespace qmk {
namespace {

constexpr char kNamespace[] = "urn:oasis:names:tc:xliff:document:1.2";

// Character references to NUL are no XML characters; the parser would store a NUL that ends
// the text there. They become &#1;, which the reader refuses as a control character.
std::string withoutNulReferences(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.compare(i, 2, "&#") == 0) {
            std::size_t j = i + 2;
            const bool hex = j < bytes.size() && (bytes[j] == 'x' || bytes[j] == 'X');
            if (hex)
                ++j;
            const std::size_t digits = j;
            while (j < bytes.size() && bytes[j] == '0')
                ++j;
            if (j > digits && j < bytes.size() && bytes[j] == ';') {
                out += "&#1;";
                i = j;
                continue;
            }
        }
        out += bytes[i];
    }
    return out;
}

const char* stateOf(const ExchangeUnit& unit)
{
    if (unit.target.empty())
        return "new";
    return unit.needsReview ? "needs-review-translation" : "translated";
}

// The text of a <source> or <target>: its characters and those of <g> and <mrk> at any depth
// (segments in order). Walked without recursion: a file nested tens of thousands deep must not
// exhaust the stack. An inline code (a placeholder the platform keeps for the program) has no
// place in a resource script text, so its unit is refused rather than cut.
bool collectText(const pugi::xml_node& root, std::string& text, std::string& unreadable)
{
    pugi::xml_node node = root.first_child();
    while (node) {
        bool descend = false;
        switch (node.type()) {
        case pugi::node_pcdata:
        case pugi::node_cdata: text += node.value(); break;
        case pugi::node_element: {
            const std::string_view name = node.name();
            if (name != "g" && name != "mrk") {
                unreadable = "inline code <" + printableText(name) + "> in the translation";
                return false;
            }
            descend = true;
            break;
        }
        default: break;  // comments and processing instructions are no text
        }
        if (descend && node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node != root && !node.next_sibling())
            node = node.parent();
        node = node == root ? pugi::xml_node() : node.next_sibling();
    }
    return true;
}

// Why the unit cannot be written into an XLIFF file; empty when it can.
std::string unwritable(const ExchangeUnit& unit, const std::string& note)
{
    const std::pair<const std::string*, const char*> fields[] = {
        {&unit.id, "the id"},          {&unit.ident, "the Id"},        {&unit.source, "the source text"},
        {&unit.target, "the translation"}, {&note, "the item type or resource"}};
    for (const auto& [text, what] : fields)
        if (const std::string problem = xmlTextProblem(*text); !problem.empty())
            return problem + " in " + what;
    return {};
}

ExchangeUnit readUnit(const pugi::xml_node& tu)
{
    ExchangeUnit unit;
    unit.id = tu.attribute("id").value();
    unit.ident = printableText(tu.attribute("resname").value());
    std::string ignored;
    collectText(tu.child("source"), unit.source, ignored);
    const pugi::xml_node target = tu.child("target");
    // A text no script could hold, or no XLIFF file could carry back, is not taken.
    if (collectText(target, unit.target, unit.unreadable) && unit.unreadable.empty())
        if (const std::string bad = xmlTextProblem(unit.target); !bad.empty())
            unit.unreadable = bad + " in the translation";
    // Bytes that are no UTF-8 are never passed on: the unit is refused, and its id is kept only
    // in a form a report can show (it cannot name an item of the project).
    if (const std::string bad = utf8Problem(unit.source); !bad.empty() && unit.unreadable.empty())
        unit.unreadable = bad + " in the source text";
    if (const std::string bad = utf8Problem(unit.id); !bad.empty()) {
        if (unit.unreadable.empty())
            unit.unreadable = bad + " in the id";
        unit.id = printableText(unit.id);
    }
    const std::string state = target.attribute("state").value();
    unit.needsReview = state.rfind("needs-", 0) == 0 || std::string(tu.attribute("approved").value()) == "no";
    // Where the text stands, as translate-toolkit keeps a PO file's "#:" comments.
    for (pugi::xml_node group : tu.children("context-group"))
        if (std::string_view(group.attribute("purpose").value()) == "location")
            for (pugi::xml_node context : group.children("context"))
                if (std::string_view(context.attribute("context-type").value()) == "sourcefile")
                    unit.references.push_back(printableText(context.text().get()));
    return unit;
}

} // namespace

constexpr const char* kExportGroup = "quillmark";
constexpr const char* kExportIdProp = "x-export-id";

std::string writeXliff(const ExchangeDocument& document, std::vector<LeftOutUnit>* leftOut)
{
    pugi::xml_document xml;
    auto declaration = xml.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    auto root = xml.append_child("xliff");
    root.append_attribute("version") = "1.2";
    root.append_attribute("xmlns") = kNamespace;
    auto file = root.append_child("file");
    file.append_attribute("original") = printableText(document.header.original).c_str();
    file.append_attribute("source-language") = printableText(document.header.sourceLanguage).c_str();
    if (!document.header.targetLanguage.empty())
        file.append_attribute("target-language") = printableText(document.header.targetLanguage).c_str();
    file.append_attribute("datatype") = "winres";
    if (!document.header.exportId.empty()) {
        // The export's id comes back with the file: the import then knows what it sent.
        auto group = file.append_child("header").append_child("prop-group");
        group.append_attribute("name") = kExportGroup;
        auto prop = group.append_child("prop");
        prop.append_attribute("prop-type") = kExportIdProp;
        prop.text() = printableText(document.header.exportId).c_str();
    }
    auto body = file.append_child("body");
    for (const ExchangeUnit& unit : document.units) {
        const std::string note = unit.itemType + (unit.resource.empty() ? "" : " in " + unit.resource);
        if (const std::string problem = unwritable(unit, note); !problem.empty()) {
            if (leftOut)
                leftOut->push_back({printableText(unit.id), problem});
            continue;
        }
        auto tu = body.append_child("trans-unit");
        tu.append_attribute("id") = unit.id.c_str();
        tu.append_attribute("resname") = unit.ident.c_str();
        if (!unit.target.empty() && !unit.needsReview)
            tu.append_attribute("approved") = "yes";
        if (unit.maxWidth > 0) {
            tu.append_attribute("maxwidth") = unit.maxWidth;
            tu.append_attribute("size-unit") = "pixel";
        }
        tu.append_attribute("xml:space") = "preserve";
        tu.append_child("source").text() = unit.source.c_str();
        auto target = tu.append_child("target");
        target.text() = unit.target.c_str();
        target.append_attribute("state") = stateOf(unit);
        auto noteNode = tu.append_child("note");
        noteNode.text() = note.c_str();
    }
    std::ostringstream out;
    xml.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    // A carriage return inside a text would be turned into a plain line break by every XML
    // reader: it is written as a character reference.
    const std::string text = out.str();
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text)
        escaped += c == '\r' ? std::string("&#13;") : std::string(1, c);
    return escaped;
}

std::optional<ExchangeDocument> readXliff(const std::string& bytes, std::string& problem)
{
    pugi::xml_document xml;
    const std::string text = withoutNulReferences(bytes);
    const pugi::xml_parse_result parsed = xml.load_buffer(text.data(), text.size(), pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_auto);
    if (!parsed) {
        problem = std::string("not an XLIFF file: ") + parsed.description() + " at byte " + std::to_string(parsed.offset);
        return std::nullopt;
    }
    const pugi::xml_node root = xml.document_element();
    if (std::string(root.name()) != "xliff") {
        problem = std::string("not an XLIFF file: its root element is <") + root.name() + ">";
        return std::nullopt;
    }
    if (std::string(root.attribute("version").value()).rfind("1.", 0) != 0) {
        problem = std::string("XLIFF ") + root.attribute("version").value() + " is not read; XLIFF 1.2 is";
        return std::nullopt;
    }
    ExchangeDocument document;
    const pugi::xml_node file = root.child("file");
    document.header.sourceLanguage = printableText(file.attribute("source-language").value());
    document.header.targetLanguage = printableText(file.attribute("target-language").value());
    document.header.original = printableText(file.attribute("original").value());
    for (pugi::xml_node group : file.child("header").children("prop-group"))
        if (std::string_view(group.attribute("name").value()) == kExportGroup)
            for (pugi::xml_node prop : group.children("prop"))
                if (std::string_view(prop.attribute("prop-type").value()) == kExportIdProp)
                    document.header.exportId = printableText(prop.text().get());
    for (const pugi::xpath_node& node : xml.select_nodes("//trans-unit")) {
        // The header of a PO file that po2xliff converted is no text.
        if (std::string_view(node.node().attribute("restype").value()) == "x-gettext-domain-header")
            continue;
        ExchangeUnit unit = readUnit(node.node());
        if (unit.id.empty()) {
            problem = "a unit without an id";
            return std::nullopt;
        }
        document.units.push_back(std::move(unit));
    }
    return document;
}

} // namespace qmk
