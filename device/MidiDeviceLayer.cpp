#include "MidiDeviceLayer.h"

#include "SimulatedMidiDeviceLayer.h"
#include "SystemMidiDeviceLayer.h"

std::unique_ptr<MidiDeviceLayer> createMidiDeviceLayer()
{
    const auto simulation = juce::SystemStats::getEnvironmentVariable ("BREVANE_MIDI_SIM", {});

    if (simulation.isNotEmpty())
    {
        const auto directory = juce::File::getCurrentWorkingDirectory().getChildFile (simulation);

        if (directory.isDirectory())
        {
            const auto rate = juce::SystemStats::getEnvironmentVariable ("BREVANE_MIDI_SIM_RATE", {});
            return std::make_unique<SimulatedMidiDeviceLayer> (directory, rate.getDoubleValue());
        }
    }

    return std::make_unique<SystemMidiDeviceLayer>();
}
