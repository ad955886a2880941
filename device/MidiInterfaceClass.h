#pragma once

#include "InterfaceBaseClass.h"
#include "MidiDeviceLayer.h"

#include <atomic>

/** The MIDI connection: a selector for the output device, one for the input
    device, or both, and the channel that sends each message of an upload to
    the open output.

    Selector ids: for n listed devices, id k from 1 to n is the k-th device as
    the system listed it when the interface was built, and n + 1 is
    "(Disconnected)". The lists are read once; a device is opened by the
    identifier it was listed with, so the device shown is the one opened, or
    none is when it has gone.
*/
class MidiInterfaceClass  : public InterfaceBaseClass,
                            public juce::ComboBox::Listener,
                            public juce::MidiInputCallback
{
public:
    /** Builds the sides asked for, on the system's devices (or the simulated
        ones when BREVANE_MIDI_SIM names a directory). */
    MidiInterfaceClass (bool useOutput, bool useInput);

    /** The same on the devices of the given layer. */
    MidiInterfaceClass (bool useOutput, bool useInput, std::unique_ptr<MidiDeviceLayer> deviceLayer);

    ~MidiInterfaceClass() override;

    void resized() override;

    int readData (juce::uint8* destination, juce::uint32 maxBytes) override;
    int sendData (const juce::uint8* data, int numBytes) override;
    bool isDeviceReady() override;
    int getPreferredHeight() override;
    void selectOutputById (int itemId) override;
    void selectInputById (int itemId) override;
    juce::String getOutputName() override;
    juce::String getOutputIdentifier() override;

    void comboBoxChanged (juce::ComboBox* selector) override;

    /** Called on the MIDI input thread; stores every byte of every message. */
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;

private:
    std::unique_ptr<juce::ComboBox> createSelector (const juce::String& name, const juce::String& caption,
                                                    const juce::Array<juce::MidiDeviceInfo>& devices,
                                                    juce::StringArray& names, juce::StringArray& identifiers,
                                                    int& numDevices, std::unique_ptr<juce::Label>& label);

    // One side's reaction to its selector, and its selection by id.
    void applySelection (int id, int numDevices, void (MidiInterfaceClass::*open) (int),
                         void (MidiInterfaceClass::*close)());
    void selectById (juce::ComboBox& selector, int itemId, void (MidiInterfaceClass::*open) (int));

    void openOutputDevice (int itemId);
    void closeOutputDevice();
    void openInputDevice (int itemId);
    void closeInputDevice();

    // Built first and destroyed last: the open devices belong to it.
    std::unique_ptr<MidiDeviceLayer> deviceLayer;

    int numOutputDevices = 0;
    int numInputDevices = 0;
    bool hasInput;
    bool hasOutput;

    juce::StringArray outputDeviceNames, outputDeviceIdentifiers;
    std::unique_ptr<MidiDeviceLayer::Output> midiOutput;
    int openOutputId = 0;     // the selector id midiOutput was opened for

    juce::StringArray inputDeviceNames, inputDeviceIdentifiers;
    std::unique_ptr<MidiDeviceLayer::Input> midiInput;

    // Null for a side that was not asked for.
    std::unique_ptr<juce::ComboBox> outputSelector;
    std::unique_ptr<juce::Label> outputLabel;
    std::unique_ptr<juce::ComboBox> inputSelector;
    std::unique_ptr<juce::Label> inputLabel;

    // One writer (the MIDI input thread) and one reader: a byte is stored
    // before the write position moves past it. At most 255 unread bytes are
    // kept; 256 make the ring look empty again.
    juce::uint8 receiveBuffer[256] = {};
    std::atomic<int> writePosition { 0 };
    int readPosition = 0;     // 256 is turned into 0 before use

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiInterfaceClass)
};
