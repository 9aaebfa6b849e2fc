// The unattended run: carries out the operations of the command line one after the other,
// reporting to standard output (errors to standard error) and to the log file.
#pragma once

#include <functional>
#include <fstream>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CBatchCommandLineInfo.h"

namespace qmk {

// Process exit status of a batch run, so that build scripts can branch on it.
enum class BatchStatus : int {
    Success = 0,       // every operation succeeded and every check answered yes
    Failed = 1,        // an operation failed
    UsageError = 2,    // unknown flag, missing parameter
    CheckAnsweredNo = 3,
    UnitsRefused = 3,  // an import done, with units it refused (listed)
};

// Where the run's report texts go.
class BatchReport {
public:
    BatchReport(std::ostream& out, std::ostream& err, const std::string& logFile);
    BatchReport(const BatchReport&) = delete;
    BatchReport& operator=(const BatchReport&) = delete;

    void line(const std::string& text);
    void error(const std::string& text);
    bool logOpen() const { return log_ != nullptr; }
    // Whether reports list every finding rather than the first ones: for a log, and for a run
    // that checks the translation afterwards.
    bool everyFinding() const { return everyFinding_ || logOpen(); }
    void setEveryFinding(bool every) { everyFinding_ = every; }
    // Why the log file named could not be opened for appending; empty when it is open or none
    // was named.
    const std::string& logProblem() const { return logProblem_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    std::unique_ptr<std::ofstream> log_;
    std::string logProblem_;
    bool everyFinding_ = false;
};

// One operation's work: given its parameters, reports through `report` and returns its status.
using BatchOperation = std::function<BatchStatus(const std::vector<std::string>& params, BatchReport& report)>;

class BatchRunner {
public:
    explicit BatchRunner(const std::vector<std::string>& includeExtensions = {".DLG"});

    // Replaces the handler of one operation (tests, and operations that live in other layers).
    void setOperation(FlagCode code, BatchOperation op) { operations_[code] = std::move(op); }

    BatchStatus run(const CBatchCommandLineInfo& cmd, BatchReport& report) const;

private:
    std::map<FlagCode, BatchOperation> operations_;
};

// The usage lines printed by --help.
std::string batchUsageText();

} // namespace qmk
