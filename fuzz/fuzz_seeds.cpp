// Seeds for the exchange fuzz targets: each script named on the command line is built into a
// project in a scratch folder, given a German translation of every text, and exported as XLIFF,
// PO and a workbook into the three seed folders. Seeds are numbered, so scripts of the same
// name from different folders never overwrite each other. Beside them go files nested deeper
// than any recursive reader survives (XLIFF, TMX, a workbook; a PO string continued as long),
// made here rather than kept in the repository.
#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "exchange/PlatformExchange.h"
#include "exchange/WorkbookExport.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"

namespace {

bool exportSeeds(const std::filesystem::path& script, const std::filesystem::path& seeds, int number)
{
    std::string name = (std::filesystem::temp_directory_path() / "qmk-seed-XXXXXX").string();
    const std::filesystem::path work(::mkdtemp(name.data()));
    std::error_code ec;
    std::filesystem::copy_file(script, work / script.filename(), ec);
    qmk::SilentFeedback quiet;
    bool written = false;
    {
        qmk::CQuillDoc doc(quiet, {".DLG"});
        const qmk::LanguageId german{7, 1};
        if (!ec && doc.OnOpenDocument(work / script.filename()) && doc.NewTranslation(german, "de.rc").done() &&
            doc.reloadRows().done()) {
            const std::string stem = std::to_string(number) + "-" + script.stem().string();
            std::string problem;
            qmk::ExchangeDocument document = qmk::exchangeDocument(doc, german);
            for (qmk::ExchangeUnit& unit : document.units)
                unit.target = "de[" + unit.source + "]";
            written = qmk::writeExchangeFile(seeds / "xliff" / (stem + ".xlf"), qmk::ExchangeKind::Xliff, document, problem) &&
                      qmk::writeExchangeFile(seeds / "po" / (stem + ".po"), qmk::ExchangeKind::Po, document, problem);
            qmk::WorkbookExport workbook(doc, quiet);
            workbook.run(seeds / "workbook" / (stem + ".xlsx"), {0, 1, 2});
            doc.setModified(false);
            doc.OnCloseDocument();
        }
    }
    std::filesystem::remove_all(work, ec);
    return written;
}

constexpr int kDeep = 60000;

std::string repeated(const std::string& text, int times)
{
    std::string out;
    out.reserve(text.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

std::string nested(const std::string& open, const std::string& close, const std::string& inner)
{
    return repeated(open, kDeep) + inner + repeated(close, kDeep);
}

bool writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

bool writeZip(const std::filesystem::path& path, const std::vector<std::pair<std::string, std::string>>& entries)
{
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip)
        return false;
    for (const auto& [name, content] : entries) {
        zip_source_t* source = zip_source_buffer(zip, content.data(), content.size(), 0);
        if (!source || zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_discard(zip);
            return false;
        }
    }
    return zip_close(zip) == 0;
}

// The deep seeds: each reader must take them without recursion on the stack.
bool writeDeepSeeds(const std::filesystem::path& seeds)
{
    const std::string xliff =
        "<?xml version=\"1.0\"?>\n<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">"
        "<file original=\"app.rc\" source-language=\"en-US\" target-language=\"de-DE\" datatype=\"winres\"><body>"
        "<trans-unit id=\"Stringtable_String/IDS_DEEP\"><source>Deep</source><target>" +
        nested("<g id=\"1\">", "</g>", "Tief") + "</target></trans-unit></body></file></xliff>\n";
    const std::string tmx =
        "<?xml version=\"1.0\"?>\n<tmx version=\"1.4\"><header srclang=\"en-US\"/><body><tu>"
        "<tuv xml:lang=\"en-US\"><seg>Deep</seg></tuv><tuv xml:lang=\"de-DE\"><seg>" +
        nested("<hi>", "</hi>", "Tief") + "</seg></tuv></tu></body></tmx>\n";
    const std::string po = "msgid \"\"\nmsgstr \"Language: de_DE\\n\"\n\nmsgctxt \"Stringtable_String/IDS_LONG\"\n"
                           "msgid \"Long\"\nmsgstr \"\"\n" + repeated("\"lang \"\n", kDeep);
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rels = "http://schemas.openxmlformats.org/package/2006/relationships";
    const std::string docRels = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::vector<std::pair<std::string, std::string>> workbook = {
        {"[Content_Types].xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
         "content-types\"><Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package."
         "relationships+xml\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
        {"_rels/.rels", "<Relationships xmlns=\"" + rels + "\"><Relationship Id=\"rId1\" Type=\"" + docRels +
                            "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + docRels +
                                "\"><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"" + rels + "\"><Relationship Id=\"rId1\" Type=\"" + docRels +
             "/worksheet\" Target=\"worksheets/data.xml\"/><Relationship Id=\"rId2\" Type=\"" + docRels +
             "/sharedStrings\" Target=\"strings.xml\"/></Relationships>"},
        {"xl/worksheets/data.xml", "<worksheet xmlns=\"" + main + "\"><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v>"
                                   "</c><c r=\"B1\" t=\"inlineStr\"><is>" + nested("<r>", "</r>", "<t>deep</t>") +
                                   "</is></c></row></sheetData></worksheet>"},
        {"xl/strings.xml", "<sst xmlns=\"" + main + "\"><si>" + nested("<r>", "</r>", "<t>Resource Ident</t>") + "</si></sst>"},
    };
    return writeFile(seeds / "xliff" / "deep.xlf", xliff) && writeFile(seeds / "tmx" / "deep.tmx", tmx) &&
           writeFile(seeds / "po" / "long.po", po) && writeZip(seeds / "workbook" / "deep.xlsx", workbook);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: fuzz_seeds <seed folder> [script.rc]...\n";
        return 2;
    }
    const std::filesystem::path seeds = argv[1];
    for (const char* kind : {"xliff", "po", "workbook", "tmx"})
        std::filesystem::create_directories(seeds / kind);
    if (!writeDeepSeeds(seeds))
        std::cerr << "fuzz_seeds: the deep seeds could not all be written\n";
    int exported = 0;
    for (int i = 2; i < argc; ++i)
        exported += exportSeeds(argv[i], seeds, i - 1) ? 1 : 0;
    std::cout << exported << " scripts exported as seeds\n";
    return 0;
}
