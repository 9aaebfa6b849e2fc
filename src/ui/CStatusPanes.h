// The status bar's panes: the current translation's texts and words by state, the current
// language (or the preview's), the translation gauge, the chosen item's row and its type; and the active dialog preview's count of texts that do not
// fit. Each pane tells screen readers its name and, as its description, what it shows.
#pragma once

class QLabel;
class QStatusBar;

namespace qmk {

class CChildFrame;
class CGaugePane;
class CPreviewView;

class CStatusPanes {
public:
    explicit CStatusPanes(QStatusBar* bar);
    // What the panes show for the active project and its preview in front (none: empty).
    void show(CChildFrame* child, CPreviewView* preview);

private:
    void clear();

    QStatusBar* bar_;
    QLabel* language_;
    CGaugePane* gauge_;
    QLabel* row_;
    QLabel* type_;
    QLabel* statistics_;
    bool unfitShown_ = false;  // the message area shows the active dialog preview's unfit count
};

} // namespace qmk
