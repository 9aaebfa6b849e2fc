// Statement rules inside DIALOG and DIALOGEX resources: the header options (CAPTION,
// STYLE, FONT, CLASS, MENU) and the controls with their texts, ids, classes and geometry.
#include "parser/ScriptParser.h"

#include "parser/ControlClasses.h"
#include "parser/StyleNames.h"

namespace qmk {
namespace {

using K = LineKind;

bool isTextControl(int t)
{
    switch (t) {
    case Tok::LText:
    case Tok::RText:
    case Tok::CText:
    case Tok::CheckBox:
    case Tok::PushButton:
    case Tok::GroupBox:
    case Tok::DefPushButton:
    case Tok::RadioButton:
    case Tok::AutoRadioButton:
    case Tok::AutoCheckBox:
    case Tok::Auto3State: return true;
    default: return false;
    }
}

bool isListControl(int t)
{
    return t == Tok::ListBox || t == Tok::EditText || t == Tok::ComboBox || t == Tok::ScrollBar;
}

} // namespace

// Returns false when the statement is left to the general rule.
bool ScriptParser::readDialogStatement()
{
    int t = sc_.next();
    if (isTextControl(t) || t == Tok::Icon) {
        sc_.put(' ');
        dropCommaAfterKeyword();
        readTextControl(t == Tok::Icon ? toInt(K::DialogIcon) : t);
        return true;
    }
    if (isListControl(t)) {
        sc_.put(' ');
        dropCommaAfterKeyword();
        readListControl(t);
        return true;
    }
    switch (t) {
    case Tok::Caption: readDialogCaption(); return true;
    case Tok::Control: readControl(); return true;
    case Tok::Begin:
    case Tok::LeftBrace:
        if (st_.depth != 0) {
            fail(ParserCode::Syntax);
            classify(toInt(K::Unparsed));
            return true;
        }
        classify(t);
        return true;
    case Tok::End:
    case Tok::RightBrace: classify(t); return true;
    case Tok::Menu:
    case Tok::Style:
    case Tok::ExStyle:
        sc_.put(' ');
        restOfStatement();
        classify(t == Tok::Menu ? toInt(K::DialogMenu) : t);
        return true;
    case Tok::Font: readDialogFont(); return true;
    case Tok::Class: readDialogClass(); return true;
    case Tok::Hash: readPreprocessor(); return true;
    case Tok::Language: readLanguage(); return true;
    case Tok::Identifier:
        if (readMacroLine(false))
            return true;
        if (!readResourceHeader(t, sc_.tokenSpan())) {
            fail(ParserCode::Syntax);
            classify(toInt(K::Unparsed));
        }
        return true;
    case Tok::Dollar:
    case Tok::DoubleDollar:
    case Tok::Other: sc_.pushBack(); return false;
    default:
        fail(ParserCode::Syntax);
        classify(toInt(K::Unparsed));
        return true;
    }
}

// caption := CAPTION string | CAPTION rest-of-statement
void ScriptParser::readDialogCaption()
{
    sc_.put(' ');
    if (sc_.next() == Tok::String) {
        recordString();
    } else {
        sc_.pushBack();
        restOfStatement();
    }
    st_.cx = st_.dialogWidth;
    classify(toInt(K::Caption));
}

// font := FONT point-size "," face-name rest-of-statement
void ScriptParser::readDialogFont()
{
    sc_.put(' ');
    int t = sc_.next();
    if (Tok::isNumber(t))
        st_.cx = tokenValue(t);
    else
        sc_.pushBack();
    if (optionalComma()) {
        if (sc_.next() == Tok::String)
            st_.secondString = sc_.lastString();
        else
            sc_.pushBack();
    }
    restOfStatement();
    classify(toInt(K::Font));
}

// class := CLASS string
void ScriptParser::readDialogClass()
{
    sc_.put(' ');
    if (sc_.next() == Tok::String) {
        st_.secondString = sc_.lastString();
    } else {
        sc_.pushBack();
        fail(ParserCode::Syntax);
    }
    classify(toInt(K::Class));
}

// text-control := keyword text "," id ["," geometry [ "," style ["," exstyle]]]
void ScriptParser::readTextControl(int kind)
{
    int t = sc_.next();
    if (t == Tok::String) {
        recordString();
    } else if (!Tok::isName(t)) {
        sc_.pushBack();
        restOfStatement();
        classify(kind);
        return;
    }
    requiredComma();
    if (!readRequiredId())
        return;
    optionalComma();
    readGeometryStatement();
    classify(kind);
}

// list-control := keyword id ["," ] geometry [style-list] rest-of-statement
void ScriptParser::readListControl(int kind)
{
    if (!readRequiredId())
        return;
    requiredComma();
    readGeometryStatement();
    classify(kind);
}

// control := CONTROL text "," id "," class "," style-list geometry ["," exstyle]
void ScriptParser::readControl()
{
    sc_.put(' ');
    dropCommaAfterKeyword();
    int t = sc_.next();
    if (t == Tok::String) {
        recordString();
    } else if (Tok::isNumber(t)) {
        st_.number = tokenValue(t);
    } else if (t != Tok::Identifier) {
        fail(ParserCode::Syntax);
        classify(toInt(K::Unparsed));
        return;
    }
    requiredComma();
    if (!readIdExpression() || !optionalComma()) {
        fail(ParserCode::Syntax);
        classify(toInt(K::Unparsed));
        return;
    }
    if (!readControlClass()) {
        restOfStatement();
        takeGeometry();
        classify(toInt(K::Control));
        return;
    }
    if (optionalComma()) {
        readStyleList();
        startGeometry();
    }
    restOfStatement();
    takeGeometry();
    classify(toInt(K::Control));
}

// Reads the class operand; false when the statement ends at an unknown class word.
bool ScriptParser::readControlClass()
{
    int t = sc_.next();
    if (t == Tok::String) {
        st_.secondString = sc_.lastString();
        return true;
    }
    if (t == Tok::Identifier || sc_.keywordFlag()) {
        // Class words such as COMBOBOX are also keywords.
        std::string_view classText = ControlClasses::classText(sc_.tokenText());
        if (classText.empty())
            return false;
        // The bare word is written as the quoted class it stands for.
        sc_.cut(sc_.tokenSpan().start);
        sc_.put('"');
        st_.secondString = {sc_.length(), static_cast<int>(classText.size())};
        sc_.put(classText);
        sc_.put('"');
        return true;
    }
    fail(ParserCode::Syntax);
    return false;
}

// style-list := item {("|" | operator) item} ","  — names and numbers are ORed in
void ScriptParser::readStyleList()
{
    bool itemSeen = false;
    for (;;) {
        int t = nextOfStatement();
        if (t == Tok::None)
            return;
        switch (t) {
        case Tok::Identifier:
        case Tok::MemoryOption:
        case Tok::AcceleratorOption:
        case Tok::MenuOption:
            st_.styleBits |= StyleNames::value(sc_.tokenText());
            itemSeen = true;
            if (sc_.peekNonBlank() != ',')
                sc_.put(' ');
            break;
        case Tok::Number:
        case Tok::HexNumber:
            st_.styleBits |= static_cast<std::uint32_t>(tokenValue(t));
            itemSeen = true;
            break;
        case Tok::OctalNumber: itemSeen = true; break;
        case Tok::Comma:
            sc_.put(' ');
            if (itemSeen)
                return;
            break;
        case Tok::Bar: sc_.put(' '); break;
        default: break;
        }
    }
}

} // namespace qmk
