// A dialog that offers a list to choose several entries from, with OK and Cancel: the columns of
// a workbook export, the translations of a database export.
#pragma once

#include <QDialog>
#include <vector>

class QListWidget;

namespace qmk {

class CChoiceDlg : public QDialog {
    Q_OBJECT
public:
    CChoiceDlg(const QString& title, const QString& label, const QStringList& entries, const std::vector<int>& chosen,
               QWidget* parent = nullptr);
    std::vector<int> chosen() const;
    QListWidget* list() const { return list_; }

private:
    QListWidget* list_;
};

} // namespace qmk
