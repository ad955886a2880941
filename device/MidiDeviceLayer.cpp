#include "MidiDeviceLayer.h"

#include "SimulatedMidiDeviceLayer.h"
#include "SystemMidiDeviceLayer.h"

namespace
{
    /** The simulated devices' folder, when the environment names one that exists. */
    juce::File simulationFolder()
    {
        const auto simulation = juce::SystemStats::getEnvironmentVariable ("BREVANE_MIDI_SIM", {});

        if (simulation.isEmpty())
            return {};

        const auto directory = juce::File::getCurrentWorkingDirectory().getChildFile (simulation);
        return directory.isDirectory() ? directory : juce::File();
    }

    double simulationRate()
    {
        return juce::SystemStats::getEnvironmentVariable ("BREVANE_MIDI_SIM_RATE", {}).getDoubleValue();
    }
}

std::unique_ptr<MidiDeviceLayer> createMidiDeviceLayer()
{
    const auto directory = simulationFolder();

    if (directory != juce::File())
        return std::make_unique<SimulatedMidiDeviceLayer> (directory, simulationRate());

    return std::make_unique<SystemMidiDeviceLayer>();
}

juce::String describeMidiDeviceLayer()
{
    const auto directory = simulationFolder();

    if (directory != juce::File())
    {
        const auto rate = simulationRate();
        return "simulated devices in " + directory.getFullPathName()
             + (rate > 0.0 ? " at " + juce::String (rate) + " bytes/s" : juce::String (", sends unthrottled"));
    }

   #if JUCE_LINUX || JUCE_BSD
    return "ALSA sequencer";
   #elif JUCE_WINDOWS
    return "Windows multimedia MIDI (WinMM)";
   #elif JUCE_MAC
    return "CoreMIDI";
   #else
    return "the system's MIDI";
   #endif
}
