// TBX reading and writing over pugixml.
#include "memory/TbxFile.h"

#include <pugixml.hpp>

#include <map>
#include <set>
#include <sstream>

#include "memory/TmxFile.h"
#include "resources/ReplacementFile.h"
#include "resources/TextValidity.h"

namespace qmk {
namespace {

bool forbiddenStatus(std::string_view status)
{
    return status == "forbidden" || status == "deprecatedTerm-admn-sts" || status == "supersededTerm-admn-sts" ||
           status == "deprecated";
}

std::string langOf(const pugi::xml_node& node)
{
    return canonicalLanguageTag(node.attribute("xml:lang").as_string());
}

// A concept's languages: <langSet> in TBX 2008 (martif), <langSec> in TBX 2019 (tbx).
bool isLanguageSection(const pugi::xml_node& node)
{
    const std::string_view name = node.name();
    return name == "langSet" || name == "langSec";
}

// A term with what its <tig> (or <ntig>'s <termGrp>, or TBX 2019's <termSec>) says of it.
struct TbxTerm {
    std::string text;
    std::string partOfSpeech;
    std::string note;
    bool forbidden = false;
};

std::string termNote(const pugi::xml_node& group, const char* type)
{
    for (const pugi::xml_node& note : group.children("termNote"))
        if (std::string_view(note.attribute("type").as_string()) == type)
            return note.text().as_string();
    return {};
}

std::vector<TbxTerm> termsOf(const pugi::xml_node& langSet)
{
    std::vector<TbxTerm> terms;
    for (const pugi::xml_node& child : langSet.children()) {
        pugi::xml_node group;
        if (std::string_view(child.name()) == "tig" || std::string_view(child.name()) == "termSec")
            group = child;
        else if (std::string_view(child.name()) == "ntig")
            group = child.child("termGrp");
        else
            continue;
        TbxTerm term;
        term.text = group.child("term").text().as_string();
        if (term.text.empty())
            continue;
        term.partOfSpeech = termNote(group, "partOfSpeech");
        term.forbidden = forbiddenStatus(termNote(group, "administrativeStatus"));
        term.note = child.child("note").text().as_string();
        terms.push_back(std::move(term));
    }
    return terms;
}

std::string descriptionOf(const pugi::xml_node& termEntry, const char* type)
{
    for (const pugi::xml_node& node : termEntry.children())
        if (std::string_view(node.attribute("type").as_string()) == type)
            return node.text().as_string();
    return {};
}

std::vector<GlossaryEntry> entriesOf(const pugi::xml_node& termEntry, const std::string& sourceLanguage,
                                     const std::string& fileOrigin)
{
    std::vector<pugi::xml_node> languages;
    for (const pugi::xml_node& child : termEntry.children())
        if (isLanguageSection(child))
            languages.push_back(child);
    if (languages.empty())
        return {};
    pugi::xml_node source = languages.front();
    for (const pugi::xml_node& langSet : languages)
        if (glossaryLanguageMatches(langOf(langSet), sourceLanguage) || sourceLanguage.empty()) {
            source = langSet;
            break;
        }
    const std::vector<TbxTerm> sourceTerms = termsOf(source);
    if (sourceTerms.empty())
        return {};
    std::string note = termEntry.child("note").text().as_string();
    std::string origin = descriptionOf(termEntry, "source");
    if (origin.empty())
        origin = fileOrigin;
    std::vector<GlossaryEntry> entries;
    for (const pugi::xml_node& langSet : languages) {
        if (langSet == source)
            continue;
        GlossaryEntry entry;
        entry.sourceLanguage = langOf(source);
        entry.language = langOf(langSet);
        entry.note = note;
        entry.origin = origin;
        for (const TbxTerm& term : termsOf(langSet)) {
            if (term.forbidden)
                entry.forbidden.push_back(term.text);
            else if (entry.translation.empty())
                entry.translation = term.text;
            else
                entry.variants.push_back(term.text);
            if (entry.note.empty())
                entry.note = term.note;
        }
        if (entry.translation.empty() && entry.forbidden.empty())
            continue;
        for (const TbxTerm& term : sourceTerms) {
            if (term.forbidden)
                continue;
            entry.term = term.text;
            entry.partOfSpeech = term.partOfSpeech;
            entries.push_back(entry);
        }
    }
    return entries;
}

bool carried(const GlossaryEntry& entry)
{
    for (const std::string* text : {&entry.term, &entry.translation, &entry.note, &entry.origin, &entry.partOfSpeech,
                                     &entry.language, &entry.sourceLanguage})
        if (!xmlTextProblem(*text).empty())
            return false;
    for (const auto* list : {&entry.variants, &entry.forbidden})
        for (const std::string& text : *list)
            if (!xmlTextProblem(text).empty())
                return false;
    return true;
}

void addTig(pugi::xml_node langSet, const std::string& text, const std::string& partOfSpeech, const char* status)
{
    pugi::xml_node tig = langSet.append_child("tig");
    tig.append_child("term").text().set(text.c_str());
    if (!partOfSpeech.empty()) {
        pugi::xml_node note = tig.append_child("termNote");
        note.append_attribute("type") = "partOfSpeech";
        note.text().set(partOfSpeech.c_str());
    }
    if (status) {
        pugi::xml_node note = tig.append_child("termNote");
        note.append_attribute("type") = "administrativeStatus";
        note.text().set(status);
    }
}

} // namespace

TbxImportResult importTbx(Glossary& glossary, const std::filesystem::path& file)
{
    TbxImportResult result;
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(file.c_str());
    if (!parsed) {
        result.problem = file.string() + ": " + parsed.description() + " at offset " + std::to_string(parsed.offset);
        return result;
    }
    pugi::xml_node root = document.child("martif");
    if (!root)
        root = document.child("tbx");
    const pugi::xml_node body = root.child("text").child("body");
    if (!root || !body) {
        result.problem = file.string() + " is no TBX file (no martif/text/body)";
        return result;
    }
    std::string sourceLanguage = langOf(root);
    if (sourceLanguage.empty())
        sourceLanguage = "en";
    std::vector<GlossaryEntry> entries;
    for (const pugi::xml_node& termEntry : body.children()) {
        const std::string_view name = termEntry.name();
        if (name != "termEntry" && name != "conceptEntry")
            continue;
        std::vector<GlossaryEntry> found = entriesOf(termEntry, sourceLanguage, file.filename().string());
        if (found.empty())
            ++result.skipped;
        for (GlossaryEntry& entry : found) {
            if (!utf8Problem(entry.term).empty() || !utf8Problem(entry.translation).empty()) {
                ++result.skipped;  // the glossary holds UTF-8 only, as the memory does
                continue;
            }
            entries.push_back(std::move(entry));
        }
    }
    try {
        glossary.add(entries);
    } catch (const GlossaryError& error) {
        result.problem = error.what();
        return result;
    }
    result.entries = static_cast<std::int64_t>(entries.size());
    result.ok = true;
    return result;
}

bool writeTbx(const std::vector<GlossaryEntry>& entries, const std::filesystem::path& file, std::string& problem)
{
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node martif = document.append_child("martif");
    martif.append_attribute("type") = "TBX-Basic";
    const std::string sourceLanguage = entries.empty() ? "en" : entries.front().sourceLanguage;
    martif.append_attribute("xml:lang") = (sourceLanguage.empty() ? "en" : sourceLanguage).c_str();
    martif.append_child("martifHeader").append_child("fileDesc").append_child("sourceDesc").append_child("p").text().set(
        "Quillmark glossary");
    pugi::xml_node body = martif.append_child("text").append_child("body");

    // The entries of one term (and source language) in every language, in the order first met.
    std::map<std::pair<std::string, std::string>, pugi::xml_node> concepts;
    long id = 0;
    for (const GlossaryEntry& entry : entries) {
        const auto key = std::make_pair(glossaryTermKey(entry.term), entry.sourceLanguage);
        pugi::xml_node& termEntry = concepts[key];
        if (!termEntry) {
            termEntry = body.append_child("termEntry");
            termEntry.append_attribute("id") = ("c" + std::to_string(++id)).c_str();
            if (!entry.origin.empty()) {
                pugi::xml_node admin = termEntry.append_child("admin");
                admin.append_attribute("type") = "source";
                admin.text().set(entry.origin.c_str());
            }
            if (!entry.note.empty())
                termEntry.append_child("note").text().set(entry.note.c_str());
            pugi::xml_node source = termEntry.append_child("langSet");
            source.append_attribute("xml:lang") = (entry.sourceLanguage.empty() ? "en" : entry.sourceLanguage).c_str();
            addTig(source, entry.term, entry.partOfSpeech, nullptr);
        }
        if (entry.language.empty())
            continue;
        pugi::xml_node langSet = termEntry.append_child("langSet");
        langSet.append_attribute("xml:lang") = entry.language.c_str();
        if (!entry.translation.empty())
            addTig(langSet, entry.translation, entry.partOfSpeech, "preferredTerm-admn-sts");
        for (const std::string& variant : entry.variants)
            addTig(langSet, variant, entry.partOfSpeech, "admittedTerm-admn-sts");
        for (const std::string& forbidden : entry.forbidden)
            addTig(langSet, forbidden, {}, "forbidden");
    }
    std::ostringstream text;
    document.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    // A failed write leaves the file that was there, never half a glossary.
    ReplacementFile out(file);
    if (!out.create() || !out.write(text.str()) || !out.commit()) {
        problem = out.errorDetail().empty() ? "cannot write " + file.string() : out.errorDetail();
        return false;
    }
    return true;
}

TbxExportResult exportTbx(Glossary& glossary, const std::filesystem::path& file,
                          const std::optional<std::string>& language)
{
    TbxExportResult result;
    std::vector<GlossaryEntry> entries;
    try {
        glossary.forEach(language, [&](const GlossaryEntry& entry) {
            if (carried(entry))
                entries.push_back(entry);
            else
                ++result.skipped;
        });
    } catch (const GlossaryError& error) {
        result.problem = error.what();
        return result;
    }
    std::set<std::pair<std::string, std::string>> concepts;
    for (const GlossaryEntry& entry : entries)
        concepts.emplace(glossaryTermKey(entry.term), entry.sourceLanguage);
    result.entries = static_cast<std::int64_t>(concepts.size());
    result.ok = writeTbx(entries, file, result.problem);
    return result;
}

} // namespace qmk
