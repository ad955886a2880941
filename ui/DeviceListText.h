#pragma once

#include "device/MidiDeviceLayer.h"

/** The MIDI devices as a user reads them, with the numbers --outputid and
    --inputid take:

        MIDI output devices (--outputid):
        1 USB MIDI Interface
        2 (Disconnected)

    and the same for the inputs after a blank line. Names are escaped, so a
    device cannot add a line of its own.
*/
namespace DeviceListText
{
    juce::String describe (MidiDeviceLayer& layer);
}
