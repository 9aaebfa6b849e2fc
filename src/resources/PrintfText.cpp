// printf-style report texts.
#include "resources/PrintfText.h"

namespace qmk {

std::string printfText(std::string_view format, const std::vector<std::string>& args)
{
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        std::size_t len = 0;
        if (format[i + 1] == 's' || format[i + 1] == 'd')
            len = 1;
        else if (format.substr(i + 1, 2) == "li" || format.substr(i + 1, 2) == "ld")
            len = 2;
        if (format[i + 1] == '%') {
            out += '%';
            ++i;
        } else if (len == 0) {
            out += '%';
        } else {
            if (next < args.size())
                out += args[next];
            ++next;
            i += len;
        }
    }
    return out;
}

} // namespace qmk
