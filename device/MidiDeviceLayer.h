#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

/** The MIDI devices as the interface sees them: lists of names and
    identifiers in the order the system gives them, and devices opened by
    identifier.

    Opening by identifier rather than by position means a device that has
    gone away since it was listed fails to open, instead of another device
    taking its place.
*/
class MidiDeviceLayer
{
public:
    MidiDeviceLayer() = default;
    virtual ~MidiDeviceLayer() = default;

    /** An open output device; destroying it closes the device. */
    class Output
    {
    public:
        Output() = default;
        virtual ~Output() = default;

        /** Sends the message whole and returns once the driver has taken it.
            False when it did not reach a device that is still there: the
            device has gone (nothing is sent then) or the platform reported
            an error. */
        virtual bool sendMessageNow (const juce::MidiMessage& message) = 0;

        /** True while the device is still there. */
        virtual bool isConnected() = 0;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Output)
    };

    /** An open input device; destroying it stops and closes the device. */
    class Input
    {
    public:
        Input() = default;
        virtual ~Input() = default;

        virtual void start() = 0;
        virtual void stop() = 0;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Input)
    };

    virtual juce::Array<juce::MidiDeviceInfo> getOutputDevices() = 0;
    virtual juce::Array<juce::MidiDeviceInfo> getInputDevices() = 0;

    /** Null when the device is gone or cannot be opened. */
    virtual std::unique_ptr<Output> openOutput (const juce::String& identifier) = 0;

    /** Null when the device is gone or cannot be opened. Once started, the
        callback receives every complete message on the system's MIDI thread. */
    virtual std::unique_ptr<Input> openInput (const juce::String& identifier,
                                              juce::MidiInputCallback& callback) = 0;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiDeviceLayer)
};

/** The simulated devices when BREVANE_MIDI_SIM names a directory, the
    system's otherwise. */
std::unique_ptr<MidiDeviceLayer> createMidiDeviceLayer();

/** The MIDI system in use, as a support record names it: "ALSA" and the like,
    or the simulated devices and their folder. */
juce::String describeMidiDeviceLayer();
