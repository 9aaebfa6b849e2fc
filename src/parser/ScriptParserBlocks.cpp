// Statement rules for the blocks of menus, string tables, accelerator tables and data
// resources (RCDATA and user-defined resources such as MENUEX or DLGINIT).
#include "parser/ScriptParser.h"

namespace qmk {
namespace {

using K = LineKind;
constexpr int kDataIndent = 3;

} // namespace

// popup := POPUP (string | name) {["," ] menu-option} followed by BEGIN
void ScriptParser::readPopup()
{
    sc_.put(' ');
    int t = sc_.next();
    if (!readItemTextOrExtended(t, ParserCode::BadPopup, K::Popup))
        return;
    for (;;) {
        t = sc_.next();
        if (t == Tok::Comma) {
            sc_.put(' ');
        } else if (t == Tok::MenuOption) {
            ensureBlankBeforeToken();
        } else if (t == Tok::Begin || t == Tok::LeftBrace) {
            sc_.pushBack();
            break;
        } else {
            fail(ParserCode::BadPopup);
            break;
        }
    }
    classify(toInt(K::Popup));
}

// menu-item := MENUITEM SEPARATOR | MENUITEM (string | name) ["," ] id {["," ] menu-option}
void ScriptParser::readMenuItem()
{
    sc_.put(' ');
    int t = sc_.next();
    if (t == Tok::Separator) {
        classify(toInt(K::Separator));
        return;
    }
    if (!readItemTextOrExtended(t, ParserCode::BadMenuItem, K::MenuItem))
        return;
    if (!optionalComma())
        sc_.put(' ');
    readIdAndOptions(Tok::MenuOption, K::MenuItem);
}

// item-text := string | identifier, then a MENUEX item's extended operands. False when the
// line is done: classified as unparsed (no text) or as `kind` (extended operands read).
bool ScriptParser::readItemTextOrExtended(int t, int failure, LineKind kind)
{
    if (t == Tok::String) {
        recordString();
    } else if (t != Tok::Identifier) {
        fail(failure);
        classify(toInt(K::Unparsed));
        return false;
    }
    if (st_.menuEx) {
        readExtendedMenuOperands();
        classify(toInt(kind));
        return false;
    }
    return true;
}

// extended-operands := ["," [id] ["," type ["," state ["," help-id]]]]: every operand of a
// MENUEX item or popup may be left out; the id, when there is one, names the item.
void ScriptParser::readExtendedMenuOperands()
{
    if (!(optionalComma() && sc_.peekNonBlank() != ',' && readIdExpression()))
        sc_.setSymbol({sc_.length(), 0});  // no id: a type word is no name of the item
    restOfStatement();
    while (sc_.lastOutputChar() == ' ')
        sc_.cut(sc_.length() - 1);
}

// id-and-options := id {option-word}: the id names the item, the option words follow it.
void ScriptParser::readIdAndOptions(int optionToken, LineKind kind)
{
    if (!readRequiredId())
        return;
    readOptionWords(optionToken);
    classify(toInt(kind));
}

// option-list := {["," ] option-word}; stops before the first other token.
void ScriptParser::readOptionWords(int optionToken)
{
    for (;;) {
        const int t = sc_.next();
        if (t == Tok::Comma) {
            sc_.put(' ');
        } else if (t == optionToken) {
            ensureBlankBeforeToken();
        } else {
            sc_.pushBack();
            return;
        }
    }
}

// What a block holds besides its own entries: its END, a preprocessor line and a `$` statement.
// False for any other token, which the block reads itself.
bool ScriptParser::readBlockCommon(int t)
{
    switch (t) {
    case Tok::End:
    case Tok::RightBrace: classify(t); return true;
    case Tok::Hash: readPreprocessor(); return true;
    case Tok::Dollar:
    case Tok::DoubleDollar:
        sc_.pushBack();
        readGeneralStatement();
        return true;
    default: return false;
    }
}

// Inside a STRINGTABLE: BEGIN, entries, preprocessor lines and END.
void ScriptParser::readStringTableStatement()
{
    int t = sc_.next();
    if (st_.depth == 0) {
        if (t == Tok::Begin || t == Tok::LeftBrace)
            classify(t);
        else if (t == Tok::Hash)
            readPreprocessor();
        else if (t == Tok::Language)
            readLanguage();
        else {
            fail(ParserCode::Syntax);
            classify(toInt(K::Unparsed));
        }
        return;
    }
    if (readBlockCommon(t))
        return;
    sc_.pushBack();
    readStringTableEntry();
}

// string-entry := id ["," ] (string | TEXT "(" string ")")
void ScriptParser::readStringTableEntry()
{
    if (!readRequiredId())
        return;
    if (readMacroLine(true))
        return;
    if (!optionalComma())
        sc_.put(' ');
    int t = sc_.next();
    if (t == Tok::String) {
        recordString();
        classify(toInt(K::DataString));
        return;
    }
    if (Tok::isNumber(t)) {
        sc_.setSymbol(sc_.tokenSpan());
        classify(toInt(K::OtherStatement));
        return;
    }
    if (t != Tok::Identifier) {
        fail(ParserCode::Syntax);
        classify(toInt(K::Unparsed));
        return;
    }
    if (sc_.tokenText() == "TEXT") {
        if (sc_.next() == Tok::LeftParen) {
            if (sc_.next() == Tok::String) {
                recordString();
                if (sc_.next() != Tok::RightParen)
                    sc_.pushBack();
                classify(toInt(K::DataString));
                return;
            }
        }
        sc_.pushBack();
    }
    if (!sc_.nextIsLineBreak() && sc_.lastOutputChar() != '(')
        sc_.put(' ');
    restOfLine(0);
    classify(toInt(K::OtherStatement));
}

// accelerator := key "," id {"," accelerator-option}
void ScriptParser::readAcceleratorStatement()
{
    int t = sc_.next();
    if (readBlockCommon(t))
        return;
    if (t != Tok::String && !Tok::isName(t)) {
        fail(ParserCode::Syntax);
        classify(toInt(K::Unparsed));
        return;
    }
    if (sc_.next() != Tok::Comma) {
        sc_.pushBack();
        fail(ParserCode::AcceleratorComma);
        classify(toInt(K::Unparsed));
        return;
    }
    sc_.put(' ');
    readIdAndOptions(Tok::AcceleratorOption, K::AcceleratorEntry);
}

// Inside RCDATA and user-defined resources: data lines, indented by block depth.
void ScriptParser::readDataStatement()
{
    int t = sc_.next();
    bool open = t == Tok::Begin || t == Tok::LeftBrace;
    bool close = t == Tok::End || t == Tok::RightBrace;
    if (st_.depth == 0) {
        if (open) {
            classify(t);
        } else if (t == Tok::Hash) {
            readPreprocessor();
        } else if (t == Tok::Language) {
            readLanguage();
        } else {
            fail(ParserCode::Syntax);
            classify(toInt(K::Unparsed));
        }
        return;
    }
    if (t == Tok::None) {
        classify(toInt(K::EndOfInput));
        return;
    }
    if (t == Tok::Hash) {
        readPreprocessor();
        return;
    }
    if (t == Tok::Dollar || t == Tok::DoubleDollar) {
        sc_.pushBack();
        readGeneralStatement();
        return;
    }
    sc_.pushBack();
    if (open || close) {
        // END is written at the indentation of the block it returns to.
        sc_.blanks(kDataIndent * (close ? st_.depth - 1 : st_.depth));
        classify(sc_.next());
        return;
    }
    sc_.blanks(kDataIndent * st_.depth);
    LineEnd end = restOfLine(CopyKeywords | RecordString | StopAtSecondString | StopAtBlockEnd);
    bool stoppedEarly = end == LineEnd::SecondString || end == LineEnd::Comment;
    const bool editorData = st_.editorData && st_.resourceType == toInt(K::UserResource);
    if (stoppedEarly && st_.string.length > 0 && !editorData) {
        classify(toInt(K::DataString));
    } else {
        // A data line that runs to its end offers no text for translation.
        st_.string = {};
        classify(toInt(K::OtherStatement));
    }
}

} // namespace qmk
