// qmk32-setup: shows the setup window; --help, --version, --install and --deinstall answer
// without one (and without a display).
#include <QApplication>
#include <iostream>
#include <string_view>
#include <vector>

#include "setup/CSetupDlg.h"
#include "setup/SetupCommandLine.h"

int main(int argc, char** argv)
{
    using qmk::setup::SetupCommand;
    const SetupCommand command =
        qmk::setup::parseSetupCommand(std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc));
    if (command.action != SetupCommand::Action::Window)
        return qmk::setup::runSetupCommand(command, qmk::setup::SetupOptions::fromEnvironment(), std::cout, std::cerr);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark Setup"));
    qmk::setup::CSetupDlg dialog(qmk::setup::SetupOptions::fromEnvironment());
    dialog.exec();
    return 0;
}
