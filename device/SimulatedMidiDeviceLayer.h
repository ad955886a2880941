#pragma once

#include "MidiDeviceLayer.h"

#include <mutex>

/** MIDI devices played by files in a directory, for watching an upload
    without hardware.

    outputs.txt and inputs.txt name one device per line, in list order; a
    missing file means no devices, and a name written with a leading '!' is
    listed without it but fails to open. A device's identifier is its name and
    its number k is its position (from 1) in the list last handed out. The
    files are read again whenever the lists are asked for, and a device whose
    name has left the file since fails to open. Taking an open output's name
    out of outputs.txt unplugs it: its next send fails and writes nothing.

    Every message sent to output k is appended to output-<k>.syx and logged in
    output-<k>.log as "<ms> <bytes>", ms being when the send returned, counted
    from the start of the process. A message that cannot be written whole to
    both files (folder gone, disk full, file not writable) is a failed send
    and leaves neither file changed. Openings and closings go to events.log.
    Every line is on disk when the call that wrote it returns, so another
    process can follow the files live. Nothing ever arrives on an input.
*/
class SimulatedMidiDeviceLayer  : public MidiDeviceLayer
{
public:
    /** With bytesPerSecond above 0 each send takes as long as the bytes would
        on a wire of that speed (3125 for MIDI 1.0), less when the sending
        thread is asked to exit; otherwise sends return at once. */
    SimulatedMidiDeviceLayer (const juce::File& directory, double bytesPerSecond);

    juce::Array<juce::MidiDeviceInfo> getOutputDevices() override;
    juce::Array<juce::MidiDeviceInfo> getInputDevices() override;

    std::unique_ptr<Output> openOutput (const juce::String& identifier) override;
    std::unique_ptr<Input> openInput (const juce::String& identifier,
                                      juce::MidiInputCallback& callback) override;

    /** The clock of the output logs: milliseconds since the process started. */
    static double getMillisecondsSinceStart();

private:
    struct Side
    {
        const char* kind;           // "output" or "input", as events.log spells it
        juce::String listFileName;
        juce::StringArray given;    // the names as last handed out
    };

    juce::Array<juce::MidiDeviceInfo> listDevices (Side& side);

    /** k of the opened device, or 0 when it cannot be opened. */
    int open (Side& side, const juce::String& identifier);

    const juce::File directory;
    const double bytesPerSecond;

    std::mutex sidesLock;
    Side outputs { "output", "outputs.txt", {} };
    Side inputs  { "input", "inputs.txt", {} };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SimulatedMidiDeviceLayer)
};
