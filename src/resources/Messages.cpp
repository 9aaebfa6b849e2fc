// The table of numbered texts and the placeholder filling.
#include "resources/Messages.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qmk {
namespace {

struct NumberedText {
    int id;
    std::string_view text;
};

// Sorted by number; looked up by binary search.
constexpr NumberedText kTexts[] = {
    {msg::WrongIncludeExtensions, "Read include extensions from INI file.\n%1\nWrong extension(s)."},
    {msg::CantOpenFile, "Error: Can't open file '%1'."},
    {msg::MissingDatabaseEngine,
     "Missing MS Database Jet Engine.\n\nTo run Quillmark you need the Microsoft DAO (Data Access Object) "
     "package installed.\nTo get the DAO package install one of the following  Micrsosoft products:\n"
     "   - MS Access  32 bit\n   - MS Excel  32 bit\n   - Visual Basic 4.x  or 5.x\n"
     "   - Visual C++ 4.x or 5.x\n\nQuillmark can not be started."},
};

constexpr bool sortedById()
{
    for (std::size_t i = 1; i < std::size(kTexts); ++i)
        if (kTexts[i - 1].id >= kTexts[i].id)
            return false;
    return true;
}
static_assert(sortedById(), "message table must be sorted by number without duplicates");

} // namespace

std::string_view messageText(int id)
{
    auto it = std::lower_bound(std::begin(kTexts), std::end(kTexts), id,
                               [](const NumberedText& t, int key) { return t.id < key; });
    if (it == std::end(kTexts) || it->id != id)
        return {};
    return it->text;
}

std::string fillPlaceholders(std::string_view text, const MessageArgs& args)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            std::size_t n = static_cast<std::size_t>(text[i + 1] - '1');
            if (n < args.size())
                out += args[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string formatMessage(int id, const MessageArgs& args)
{
    return fillPlaceholders(messageText(id), args);
}

} // namespace qmk
