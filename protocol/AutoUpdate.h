#pragma once

#include <atomic>

/** Set once from "--autoupdate" before any upload starts; read by the upload
    thread, which then gives the devices 2000 ms to open before its first message.
*/
extern std::atomic<bool> gAutoUpdate;
