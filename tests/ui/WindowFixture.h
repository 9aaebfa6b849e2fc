// A main window over a small project in a fresh folder, with every question answered yes and
// every message remembered, for the tests of the window.
#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "common/TempDir.h"
#include "project/CQuillDoc.h"
#include "ui/CChildFrame.h"
#include "ui/CMainFrame.h"
#include "ui/CMessageBoxFeedback.h"

namespace qmk::test {

inline constexpr LanguageId German{7, 1};
inline constexpr LanguageId Russian{25, 1};

inline const char* const kScript =
    "IDD_ABOUT DIALOG 0, 0, 200, 100\nCAPTION \"About\"\nBEGIN\n"
    "    LTEXT \"Name:\", IDC_NAME, 10, 10, 50, 8\n    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\nEND\n"
    "IDB_LOGO BITMAP \"logo.bmp\"\n"
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\n    IDS_LAST \"Last\"\nEND\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n        MENUITEM \"E&xit\", ID_EXIT\n    END\nEND\n";

// The visible controls below `root` that take the focus but give a screen reader no name.
inline std::vector<std::string> unnamedControls(QWidget* root, int& checked)
{
    std::vector<std::string> unnamed;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus)
            continue;
        ++checked;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).isEmpty())
            unnamed.push_back(widget->metaObject()->className() + (" " + widget->objectName().toStdString()));
    }
    return unnamed;
}

// Answers every question with yes and remembers what was asked and said.
class AnsweringFeedback : public CMessageBoxFeedback {
public:
    void message(int id, const MessageArgs&, Icon) override { said.push_back(id); }
    void messageText(const std::string& text, Icon) override { texts.push_back(text); }
    bool ask(int id, const MessageArgs&, bool) override
    {
        asked.push_back(id);
        return answer;
    }
    bool askText(const std::string& text, bool) override
    {
        askedTexts.push_back(text);
        return answer;
    }
    int choose(const std::string& text, const std::vector<std::string>&, int defaultChoice) override
    {
        chosenFrom.push_back(text);
        return choice >= 0 ? choice : defaultChoice;
    }
    bool wasAsked(int id) const { return std::find(asked.begin(), asked.end(), id) != asked.end(); }

    std::vector<int> asked;
    std::vector<std::string> askedTexts;
    std::vector<int> said;
    std::vector<std::string> texts;
    std::vector<std::string> chosenFrom;  // the questions with answers of their own
    bool answer = true;
    int choice = -1;  // the answer chosen; -1 takes the question's default
};

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        // One application per test, gone at its end, so that nothing of it outlives the test.
        static int argc = 1;
        static char name[] = "qmk32";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Quillmark"));
        script = dir.write("app.rc", kScript);
        settings = std::make_unique<Settings>(dir / "qmk32.ini");
        // Each test's own translation memory, never the user's.
        settings->profile().writeString(ini::TranslationMemory, ini::MemoryLocation, (dir / "memory.db").string());
        frame = std::make_unique<CMainFrame>(*settings, feedback, std::vector<std::string>{"DLG"});
    }
    void TearDown() override
    {
        feedback.answer = false;
        frame->close();
        frame.reset();
        app.reset();
    }
    CChildFrame* openApp()
    {
        CChildFrame* child = frame->openDocument(script);
        if (child)
            QApplication::processEvents();
        return child;
    }
    int rowOfString(CChildFrame* child, const std::string& ident)
    {
        const TextTableRows& rows = child->document().rows();
        for (int row = 0; row < rows.rowCount(); ++row)
            if (rows.row(row).cell(TextTableColumns::IdColumn) == ident)
                return row;
        return -1;
    }
    void trigger(int id) { frame->action(id)->trigger(); }

    std::unique_ptr<QApplication> app;
    test::TempDir dir;
    std::filesystem::path script;
    std::unique_ptr<Settings> settings;
    AnsweringFeedback feedback;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace qmk::test
