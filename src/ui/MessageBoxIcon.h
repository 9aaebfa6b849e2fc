// The message box icon of a message's icon, for every window that shows the core's messages
// (the program and the setup program).
#pragma once

#include <QMessageBox>

#include "resources/Feedback.h"

namespace qmk {

inline QMessageBox::Icon messageBoxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Stop: return QMessageBox::Critical;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Information: return QMessageBox::Information;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace qmk
