// "Source Text": the old and the new source text of an item whose source changed, with the
// words that went marked in the old text and the words that came marked in the new one.
#pragma once

#include <QDialog>

namespace qmk {

class CSourceTextDialog : public QDialog {
    Q_OBJECT
public:
    CSourceTextDialog(const QString& oldText, const QString& newText, QWidget* parent = nullptr);
};

} // namespace qmk
