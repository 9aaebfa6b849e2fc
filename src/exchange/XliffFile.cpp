// Writing and reading XLIFF 1.2.
#include "exchange/XliffFile.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <string_view>

#include "exchange/UnitReader.h"
#include "resources/TextValidity.h"

namespace qmk {
namespace {

constexpr char kNamespace[] = "urn:oasis:names:tc:xliff:document:1.2";

// Character references to NUL are no XML characters; the parser would store a NUL that ends
// the text there. They become &#1;, which the reader refuses as a control character. Rewritten
// in place: the text never grows.
void replaceNulReferences(std::string& bytes)
{
    std::size_t out = bytes.find("&#");
    if (out == std::string::npos)
        return;
    for (std::size_t i = out; i < bytes.size(); ++i) {
        if (bytes.compare(i, 2, "&#") == 0) {
            std::size_t j = i + 2;
            const bool hex = j < bytes.size() && (bytes[j] == 'x' || bytes[j] == 'X');
            if (hex)
                ++j;
            const std::size_t digits = j;
            while (j < bytes.size() && bytes[j] == '0')
                ++j;
            if (j > digits && j < bytes.size() && bytes[j] == ';') {
                bytes.replace(out, 4, "&#1;");
                out += 4;
                i = j;
                continue;
            }
        }
        bytes[out++] = bytes[i];
    }
    bytes.resize(out);
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

namespace {

// Text escaped as XML needs it: markup characters as entities, and characters a reader would
// not give back as they are (a carriage return becomes a line break, and in an attribute so do
// tabs and line breaks) as two-digit character references.
void writeEscaped(TextOutput& out, std::string_view text, bool inAttribute)
{
    std::size_t plain = 0;
    auto flush = [&](std::size_t i) {
        if (i > plain)
            out << text.substr(plain, i - plain);
        plain = i + 1;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '&': flush(i); out << "&amp;"; break;
        case '<': flush(i); out << "&lt;"; break;
        case '>':
            if (!inAttribute) {
                flush(i);
                out << "&gt;";
            }
            break;
        case '"':
            if (inAttribute) {
                flush(i);
                out << "&quot;";
            }
            break;
        default:
            if (c < 0x20 && (inAttribute || (c != '\t' && c != '\n'))) {
                flush(i);
                const char reference[] = {'&', '#', static_cast<char>('0' + c / 10), static_cast<char>('0' + c % 10), ';'};
                out << std::string_view(reference, sizeof reference);
            }
        }
    }
    flush(text.size());
}

void writeAttribute(TextOutput& out, std::string_view name, std::string_view value)
{
    out << ' ' << name << "=\"";
    writeEscaped(out, value, true);
    out << '"';
}

// <name>text</name> on a line of its own, indented by `indent` levels.
void writeTextElement(TextOutput& out, int indent, std::string_view name, std::string_view text,
                      std::string_view attributeName = {}, std::string_view attributeValue = {})
{
    for (int i = 0; i < indent; ++i)
        out << "  ";
    out << '<' << name;
    if (!attributeName.empty())
        writeAttribute(out, attributeName, attributeValue);
    out << '>';
    writeEscaped(out, text, false);
    out << "</" << name << ">\n";
}

// The text's picture twice: as a developer's note, which translate-toolkit's converters, and
// the platforms built on them, keep and show (a PO file's "#." comment), and as a context
// group with the file and the rectangle apart, for scripts that upload the pictures.
void writePicture(TextOutput& out, const UnitPicture& picture)
{
    const std::string file = printableText(picture.file);
    writeTextElement(out, 4, "note", pictureNote({file, picture.x, picture.y, picture.width, picture.height}), "from",
                     "developer");
    out << "        <context-group name=\"picture\" purpose=\"information\">\n";
    writeTextElement(out, 5, "context", file, "context-type", "x-picture");
    writeTextElement(out, 5, "context", std::to_string(picture.x) + " " + std::to_string(picture.y) + " " +
                                            std::to_string(picture.width) + " " + std::to_string(picture.height),
                     "context-type", "x-rect");
    out << "        </context-group>\n";
}

} // namespace

bool writeXliff(const ExchangeDocument& document, TextOutput& out, std::vector<LeftOutUnit>* leftOut)
{
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out << "<xliff version=\"1.2\" xmlns=\"" << kNamespace << "\">\n";
    out << "  <file";
    writeAttribute(out, "original", printableText(document.header.original));
    writeAttribute(out, "source-language", printableText(document.header.sourceLanguage));
    if (!document.header.targetLanguage.empty())
        writeAttribute(out, "target-language", printableText(document.header.targetLanguage));
    out << " datatype=\"winres\">\n";
    if (!document.header.exportId.empty()) {
        // The export's id comes back with the file: the import then knows what it sent.
        out << "    <header>\n      <prop-group name=\"" << kExportGroup << "\">\n";
        writeTextElement(out, 4, "prop", printableText(document.header.exportId), "prop-type", kExportIdProp);
        out << "      </prop-group>\n    </header>\n";
    }
    bool anyUnit = false;
    std::string note;
    for (const ExchangeUnit& unit : document.units) {
        note = unit.itemType;
        if (!unit.resource.empty())
            note.append(" in ").append(unit.resource);
        if (const std::string problem = unwritable(unit, note); !problem.empty()) {
            if (leftOut)
                leftOut->push_back({printableText(unit.id), problem});
            continue;
        }
        if (!anyUnit)
            out << "    <body>\n";
        anyUnit = true;
        out << "      <trans-unit";
        writeAttribute(out, "id", unit.id);
        writeAttribute(out, "resname", unit.ident);
        if (!unit.target.empty() && !unit.needsReview)
            out << " approved=\"yes\"";
        if (unit.maxWidth > 0)
            out << " maxwidth=\"" << unit.maxWidth << "\" size-unit=\"pixel\"";
        out << " xml:space=\"preserve\">\n";
        writeTextElement(out, 4, "source", unit.source);
        writeTextElement(out, 4, "target", unit.target, "state", stateOf(unit));
        writeTextElement(out, 4, "note", note);
        if (unit.picture)
            writePicture(out, *unit.picture);
        out << "      </trans-unit>\n";
    }
    out << (anyUnit ? "    </body>\n" : "    <body />\n");
    out << "  </file>\n</xliff>\n";
    return out.finish();
}

std::string writeXliff(const ExchangeDocument& document, std::vector<LeftOutUnit>* leftOut)
{
    std::string text;
    TextOutput out(appendingTo(text));
    writeXliff(document, out, leftOut);
    return text;
}

std::optional<ExchangeDocument> readXliff(const std::string& bytes, std::string& problem)
{
    return readXliff(std::string(bytes), problem);
}

namespace {

constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_ws_pcdata;
constexpr std::size_t npos = std::string::npos;

std::string parseProblem(const pugi::xml_parse_result& parsed, std::size_t offset)
{
    return std::string("not an XLIFF file: ") + parsed.description() + " at byte " + std::to_string(offset);
}

// The root's checks and the <file>'s languages, name and export id.
bool readHeader(const pugi::xml_document& xml, ExchangeDocument& document, std::string& problem)
{
    const pugi::xml_node root = xml.document_element();
    if (std::string(root.name()) != "xliff") {
        problem = std::string("not an XLIFF file: its root element is <") + root.name() + ">";
        return false;
    }
    if (std::string(root.attribute("version").value()).rfind("1.", 0) != 0) {
        problem = std::string("XLIFF ") + root.attribute("version").value() + " is not read; XLIFF 1.2 is";
        return false;
    }
    const pugi::xml_node file = root.child("file");
    document.header.sourceLanguage = printableText(file.attribute("source-language").value());
    document.header.targetLanguage = printableText(file.attribute("target-language").value());
    document.header.original = printableText(file.attribute("original").value());
    for (pugi::xml_node group : file.child("header").children("prop-group"))
        if (std::string_view(group.attribute("name").value()) == kExportGroup)
            for (pugi::xml_node prop : group.children("prop"))
                if (std::string_view(prop.attribute("prop-type").value()) == kExportIdProp)
                    document.header.exportId = printableText(prop.text().get());
    return true;
}

// Hands a <trans-unit>'s unit over; false (with the reason) for a unit without an id.
bool addUnit(const pugi::xml_node& tu, const UnitTaker& take, std::string& problem)
{
    // The header of a PO file that po2xliff converted is no text.
    if (std::string_view(tu.attribute("restype").value()) == "x-gettext-domain-header")
        return true;
    ExchangeUnit unit = readUnit(tu);
    if (unit.id.empty()) {
        problem = "a unit without an id";
        return false;
    }
    take(std::move(unit));
    return true;
}

// A taker that keeps the units in the document.
UnitTaker keepingIn(ExchangeDocument& document)
{
    return [&document](ExchangeUnit&& unit) { document.units.push_back(std::move(unit)); };
}

// The whole file as one tree: for files in another encoding than UTF-8, and to name the fault
// of a file whose markup the scan below does not follow.
std::optional<ExchangeDocument> readWhole(std::string& bytes, std::string& problem)
{
    pugi::xml_document xml;
    const pugi::xml_parse_result parsed =
        xml.load_buffer_inplace(bytes.data(), bytes.size(), kParseFlags, pugi::encoding_auto);
    if (!parsed) {
        problem = parseProblem(parsed, static_cast<std::size_t>(parsed.offset));
        return std::nullopt;
    }
    ExchangeDocument document;
    if (!readHeader(xml, document, problem))
        return std::nullopt;
    const pugi::xpath_node_set transUnits = xml.select_nodes("//trans-unit");
    document.units.reserve(transUnits.size());
    const UnitTaker keep = keepingIn(document);
    for (const pugi::xpath_node& node : transUnits)
        if (!addUnit(node.node(), keep, problem))
            return std::nullopt;
    return document;
}

// Whether the parser would read the bytes as UTF-8: no byte order mark of UTF-16 or UTF-32, no
// XML declaration naming another encoding.
bool readAsUtf8(std::string_view bytes)
{
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.remove_prefix(3);
    bytes.remove_prefix(std::min(bytes.size(), bytes.find_first_not_of(" \t\r\n")));
    if (bytes.empty() || bytes[0] != '<')
        return false;
    if (bytes.rfind("<?xml", 0) != 0)
        return true;
    const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
    const std::size_t encoding = declaration.find("encoding");
    if (encoding == npos)
        return true;
    const std::size_t quote = declaration.find_first_of("\"'", encoding);
    if (quote == npos)
        return false;
    std::string name(declaration.substr(quote + 1, 5));
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name == "utf-8" && declaration.size() > quote + 6 && declaration[quote + 6] == declaration[quote];
}

// One past the end of the markup that begins with the '<' at `at`: a comment, a CDATA section,
// a processing instruction, a document type (with its internal subset) or a tag, whose '>' may
// stand in quoted attribute values. npos when the file ends first.
std::size_t markupEnd(std::string_view bytes, std::size_t at)
{
    auto past = [&](std::string_view terminator) {
        const std::size_t end = bytes.find(terminator, at + 2);
        return end == npos ? npos : end + terminator.size();
    };
    if (bytes.compare(at, 4, "<!--") == 0)
        return past("-->");
    if (bytes.compare(at, 9, "<![CDATA[") == 0)
        return past("]]>");
    if (bytes.compare(at, 2, "<?") == 0)
        return past("?>");
    char quote = 0;
    int brackets = 0;  // a document type's internal subset holds markup of its own
    for (std::size_t i = at + 1; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (quote)
            quote = c == quote ? 0 : quote;
        else if (c == '"' || c == '\'')
            quote = c;
        else if (c == '[')
            ++brackets;
        else if (c == ']')
            --brackets;
        else if (c == '>' && brackets <= 0)
            return i + 1;
    }
    return npos;
}

bool isTagOf(std::string_view markup, std::string_view open)
{
    if (markup.rfind(open, 0) != 0 || markup.size() <= open.size())
        return false;
    const char next = markup[open.size()];
    return next == '>' || next == '/' || std::isspace(static_cast<unsigned char>(next));
}

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Where each <trans-unit> element stands in the file, in order; nothing when the markup does
// not close where the scan expects (the whole file's parse then says why).
std::optional<std::vector<Span>> unitSpans(std::string_view bytes)
{
    std::vector<Span> spans;
    int depth = 0;
    std::size_t begin = 0;
    for (std::size_t at = bytes.find('<'); at != npos;) {
        const std::size_t end = markupEnd(bytes, at);
        if (end == npos)
            return std::nullopt;
        const std::string_view markup = bytes.substr(at, end - at);
        if (isTagOf(markup, "<trans-unit")) {
            if (depth == 0)
                begin = at;
            if (markup[markup.size() - 2] != '/')
                ++depth;
            else if (depth == 0)
                spans.push_back({at, end});
        } else if (isTagOf(markup, "</trans-unit")) {
            if (depth == 0)
                return std::nullopt;
            if (--depth == 0)
                spans.push_back({begin, end});
        }
        at = bytes.find('<', end);
    }
    if (depth != 0)
        return std::nullopt;
    return spans;
}

// The file read one unit at a time: the file without its units is parsed for its header, then
// each unit's element on its own, where it lies. Only one unit's tree is held at any time,
// instead of a tree of the whole file several times its size.
std::optional<ExchangeDocument> readByUnits(std::string& bytes, const std::vector<Span>& spans, std::string& problem)
{
    std::string skeleton;
    std::size_t from = 0;
    for (const Span& span : spans) {
        skeleton.append(bytes, from, span.begin - from);
        from = span.end;
    }
    skeleton.append(bytes, from);
    ExchangeDocument document;
    {
        pugi::xml_document xml;
        if (!xml.load_buffer_inplace(skeleton.data(), skeleton.size(), kParseFlags, pugi::encoding_utf8))
            return readWhole(bytes, problem);  // says where the fault is in the file as it stands
        if (!readHeader(xml, document, problem))
            return std::nullopt;
    }
    std::string().swap(skeleton);
    document.units.reserve(spans.size());
    const UnitTaker keep = keepingIn(document);
    pugi::xml_document unit;
    for (const Span& span : spans) {
        const pugi::xml_parse_result parsed =
            unit.load_buffer_inplace(bytes.data() + span.begin, span.end - span.begin, kParseFlags, pugi::encoding_utf8);
        if (!parsed) {
            problem = parseProblem(parsed, span.begin + static_cast<std::size_t>(parsed.offset));
            return std::nullopt;
        }
        if (!addUnit(unit.document_element(), keep, problem))
            return std::nullopt;
    }
    return document;
}

// Where each <trans-unit> stands in a file read block by block, as unitSpans() finds them, and
// the file without them (`skeleton`); the window keeps no more than the markup being read.
std::optional<std::vector<Span>> scanUnits(FileWindow& window, std::string& skeleton)
{
    std::vector<Span> spans;
    int depth = 0;
    std::size_t begin = 0;
    std::size_t kept = 0;  // the skeleton holds what is outside units before this
    auto keepUpTo = [&](std::size_t to) {
        skeleton.append(window.from(kept).substr(0, to - kept));
        kept = to;
    };
    for (std::size_t at = 0;;) {
        const std::size_t next = window.from(at).find('<');
        if (next == npos) {
            if (depth == 0)
                keepUpTo(window.end());
            at = window.end();
            window.dropBefore(at);
            if (!window.more())
                break;
            continue;
        }
        const std::size_t open = at + next;
        std::size_t end = npos;
        while ((end = markupEnd(window.from(open), 0)) == npos)
            if (!window.more())
                return std::nullopt;
        end += open;
        const std::string_view markup = window.from(open).substr(0, end - open);
        if (isTagOf(markup, "<trans-unit")) {
            if (depth == 0) {
                keepUpTo(open);
                begin = open;
            }
            if (markup[markup.size() - 2] != '/')
                ++depth;
            else if (depth == 0)
                spans.push_back({open, end});
        } else if (isTagOf(markup, "</trans-unit")) {
            if (depth == 0)
                return std::nullopt;
            if (--depth == 0)
                spans.push_back({begin, end});
        }
        at = end;
        if (depth == 0) {
            if (!spans.empty() && spans.back().end == end)
                kept = end;  // the unit is no part of the skeleton
            keepUpTo(at);
        }
        window.dropBefore(at);
    }
    if (window.failed() || depth != 0)
        return std::nullopt;
    return spans;
}

// The units of a file whose skeleton was read, each parsed on its own as the reading reaches it.
class XliffUnitReader : public UnitReader {
public:
    XliffUnitReader(std::filesystem::path path, std::vector<Span> spans, ExchangeHeader header)
        : path_(std::move(path)), spans_(std::move(spans))
    {
        header_ = std::move(header);
    }

    bool readUnits(const UnitTaker& take, std::string& problem) override
    {
        FileWindow window;
        if (!window.open(path_))
            return failed(problem);
        pugi::xml_document xml;
        std::string unit;
        for (const Span& span : spans_) {
            if (!window.reach(span.end))
                return failed(problem);
            unit.assign(window.from(span.begin).substr(0, span.end - span.begin));
            replaceNulReferences(unit);
            if (!xml.load_buffer_inplace(unit.data(), unit.size(), kParseFlags, pugi::encoding_utf8))
                return failed(problem);
            if (!addUnit(xml.document_element(), take, problem))
                return false;
            window.dropBefore(span.end);
        }
        return true;
    }

private:
    // The reason, as reading the whole file gives it.
    bool failed(std::string& problem) const
    {
        if (wholeFileReader(path_, true, problem))
            problem = "the file changed while it was read";
        return false;
    }

    std::filesystem::path path_;
    std::vector<Span> spans_;
};

} // namespace

std::optional<ExchangeDocument> readXliff(std::string&& bytes, std::string& problem)
{
    // Parsed where the bytes lie: a large file is not copied again for the parser.
    replaceNulReferences(bytes);
    if (readAsUtf8(bytes))
        if (const std::optional<std::vector<Span>> spans = unitSpans(bytes))
            return readByUnits(bytes, *spans, problem);
    return readWhole(bytes, problem);
}

std::unique_ptr<UnitReader> openXliffReader(const std::filesystem::path& path, std::string& problem)
{
    // The encoding and the skeleton are checked first; a file that is not UTF-8, or whose markup
    // the block-wise scan does not follow, is read whole.
    FileWindow window;
    if (!window.open(path))
        return wholeFileReader(path, true, problem);
    window.reach(1 << 16);
    if (window.failed() || !readAsUtf8(window.from(0)))
        return wholeFileReader(path, true, problem);
    std::string skeleton;
    std::optional<std::vector<Span>> spans = scanUnits(window, skeleton);
    if (!spans)
        return wholeFileReader(path, true, problem);
    replaceNulReferences(skeleton);
    pugi::xml_document xml;
    if (!xml.load_buffer_inplace(skeleton.data(), skeleton.size(), kParseFlags, pugi::encoding_utf8))
        return wholeFileReader(path, true, problem);
    ExchangeDocument document;
    if (!readHeader(xml, document, problem))
        return nullptr;
    return std::make_unique<XliffUnitReader>(path, std::move(*spans), std::move(document.header));
}

} // namespace qmk
