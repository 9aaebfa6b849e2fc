// The lower bound for a database build: the same rows inserted straight through SQLite,
// prepared statements in one transaction, into the same tables and indexes.
#pragma once

#include <filesystem>
#include <memory>

namespace qmk::bench {

class RawInsert {
public:
    // Reads every row of every table of a built project database into memory.
    explicit RawInsert(const std::filesystem::path& builtProject);
    ~RawInsert();

    // Creates `target` with the same layout and inserts all rows; returns the row count.
    long insertInto(const std::filesystem::path& target) const;

private:
    struct Data;
    std::unique_ptr<Data> data_;
};

} // namespace qmk::bench
