// Hand-built workbook archives for the workbook tests, and a look inside written ones.
#include "exchange/ZipFixture.h"

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>
#include <zip.h>

namespace qmk::test {

namespace {

const char kMainNamespace[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char kRelNamespace[] = "http://schemas.openxmlformats.org/package/2006/relationships";
const char kDocRelBase[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

} // namespace

void writeZip(const std::filesystem::path& path, const ZipEntries& entries)
{
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip)
        throw std::runtime_error("cannot create zip " + path.string());
    for (const auto& [name, content] : entries) {
        zip_source_t* source = zip_source_buffer(zip, content.data(), content.size(), 0);
        if (!source || zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0)
            throw std::runtime_error("cannot add " + name);
    }
    if (zip_close(zip) != 0)
        throw std::runtime_error("cannot write zip " + path.string());
}

ZipEntries readZip(const std::filesystem::path& path)
{
    int code = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!zip)
        throw std::runtime_error("cannot open zip " + path.string());
    ZipEntries entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &st);
        std::string content(st.size, '\0');
        zip_file_t* file = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
        if (!file || zip_fread(file, content.data(), st.size) != static_cast<zip_int64_t>(st.size))
            throw std::runtime_error("cannot read " + std::string(st.name));
        zip_fclose(file);
        entries.emplace_back(st.name, content);
    }
    zip_discard(zip);
    return entries;
}

std::string zipEntry(const std::filesystem::path& path, const std::string& name)
{
    for (const auto& [n, content] : readZip(path))
        if (n == name)
            return content;
    return {};
}

std::string worksheetXml(const std::string& sheetDataContent)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"") +
           kMainNamespace + "\"><sheetData>" + sheetDataContent + "</sheetData></worksheet>";
}

ZipEntries minimalWorkbook(const std::string& sheetXml, const std::string& sharedStringsXml,
                           const std::string& stylesXml)
{
    std::string types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>";
    std::string rootRels = std::string("<Relationships xmlns=\"") + kRelNamespace +
                           "\"><Relationship Id=\"rId1\" Type=\"" + kDocRelBase +
                           "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    std::string workbook = std::string("<workbook xmlns=\"") + kMainNamespace + "\" xmlns:r=\"" + kDocRelBase +
                           "\"><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    std::string workbookRels = std::string("<Relationships xmlns=\"") + kRelNamespace +
                               "\"><Relationship Id=\"rId1\" Type=\"" + kDocRelBase +
                               "/worksheet\" Target=\"worksheets/data.xml\"/>";
    if (!sharedStringsXml.empty())
        workbookRels += std::string("<Relationship Id=\"rId2\" Type=\"") + kDocRelBase +
                        "/sharedStrings\" Target=\"strings.xml\"/>";
    if (!stylesXml.empty())
        workbookRels += std::string("<Relationship Id=\"rId3\" Type=\"") + kDocRelBase +
                        "/styles\" Target=\"/xl/styles.xml\"/>";
    workbookRels += "</Relationships>";
    ZipEntries entries{{"[Content_Types].xml", types},
                       {"_rels/.rels", rootRels},
                       {"xl/workbook.xml", workbook},
                       {"xl/_rels/workbook.xml.rels", workbookRels},
                       {"xl/worksheets/data.xml", sheetXml}};
    if (!sharedStringsXml.empty())
        entries.emplace_back("xl/strings.xml", sharedStringsXml);
    if (!stylesXml.empty())
        entries.emplace_back("xl/styles.xml", stylesXml);
    return entries;
}

FileSizeLimit::FileSizeLimit(unsigned long bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    previousSoft_ = limit.rlim_cur;
    limit.rlim_cur = bytes;
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = previousSoft_;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler_);
}

} // namespace qmk::test
