// qmk32: decides between the batch run and the windowed program.
#include "ui/InteractiveStart.h"

int main(int argc, char** argv)
{
    return qmk::runInteractive(argc, argv, argc > 1 ? argv[1] : "");
}
