#include "tools/lunq/Lunq.h"

int main(int argc, char** argv)
{
    return LunqMain(argc, argv, LunqLoadStub());
}
