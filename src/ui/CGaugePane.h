// The status bar's two-part gauge of the current translation: the share of translated texts,
// with the share flagged for review drawn in red inside it.
#pragma once

#include <QWidget>

namespace qmk {

class CGaugePane : public QWidget {
    Q_OBJECT
public:
    explicit CGaugePane(QWidget* parent = nullptr);
    void setFigures(int translatedPercent, int modifiedPercent);
    void clear();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int translated_ = -1;  // -1: nothing to show
    int modified_ = 0;
};

} // namespace qmk
