// Failures escaping event handling become messages.
#include "ui/CGuardedApplication.h"

#include <QMessageBox>

#include <exception>

namespace qmk {

bool CGuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        QMessageBox::critical(activeWindow(), applicationName(), QString::fromStdString(e.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), applicationName(), QStringLiteral("An unexpected failure occurred."));
    }
    return false;
}

} // namespace qmk
