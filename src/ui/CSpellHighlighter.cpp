// The translation edit's spelling marks.
#include "ui/CSpellHighlighter.h"

#include <QTextCharFormat>

#include "project/SpellCheck.h"

namespace qmk {

CSpellHighlighter::CSpellHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void CSpellHighlighter::setChecker(const SpellChecker* checker)
{
    if (checker == checker_)
        return;
    checker_ = checker;
    rehighlight();
}

template <typename Visit>
void CSpellHighlighter::forEachMisspelt(const QString& text, Visit visit) const
{
    if (!checker_)
        return;
    const QByteArray utf8 = text.toUtf8();
    const std::string_view bytes(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    for (const CheckedWord& word : wordsToCheck(bytes)) {
        if (checker_->isCorrect(word.word))
            continue;
        // Byte offsets become positions in the block's UTF-16 text.
        const int start = static_cast<int>(QString::fromUtf8(utf8.constData(), static_cast<qsizetype>(word.start)).size());
        const int length = static_cast<int>(
            QString::fromUtf8(utf8.constData() + word.start, static_cast<qsizetype>(word.length)).size());
        visit(start, length, word.word);
    }
}

void CSpellHighlighter::highlightBlock(const QString& text)
{
    QTextCharFormat misspelt;
    misspelt.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    misspelt.setUnderlineColor(Qt::red);
    forEachMisspelt(text, [&](int start, int length, const std::string&) { setFormat(start, length, misspelt); });
}

std::optional<CSpellHighlighter::Misspelt> CSpellHighlighter::misspeltAt(const QString& blockText, int position) const
{
    std::optional<Misspelt> found;
    forEachMisspelt(blockText, [&](int start, int length, const std::string& word) {
        if (found || position < start || position > start + length)
            return;
        Misspelt m{start, length, {}};
        for (const std::string& suggestion : checker_->suggestions(word))
            m.suggestions.push_back(QString::fromStdString(suggestion));
        found = std::move(m);
    });
    return found;
}

} // namespace qmk
