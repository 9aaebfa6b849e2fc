// XLIFF 1.2 and PO files of a translation.
#include "exchange/PlatformExchange.h"

#include <pugixml.hpp>

#include <map>
#include <memory>
#include <sstream>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/Transaction.h"
#include "parser/LanguageTags.h"
#include "project/CQuillDoc.h"
#include "project/TextCodec.h"
#include "project/TranslationForm.h"
#include "resources/Feedback.h"
#include "resources/FileNames.h"
#include "resources/ReplacementFile.h"

namespace qmk {
namespace {

std::string lowerExtension(const std::filesystem::path& path)
{
    return toLowerAscii(path.extension().string());
}

// PO strings: backslash, quote, tab and line break escaped.
std::string poQuoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

std::optional<std::string> poUnquoted(std::string_view quoted)
{
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] != '\\') {
            out += quoted[i];
            continue;
        }
        if (++i >= quoted.size() - 1)
            return std::nullopt;  // a backslash before the closing quote
        switch (quoted[i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::string writeXliff(const std::vector<ExchangeUnit>& units, const std::string& sourceLanguage,
                       const std::string& targetLanguage)
{
    pugi::xml_document xml;
    auto declaration = xml.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    auto root = xml.append_child("xliff");
    root.append_attribute("version") = "1.2";
    root.append_attribute("xmlns") = "urn:oasis:names:tc:xliff:document:1.2";
    auto file = root.append_child("file");
    file.append_attribute("original") = "resources";
    file.append_attribute("source-language") = sourceLanguage.c_str();
    file.append_attribute("target-language") = targetLanguage.c_str();
    file.append_attribute("datatype") = "winres";
    auto body = file.append_child("body");
    for (const ExchangeUnit& unit : units) {
        auto tu = body.append_child("trans-unit");
        tu.append_attribute("id") = unit.id.c_str();
        tu.append_attribute("resname") = unit.ident.c_str();
        tu.append_attribute("xml:space") = "preserve";
        tu.append_child("source").text() = unit.source.c_str();
        auto target = tu.append_child("target");
        target.text() = unit.target.c_str();
        target.append_attribute("state") = unit.target.empty() ? "new" : unit.needsReview ? "needs-review-translation"
                                                                                         : "translated";
        auto note = tu.append_child("note");
        note.text() = (unit.itemType + (unit.resource.empty() ? "" : " in " + unit.resource)).c_str();
    }
    std::ostringstream out;
    xml.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    // A carriage return inside a text (a script's string broken across lines) would be turned
    // into a plain line break by every XML reader: it is written as a character reference.
    std::string text = out.str();
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text)
        escaped += c == '\r' ? std::string("&#13;") : std::string(1, c);
    return escaped;
}

std::string writePo(const std::vector<ExchangeUnit>& units, const std::string& targetLanguage)
{
    std::string out = "msgid \"\"\nmsgstr \"\"\n"
                      "\"Project-Id-Version: Quillmark export\\n\"\n"
                      "\"PO-Revision-Date: 2026-01-01 00:00+0000\\n\"\n"
                      "\"Last-Translator: \\n\"\n"
                      "\"Language-Team: \\n\"\n"
                      "\"MIME-Version: 1.0\\n\"\n"
                      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                      "\"Content-Transfer-Encoding: 8bit\\n\"\n"
                      "\"Language: " + targetLanguage + "\\n\"\n";
    for (const ExchangeUnit& unit : units) {
        out += "\n#. " + unit.itemType + (unit.resource.empty() ? "" : " in " + unit.resource) + "\n";
        out += "#: " + unit.id + "\n";
        if (unit.needsReview && !unit.target.empty())
            out += "#, fuzzy\n";
        out += "msgctxt " + poQuoted(unit.id) + "\n";
        out += "msgid " + poQuoted(unit.source) + "\n";
        out += "msgstr " + poQuoted(unit.target) + "\n";
    }
    return out;
}

std::optional<std::vector<ExchangeUnit>> readXliff(const std::string& bytes, std::string& problem)
{
    pugi::xml_document xml;
    const pugi::xml_parse_result parsed = xml.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        problem = std::string("not an XLIFF file: ") + parsed.description() + " at byte " + std::to_string(parsed.offset);
        return std::nullopt;
    }
    std::vector<ExchangeUnit> units;
    for (const pugi::xpath_node& node : xml.select_nodes("//trans-unit")) {
        const pugi::xml_node tu = node.node();
        ExchangeUnit unit;
        unit.id = tu.attribute("id").value();
        unit.source = tu.child("source").text().get();
        unit.target = tu.child("target").text().get();
        unit.needsReview = std::string(tu.child("target").attribute("state").value()).rfind("needs-", 0) == 0;
        if (unit.id.empty()) {
            problem = "a unit without an id";
            return std::nullopt;
        }
        units.push_back(std::move(unit));
    }
    return units;
}

std::optional<std::vector<ExchangeUnit>> readPo(const std::string& bytes, std::string& problem)
{
    std::vector<ExchangeUnit> units;
    ExchangeUnit unit;
    std::string* open = nullptr;  // the string a continuation line adds to
    bool fuzzy = false;
    auto finish = [&] {
        if (!unit.id.empty())
            units.push_back(unit);
        unit = {};
        fuzzy = false;
        open = nullptr;
    };
    std::istringstream in(bytes);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty()) {
            finish();
            continue;
        }
        if (line.rfind("#,", 0) == 0) {
            fuzzy = line.find("fuzzy") != std::string::npos;
            continue;
        }
        if (line[0] == '#')
            continue;
        auto value = [&](std::size_t at) -> std::optional<std::string> { return poUnquoted(line.substr(at)); };
        std::optional<std::string> text;
        if (line.rfind("msgctxt ", 0) == 0) {
            if (!unit.id.empty() || !unit.source.empty())
                finish();
            text = value(8);
            open = &unit.id;
        } else if (line.rfind("msgid ", 0) == 0) {
            text = value(6);
            open = &unit.source;
        } else if (line.rfind("msgstr ", 0) == 0) {
            text = value(7);
            open = &unit.target;
            unit.needsReview = fuzzy;
        } else if (line[0] == '"' && open) {
            text = poUnquoted(line);
            if (text)
                *open += *text;
            if (!text) {
                problem = "line " + std::to_string(number) + " cannot be read";
                return std::nullopt;
            }
            continue;
        } else {
            problem = "line " + std::to_string(number) + " cannot be read";
            return std::nullopt;
        }
        if (!text) {
            problem = "line " + std::to_string(number) + " cannot be read";
            return std::nullopt;
        }
        *open = *text;
    }
    finish();
    return units;
}

} // namespace

std::string sourceLanguageTag(CQuillDoc& doc)
{
    // Scripts often put their icons and version block under a neutral LANGUAGE statement
    // first; the texts are in the first language that is one.
    for (const SourceLanguageRow& source : doc.database().languages().sourceLanguages())
        if (const std::string tag = languageTag(source.id); tag != "und")
            return tag;
    return "en-US";
}

std::vector<ExchangeUnit> exchangeUnits(CQuillDoc& doc, LanguageId language)
{
    std::vector<ExchangeUnit> units;
    const TextTableRows& rows = doc.rows();
    const int column = rows.columns().columnOfLanguage(language);
    if (column < 0)
        return units;
    std::unordered_map<int, std::string> owners;
    try {
        owners = doc.database().items().owningResourceIdents();
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        return units;
    }
    // An id is the item type, the resource and the item's Id; items that share all three are
    // told apart by their order, which a source update keeps.
    std::map<std::string, int> seen;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const CObjectData& item = rows.item(row);
        if (item.excluded)
            continue;
        ExchangeUnit unit;
        const auto owner = owners.find(item.lineIndex);
        unit.resource = owner == owners.end() ? std::string() : owner->second;
        unit.itemType = std::string(itemTypeDisplayName(item.itemType));
        unit.ident = rows.displayText(row, TextTableColumns::IdColumn);
        std::string id = unit.itemType + "/" + (unit.resource.empty() ? "" : unit.resource + "/") + unit.ident;
        for (char& c : id)
            if (c == ' ')
                c = '_';
        const int n = seen[id]++;
        unit.id = n == 0 ? id : id + "#" + std::to_string(n + 1);
        unit.source = toDisplayForm(rows.displayText(row, TextTableColumns::SourceColumn));
        unit.target = toDisplayForm(rows.displayText(row, column));
        unit.needsReview = item.isModified(language);
        unit.lineIndex = item.lineIndex;
        units.push_back(std::move(unit));
    }
    return units;
}

std::optional<ExchangeFormat> exchangeFormatOf(const std::filesystem::path& path)
{
    const std::string extension = lowerExtension(path);
    if (extension == ".xlf" || extension == ".xliff")
        return ExchangeFormat::Xliff;
    if (extension == ".po" || extension == ".pot")
        return ExchangeFormat::Po;
    return std::nullopt;
}

bool writeExchangeFile(const std::filesystem::path& path, ExchangeFormat format, const std::vector<ExchangeUnit>& units,
                       const std::string& sourceLanguage, const std::string& targetLanguage, std::string& problem)
{
    const std::string text = format == ExchangeFormat::Xliff ? writeXliff(units, sourceLanguage, targetLanguage)
                                                             : writePo(units, targetLanguage);
    ReplacementFile file(path);
    if (!file.create() || !file.write(text) || !file.commit()) {
        problem = file.errorDetail();
        return false;
    }
    return true;
}

std::optional<std::vector<ExchangeUnit>> readExchangeFile(const std::filesystem::path& path, ExchangeFormat format,
                                                          std::string& problem)
{
    const std::optional<std::string> bytes = readInputFile(path, problem);
    if (!bytes)
        return std::nullopt;
    return format == ExchangeFormat::Xliff ? readXliff(*bytes, problem) : readPo(*bytes, problem);
}

ExchangeImportResult importExchangeUnits(CQuillDoc& doc, LanguageId language, const std::vector<ExchangeUnit>& units)
{
    ExchangeImportResult result;
    std::map<std::string, ExchangeUnit> byId;
    for (ExchangeUnit& unit : exchangeUnits(doc, language))
        byId.emplace(unit.id, std::move(unit));
    const int codePage = doc.translationCodePage(language);
    // Everything is checked before anything is stored.
    std::vector<std::pair<int, std::string>> stores;
    for (const ExchangeUnit& unit : units) {
        const auto project = byId.find(unit.id);
        if (project == byId.end()) {
            result.unknown.push_back(unit.id);
            continue;
        }
        if (unit.source != project->second.source) {
            result.sourceChanged.push_back(unit.id);
            continue;
        }
        if (unit.target.empty() || unit.target == project->second.target)
            continue;
        const PreparedTranslation bytes = prepareTranslation(unit.target, codePage);
        if (!bytes.ok) {
            result.unrepresentable.push_back(unit.id + ": " + unit.target);
            continue;
        }
        stores.emplace_back(project->second.lineIndex, bytes.bytes);
    }
    CQuillDoc::LongOperation operation(doc);
    if (!operation.acquired())
        return result;
    try {
        std::unique_ptr<Transaction> bulk = doc.database().beginBulk();
        for (const auto& [line, bytes] : stores)
            if (doc.storeTranslation(operation, line, language, bytes).done())
                ++result.imported;
        bulk->commit();
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        doc.translationsImported(operation, false);  // the rows show what the database holds
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace qmk
