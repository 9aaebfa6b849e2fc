// The "Project Files" bar's list: the projects of the project file list with their size,
// state, translations and folder. Opening a row opens that project.
#pragma once

#include <QTreeWidget>
#include <filesystem>
#include <vector>

namespace qmk {

class CRowListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit CRowListView(QWidget* parent = nullptr);

    // Empties the list and adds each listed script that exists, then selects the first.
    void fill(const std::vector<std::string>& paths);
    // Adds or renews the row of one script (identified by name and folder, ignoring case).
    void refresh(const std::filesystem::path& script);
    // The script of the selected row; empty when none is selected.
    std::filesystem::path selectedPath() const;
    void removeSelected();

signals:
    void openRequested(const QString& path);

private:
    QTreeWidgetItem* rowOf(const std::filesystem::path& script) const;
    static void setRow(QTreeWidgetItem* item, const std::filesystem::path& script);
};

} // namespace qmk
