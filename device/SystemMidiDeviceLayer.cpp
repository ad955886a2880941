#include "SystemMidiDeviceLayer.h"

#include "WirePacedOutput.h"
#include "AlsaRawMidiPort.h"
#include "WinMmOutputPort.h"

namespace
{
   #if ! JUCE_WINDOWS
    // JUCE's send returns nothing to read: on ALSA it has queued the message
    // and swallows the sequencer's errors. What it does show is the list of
    // devices, from which one that has gone drops out. On Windows the
    // program sends through WinMM itself, which does report errors.
    class SystemPort  : public WirePacedOutput::Port
    {
    public:
        explicit SystemPort (std::unique_ptr<juce::MidiOutput> deviceToUse)
            : device (std::move (deviceToUse))
        {
        }

        bool isListed() override
        {
            const auto identifier = device->getIdentifier();

            for (const auto& listed : juce::MidiOutput::getAvailableDevices())
                if (listed.identifier == identifier)
                    return true;

            return false;
        }

        bool send (const juce::MidiMessage& message) override
        {
            device->sendMessageNow (message);
            return true;
        }

    private:
        std::unique_ptr<juce::MidiOutput> device;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SystemPort)
    };
   #endif

   #if JUCE_LINUX || JUCE_MAC
    // ALSA's sequencer hands the message to its destination inside the call,
    // however long the call took to get there (a first send can take several
    // milliseconds); the wire is busy from then on. CoreMIDI's send is
    // asynchronous too.
    constexpr auto systemWireStart = WirePacedOutput::WireStart::whenSendReturns;
   #else
    // WinMM's driver keeps the caller while the bytes leave, or part of it.
    constexpr auto systemWireStart = WirePacedOutput::WireStart::whenSendBegins;
   #endif

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
   #if JUCE_LINUX
    // A kernel driver's port is written through its raw device: its bytes
    // cross during the send, which ends once the driver has them all.
    if (const auto rawDevice = AlsaRawMidiPort::findRawDevice (identifier); rawDevice.isNotEmpty())
    {
        if (auto port = AlsaRawMidiPort::open (identifier, rawDevice))
            return std::make_unique<WirePacedOutput> (std::move (port), WireClock::getSystemClock(),
                                                      WirePacedOutput::WireStart::whenSendBegins);
        return {};
    }
   #endif

   #if JUCE_WINDOWS
    if (auto port = WinMmOutputPort::open (identifier))
        return std::make_unique<WirePacedOutput> (std::move (port), WireClock::getSystemClock(), systemWireStart);

    return {};
   #else
    if (auto device = juce::MidiOutput::openDevice (identifier))
        return std::make_unique<WirePacedOutput> (std::make_unique<SystemPort> (std::move (device)),
                                                  WireClock::getSystemClock(),
                                                  systemWireStart);

    return {};
   #endif
}

std::unique_ptr<MidiDeviceLayer::Input> SystemMidiDeviceLayer::openInput (const juce::String& identifier,
                                                                          juce::MidiInputCallback& callback)
{
    if (auto device = juce::MidiInput::openDevice (identifier, &callback))
        return std::make_unique<SystemInput> (std::move (device));

    return {};
}
