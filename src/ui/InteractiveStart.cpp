// Entry into the windowed program.
#include "ui/InteractiveStart.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

namespace qmk {

int runInteractive(int argc, char** argv, const std::string& fileToOpen)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Quillmark"));
    auto* label = new QLabel(fileToOpen.empty()
                                 ? QStringLiteral("No project open.")
                                 : QStringLiteral("Project: %1").arg(QString::fromStdString(fileToOpen)));
    label->setAlignment(Qt::AlignCenter);
    frame.setCentralWidget(label);
    frame.resize(900, 600);
    frame.show();
    return app.exec();
}

} // namespace qmk
