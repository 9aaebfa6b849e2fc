// Spreadsheet cell addresses: column letters (A..Z, AA..ZZ, AAA..) and "B3"-style references.
// Column letters are a base-26 numeral without a zero digit ("bijective"), hence the -1 steps.
#include "exchange/CellAddress.h"

#include <algorithm>

namespace qmk {

std::string columnLetters(int column)
{
    std::string letters;
    if (column < 0)
        return letters;
    long n = static_cast<long>(column) + 1;
    while (n > 0) {
        --n;
        letters.push_back(static_cast<char>('A' + n % 26));
        n /= 26;
    }
    std::reverse(letters.begin(), letters.end());
    return letters;
}

std::optional<int> columnFromLetters(std::string_view letters)
{
    if (letters.empty())
        return std::nullopt;
    long n = 0;
    for (char c : letters) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            return std::nullopt;
        n = n * 26 + (c - 'A' + 1);
        if (n > kSheetMaxColumns)
            return std::nullopt;
    }
    return static_cast<int>(n - 1);
}

std::string formatCellAddress(int row, int column)
{
    if (row < 0 || column < 0)
        return {};
    return columnLetters(column) + std::to_string(static_cast<long>(row) + 1);
}

std::optional<CellAddress> parseCellAddress(std::string_view text)
{
    auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    size_t i = 0;
    if (i < text.size() && text[i] == '$')
        ++i;
    size_t lettersStart = i;
    while (i < text.size() && isLetter(text[i]))
        ++i;
    auto column = columnFromLetters(text.substr(lettersStart, i - lettersStart));
    if (!column)
        return std::nullopt;
    if (i < text.size() && text[i] == '$')
        ++i;
    if (i == text.size() || text[i] == '0')
        return std::nullopt;
    long row = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        row = row * 10 + (text[i] - '0');
        if (row > kSheetMaxRows)
            return std::nullopt;
    }
    return CellAddress{static_cast<int>(row - 1), *column};
}

} // namespace qmk
