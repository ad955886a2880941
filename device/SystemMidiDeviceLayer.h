#pragma once

#include "MidiDeviceLayer.h"

/** The operating system's MIDI devices, through JUCE. */
class SystemMidiDeviceLayer  : public MidiDeviceLayer
{
public:
    SystemMidiDeviceLayer() = default;

    juce::Array<juce::MidiDeviceInfo> getOutputDevices() override;
    juce::Array<juce::MidiDeviceInfo> getInputDevices() override;

    std::unique_ptr<Output> openOutput (const juce::String& identifier) override;
    std::unique_ptr<Input> openInput (const juce::String& identifier,
                                      juce::MidiInputCallback& callback) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SystemMidiDeviceLayer)
};
