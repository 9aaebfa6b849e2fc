// The one error type of the database layer: an engine failure with its code and text.
// Callers catch it next to the call and report it as the "Dao Error" message.
#pragma once

#include <stdexcept>
#include <string>

namespace qmk {

// Template of the report shown for an engine failure; %1 is the error number, %2 its text.
// (Kept here until the numbered texts carry it.)
inline constexpr const char* DaoErrorTemplate = "Dao Error (%1):\n%2";

class DaoException : public std::runtime_error {
public:
    DaoException(int code, std::string description);

    // The engine's (extended) result code.
    int code() const { return code_; }
    const std::string& description() const { return description_; }
    // Another connection holds the file (a project open in another window or process).
    bool inUse() const;
    // "Dao Error (<code, low 16 bits>):\n<description>".
    std::string report() const;

private:
    int code_;
    std::string description_;
};

} // namespace qmk
