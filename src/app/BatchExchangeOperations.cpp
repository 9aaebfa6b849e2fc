// Batch operations between databases: Export and Import.
#include "app/BatchOperations.h"
#include "app/BatchSupport.h"

namespace qmk {

// Not in this build yet: fails openly instead of pretending.
BatchStatus batchExport(const std::vector<std::string>&, BatchReport& report, const std::vector<std::string>&)
{
    return batchFailed(report);
}

BatchStatus batchImport(const std::vector<std::string>&, BatchReport& report, const std::vector<std::string>&)
{
    return batchFailed(report);
}

} // namespace qmk
