// qmk-demo-finish: the last step of building a demonstration project, after its translations
// were imported: the bitmap names are translated too, and the translations count as reviewed.
#include <exception>
#include <iostream>
#include <vector>

#include "database/CProjectDatabase.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: qmk-demo-finish <project_rc.mdb>\n";
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
        db.close();
    } catch (const std::exception& e) {
        std::cerr << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
