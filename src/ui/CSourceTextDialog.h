// "Source Text": the old and the new source text of an item whose source changed.
#pragma once

#include <QDialog>

namespace qmk {

class CSourceTextDialog : public QDialog {
    Q_OBJECT
public:
    CSourceTextDialog(const QString& oldText, const QString& newText, QWidget* parent = nullptr);
};

} // namespace qmk
