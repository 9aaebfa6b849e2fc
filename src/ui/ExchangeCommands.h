// The window's exports to other files: a workbook of the chosen Text Table columns, and a new
// project database with the chosen translations.
#pragma once

#include <QStringList>
#include <filesystem>
#include <vector>

class QWidget;

namespace qmk {

class CChildFrame;
class Feedback;

// `rememberedColumns` keeps the texts of the entries chosen, for the next export of this run.
void exportTextToWorkbook(QWidget* parent, CChildFrame& child, Feedback& feedback, QStringList& rememberedColumns);
void exportTextToDatabase(QWidget* parent, CChildFrame& child, Feedback& feedback,
                          const std::vector<std::filesystem::path>& openDatabases);

} // namespace qmk
