// The dialog preview: the dialog rebuilt with real widgets at its controls' places, in the
// source texts or a translation, coloured by the state of each text; a click selects the
// smallest control under the mouse and shows it in the translation bar.
#pragma once

#include <vector>

#include "project/PreviewLayout.h"
#include "ui/CPreviewView.h"

namespace qmk {

class CDynDlgView : public CPreviewView {
    Q_OBJECT
public:
    CDynDlgView(CQuillDoc& doc, int dialogLine, QWidget* parent = nullptr);

    const DialogLayout& layout() const { return layout_; }
    QWidget* controlWidget(int textControl) const;
    // The size the preview needs: the dialog with a small margin.
    QSize sizeHint() const override;
    QString title(const QString& projectTitle) const override;

    int selectedLine() const override;
    bool selectLine(int lineIndex) override;
    bool step(bool forward) override;
    int itemCount() const override { return static_cast<int>(layout_.textControls.size()); }
    // Translated texts wider than their controls in the shown font (outlined in the preview).
    int unfitCount() const;
    bool isUnfit(int textControl) const;
    // Selects the control at a point of the dialog, as a click does; -1 when none is there.
    int clickAt(const QPoint& point);

    // ProjectObserver
    void translationStored(int lineIndex, LanguageId language) override;
    void itemExcluded(int lineIndex, bool excluded) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showTexts() override;

private:
    QWidget* makeWidget(const PreviewControl& control);
    void showText(std::size_t index);
    void select(int index);

    DialogLayout layout_;
    std::vector<QWidget*> textWidgets_;
    std::vector<bool> unfit_;
    int selected_ = -1;
};

} // namespace qmk
