// The layout of a project database, created directly in a new file.
// Names of tables and fields are the ones every other part of the program uses.
#pragma once

namespace qmk {

class SqliteDatabase;

namespace schema {

// Layout version this program writes into Project.FileVersion. Version 8 keeps the encodings
// of the source and of each translation; a version 7 project opens, and its translations keep
// the encoding that version wrote.
inline constexpr int CurrentFileVersion = 8;
// Oldest layout that still opens (it lacks columns that are added when first needed).
inline constexpr int OldestFileVersion = 6;

// Creates every table and index of an empty project database.
void create(SqliteDatabase& db);

} // namespace schema
} // namespace qmk
