// The "Translation Memory" page of Application Settings: whether stored translations go into a
// memory and are looked up there, where the memory is (a file or a team's server), and the
// lowest score of the matches the panel shows.
#pragma once

#include <QWidget>

#include "app/Settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace qmk {

class CMemorySettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit CMemorySettingsPage(const MemorySettings& settings, QWidget* parent = nullptr);
    MemorySettings settings() const;
    QCheckBox* useMemory() const { return use_; }
    QLineEdit* location() const { return location_; }
    QSpinBox* minimumScore() const { return minimumScore_; }

private:
    void browse();
    void enableFields();

    MemorySettings original_;
    QCheckBox* use_;
    QLineEdit* location_;
    QPushButton* browse_;
    QSpinBox* minimumScore_;
};

} // namespace qmk
