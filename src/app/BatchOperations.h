// The handlers of the batch operations, one per flag code.
#pragma once

#include <map>

#include "app/BatchRunner.h"

namespace qmk {

std::map<FlagCode, BatchOperation> standardBatchOperations();

} // namespace qmk
