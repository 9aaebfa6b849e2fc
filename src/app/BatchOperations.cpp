// The handlers of the batch operations.
#include "app/BatchOperations.h"

#include "resources/Texts.h"

namespace qmk {
namespace {

// Operations whose project road is not in this build yet fail openly instead of pretending.
BatchStatus notAvailable(const std::vector<std::string>&, BatchReport& report)
{
    report.error(txt::BatchCommandFailed);
    return BatchStatus::Failed;
}

} // namespace

std::map<FlagCode, BatchOperation> standardBatchOperations()
{
    std::map<FlagCode, BatchOperation> ops;
    for (FlagCode code : {FlagCode::Translated, FlagCode::UpToDate, FlagCode::HasLanguage, FlagCode::Export,
                          FlagCode::Import, FlagCode::CreateDb, FlagCode::Update, FlagCode::AddLang,
                          FlagCode::WriteRC, FlagCode::ListLIDS})
        ops[code] = notAvailable;
    return ops;
}

} // namespace qmk
