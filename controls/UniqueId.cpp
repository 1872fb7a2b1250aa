#include "controls/UniqueId.h"

#include <atomic>

namespace {
std::atomic<unsigned int> g_lastId(0);
}

unsigned int NewUniqueId()
{
    return ++g_lastId;
}
