#pragma once

#include "WirePacedOutput.h"

#if JUCE_LINUX

/** A sequencer port of a kernel MIDI driver (a DIN or USB interface: the
    ports snd-seq-midi makes for a raw MIDI device), written through its raw
    MIDI device instead of the sequencer.

    The sequencer hands a SysEx message to such a port as one event, which the
    kernel drops in part, without a word to the sender, when it is longer than
    the room in the device's buffer (4 KiB): a device would get a cut message.
    Written to the raw device at the wire's pace, a message of any length
    crosses whole, and the send then waits until the driver has taken every
    byte.
*/
class AlsaRawMidiPort  : public WirePacedOutput::Port
{
public:
    /** The raw MIDI device ("hw:card,device,subdevice") behind the sequencer
        port with JUCE's identifier ("client-port"); empty when the port is
        not a kernel driver's, and is then left to the sequencer. */
    static juce::String findRawDevice (const juce::String& identifier);

    /** Null when the device cannot be opened (another program holds it). */
    static std::unique_ptr<AlsaRawMidiPort> open (const juce::String& identifier, const juce::String& rawDevice);

    ~AlsaRawMidiPort() override;

    bool isListed() override;

    /** Writes the whole message, never more than 1 KiB ahead of a MIDI 1.0
        wire, then waits for the driver to take it all; false on an error
        (the device has gone) or when the driver stops taking bytes. */
    bool send (const juce::MidiMessage& message) override;

private:
    struct Handle;

    AlsaRawMidiPort (const juce::String& identifier, std::unique_ptr<Handle> handle);

    bool waitUntilDrained();

    const juce::String identifier;
    std::unique_ptr<Handle> handle;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AlsaRawMidiPort)
};

#endif
