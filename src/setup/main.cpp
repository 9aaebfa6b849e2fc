// qmk32-setup: shows the setup window; --help and --version answer without one.
#include <QApplication>
#include <iostream>
#include <string_view>

#include "resources/Messages.h"
#include "setup/CSetupDlg.h"
#include "setup/SetupStrings.h"

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << qmk::setup::strings::Usage;
            return 0;
        }
        if (argument == "--version") {
            std::cout << "qmk32-setup " << QMK_VERSION << "\n";
            return 0;
        }
        std::cerr << qmk::fillPlaceholders(qmk::setup::strings::UnknownArgument, {std::string(argument)});
        std::cerr << qmk::setup::strings::Usage;
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark Setup"));
    qmk::setup::CSetupDlg dialog(qmk::setup::SetupOptions::fromEnvironment());
    dialog.exec();
    return 0;
}
