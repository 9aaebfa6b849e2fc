// Writing and reading PO files.
#include "exchange/PoFile.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include "exchange/UnitReader.h"
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

void finishEntry(PoEntry& entry, ExchangeHeader& header, const UnitTaker& take, bool& headerSeen)
{
    if (entry.started) {
        if (!entry.context && entry.source.empty() && !headerSeen) {
            headerSeen = true;
            headerField(entry.target, "Language", header.targetLanguage);
            headerField(entry.target, "Project-Id-Version", header.original);
            headerField(entry.target, kExportIdField, header.exportId);
            header.exportId = printableText(header.exportId);
            header.targetLanguage = printableText(header.targetLanguage);
            header.original = printableText(header.original);
        } else {
            ExchangeUnit unit;
            unit.id = entry.context.value_or(std::string());
            unit.source = std::move(entry.source);
            unit.target = std::move(entry.target);
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
            take(std::move(unit));
        }
    }
    entry = {};
}

// PO text read a line at a time: each entry's unit is handed over as the entry ends, the header
// kept apart.
class PoParser {
public:
    PoParser(ExchangeHeader& header, UnitTaker take) : header_(header), take_(std::move(take)) {}
    // False, with the reason, for a line that cannot be read.
    bool line(std::string_view line, std::string& problem);
    // After the last line.
    void finish() { finishEntry(entry_, header_, take_, headerSeen_); }
    bool headerSeen() const { return headerSeen_; }

private:
    ExchangeHeader& header_;
    UnitTaker take_;
    PoEntry entry_;
    bool headerSeen_ = false;
    bool afterTarget_ = false;
    std::string* open_ = nullptr;  // the string a continuation line adds to
    std::string ignored_;
    int number_ = 0;
};

bool PoParser::line(std::string_view line, std::string& problem)
{
    ++number_;
    auto unreadableLine = [&] {
        problem = "line " + std::to_string(number_) + " cannot be read";
        return false;
    };
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    // A blank line, or a comment after the translation, ends the entry.
    if (line.empty() || (line[0] == '#' && afterTarget_)) {
        finishEntry(entry_, header_, take_, headerSeen_);
        afterTarget_ = false;
        open_ = nullptr;
    }
    if (line.empty() || line.rfind("#~", 0) == 0)  // an obsolete entry is no unit
        return true;
    if (line.rfind("#,", 0) == 0) {
        entry_.fuzzy = entry_.fuzzy || line.find("fuzzy") != std::string::npos;
        return true;
    }
    if (line.rfind("#:", 0) == 0) {
        entry_.references.emplace_back(line.substr(2));
        return true;
    }
    if (line[0] == '#')
        return true;
    if (line[0] == '"') {
        const std::optional<std::string> text = poUnquoted(line);
        if (!text || !open_)
            return unreadableLine();
        *open_ += *text;
        return true;
    }
    const std::size_t space = line.find(' ');
    const std::string_view keyword = line.substr(0, space);
    std::optional<std::string> text =
        space == std::string_view::npos ? std::nullopt : poUnquoted(line.substr(space + 1));
    if (!text)
        return unreadableLine();
    if ((keyword == "msgctxt" || keyword == "msgid") && afterTarget_) {
        finishEntry(entry_, header_, take_, headerSeen_);  // entries without a blank line between
        afterTarget_ = false;
    }
    if (keyword == "msgctxt") {
        entry_.context = std::move(*text);
        open_ = &*entry_.context;
    } else if (keyword == "msgid") {
        entry_.source = std::move(*text);
        entry_.started = true;
        open_ = &entry_.source;
    } else if (keyword == "msgid_plural") {
        entry_.plural = true;
        ignored_ = std::move(*text);
        open_ = &ignored_;
    } else if (keyword == "msgstr" || keyword == "msgstr[0]") {
        entry_.target = std::move(*text);
        open_ = &entry_.target;
        afterTarget_ = true;
    } else if (keyword.rfind("msgstr[", 0) == 0) {
        ignored_ = std::move(*text);
        open_ = &ignored_;
        afterTarget_ = true;
    } else {
        return unreadableLine();
    }
    return true;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Hands each line of the file (without its line break) to `take` while it says to go on;
// false when reading failed.
template <typename Take>
bool eachLine(FileWindow& window, Take take)
{
    window.more();
    std::size_t at = window.from(0).starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    std::size_t searched = 0;  // of the bytes from `at`: no line break among them
    for (;;) {
        const std::size_t end = window.from(at).find('\n', searched);
        if (end == std::string_view::npos) {
            searched = window.end() - at;
            if (window.more())
                continue;
            const std::string_view last = window.from(at);
            if (!window.failed() && !last.empty())
                take(last);
            return !window.failed();
        }
        if (!take(window.from(at).substr(0, end)))
            return !window.failed();
        at += end + 1;
        searched = 0;
        window.dropBefore(at);
    }
}

// The units of a PO file whose header was read, parsed again from the start as they are asked for.
class PoUnitReader : public UnitReader {
public:
    explicit PoUnitReader(std::filesystem::path path) : path_(std::move(path)) {}

    // The header: the first entry of any catalogue made by a tool; a file with it further on is
    // read on to find it.
    bool readHeader(std::string& problem)
    {
        FileWindow window;
        if (!window.open(path_))
            return false;
        PoParser parser(header_, [](ExchangeUnit&&) {});
        bool readable = true;
        const bool read = eachLine(window, [&](std::string_view line) {
            readable = parser.line(line, problem);
            return readable && !parser.headerSeen();
        });
        if (!read || !readable)
            return false;
        if (!parser.headerSeen())
            parser.finish();
        return true;
    }

    bool readUnits(const UnitTaker& take, std::string& problem) override
    {
        FileWindow window;
        if (!window.open(path_))
            return failed(problem);
        ExchangeHeader again;
        PoParser parser(again, take);
        bool readable = true;
        if (!eachLine(window, [&](std::string_view line) { return readable = parser.line(line, problem); }) || !readable)
            return failed(problem);
        parser.finish();
        return true;
    }

private:
    // The reason, as reading the whole file gives it.
    bool failed(std::string& problem) const
    {
        if (wholeFileReader(path_, false, problem))
            problem = "the file changed while it was read";
        return false;
    }

    std::filesystem::path path_;
};

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
        if (unit.picture) {
            out << "\n#. ";
            writeComment(out, printableText(pictureNote(*unit.picture)));
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
    // Lines are read where they lie in the bytes, never copied.
    std::string_view rest(bytes);
    if (rest.starts_with(kByteOrderMark))
        rest.remove_prefix(kByteOrderMark.size());
    std::size_t entries = 0;
    for (std::size_t at = rest.find("\nmsgid "); at != std::string_view::npos; at = rest.find("\nmsgid ", at + 1))
        ++entries;
    document.units.reserve(entries);
    PoParser parser(document.header, [&document](ExchangeUnit&& unit) { document.units.push_back(std::move(unit)); });
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!parser.line(line, problem))
            return std::nullopt;
    }
    parser.finish();
    return document;
}

std::unique_ptr<UnitReader> openPoReader(const std::filesystem::path& path, std::string& problem)
{
    auto reader = std::make_unique<PoUnitReader>(path);
    if (!reader->readHeader(problem))
        return wholeFileReader(path, false, problem);  // says why, as reading it whole does
    return reader;
}

} // namespace qmk
