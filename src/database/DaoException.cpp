// The one error type of the database layer: an engine failure with its code and text.
// The report text is built the same way wherever a failure is shown.
#include "database/DaoException.h"

#include <sqlite3.h>

#include "resources/Messages.h"

namespace qmk {

namespace {
std::string formatReport(int code, const std::string& description)
{
    return fillPlaceholders(DaoErrorTemplate, {std::to_string(code & 0xFFFF), description});
}
} // namespace

DaoException::DaoException(int code, std::string description)
    : std::runtime_error(formatReport(code, description)), code_(code), description_(std::move(description))
{
}

bool DaoException::inUse() const
{
    const int primary = code_ & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

std::string DaoException::report() const
{
    return what();
}

} // namespace qmk
