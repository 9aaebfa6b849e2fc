// A failure escaping an event handler is shown and the program goes on.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTimer>

#include <stdexcept>

#include "ui/CGuardedApplication.h"

namespace qmk {

TEST(CGuardedApplicationTest, AFailureInAnEventIsShownAndTheProgramGoesOn)
{
    int argc = 1;
    char name[] = "qmk32";
    char* argv[] = {name, nullptr};
    CGuardedApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);  // the main window, not the message, keeps it running
    QString shown;
    bool wentOn = false;
    // The message box runs its own loop; a timer reads and closes it from inside.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                shown = box->text();
                box->accept();
            }
    });
    closer.start(20);
    QTimer::singleShot(0, [] { throw std::runtime_error("cannot write /x/app-German.rc: disk full"); });
    QTimer::singleShot(200, [&] {
        wentOn = true;
        QApplication::quit();
    });
    app.exec();
    EXPECT_EQ(shown, QStringLiteral("cannot write /x/app-German.rc: disk full"));
    EXPECT_TRUE(wentOn);
}

} // namespace qmk
