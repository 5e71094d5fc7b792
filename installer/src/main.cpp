// RegKestra's entry point; the run itself is in install_run.cpp.
#include "install_run.h"

int main(int argc, char** argv)
{
    regkestra::runRegKestra(argc, argv);
    return 0;
}
