// The handlers of the batch operations, one per flag code.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/BatchRunner.h"

namespace qmk {

// `includeExtensions`: the accepted entries of the include-extension setting.
std::map<FlagCode, BatchOperation> standardBatchOperations(const std::vector<std::string>& includeExtensions);

} // namespace qmk
