// qmk-demo-finish: the last step of building a demonstration project, after its translations
// were imported: the bitmap names are translated too, the translations count as reviewed, and
// the project names its script where the package installs it, with no trace of the build's
// folder left in the file.
#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <vector>

#include "database/CProjectDatabase.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: qmk-demo-finish <project_rc.mdb> <installed script>\n";
        return 2;
    }
    try {
        qmk::CProjectDatabase db;
        db.open(argv[1]);
        // Bitmaps are excluded from translation when a project is built; each translated demo
        // script names its own flag.
        for (const qmk::IdentRow& bitmap : db.items().resources(qmk::ResourceList::Bitmaps))
            db.texts().setExclude(bitmap.lineIndex, false);
        // A script import marks the popups it matched by their order for review; the demo
        // scripts' popups are right as they are.
        const std::vector<qmk::LanguageId> languages = db.languages().translationIds();
        for (const qmk::TextRow& text : db.texts().allTextsWithLineKind())
            for (std::size_t i = 0; i < languages.size() && i < text.translations.size(); ++i)
                if (text.translations[i].modified)
                    db.texts().setTranslation(text.lineIndex, languages[i], text.translations[i].text, false);
        // The program finds a project's script beside the database whatever name it stores, so
        // the name only has to be true where the project is shipped; the build's folder would
        // make every build's bytes differ.
        const std::optional<qmk::ProjectRow> project = db.projectRow();
        if (!project)
            throw std::runtime_error("the project has no Project row");
        qmk::ProjectSwitches switches;
        for (int i = 0; i < qmk::ProjectSwitchCount; ++i) {
            const auto which = static_cast<qmk::ProjectSwitch>(i);
            if (const std::optional<bool> on = db.readSwitch(which))
                switches.set(which, *on);
        }
        db.writeProjectRow(argv[2], project->stamp, switches);
        db.close();

        // A row rewritten in place leaves its old bytes in the file's free space (here the
        // build's folder); copied into a new file, the project holds only what it says.
        qmk::CProjectDatabase copy;
        copy.createNew(argv[1]);
        copy.copyProjectFrom(argv[1], languages);
        copy.finishNew();
        copy.close();
    } catch (const std::exception& e) {
        std::cerr << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
