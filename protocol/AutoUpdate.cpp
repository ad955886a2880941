#include "AutoUpdate.h"

std::atomic<bool> gAutoUpdate { false };
