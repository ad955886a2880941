#pragma once

#include "WirePacedOutput.h"

#if JUCE_WINDOWS

/** A WinMM MIDI output, opened by the identifier JUCE lists it under, that
    tells what WinMM says. JUCE's own send drops the results of
    midiOutLongMsg() and its sister calls, so a driver's "no device" after an
    interface was unplugged would pass for a message sent.
*/
class WinMmOutputPort  : public WirePacedOutput::Port
{
public:
    /** Null when the device is not listed or WinMM does not open it. */
    static std::unique_ptr<WinMmOutputPort> open (const juce::String& identifier);

    ~WinMmOutputPort() override;

    bool isListed() override;

    /** Hands the message to the driver and waits until the driver is done
        with it; false when WinMM reports an error. */
    bool send (const juce::MidiMessage& message) override;

private:
    struct Handle;

    WinMmOutputPort (const juce::String& identifier, std::unique_ptr<Handle> handle);

    const juce::String identifier;
    std::unique_ptr<Handle> handle;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WinMmOutputPort)
};

#endif
