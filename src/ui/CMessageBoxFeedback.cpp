// Message boxes for the core's messages and questions.
#include "ui/CMessageBoxFeedback.h"

#include <QApplication>
#include <QMessageBox>

#include "resources/Messages.h"

namespace qmk {
namespace {

QMessageBox::Icon boxIcon(Icon icon)
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

} // namespace

void CMessageBoxFeedback::message(int id, const MessageArgs& args, Icon icon)
{
    messageText(formatMessage(id, args), icon);
}

void CMessageBoxFeedback::messageText(const std::string& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), QApplication::applicationName(), QString::fromStdString(text), QMessageBox::Ok,
                    parent_);
    box.exec();
}

bool CMessageBoxFeedback::ask(int id, const MessageArgs& args, bool defaultAnswer)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                    QString::fromStdString(formatMessage(id, args)), QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(defaultAnswer ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace qmk
