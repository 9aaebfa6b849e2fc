// Deterministic generator of large resource scripts (a small linear congruential
// generator, so the bytes do not depend on the standard library's distributions).
#include "support/ScriptGenerator.h"

#include <iterator>

namespace qmk::bench {
namespace {

const char* const kWords[] = {"Open",   "Save",    "File",   "&Edit",  "View",  "Options", "Print",
                              "Cancel", "Apply",   "Help",   "About",  "Find",  "Replace", "Window",
                              "Tools",  "Settings", "Close", "New",    "Copy",  "Paste",   "Delete",
                              "Select", "All",     "Format", "Insert", "Table", "Größe",   "Übersicht"};

} // namespace

ScriptGenerator::ScriptGenerator(std::uint32_t seed) : state_(seed) {}

unsigned ScriptGenerator::next()
{
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
}

std::string ScriptGenerator::text(int words)
{
    std::string t;
    for (int i = 0; i < words; ++i) {
        if (i)
            t += ' ';
        t += kWords[next() % std::size(kWords)];
    }
    if (next() % 7 == 0)
        t += " \"\"quoted\"\"";
    if (next() % 9 == 0)
        t += "\\tCtrl+O";
    return t;
}

std::string ScriptGenerator::id(const char* prefix) { return std::string(prefix) + std::to_string(++counter_); }

std::string ScriptGenerator::generate(std::size_t targetBytes)
{
    std::string out;
    out.reserve(targetBytes + 64 * 1024);
    header(out);
    while (out.size() < targetBytes) {
        switch (next() % 10) {
        case 0:
        case 1:
        case 2: dialog(out); break;
        case 3: menu(out); break;
        case 4:
        case 5: stringTable(out); break;
        case 6: accelerators(out); break;
        case 7: rcData(out); break;
        case 8: fileResources(out); break;
        default: preprocessor(out); break;
        }
        if (next() % 40 == 0)
            versionInfo(out);
    }
    return out;
}

void ScriptGenerator::header(std::string& out)
{
    out += "// Generated benchmark script\r\n#include \"resource.h\"\r\n#include <windows.h>\r\n"
           "#pragma code_page(1252)\r\n\r\nLANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\r\n\r\n"
           "1 TEXTINCLUDE DISCARDABLE\r\nBEGIN\r\n    \"resource.h\\0\"\r\nEND\r\n\r\n";
}

void ScriptGenerator::dialog(std::string& out)
{
    bool ex = next() % 2 == 0;
    out += id("IDD_DIALOG") + (ex ? " DIALOGEX DISCARDABLE 0, 0, 320, 200\r\n" : " DIALOG 0, 0, 320, 200\r\n");
    out += "STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION |\r\n    WS_SYSMENU\r\n";
    if (ex)
        out += "EXSTYLE WS_EX_CONTEXTHELP\r\n";
    out += "CAPTION \"" + text(3) + "\"\r\n";
    out += ex ? "FONT 8, \"MS Shell Dlg\", 0, 0, 0x1\r\n" : "FONT 8, \"MS Sans Serif\"\r\n";
    out += "BEGIN\r\n";
    int controls = 6 + static_cast<int>(next() % 14);
    static const char* const kText[] = {"LTEXT", "RTEXT", "CTEXT", "PUSHBUTTON", "DEFPUSHBUTTON",
                                        "GROUPBOX", "CHECKBOX", "RADIOBUTTON", "AUTOCHECKBOX",
                                        "AUTORADIOBUTTON", "AUTO3STATE"};
    for (int i = 0; i < controls; ++i) {
        std::string y = std::to_string(7 + i * 14);
        switch (next() % 6) {
        case 0:
            out += "    CONTROL         \"" + text(2) + "\"," + id("IDC_CHECK") +
                   ",\"Button\",BS_AUTOCHECKBOX | WS_TABSTOP,\r\n                    7," + y + ",120,10\r\n";
            break;
        case 1: out += "    EDITTEXT        " + id("IDC_EDIT") + ",130," + y + ",80,12,ES_AUTOHSCROLL\r\n"; break;
        case 2:
            out += "    COMBOBOX        " + id("IDC_COMBO") + ",130," + y +
                   ",80,60,CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP\r\n";
            break;
        case 3: out += "    ICON            IDI_APP,IDC_STATIC,7," + y + ",20,20\r\n"; break;
        default:
            out += std::string("    ") + kText[next() % std::size(kText)] + "  \"" + text(2) + "\"," +
                   id("IDC_TEXT") + ",7," + y + ",100,8\r\n";
            break;
        }
    }
    out += "    LISTBOX         " + id("IDC_LIST") + ",7,150,100,40,LBS_SORT | WS_VSCROLL\r\n";
    out += "    SCROLLBAR       " + id("IDC_SCROLL") + ",110,150,10,40,SBS_VERT\r\n";
    out += "END\r\n\r\n";
}

void ScriptGenerator::menu(std::string& out)
{
    out += id("IDR_MENU") + " MENU DISCARDABLE\r\nBEGIN\r\n";
    int popups = 2 + static_cast<int>(next() % 4);
    for (int p = 0; p < popups; ++p) {
        out += "    POPUP \"" + text(1) + "\"\r\n    BEGIN\r\n";
        int items = 3 + static_cast<int>(next() % 8);
        for (int i = 0; i < items; ++i) {
            if (next() % 5 == 0)
                out += "        MENUITEM SEPARATOR\r\n";
            else
                out += "        MENUITEM \"" + text(2) + "\",  " + id("IDM_ITEM") +
                       (next() % 6 == 0 ? ", GRAYED\r\n" : "\r\n");
        }
        if (next() % 3 == 0)
            out += "        POPUP \"" + text(1) + "\"\r\n        BEGIN\r\n            MENUITEM \"" + text(1) +
                   "\", " + id("IDM_SUB") + "\r\n        END\r\n";
        out += "    END\r\n";
    }
    out += "END\r\n\r\n";
}

void ScriptGenerator::stringTable(std::string& out)
{
    out += "STRINGTABLE DISCARDABLE\r\nBEGIN\r\n";
    int n = 8 + static_cast<int>(next() % 16);
    for (int i = 0; i < n; ++i)
        out += "    " + id("IDS_STRING") + (next() % 2 ? ",  \"" : "   \"") +
               text(4 + static_cast<int>(next() % 8)) + "\"\r\n";
    out += "END\r\n\r\n";
}

void ScriptGenerator::accelerators(std::string& out)
{
    out += id("IDR_ACCEL") + " ACCELERATORS\r\nBEGIN\r\n";
    out += "    \"N\",            " + id("IDM_ACC") + ",  VIRTKEY, CONTROL, NOINVERT\r\n";
    out += "    VK_F1,          " + id("IDM_ACC") + ",  VIRTKEY, NOINVERT\r\n";
    out += "    \"^C\",           " + id("IDM_ACC") + "\r\n";
    out += "END\r\n\r\n";
}

void ScriptGenerator::versionInfo(std::string& out)
{
    out += "VS_VERSION_INFO VERSIONINFO\r\n FILEVERSION 1,0,0,1\r\n PRODUCTVERSION 1,0,0,1\r\n"
           " FILEFLAGSMASK 0x3fL\r\n#ifdef _DEBUG\r\n FILEFLAGS 0x1L\r\n#else\r\n FILEFLAGS 0x0L\r\n#endif\r\n"
           " FILEOS VOS__WINDOWS32\r\n FILETYPE VFT_APP\r\n FILESUBTYPE 0x0L\r\nBEGIN\r\n"
           "    BLOCK \"StringFileInfo\"\r\n    BEGIN\r\n        BLOCK \"040904b0\"\r\n        BEGIN\r\n"
           "            VALUE \"CompanyName\", \"" +
           text(2) + "\\0\"\r\n            VALUE \"FileDescription\", \"" + text(3) +
           "\\0\"\r\n            VALUE \"FileVersion\", \"1, 0, 0, 1\\0\"\r\n        END\r\n    END\r\n"
           "    BLOCK \"VarFileInfo\"\r\n    BEGIN\r\n        VALUE \"Translation\", 0x409, 1200\r\n"
           "    END\r\nEND\r\n\r\n";
}

void ScriptGenerator::rcData(std::string& out)
{
    out += id("IDR_DATA") + " RCDATA\r\nBEGIN\r\n    0x0001, 0x0002, 0x0003,\r\n    \"" + text(2) +
           "\\0\"\r\n    \"" + text(1) + "\", \"x\" // note\r\nEND\r\n\r\n";
    out += id("IDR_DLGINIT") + " DLGINIT\r\nBEGIN\r\n    IDC_COMBO1, 0x403, 6, 0\r\n"
           "0x6e4f, 0x0065, \r\n    0\r\nEND\r\n\r\n";
}

void ScriptGenerator::fileResources(std::string& out)
{
    out += id("IDB_BITMAP") + " BITMAP DISCARDABLE \"res\\\\toolbar" + std::to_string(counter_) + ".bmp\"\r\n";
    out += id("IDI_ICON") + " ICON \"res\\\\app.ico\"\r\n";
    out += id("IDC_CURSOR") + " CURSOR \"res\\\\hand.cur\"\r\n";
    out += "1 24 \"app.manifest\"\r\n\r\n";
}

void ScriptGenerator::preprocessor(std::string& out)
{
    out += "/////////////////////////////////////////////////////////////////////////////\r\n"
           "/* A block comment\r\n   over two lines */\r\n#ifdef APSTUDIO_INVOKED\r\n#define " +
           id("ID_MACRO") + " 100\r\n#endif    // APSTUDIO_INVOKED\r\n#include \"" + id("part") + ".rc\"\r\n\r\n";
}

} // namespace qmk::bench
