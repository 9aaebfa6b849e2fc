// Writing and reading PO files.
#include "exchange/PoFile.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include "resources/TextValidity.h"

namespace qmk {
namespace {

// The header field that carries the export's id.
constexpr const char* kExportIdField = "X-Quillmark-Export-Id";

std::optional<std::string> poUnquoted(std::string_view quoted)
{
    while (!quoted.empty() && (quoted.back() == ' ' || quoted.back() == '\t'))
        quoted.remove_suffix(1);
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"')
        return std::nullopt;
    std::string out;
    out.reserve(quoted.size() - 2);
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] != '\\') {
            // The characters up to the next escape (or the closing quote) as they stand.
            const std::size_t escape = std::min(quoted.find('\\', i), quoted.size() - 1);
            out.append(quoted.substr(i, escape - i));
            i = escape - 1;
            continue;
        }
        if (++i >= quoted.size() - 1)
            return std::nullopt;  // a backslash before the closing quote
        switch (quoted[i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'a': out += '\a'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'v': out += '\v'; break;
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

// A comment is one line: a line break inside would start a line the reader cannot read.
std::string commentText(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

// A PO string: backslash, quote, tab, carriage return and line break escaped.
void writeQuoted(TextOutput& out, std::string_view text)
{
    out << '"';
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* escape = nullptr;
        switch (text[i]) {
        case '\\': escape = "\\\\"; break;
        case '"': escape = "\\\""; break;
        case '\n': escape = "\\n"; break;
        case '\t': escape = "\\t"; break;
        case '\r': escape = "\\r"; break;
        default: continue;
        }
        out << text.substr(plain, i - plain) << std::string_view(escape);
        plain = i + 1;
    }
    out << text.substr(plain) << '"';
}

// commentText() straight into the output.
void writeComment(TextOutput& out, std::string_view text)
{
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || text[i] == '\r') {
            out << text.substr(plain, i - plain) << ' ';
            plain = i + 1;
        }
    out << text.substr(plain);
}

struct PluralRule {
    const char* language;
    const char* forms;
};

constexpr PluralRule kPluralRules[] = {
    {"ja", "nplurals=1; plural=0;"}, {"ko", "nplurals=1; plural=0;"}, {"zh", "nplurals=1; plural=0;"},
    {"vi", "nplurals=1; plural=0;"}, {"th", "nplurals=1; plural=0;"}, {"id", "nplurals=1; plural=0;"},
    {"tr", "nplurals=2; plural=(n != 1);"},
    {"fr", "nplurals=2; plural=(n > 1);"}, {"pt-BR", "nplurals=2; plural=(n > 1);"},
    {"ru", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);"},
    {"uk", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);"},
    {"be", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);"},
    {"sr", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);"},
    {"hr", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);"},
    {"pl", "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);"},
    {"cs", "nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;"},
    {"sk", "nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;"},
    {"lt", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && (n%100<10 || n%100>=20) ? 1 : 2);"},
    {"lv", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n != 0 ? 1 : 2);"},
    {"ro", "nplurals=3; plural=(n==1 ? 0 : (n==0 || (n%100 > 0 && n%100 < 20)) ? 1 : 2);"},
    {"sl", "nplurals=4; plural=(n%100==1 ? 0 : n%100==2 ? 1 : n%100==3 || n%100==4 ? 2 : 3);"},
    {"ar", "nplurals=6; plural=(n==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && n%100<=10 ? 3 : n%100>=11 ? 4 : 5);"},
    {"ga", "nplurals=5; plural=(n==1 ? 0 : n==2 ? 1 : n<7 ? 2 : n<11 ? 3 : 4);"},
};

std::string lowerCase(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// One entry as it is read: the strings and what the comments say of it.
struct PoEntry {
    std::optional<std::string> context;
    std::string source;
    std::string target;
    bool fuzzy = false;
    bool plural = false;
    bool started = false;  // a msgid was read
    std::vector<std::string> references;  // "#:" comments: where the text stands
};

// Why the unit cannot be written into a PO file; empty when it can. The previous source counts
// only where it is written (a translation to review).
std::string unwritable(const ExchangeUnit& unit, const std::string& target)
{
    const std::string previous = unit.needsReview && !target.empty() ? unit.previousSource : std::string();
    const std::pair<const std::string*, const char*> fields[] = {
        {&unit.id, "the id"},         {&unit.source, "the source text"}, {&target, "the translation"},
        {&previous, "the previous source text"}, {&unit.itemType, "the item type"}, {&unit.resource, "the resource"}};
    for (const auto& [text, what] : fields)
        if (const std::string problem = utf8Problem(*text); !problem.empty())
            return problem + " in " + what;
    return {};
}

void headerField(const std::string& header, const char* name, std::string& value)
{
    std::istringstream lines(header);
    std::string line;
    const std::string prefix = std::string(name) + ":";
    while (std::getline(lines, line))
        if (line.rfind(prefix, 0) == 0) {
            value = line.substr(prefix.size());
            while (!value.empty() && value.front() == ' ')
                value.erase(0, 1);
        }
}

void finishEntry(PoEntry& entry, ExchangeDocument& document, bool& headerSeen)
{
    if (entry.started) {
        if (!entry.context && entry.source.empty() && !headerSeen) {
            headerSeen = true;
            headerField(entry.target, "Language", document.header.targetLanguage);
            headerField(entry.target, "Project-Id-Version", document.header.original);
            headerField(entry.target, kExportIdField, document.header.exportId);
            document.header.exportId = printableText(document.header.exportId);
            document.header.targetLanguage = printableText(document.header.targetLanguage);
            document.header.original = printableText(document.header.original);
        } else {
            ExchangeUnit unit;
            unit.id = entry.context.value_or(std::string());
            unit.source = entry.source;
            unit.target = entry.target;
            unit.needsReview = entry.fuzzy;
            unit.references = std::move(entry.references);
            if (entry.plural)
                unit.unreadable = "an entry with plural forms";
            // Bytes that are no UTF-8 are never passed on; an id that holds some is kept only in
            // a form a report can show (it cannot name an item of the project).
            const std::pair<const std::string*, const char*> fields[] = {
                {&unit.target, "the translation"}, {&unit.source, "the source text"}, {&unit.id, "the context"}};
            for (const auto& [text, what] : fields)
                if (const std::string bad = utf8Problem(*text); !bad.empty() && unit.unreadable.empty())
                    unit.unreadable = bad + " in " + what;
            if (!utf8Problem(unit.id).empty())
                unit.id = printableText(unit.id);
            document.units.push_back(std::move(unit));
        }
    }
    entry = {};
}

} // namespace

std::string pluralForms(const std::string& languageTag)
{
    std::string tag = lowerCase(languageTag);
    for (char& c : tag)
        if (c == '_')
            c = '-';
    for (const PluralRule& rule : kPluralRules)
        if (tag == lowerCase(rule.language))
            return rule.forms;
    const std::string language = tag.substr(0, tag.find('-'));
    for (const PluralRule& rule : kPluralRules)
        if (language == rule.language)
            return rule.forms;
    return "nplurals=2; plural=(n != 1);";
}

std::string printfConversions(const std::string& text)
{
    std::string found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        std::size_t j = i + 1;
        if (j < text.size() && text[j] == '%') {
            i = j;
            continue;
        }
        while (j < text.size() && std::string_view("-+ #0123456789.lhLqjzt").find(text[j]) != std::string_view::npos)
            ++j;
        if (j < text.size() && std::string_view("diouxXeEfFgGaAcspn").find(text[j]) != std::string_view::npos) {
            found += text.substr(i, j - i + 1);
            i = j;
        }
    }
    return found;
}

bool writePo(const ExchangeDocument& document, const std::string& revisionDate, TextOutput& out,
             std::vector<LeftOutUnit>* leftOut)
{
    const ExchangeHeader& header = document.header;
    std::string language = header.targetLanguage;
    for (char& c : language)
        if (c == '-')
            c = '_';  // gettext names languages as ll_CC
    if (header.isTemplate)
        out << "#, fuzzy\n";
    out << "msgid \"\"\nmsgstr \"\"\n";
    const std::pair<const char*, std::string> fields[] = {
        {"Project-Id-Version", commentText(printableText(header.original))},
        {"POT-Creation-Date", revisionDate},
        {"PO-Revision-Date", header.isTemplate ? std::string("YEAR-MO-DA HO:MI+ZONE") : revisionDate},
        {"Last-Translator", ""},
        {"Language-Team", ""},
        {"Language", commentText(printableText(language))},
        {"MIME-Version", "1.0"},
        {"Content-Type", "text/plain; charset=UTF-8"},
        {"Content-Transfer-Encoding", "8bit"},
        {"Plural-Forms", pluralForms(header.isTemplate ? std::string() : header.targetLanguage)},
        {"X-Generator", "Quillmark " QMK_VERSION},
    };
    for (const auto& [name, value] : fields) {
        writeQuoted(out, std::string(name) + ": " + value + "\n");
        out << '\n';
    }
    // The export's id comes back with the file: the import then knows what it sent.
    if (!header.exportId.empty()) {
        writeQuoted(out, std::string(kExportIdField) + ": " + commentText(printableText(header.exportId)) + "\n");
        out << '\n';
    }
    static const std::string noTarget;
    for (const ExchangeUnit& unit : document.units) {
        const std::string& target = header.isTemplate ? noTarget : unit.target;
        if (const std::string problem = unwritable(unit, target); !problem.empty()) {
            if (leftOut)
                leftOut->push_back({printableText(unit.id), problem});
            continue;
        }
        out << "\n#. ";
        writeComment(out, unit.itemType);
        if (!unit.resource.empty()) {
            out << " in ";
            writeComment(out, unit.resource);
        }
        out << "\n#: ";
        writeComment(out, unit.id);
        out << '\n';
        const bool fuzzy = unit.needsReview && !target.empty();
        // gettext's checks compare the conversions; a translation that already differs is not
        // offered for a check it fails.
        const std::string conversions = printfConversions(unit.source);
        const bool cFormat = !conversions.empty() && (target.empty() || printfConversions(target) == conversions);
        if (fuzzy || cFormat)
            out << '#' << (fuzzy ? ", fuzzy" : "") << (cFormat ? ", c-format" : "") << '\n';
        if (fuzzy && !unit.previousSource.empty()) {
            out << "#| msgid ";
            writeQuoted(out, unit.previousSource);
            out << '\n';
        }
        out << "msgctxt ";
        writeQuoted(out, unit.id);
        out << "\nmsgid ";
        writeQuoted(out, unit.source);
        out << "\nmsgstr ";
        writeQuoted(out, target);
        out << '\n';
    }
    return out.finish();
}

std::string writePo(const ExchangeDocument& document, const std::string& revisionDate, std::vector<LeftOutUnit>* leftOut)
{
    std::string text;
    TextOutput out(appendingTo(text));
    writePo(document, revisionDate, out, leftOut);
    return text;
}

std::optional<ExchangeDocument> readPo(const std::string& bytes, std::string& problem)
{
    ExchangeDocument document;
    PoEntry entry;
    bool headerSeen = false;
    bool afterTarget = false;
    std::string* open = nullptr;  // the string a continuation line adds to
    std::string ignored;
    // Lines are read where they lie in the bytes, never copied.
    std::string_view rest(bytes);
    if (rest.starts_with("\xEF\xBB\xBF"))
        rest.remove_prefix(3);
    std::size_t entries = 0;
    for (std::size_t at = rest.find("\nmsgid "); at != std::string_view::npos; at = rest.find("\nmsgid ", at + 1))
        ++entries;
    document.units.reserve(entries);
    int number = 0;
    auto unreadableLine = [&] {
        problem = "line " + std::to_string(number) + " cannot be read";
        return std::nullopt;
    };
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // A blank line, or a comment after the translation, ends the entry.
        if (line.empty() || (line[0] == '#' && afterTarget)) {
            finishEntry(entry, document, headerSeen);
            afterTarget = false;
            open = nullptr;
        }
        if (line.empty() || line.rfind("#~", 0) == 0)  // an obsolete entry is no unit
            continue;
        if (line.rfind("#,", 0) == 0) {
            entry.fuzzy = entry.fuzzy || line.find("fuzzy") != std::string::npos;
            continue;
        }
        if (line.rfind("#:", 0) == 0) {
            entry.references.emplace_back(line.substr(2));
            continue;
        }
        if (line[0] == '#')
            continue;
        if (line[0] == '"') {
            const std::optional<std::string> text = poUnquoted(line);
            if (!text || !open)
                return unreadableLine();
            *open += *text;
            continue;
        }
        const std::size_t space = line.find(' ');
        const std::string_view keyword = line.substr(0, space);
        const std::optional<std::string> text =
            space == std::string_view::npos ? std::nullopt : poUnquoted(line.substr(space + 1));
        if (!text)
            return unreadableLine();
        if ((keyword == "msgctxt" || keyword == "msgid") && afterTarget) {
            finishEntry(entry, document, headerSeen);  // entries without a blank line between
            afterTarget = false;
        }
        if (keyword == "msgctxt") {
            entry.context = *text;
            open = &*entry.context;
        } else if (keyword == "msgid") {
            entry.source = *text;
            entry.started = true;
            open = &entry.source;
        } else if (keyword == "msgid_plural") {
            entry.plural = true;
            ignored = *text;
            open = &ignored;
        } else if (keyword == "msgstr" || keyword == "msgstr[0]") {
            entry.target = *text;
            open = &entry.target;
            afterTarget = true;
        } else if (keyword.rfind("msgstr[", 0) == 0) {
            ignored = *text;
            open = &ignored;
            afterTarget = true;
        } else {
            return unreadableLine();
        }
    }
    finishEntry(entry, document, headerSeen);
    return document;
}

} // namespace qmk
