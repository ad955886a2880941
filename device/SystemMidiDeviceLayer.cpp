#include "SystemMidiDeviceLayer.h"

namespace
{
    class SystemOutput  : public MidiDeviceLayer::Output
    {
    public:
        explicit SystemOutput (std::unique_ptr<juce::MidiOutput> deviceToUse)
            : device (std::move (deviceToUse))
        {
        }

        void sendMessageNow (const juce::MidiMessage& message) override
        {
            device->sendMessageNow (message);
        }

    private:
        std::unique_ptr<juce::MidiOutput> device;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SystemOutput)
    };

    class SystemInput  : public MidiDeviceLayer::Input
    {
    public:
        explicit SystemInput (std::unique_ptr<juce::MidiInput> deviceToUse)
            : device (std::move (deviceToUse))
        {
        }

        void start() override   { device->start(); }
        void stop() override    { device->stop(); }

    private:
        std::unique_ptr<juce::MidiInput> device;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SystemInput)
    };
}

juce::Array<juce::MidiDeviceInfo> SystemMidiDeviceLayer::getOutputDevices()
{
    return juce::MidiOutput::getAvailableDevices();
}

juce::Array<juce::MidiDeviceInfo> SystemMidiDeviceLayer::getInputDevices()
{
    return juce::MidiInput::getAvailableDevices();
}

// JUCE looks the identifier up among the devices present now, so one that has
// been unplugged gives null rather than whatever sits at its old position.
std::unique_ptr<MidiDeviceLayer::Output> SystemMidiDeviceLayer::openOutput (const juce::String& identifier)
{
    if (auto device = juce::MidiOutput::openDevice (identifier))
        return std::make_unique<SystemOutput> (std::move (device));

    return {};
}

std::unique_ptr<MidiDeviceLayer::Input> SystemMidiDeviceLayer::openInput (const juce::String& identifier,
                                                                          juce::MidiInputCallback& callback)
{
    if (auto device = juce::MidiInput::openDevice (identifier, &callback))
        return std::make_unique<SystemInput> (std::move (device));

    return {};
}
