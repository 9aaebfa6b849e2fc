// Underlines the misspelt words of the translation edit, as the translation's dictionary sees
// them, and offers the dictionary's suggestions for a word.
#pragma once

#include <QSyntaxHighlighter>
#include <optional>
#include <vector>

namespace qmk {

class SpellChecker;

class CSpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit CSpellHighlighter(QTextDocument* document);
    // The dictionary to check with; none switches checking off.
    void setChecker(const SpellChecker* checker);

    // The misspelt word at a position of a block's text (positions in QString units).
    struct Misspelt {
        int start = 0;
        int length = 0;
        std::vector<QString> suggestions;
    };
    std::optional<Misspelt> misspeltAt(const QString& blockText, int position) const;

protected:
    void highlightBlock(const QString& text) override;

private:
    template <typename Visit>
    void forEachMisspelt(const QString& text, Visit visit) const;

    const SpellChecker* checker_ = nullptr;
};

} // namespace qmk
