#pragma once

#include "device/MidiWireTime.h"

/** What the SysEx upload promises the outside: its fixed pauses and the status
    texts it reports. Whoever shows, estimates or checks an upload uses these. */
namespace UploadSteps
{
    constexpr int pauseAfterEachMessageMs      = MidiWireTime::defaultRestMs;
    constexpr int pauseBeforeUnattendedStartMs = 2000;
    constexpr int pauseBeforePowerCycleHintMs  = 5000;

    constexpr const char* uploading       = "Uploading firmware";
    constexpr const char* completed       = "Update completed";
    constexpr const char* powerCycleHint  = "Please turn power off and on again";
    constexpr const char* failedPrefix    = "Upload failed: ";
    constexpr const char* deviceLost      = "Upload failed: the MIDI output device is no longer connected";
}
