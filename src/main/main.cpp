// qmk32: reads the command line and starts either the batch run or the windowed program.
#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "resources/Texts.h"
#include "ui/DialogMetrics.h"
#include "ui/InteractiveStart.h"
#include "ui/CPreviewPictures.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    // "-V" is no operation's flag, so it cannot be taken for one.
    auto given = [&args](const char* option) { return std::find(args.begin(), args.end(), option) != args.end(); };
    if (given("--version") || given("-V")) {
        std::cout << "qmk32 " << QMK_VERSION << "\n";
        return 0;
    }
    qmk::CBatchCommandLineInfo cmd;
    cmd.parseArguments(args);

    if (cmd.helpRequested()) {
        std::cout << qmk::batchUsageText();
        return 0;
    }
    // Nothing may end the program without saying why: whatever escapes the operations (a
    // file system or memory failure) is reported here, and the run fails.
    try {
        qmk::Settings settings;
        if (cmd.isBatch())
            return qmk::runBatchMode(cmd, settings, std::cout, std::cerr, qmk::headlessDialogTextMetrics,
                                    qmk::headlessPictureRenderer);
        if (!qmk::displayAvailable()) {
            std::cerr << qmk::txt::NoDisplay;
            return static_cast<int>(qmk::BatchStatus::UsageError);
        }
        return qmk::runInteractive(argc, argv, cmd, settings);
    } catch (const std::exception& e) {
        std::cerr << "QMK Error:  " << e.what() << "\n";
    } catch (...) {
        std::cerr << "QMK Error:  unexpected failure\n";
    }
    return 1;
}
