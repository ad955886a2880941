#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The connection to the hardware: a component that carries the controls for
    choosing the device, and the channel the upload sends through.

    Implementations broadcast a change, naming themselves as the source,
    whenever the set of open devices may have changed.
*/
class InterfaceBaseClass  : public juce::Component,
                            public juce::ChangeBroadcaster
{
public:
    InterfaceBaseClass() = default;

    void resized() override = 0;

    /** Copies up to maxBytes received and unread bytes, oldest first; never blocks. */
    virtual int readData (juce::uint8* destination, juce::uint32 maxBytes) = 0;

    /** What sendData returns. */
    enum SendResult
    {
        messageSent = 0,            ///< the open device took the message and is still there
        deviceNotConnected = -1     ///< no device open, or it has gone: the message may not have arrived
    };

    /** Sends the bytes as one message to the open output and returns once the
        driver has taken them; sends nothing when no output is open or the
        device has gone. With no bytes it sends nothing and only asks whether
        the open device is still there. Returns a SendResult: 0 when the
        message reached a connected device, negative when it did not. */
    virtual int sendData (const juce::uint8* data, int numBytes) = 0;

    /** True when every device an upload needs is open. */
    virtual bool isDeviceReady() = 0;

    virtual int getPreferredHeight() = 0;

    /** The open output device as the system names it, and the identifier it
        was opened by; empty when none is open. */
    virtual juce::String getOutputName()          { return {}; }
    virtual juce::String getOutputIdentifier()    { return {}; }

    /** Selects and opens a device by its selector id, as if the user had picked it. */
    virtual void selectOutputById (int itemId) = 0;
    virtual void selectInputById (int itemId) = 0;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (InterfaceBaseClass)
};
