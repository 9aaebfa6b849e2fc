// The window's exchanges with other files: exports to a workbook of the chosen Text Table
// columns, to a new project database and to XLIFF or PO; the import of any of them.
#pragma once

#include <QStringList>
#include <filesystem>
#include <vector>

class QWidget;

namespace qmk {

class CChildFrame;
class Feedback;
class ProfileFile;

// `rememberedColumns` keeps the texts of the entries chosen, for the next export of this run.
void exportTextToWorkbook(QWidget* parent, CChildFrame& child, Feedback& feedback, QStringList& rememberedColumns);
void exportTextToDatabase(QWidget* parent, CChildFrame& child, Feedback& feedback,
                          const std::vector<std::filesystem::path>& openDatabases);


// The import file filters, the kind of the last file imported first.
QStringList importFileFilters(const ProfileFile& profile);
// Project > Import Text: asks for the file and imports it by its kind. True when an import ran
// (the file is remembered as the last one imported).
bool importText(QWidget* parent, CChildFrame& child, Feedback& feedback, ProfileFile& profile);
// The same for a file already chosen. An XLIFF or PO file that states its language goes into
// that translation; only when it is not the current column's is the translator asked first.
bool importTextFile(QWidget* parent, CChildFrame& child, Feedback& feedback, ProfileFile& profile,
                    const std::filesystem::path& path);
// The worksheet import with its dialog and the closing question; false when the file could not
// be read as a workbook (reported).
bool importWorkbook(QWidget* parent, CChildFrame& child, Feedback& feedback, const std::filesystem::path& path);
// Writes the current translation as XLIFF or PO; the status text to show, empty when nothing
// was written.
QString exportForPlatforms(QWidget* parent, CChildFrame& child, Feedback& feedback);

} // namespace qmk
