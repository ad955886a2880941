#pragma once

#include "ui/Alerts.h"
#include "ui/CommandLineOptions.h"
#include "support/ScopedEnvironmentVariable.h"
#include "support/SimulatedMidiFolder.h"

#include <initializer_list>

/** What the program sees when a test builds its panel or window: one simulated
    output device, "Sim Out", sending at once; a folder for firmware files;
    message boxes recorded rather than shown. Auto-update is off again after.
*/
class SimulatedSetUp
{
public:
    SimulatedSetUp()
    {
        sim.writeOutputs ("Sim Out\n");
        files.createDirectory();
    }

    ~SimulatedSetUp()
    {
        gAutoUpdate = false;
        files.deleteRecursively();
    }

    /** A firmware file of these bytes in the folder. */
    juce::File writeImage (const juce::String& name, std::initializer_list<juce::uint8> bytes) const
    {
        auto file = files.getChildFile (name);
        file.replaceWithData (std::data (bytes), bytes.size());
        return file;
    }

    /** A firmware file of one SysEx message of numBytes bytes, F0 and F7
        included, that outlasts every shutdown wait at MIDI 1.0 speed, followed
        by a short one. */
    juce::File writeLongMessageImage (const juce::String& name, int numBytes) const
    {
        juce::MemoryBlock bytes ((size_t) numBytes + 3, true);
        auto* data = static_cast<juce::uint8*> (bytes.getData());
        data[0] = 0xf0;
        data[numBytes - 1] = 0xf7;
        data[numBytes] = 0xf0;
        data[numBytes + 1] = 0x01;
        data[numBytes + 2] = 0xf7;

        auto file = files.getChildFile (name);
        file.replaceWithData (bytes.getData(), bytes.getSize());
        return file;
    }

    SimulatedMidiFolder sim;
    const ScopedEnvironmentVariable simulation { "BREVANE_MIDI_SIM", sim.getDirectory().getFullPathName() };
    const ScopedEnvironmentVariable noRate { "BREVANE_MIDI_SIM_RATE", std::nullopt };

private:
    juce::TemporaryFile filesPlace;

public:
    const juce::File files { filesPlace.getFile() };
    Alerts::ScopedCapture alerts;

    JUCE_DECLARE_NON_COPYABLE (SimulatedSetUp)
};
