// Numbers the script reader hands to its callers: error codes, line kinds, line actions
// and the token codes of the scanner (a keyword's token code is also its line kind).
#pragma once

namespace qmk {

// Negative results of the reader; 0 means no error.
namespace ParserCode {
inline constexpr int Syntax = -99;
inline constexpr int AcceleratorComma = -98;
inline constexpr int UserResourceFile = -97;
inline constexpr int BadPopup = -96;
inline constexpr int BadMenuItem = -95;
inline constexpr int BadLanguage = -93;
inline constexpr int OutOfMemory = -88;
inline constexpr int UnreadableInput = -87;
inline constexpr int OutputOverflow = -83;
// The includes of a script expand beyond any real project (an include bomb).
inline constexpr int IncludeLimit = -82;
inline constexpr int FolderNotReachable = -81;
// Codes outside the reader that share its report texts.
inline constexpr int CannotOpenFile = 2;
inline constexpr int SourceChangedByApplication = 1134;
inline constexpr int PlainText = 1135;
} // namespace ParserCode

// What a parsed line carries; the value stored with every line.
enum class LineAction : int {
    None = 0,
    BlockEnd = 7,
    String = 40,
    NoString = 66,
    Language = 94,
};

// The kind of a parsed line, stored as LineIdentSym.
enum class LineKind : int {
    EndOfInput = 0,
    Caption = 1,
    Control = 2,
    Popup = 3,
    MenuItem = 4,
    StringTable = 5,
    Begin = 6,
    End = 7,
    Menu = 8,
    Include = 9,
    RcInclude = 10,
    Style = 12,
    Dialog = 13,
    Icon = 14,
    Cursor = 15,
    Bitmap = 16,
    Accelerators = 17,
    DialogIcon = 18,
    LText = 19,
    RText = 20,
    CText = 21,
    CheckBox = 22,
    PushButton = 23,
    ListBox = 24,
    GroupBox = 25,
    DefPushButton = 26,
    RadioButton = 27,
    EditText = 28,
    ComboBox = 29,
    ScrollBar = 30,
    RcData = 31,
    Font = 32,
    Class = 33,
    AcceleratorEntry = 34,
    UserResource = 35,
    Separator = 39,
    LoneIdentifier = 49,
    LoneNumber = 50,
    LoneHexNumber = 62,
    LoneOctalNumber = 63,
    OtherStatement = 65,
    DollarLine = 66,
    DataString = 67,
    StringTableString = 70,
    QuotedSection = 72,
    Unparsed = 74,
    TextInclude = 75,
    TextIncludeData = 76,
    VersionInfo = 77,
    FileVersion = 78,
    ProductVersion = 79,
    FileFlagsMask = 80,
    FileFlags = 81,
    FileOs = 82,
    FileType = 83,
    FileSubtype = 84,
    Block = 85,
    Value = 86,
    UserResourceData = 87,
    RcDataString = 88,
    Endif = 92,
    Language = 94,
    UserResourceFile = 95,
    DialogExByString = 99,
    ExStyle = 100,
    DialogMenu = 101,
    AutoRadioButton = 102,
    AutoCheckBox = 103,
    Auto3State = 104,
    CodePage = 106,
};

constexpr int toInt(LineKind k) { return static_cast<int>(k); }
constexpr int toInt(LineAction a) { return static_cast<int>(a); }

// Token codes of the scanner. Keyword tokens use the code of their line kind.
namespace Tok {
inline constexpr int None = 0;          // end of input
inline constexpr int Control = 2;
inline constexpr int Caption = 1;
inline constexpr int Dialog = 13;
inline constexpr int Popup = 3;
inline constexpr int MenuItem = 4;
inline constexpr int StringTable = 5;
inline constexpr int Begin = 6;
inline constexpr int End = 7;
inline constexpr int Menu = 8;
inline constexpr int Include = 9;
inline constexpr int Define = 11;
inline constexpr int RcInclude = 10;
inline constexpr int Style = 12;
inline constexpr int Icon = 14;
inline constexpr int Separator = 39;
inline constexpr int Cursor = 15;
inline constexpr int Bitmap = 16;
inline constexpr int Accelerators = 17;
inline constexpr int LText = 19;
inline constexpr int RText = 20;
inline constexpr int CText = 21;
inline constexpr int CheckBox = 22;
inline constexpr int PushButton = 23;
inline constexpr int ListBox = 24;
inline constexpr int GroupBox = 25;
inline constexpr int DefPushButton = 26;
inline constexpr int RadioButton = 27;
inline constexpr int EditText = 28;
inline constexpr int ComboBox = 29;
inline constexpr int ScrollBar = 30;
inline constexpr int RcData = 31;
inline constexpr int Font = 32;
inline constexpr int Class = 33;
inline constexpr int TextInclude = 75;
inline constexpr int VersionInfo = 77;
inline constexpr int FileVersion = 78;
inline constexpr int ProductVersion = 79;
inline constexpr int FileFlagsMask = 80;
inline constexpr int FileFlags = 81;
inline constexpr int FileOs = 82;
inline constexpr int FileType = 83;
inline constexpr int FileSubtype = 84;
inline constexpr int Block = 85;
inline constexpr int Value = 86;
inline constexpr int Endif = 92;
inline constexpr int Language = 94;
inline constexpr int DoubleDollar = 97;
inline constexpr int Dollar = 98;
inline constexpr int DialogEx = 99;
inline constexpr int ExStyle = 100;
inline constexpr int AutoRadioButton = 102;
inline constexpr int AutoCheckBox = 103;
inline constexpr int Auto3State = 104;
inline constexpr int Pragma = 105;
inline constexpr int CodePage = 106;

inline constexpr int BlockCommentOpen = 36;
inline constexpr int BlockCommentClose = 37;
inline constexpr int LineComment = 38;
inline constexpr int String = 40;
inline constexpr int Comma = 41;
inline constexpr int SemicolonComment = 42;
inline constexpr int Colon = 43;
inline constexpr int Hash = 44;
inline constexpr int Identifier = 49;
inline constexpr int Number = 50;
inline constexpr int Bar = 51;
inline constexpr int Less = 52;
inline constexpr int Greater = 53;
inline constexpr int Plus = 54;
inline constexpr int Minus = 55;
inline constexpr int Apostrophe = 56;
inline constexpr int Exclamation = 57;
inline constexpr int LeftParen = 58;
inline constexpr int RightParen = 59;
inline constexpr int LeftBrace = 60;
inline constexpr int RightBrace = 61;
inline constexpr int HexNumber = 62;
inline constexpr int OctalNumber = 63;
inline constexpr int MemoryOption = 89;
inline constexpr int AcceleratorOption = 90;
inline constexpr int Star = 91;
inline constexpr int MenuOption = 96;
// A character no table knows. It is kept in the rebuilt text instead of being dropped,
// so that operators such as == or && and line continuations survive a rewrite.
inline constexpr int Other = 255;

constexpr bool isNumber(int t) { return t == Number || t == HexNumber || t == OctalNumber; }
constexpr bool isName(int t) { return t == Identifier || isNumber(t); }
} // namespace Tok

} // namespace qmk
