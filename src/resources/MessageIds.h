// Numbers of the program's messages, one named constant each.
#pragma once

namespace qmk::msg {

inline constexpr int WrongIncludeExtensions = 570;   // "Read include extensions from INI file. ..."
inline constexpr int CantOpenFile = 643;             // "Error: Can't open file '%1'."
inline constexpr int MissingDatabaseEngine = 62478;  // engine presence test failed

} // namespace qmk::msg
