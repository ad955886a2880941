#include "MidiInterfaceClass.h"

#include "SelectorLabel.h"

MidiInterfaceClass::MidiInterfaceClass (bool useOutput, bool useInput)
    : MidiInterfaceClass (useOutput, useInput, createMidiDeviceLayer())
{
}

MidiInterfaceClass::MidiInterfaceClass (bool useOutput, bool useInput, std::unique_ptr<MidiDeviceLayer> layer)
    : deviceLayer (std::move (layer)),
      hasInput (useInput),
      hasOutput (useOutput)
{
    jassert (deviceLayer != nullptr);

    if (useOutput)
        outputSelector = createSelector ("Output Selector", "Select an output device:", deviceLayer->getOutputDevices(),
                                         outputDeviceNames, outputDeviceIdentifiers, numOutputDevices, outputLabel);

    if (useInput)
        inputSelector = createSelector ("Input Selector", "Select an input device:", deviceLayer->getInputDevices(),
                                        inputDeviceNames, inputDeviceIdentifiers, numInputDevices, inputLabel);
}

MidiInterfaceClass::~MidiInterfaceClass()
{
    outputLabel.reset();
    outputSelector.reset();
    inputLabel.reset();
    inputSelector.reset();

    midiInput.reset();
    midiOutput.reset();
}

std::unique_ptr<juce::ComboBox> MidiInterfaceClass::createSelector (const juce::String& name,
                                                                    const juce::String& caption,
                                                                    const juce::Array<juce::MidiDeviceInfo>& devices,
                                                                    juce::StringArray& names,
                                                                    juce::StringArray& identifiers,
                                                                    int& numDevices,
                                                                    std::unique_ptr<juce::Label>& label)
{
    for (const auto& device : devices)
    {
        names.add (device.name);
        identifiers.add (device.identifier);
    }

    numDevices = devices.size();

    auto selector = std::make_unique<juce::ComboBox> (name);
    addAndMakeVisible (selector.get());

    label = std::make_unique<SelectorLabel> (juce::String(), caption);
    label->attachToComponent (selector.get(), false);

    const auto disconnectedId = devices.size() + 1;
    selector->addItem ("(Disconnected)", disconnectedId);

    // JUCE 7 draws a separator even with nothing below it.
    if (! devices.isEmpty())
        selector->addSeparator();

    for (int i = 0; i < devices.size(); ++i)
        selector->addItem (devices.getReference (i).name, i + 1);

    // Delivered later on the message thread, once the listener below is in
    // place: the owner hears a change and asks isDeviceReady() afresh.
    selector->setSelectedId (disconnectedId, juce::sendNotificationAsync);
    selector->addListener (this);

    return selector;
}

void MidiInterfaceClass::resized()
{
    const auto width = getWidth();

    if (outputSelector != nullptr)
        outputSelector->setBounds (0, 20, width, 30);

    if (inputSelector != nullptr)
        inputSelector->setBounds (0, outputSelector != nullptr ? 70 : 20, width, 30);
}

int MidiInterfaceClass::getPreferredHeight()
{
    return hasOutput && hasInput ? 100 : 50;
}

bool MidiInterfaceClass::isDeviceReady()
{
    if (hasOutput && hasInput)
        return midiOutput != nullptr && midiInput != nullptr;

    if (hasOutput)
        return midiOutput != nullptr;

    if (hasInput)
        return midiInput != nullptr;

    return false;
}

void MidiInterfaceClass::openOutputDevice (int itemId)
{
    closeOutputDevice();

    // The identifier listed with the name that is shown: if that device has
    // gone, nothing opens rather than whatever took its place in the list.
    if (itemId >= 1 && itemId <= numOutputDevices)
        midiOutput = deviceLayer->openOutput (outputDeviceIdentifiers[itemId - 1]);

    openOutputId = midiOutput != nullptr ? itemId : 0;
}

void MidiInterfaceClass::closeOutputDevice()
{
    midiOutput.reset();
    openOutputId = 0;
}

juce::String MidiInterfaceClass::getOutputName()
{
    return openOutputId > 0 ? outputDeviceNames[openOutputId - 1] : juce::String();
}

juce::String MidiInterfaceClass::getOutputIdentifier()
{
    return openOutputId > 0 ? outputDeviceIdentifiers[openOutputId - 1] : juce::String();
}

void MidiInterfaceClass::openInputDevice (int itemId)
{
    midiInput.reset();

    if (itemId >= 1 && itemId <= numInputDevices)
    {
        midiInput = deviceLayer->openInput (inputDeviceIdentifiers[itemId - 1], *this);

        if (midiInput != nullptr)
            midiInput->start();
    }
}

void MidiInterfaceClass::closeInputDevice()
{
    if (midiInput != nullptr)
    {
        midiInput->stop();
        midiInput.reset();
    }
}

void MidiInterfaceClass::comboBoxChanged (juce::ComboBox* selector)
{
    if (selector == outputSelector.get())
        applySelection (selector->getSelectedId(), numOutputDevices,
                        &MidiInterfaceClass::openOutputDevice, &MidiInterfaceClass::closeOutputDevice);

    if (selector == inputSelector.get())
        applySelection (selector->getSelectedId(), numInputDevices,
                        &MidiInterfaceClass::openInputDevice, &MidiInterfaceClass::closeInputDevice);
}

void MidiInterfaceClass::applySelection (int id, int numDevices, void (MidiInterfaceClass::*open) (int),
                                         void (MidiInterfaceClass::*close)())
{
    if (id >= 1 && id <= numDevices)
        (this->*open) (id);
    else if (id == numDevices + 1)
        (this->*close)();
    else
        return;

    sendChangeMessage();
}

void MidiInterfaceClass::selectOutputById (int itemId)
{
    if (hasOutput)
        selectById (*outputSelector, itemId, &MidiInterfaceClass::openOutputDevice);
}

void MidiInterfaceClass::selectInputById (int itemId)
{
    if (hasInput)
        selectById (*inputSelector, itemId, &MidiInterfaceClass::openInputDevice);
}

// The device opens at once; the selector's own notification follows later and
// opens it a second time through comboBoxChanged. JUCE 7 would blank the
// selector for an id it does not hold, so such an id leaves it untouched.
void MidiInterfaceClass::selectById (juce::ComboBox& selector, int itemId, void (MidiInterfaceClass::*open) (int))
{
    if (selector.indexOfItemId (itemId) >= 0)
        selector.setSelectedId (itemId, juce::sendNotificationAsync);

    sendChangeMessage();
    (this->*open) (itemId);
}

int MidiInterfaceClass::sendData (const juce::uint8* data, int numBytes)
{
    if (midiOutput == nullptr)
        return deviceNotConnected;

    if (numBytes <= 0)
        return midiOutput->isConnected() ? messageSent : deviceNotConnected;

    return midiOutput->sendMessageNow (juce::MidiMessage (data, numBytes, 0.0)) ? messageSent : deviceNotConnected;
}

void MidiInterfaceClass::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    const auto* bytes = message.getRawData();
    auto position = writePosition.load (std::memory_order_relaxed);

    for (int i = 0; i < message.getRawDataSize(); ++i)
    {
        receiveBuffer[position] = bytes[i];
        position = (position + 1) % (int) sizeof (receiveBuffer);
        writePosition.store (position, std::memory_order_release);
    }
}

int MidiInterfaceClass::readData (juce::uint8* destination, juce::uint32 maxBytes)
{
    if (midiInput == nullptr)
        return 0;

    juce::uint32 copied = 0;

    while (copied < maxBytes)
    {
        if (readPosition >= (int) sizeof (receiveBuffer))
            readPosition = 0;

        if (readPosition == writePosition.load (std::memory_order_acquire))
            break;

        destination[copied++] = receiveBuffer[readPosition++];
    }

    return (int) copied;
}
