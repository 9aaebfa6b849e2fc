// "Toolbar Settings": which bars of the main window are shown, one check box each.
#pragma once

#include <QDialog>
#include <vector>

class QListWidget;

namespace qmk {

class CToolbarSettingsSheet : public QDialog {
    Q_OBJECT
public:
    struct Bar {
        QString name;
        QWidget* widget;
    };
    CToolbarSettingsSheet(std::vector<Bar> bars, QWidget* parent = nullptr);
    QListWidget* list() const { return list_; }
    void accept() override;

private:
    std::vector<Bar> bars_;
    QListWidget* list_;
};

} // namespace qmk
