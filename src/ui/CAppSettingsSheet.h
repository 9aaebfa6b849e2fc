// "Application Settings": the extensions of the included files that are translated with the
// script, and the translation memory. OK checks the text as typed, stores it and puts the new
// settings in force at once.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;

namespace qmk {

class CMemorySettingsPage;
class Feedback;
class Settings;

class CAppSettingsSheet : public QDialog {
    Q_OBJECT
public:
    // `inForce` is the list now in force (".DLG", ...); `apply` puts the stored settings in force.
    CAppSettingsSheet(Settings& settings, Feedback& feedback, const std::vector<std::string>& inForce,
                      std::function<void()> apply, QWidget* parent = nullptr);
    QLineEdit* includeFiles() const { return includeFiles_; }
    CMemorySettingsPage* memoryPage() const { return memoryPage_; }
    void accept() override;

private:
    Settings& settings_;
    Feedback& feedback_;
    std::function<void()> apply_;
    QLineEdit* includeFiles_;
    CMemorySettingsPage* memoryPage_;
};

} // namespace qmk
