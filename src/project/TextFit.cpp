// The fit check of translated texts.
#include "project/TextFit.h"

#include <cmath>

#include "database/DaoException.h"
#include "project/CQuillDoc.h"
#include "project/MnemonicText.h"
#include "resources/Feedback.h"

namespace qmk {
namespace {

// Check boxes and radio buttons draw their box and a gap before the text; push buttons and
// group box titles keep a margin on each side (all in dialog units).
constexpr int kBoxUnits = 12;
constexpr int kMarginUnits = 2;

bool isBoxButton(const ControlKind& kind)
{
    if (kind.windowClass != ControlClass::Button)
        return false;
    const std::uint32_t type = kind.style & 0xF;
    return type == 2 || type == 3 || type == 4 || type == 5 || type == 6 || type == 9;
}

// Lines a text needs when wrapped at `width` pixels (words kept whole where they fit).
int wrappedLines(std::string_view text, int width, const TextMetrics& metrics, int* widest)
{
    int lines = 0;
    *widest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        const std::string_view paragraph = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        std::string line;
        std::size_t i = 0;
        ++lines;
        while (i < paragraph.size()) {
            std::size_t next = paragraph.find(' ', i);
            const std::string_view word = paragraph.substr(i, next == std::string_view::npos ? std::string_view::npos : next - i);
            const std::string candidate = line.empty() ? std::string(word) : line + " " + std::string(word);
            if (!line.empty() && metrics.width(candidate) > width) {
                *widest = std::max(*widest, metrics.width(line));
                ++lines;
                line = std::string(word);
            } else {
                line = candidate;
            }
            i = next == std::string_view::npos ? paragraph.size() : next + 1;
        }
        *widest = std::max(*widest, metrics.width(line));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return lines;
}

} // namespace

std::string drawnText(std::string_view text)
{
    const std::string drawn = splitMnemonic(text).text;
    // "\n" and "\t" as the script writes them stand for a line break and a gap.
    std::string shown;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        if (drawn[i] == '\\' && i + 1 < drawn.size() && (drawn[i + 1] == 'n' || drawn[i + 1] == 't')) {
            shown += drawn[i + 1] == 'n' ? '\n' : ' ';
            ++i;
            continue;
        }
        shown += drawn[i];
    }
    return shown;
}

int textOverflow(const PreviewControl& control, std::string_view text, const TextMetrics& metrics)
{
    const std::string drawn = drawnText(text);
    if (drawn.empty())
        return 0;
    const int width = control.rect.width();
    const ControlKind& kind = control.kind;
    if (kind.windowClass == ControlClass::Static && (kind.style & 0xF) <= 2) {
        // A static of several lines wraps its text; one of a single line does not.
        const int lines = std::max(1, control.rect.height() / std::max(1, metrics.lineHeight));
        if (lines == 1 && drawn.find('\n') == std::string::npos)
            return std::max(0, metrics.width(drawn) - width);
        int widest = 0;
        const int needed = wrappedLines(drawn, width, metrics, &widest);
        if (needed > lines)  // the lines below the control are cut off: count them as width
            return std::max(0, widest - width) + (needed - lines) * width;
        return std::max(0, widest - width);
    }
    if (kind.windowClass == ControlClass::Button) {
        const int margin = static_cast<int>((isBoxButton(kind) ? kBoxUnits : 2 * kMarginUnits) * metrics.xScale);
        return std::max(0, metrics.width(drawn) - (width - margin));
    }
    return 0;
}

TextMetrics approximateTextMetrics()
{
    TextMetrics metrics;
    metrics.width = [xScale = metrics.xScale](std::string_view utf8) {
        std::size_t characters = 0;
        for (unsigned char c : utf8)
            characters += (c & 0xC0) != 0x80;  // count characters, not bytes
        return static_cast<int>(static_cast<double>(characters) * 4 * xScale);
    };
    return metrics;
}

std::vector<FitProblem> checkTextFit(CQuillDoc& doc, LanguageId language, const TextMetrics& metrics)
{
    std::vector<FitProblem> problems;
    std::vector<IdentRow> dialogs;
    try {
        dialogs = doc.database().items().resources(ResourceList::Dialogs);
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        return problems;
    }
    for (const IdentRow& dialog : dialogs) {
        const DialogLayout layout = buildDialogLayout(doc, dialog.lineIndex, metrics.xScale, metrics.yScale);
        for (const PreviewControl& control : layout.textControls) {
            const PreviewText text = previewText(doc, control.lineIndex, language);
            if (!text.translated || text.excluded)
                continue;
            if (const int overflow = textOverflow(control, text.shown, metrics); overflow > 0)
                problems.push_back({layout.name, control.ident, text.shown,
                                    static_cast<int>(std::ceil(overflow / metrics.xScale)), control.lineIndex});
        }
    }
    return problems;
}

} // namespace qmk
