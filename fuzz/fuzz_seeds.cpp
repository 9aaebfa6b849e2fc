// Seeds for the exchange fuzz targets: each script named on the command line is built into a
// project in a scratch folder, given a German translation of every text, and exported as XLIFF,
// PO and a workbook into the three seed folders. Seeds are numbered, so scripts of the same
// name from different folders never overwrite each other.
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>

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
            written = qmk::writeExchangeFile(seeds / "xliff" / (stem + ".xlf"), qmk::ExchangeFormat::Xliff, document, problem) &&
                      qmk::writeExchangeFile(seeds / "po" / (stem + ".po"), qmk::ExchangeFormat::Po, document, problem);
            qmk::WorkbookExport workbook(doc, quiet);
            workbook.run(seeds / "workbook" / (stem + ".xlsx"), {0, 1, 2});
            doc.setModified(false);
            doc.OnCloseDocument();
        }
    }
    std::filesystem::remove_all(work, ec);
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: fuzz_seeds <seed folder> <script.rc>...\n";
        return 2;
    }
    const std::filesystem::path seeds = argv[1];
    for (const char* kind : {"xliff", "po", "workbook"})
        std::filesystem::create_directories(seeds / kind);
    int exported = 0;
    for (int i = 2; i < argc; ++i)
        exported += exportSeeds(argv[i], seeds, i - 1) ? 1 : 0;
    std::cout << exported << " scripts exported as seeds\n";
    return 0;
}
