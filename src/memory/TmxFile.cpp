// TMX 1.4b writing (streamed, a unit at a time) and reading (pugixml).
#include "memory/TmxFile.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <ctime>
#include <fstream>
#include <exception>
#include <memory>

#include "memory/MemoryMatches.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/ReplacementFile.h"
#include "resources/Texts.h"
#include "resources/TextValidity.h"

namespace qmk {
namespace {

constexpr std::size_t kImportBatch = 20000;
constexpr std::int64_t kExportStep = 1000;
constexpr std::size_t kExportPiece = 64 * 1024;

// Thrown out of the memory's walk when the export is cancelled; a std::exception, so that a
// server's walk reads the rest of its rows away before it reports the failure.
struct ExportCancelled : std::exception {
    const char* what() const noexcept override { return "cancelled"; }
};

// The task of an import or export when there is someone to show it to.
std::unique_ptr<FeedbackTask> taskFor(Feedback* feedback, const char* title, const std::filesystem::path& file,
                                      long total)
{
    if (!feedback)
        return nullptr;
    return std::make_unique<FeedbackTask>(*feedback, fillPlaceholders(title, {file.filename().string()}), total);
}

// Whether every text of the unit can be written into the file as it stands: UTF-8, and no
// character XML 1.0 cannot carry (control characters other than tab, line feed and carriage
// return, U+FFFE, U+FFFF). A memory fed before its feeds were checked may hold such units.
bool xmlCarries(const MemoryUnit& unit)
{
    for (const std::string* text : {&unit.source, &unit.target, &unit.sourceLanguage, &unit.targetLanguage,
                                     &unit.project, &unit.resourceType, &unit.resourceId})
        if (!xmlTextProblem(*text).empty())
            return false;
    return true;
}

void appendEscaped(std::string& out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\r': out += "&#13;"; break;  // a bare carriage return would be read back as a line feed
        default: out += c;
        }
    }
}

std::string tmxDate(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&time, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

std::int64_t parseTmxDate(const char* text)
{
    std::tm utc{};
    if (std::sscanf(text, "%4d%2d%2dT%2d%2d%2dZ", &utc.tm_year, &utc.tm_mon, &utc.tm_mday, &utc.tm_hour, &utc.tm_min,
                    &utc.tm_sec) != 6)
        return 0;
    utc.tm_year -= 1900;
    utc.tm_mon -= 1;
    return static_cast<std::int64_t>(timegm(&utc));
}

void appendProp(std::string& out, const char* type, const std::string& value)
{
    if (value.empty())
        return;
    out += "      <prop type=\"";
    out += type;
    out += "\">";
    appendEscaped(out, value);
    out += "</prop>\n";
}

void appendTuv(std::string& out, const std::string& language, const std::string& text)
{
    out += "      <tuv xml:lang=\"";
    appendEscaped(out, language);
    out += "\"><seg>";
    appendEscaped(out, text);
    out += "</seg></tuv>\n";
}

// The text of a <seg>: its characters and those of <hi> and <sub> at any depth, without inline
// codes. Walked without recursion: a file nested tens of thousands deep must not exhaust the stack.
void segText(const pugi::xml_node& seg, std::string& out)
{
    pugi::xml_node node = seg.first_child();
    while (node) {
        bool descend = false;
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            out += node.value();
        } else if (node.type() == pugi::node_element) {
            const std::string_view name = node.name();
            descend = name == "hi" || name == "sub";
        }
        if (descend && node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node != seg && !node.next_sibling())
            node = node.parent();
        node = node == seg ? pugi::xml_node() : node.next_sibling();
    }
}

// How a refusal names a unit of the file: its place among the <tu>, its tuid when it has one.
// The line of the first character reference to U+0000 ("&#0;", "&#x00;"), or 0 when there is
// none. XML allows no such character; the parser would decode it and every text holding it
// would end there, so a file with one is refused rather than read cut short.
std::size_t lineOfNulReference(std::string_view text)
{
    for (std::size_t at = text.find("&#"); at != std::string_view::npos; at = text.find("&#", at + 2)) {
        std::size_t digits = at + 2;
        if (digits < text.size() && (text[digits] == 'x' || text[digits] == 'X'))
            ++digits;
        std::size_t end = digits;
        while (end < text.size() && text[end] == '0')
            ++end;
        if (end > digits && end < text.size() && text[end] == ';')
            return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
    }
    return 0;
}

bool readWholeFile(const std::filesystem::path& file, std::string& text)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string unitName(long number, const pugi::xml_node& tu)
{
    std::string name = "unit " + std::to_string(number);
    if (const char* id = tu.attribute("tuid").as_string(); *id)
        name += " (tuid " + printableText(id) + ")";
    return name;
}

bool sameLanguage(std::string_view a, std::string_view b)
{
    return canonicalLanguageTag(a) == canonicalLanguageTag(b);
}

// "de-DE" also names the source language "de" a unit might give, and the other way round.
bool samePrimaryLanguage(std::string_view a, std::string_view b)
{
    const std::string left = canonicalLanguageTag(a);
    const std::string right = canonicalLanguageTag(b);
    return left.substr(0, left.find('-')) == right.substr(0, right.find('-'));
}

} // namespace

std::string canonicalLanguageTag(std::string_view tag)
{
    std::string out;
    std::size_t start = 0;
    for (int index = 0; start <= tag.size(); ++index) {
        std::size_t end = tag.find_first_of("-_", start);
        if (end == std::string_view::npos)
            end = tag.size();
        std::string part(tag.substr(start, end - start));
        for (std::size_t i = 0; i < part.size(); ++i) {
            char& c = part[i];
            const bool upper = index > 0 && (part.size() == 2 || (part.size() == 4 && i == 0));
            if (upper && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            else if (!upper && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        if (!out.empty() || index > 0)
            out += '-';
        out += part;
        start = end + 1;
    }
    return out;
}

TmxExportResult exportTmx(TranslationMemory& memory, const std::filesystem::path& file,
                          const std::optional<std::string>& targetLanguage, Feedback* feedback)
{
    return exportTmx(memory, file, targetLanguage ? std::vector<std::string>{*targetLanguage} : std::vector<std::string>{},
                     feedback);
}

TmxExportResult exportTmx(TranslationMemory& memory, const std::filesystem::path& file,
                          const std::vector<std::string>& targetLanguages, Feedback* feedback)
{
    // One language is picked out by the memory itself; several are picked from every unit.
    const std::optional<std::string> walked =
        targetLanguages.size() == 1 ? std::optional<std::string>(targetLanguages.front()) : std::nullopt;
    auto wanted = [&](const MemoryUnit& unit) {
        return targetLanguages.size() <= 1 ||
               std::any_of(targetLanguages.begin(), targetLanguages.end(),
                           [&](const std::string& tag) { return sameLanguageTag(tag, unit.targetLanguage); });
    };
    TmxExportResult result;
    ReplacementFile out(file, {.tag = "part"});
    if (!out.create()) {
        result.problem = "cannot write " + file.string() + ": " + out.errorDetail();
        return result;
    }
    // The units go out in pieces of about 64 KB rather than a write each.
    std::string pending =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE tmx SYSTEM \"tmx14.dtd\">\n"
        "<tmx version=\"1.4\">\n"
        "  <header creationtool=\"Quillmark\" creationtoolversion=\"" QMK_VERSION "\" segtype=\"block\""
        " o-tmf=\"qmk32\" adminlang=\"en-US\" srclang=\"*all*\" datatype=\"plaintext\"/>\n"
        "  <body>\n";
    bool written = true;
    auto flush = [&](std::size_t atLeast) {
        if (pending.size() >= atLeast) {
            written = written && out.write(pending);
            pending.clear();
        }
    };
    auto put = [&](const std::string& piece) {
        pending += piece;
        flush(kExportPiece);
        if (!written)
            throw ExportCancelled{};  // the disk is full: no use walking on
    };
    std::string tu;
    std::int64_t visited = 0;
    try {
        std::unique_ptr<FeedbackTask> task =
            taskFor(feedback, txt::TaskExportTmx, file, feedback ? static_cast<long>(memory.size()) : 0);
        memory.forEach(walked, [&](const MemoryUnit& unit) {
            if (!wanted(unit))
                return;
            if (task && ++visited % kExportStep == 0) {
                task->step(static_cast<long>(visited));
                if (task->cancelled()) {
                    result.cancelled = true;
                    throw ExportCancelled{};
                }
            }
            if (!xmlCarries(unit)) {
                ++result.skipped;
                return;
            }
            tu.clear();
            const std::string date = tmxDate(unit.time);
            tu += "    <tu srclang=\"";
            appendEscaped(tu, unit.sourceLanguage);
            tu += "\" creationdate=\"" + date + "\" changedate=\"" + date + "\">\n";
            appendProp(tu, "x-project", unit.project);
            appendProp(tu, "x-resource-type", unit.resourceType);
            appendProp(tu, "x-resource-id", unit.resourceId);
            if (unit.flagged)
                appendProp(tu, "x-flagged", "yes");
            appendTuv(tu, unit.sourceLanguage, unit.source);
            appendTuv(tu, unit.targetLanguage, unit.target);
            tu += "    </tu>\n";
            put(tu);
            ++result.units;
        });
    } catch (const ExportCancelled&) {
        // below
    } catch (const MemoryError& error) {
        if (!result.cancelled)  // a server's walk reports the cancel as its failure
            result.problem = error.what();
    }
    if (result.cancelled || !result.problem.empty())
        return result;  // the file stays as it was
    pending += "  </body>\n</tmx>\n";
    flush(0);
    if (!written || !out.commit()) {
        result.problem = "cannot write " + file.string() + ": " + out.errorDetail();
        return result;
    }
    result.ok = true;
    return result;
}

std::vector<std::string> memoryTargetLanguages(TranslationMemory& memory)
{
    std::vector<std::string> languages;
    memory.forEach(std::nullopt, [&](const MemoryUnit& unit) {
        if (std::none_of(languages.begin(), languages.end(),
                         [&](const std::string& known) { return sameLanguageTag(known, unit.targetLanguage); }))
            languages.push_back(unit.targetLanguage);
    });
    return languages;
}

TmxImportResult importTmx(TranslationMemory& memory, const std::filesystem::path& file, Feedback* feedback)
{
    TmxImportResult result;
    std::string text;  // parsed in place: the document's texts live in it
    if (!readWholeFile(file, text)) {
        result.problem = file.string() + ": " + std::strerror(errno);
        return result;
    }
    if (const std::size_t line = lineOfNulReference(text)) {
        result.problem = file.string() + ", line " + std::to_string(line) +
                         ": a reference to the character U+0000, which no XML file may hold";
        return result;
    }
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer_inplace(text.data(), text.size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!parsed) {
        result.problem = file.string() + ": " + parsed.description() + " at byte " + std::to_string(parsed.offset);
        return result;
    }
    const pugi::xml_node tmx = document.child("tmx");
    if (!tmx) {
        result.problem = file.string() + " is no TMX file";
        return result;
    }
    const std::string headerSource = tmx.child("header").attribute("srclang").as_string();
    std::vector<MemoryUnit> batch;
    long total = 0;
    if (feedback)
        for ([[maybe_unused]] const pugi::xml_node& tu : tmx.child("body").children("tu"))
            ++total;
    std::unique_ptr<FeedbackTask> task = taskFor(feedback, txt::TaskImportTmx, file, total);
    long read = 0;
    try {
        for (const pugi::xml_node& tu : tmx.child("body").children("tu")) {
            ++read;
            std::string sourceLanguage = tu.attribute("srclang").as_string(headerSource.c_str());
            MemoryUnit unit;
            const char* date = tu.attribute("changedate").as_string(tu.attribute("creationdate").as_string());
            unit.time = parseTmxDate(date);
            for (const pugi::xml_node& prop : tu.children("prop")) {
                const std::string_view type = prop.attribute("type").as_string();
                if (type == "x-project")
                    unit.project = prop.text().as_string();
                else if (type == "x-resource-type")
                    unit.resourceType = prop.text().as_string();
                else if (type == "x-resource-id" || type == "x-context")
                    unit.resourceId = prop.text().as_string();
                else if (type == "x-flagged")
                    unit.flagged = std::string_view(prop.text().as_string()) == "yes";
            }
            // The source: the <tuv> of the source language (of its primary language when no
            // <tuv> has the very tag), or the first when the file says "*all*".
            pugi::xml_node source;
            const bool anySource = sourceLanguage.empty() || sourceLanguage == "*all*";
            for (const pugi::xml_node& tuv : tu.children("tuv")) {
                const char* lang = tuv.attribute("xml:lang").as_string(tuv.attribute("lang").as_string());
                if (anySource) {
                    source = tuv;
                    break;
                }
                if (sameLanguage(lang, sourceLanguage)) {
                    source = tuv;
                    break;
                }
                if (!source && samePrimaryLanguage(lang, sourceLanguage))
                    source = tuv;
            }
            if (!source) {
                ++result.skipped;
                continue;
            }
            unit.sourceLanguage =
                canonicalLanguageTag(source.attribute("xml:lang").as_string(source.attribute("lang").as_string()));
            unit.source.clear();
            segText(source.child("seg"), unit.source);
            bool any = false;
            bool refused = false;
            for (const pugi::xml_node& tuv : tu.children("tuv")) {
                if (tuv == source)
                    continue;
                MemoryUnit translation = unit;
                segText(tuv.child("seg"), translation.target);
                translation.targetLanguage =
                    canonicalLanguageTag(tuv.attribute("xml:lang").as_string(tuv.attribute("lang").as_string()));
                if (translation.target.empty() || unit.source.empty() || translation.targetLanguage.empty())
                    continue;
                // Bytes that are no UTF-8 never enter the memory: the translation is refused and
                // listed; the unit's other translations are taken.
                if (const std::string problem = memoryUnitProblem(translation); !problem.empty()) {
                    result.refused.push_back(
                        {unitName(read, tu) + ", " + printableText(translation.targetLanguage), problem});
                    refused = true;
                    continue;
                }
                batch.push_back(std::move(translation));
                any = true;
            }
            if (!any && !refused)
                ++result.skipped;
            if (batch.size() >= kImportBatch) {
                memory.add(batch);
                result.units += static_cast<std::int64_t>(batch.size());
                batch.clear();
                if (task) {
                    task->step(read);
                    if (task->cancelled()) {
                        result.cancelled = true;
                        break;
                    }
                }
            }
        }
        if (!result.cancelled) {
            memory.add(batch);
            result.units += static_cast<std::int64_t>(batch.size());
        }
    } catch (const MemoryError& error) {
        result.problem = error.what();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace qmk
