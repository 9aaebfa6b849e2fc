// Database work at the document's boundary: an engine failure is reported through the feedback
// channel and the caller gets a plain value back, so that no window has to know the database's
// exception or repeat the catch, report and give-up steps.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "database/DaoException.h"
#include "resources/Feedback.h"

namespace qmk {

// Runs `work` and returns what it returns; when the database fails, shows its report (after
// `where`, the database's path for instance, when given) and returns `fallback` instead.
template <typename Result, typename Work>
Result reportFailure(Feedback& feedback, Work&& work, Result fallback, std::string_view where = {})
{
    try {
        return std::forward<Work>(work)();
    } catch (const DaoException& error) {
        feedback.messageText(where.empty() ? error.report() : std::string(where) + "\n" + error.report(), Icon::Stop);
        return fallback;
    }
}

} // namespace qmk
