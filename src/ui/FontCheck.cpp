// Character sets map onto the writing systems the font database knows.
#include "ui/FontCheck.h"

#include <QFontDatabase>
#include <QStringList>

namespace qmk {

bool fontInstalledForCharset(int charSet)
{
    QFontDatabase::WritingSystem system = QFontDatabase::Latin;
    switch (charSet) {
    case 2: system = QFontDatabase::Symbol; break;
    case 128: system = QFontDatabase::Japanese; break;
    case 129:
    case 130: system = QFontDatabase::Korean; break;
    case 134: system = QFontDatabase::SimplifiedChinese; break;
    case 136: system = QFontDatabase::TraditionalChinese; break;
    case 161: system = QFontDatabase::Greek; break;
    case 163: system = QFontDatabase::Vietnamese; break;
    case 177: system = QFontDatabase::Hebrew; break;
    case 178: system = QFontDatabase::Arabic; break;
    case 204: system = QFontDatabase::Cyrillic; break;
    case 222: system = QFontDatabase::Thai; break;
    default: break;  // Western, Turkish, East European and OEM are Latin scripts
    }
    return !QFontDatabase::families(system).isEmpty();
}

} // namespace qmk
