// Builds a small project database for a test, line by line in script order, through the
// same line store the real build uses. Each call returns the LineIndex of the line it adds.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "database/CProjectDatabase.h"
#include "database/LineStore.h"

namespace qmk::test {

class ProjectDatabaseBuilder {
public:
    // Starts a new database for target in db; nothing is on disk under that name before finish().
    ProjectDatabaseBuilder(CProjectDatabase& db, const std::filesystem::path& target);
    ~ProjectDatabaseBuilder();

    int sourceLanguage(LanguageId language);
    int dialog(const std::string& nameId);
    int caption(int dialog, const std::string& text);
    // kind: the control statement's line kind (2 CONTROL, 19 LTEXT, 23 PUSHBUTTON, ...).
    int control(int dialog, int kind, const std::string& nameId, const std::string& text);
    int menu(const std::string& nameId);
    int popup(int menu, const std::string& text, int level = 0);
    int menuItem(int menu, const std::string& nameId, const std::string& text, int level = 1);
    int string(const std::string& nameId, const std::string& text);
    // Bitmaps and includes are excluded from translation, as the build stores them.
    int bitmap(const std::string& nameId, const std::string& fileName);
    int include(const std::string& fileName);
    int version(const std::string& nameId);
    int blockHeader(int version, const std::string& blockName);
    int versionValue(int version, int blockHeader, const std::string& valueName, const std::string& text);
    // A line with a text but no item table (a data string of a user-defined resource).
    int dataString(const std::string& text);

    // Writes the Project row with the switches, makes the database the target file and adds
    // the translations in the given order.
    void finish(const ProjectSwitches& switches = {}, const std::vector<LanguageId>& translations = {});

private:
    int addLine(int kind, const std::string& text, bool exclude = false);

    CProjectDatabase& db_;
    std::unique_ptr<LineStore> store_;
    int nextLineIndex_ = 1;
};

} // namespace qmk::test
