// Batch operations on the source change: UpToDate and Update.
#include "app/BatchOperations.h"
#include "app/BatchSupport.h"

namespace qmk {

// Not in this build yet: fails openly instead of pretending.
BatchStatus batchUpToDate(const std::vector<std::string>&, BatchReport& report, const std::vector<std::string>&)
{
    return batchFailed(report);
}

BatchStatus batchUpdate(const std::vector<std::string>&, BatchReport& report, const std::vector<std::string>&)
{
    return batchFailed(report);
}

} // namespace qmk
