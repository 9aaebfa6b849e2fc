// The bitmap preview: the file a BITMAP statement names, for the source or a translation
// (which may name its own file), drawn at its size; "(Bitmap file not found)" when it cannot be
// loaded.
#pragma once

#include <QImage>
#include <filesystem>

#include "ui/CPreviewView.h"

namespace qmk {

class CDynBitmapView : public CPreviewView {
    Q_OBJECT
public:
    CDynBitmapView(CQuillDoc& doc, int bitmapLine, QWidget* parent = nullptr);

    QString title(const QString& projectTitle) const override;
    const std::filesystem::path& file() const { return file_; }
    bool loaded() const { return !image_.isNull(); }
    QSize sizeHint() const override;
    // The bitmap is the preview's one item.
    int selectedLine() const override { return resourceLine(); }
    int itemCount() const override { return 1; }
    void translationStored(int lineIndex, LanguageId language) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showTexts() override;

private:
    std::string name_;
    std::filesystem::path file_;
    QImage image_;
};

} // namespace qmk
