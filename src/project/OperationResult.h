// How an operation of the document ended. Whatever went wrong has been reported through the
// feedback channel before the result is returned; Refused means the document was busy (or
// the input was refused and a dialog should stay open) and nothing changed.
#pragma once

namespace qmk {

enum class OperationResult { Done, Cancelled, Failed, Refused };

} // namespace qmk
