// The application object of the windowed program: a failure that escapes the handling of an
// event (a file system or memory error in a command) is shown with its cause, and the window
// stays usable instead of the program ending.
#pragma once

#include <QApplication>

namespace qmk {

class CGuardedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace qmk
