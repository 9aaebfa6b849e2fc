// The running statement number shared by the reader and the database build; one object
// per build, so several builds can run side by side.
#pragma once

namespace qmk {

struct LineCounter {
    int value = 0;
};

} // namespace qmk
