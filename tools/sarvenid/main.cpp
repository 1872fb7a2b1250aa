#include "tools/sarvenid/Sarvenid.h"

int main(int argc, char** argv)
{
    return SarvenidMain(argc, argv, SarvenidWin32System());
}
