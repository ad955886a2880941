#include "AlsaRawMidiPort.h"
#include "MidiWireTime.h"

#if JUCE_LINUX

#include <alsa/asoundlib.h>

struct AlsaRawMidiPort::Handle
{
    ~Handle()
    {
        if (output != nullptr)
            snd_rawmidi_close (output);
    }

    snd_rawmidi_t* output = nullptr;
};

namespace
{
    // Enough for every message of the built-in image in one write.
    constexpr size_t bytesAheadOfTheWire = 1024;

    // snd-seq-midi numbers a raw MIDI device's ports by device and
    // subdevice: 256 ports a client, shared by its 8 possible devices.
    constexpr int portsPerRawDevice = 256 / 8;

    struct Sequencer
    {
        Sequencer()     { snd_seq_open (&handle, "default", SND_SEQ_OPEN_OUTPUT, 0); }
        ~Sequencer()    { if (handle != nullptr) snd_seq_close (handle); }

        snd_seq_t* handle = nullptr;
    };
}

juce::String AlsaRawMidiPort::findRawDevice (const juce::String& identifier)
{
    const auto client = identifier.upToFirstOccurrenceOf ("-", false, false).getIntValue();
    const auto port = identifier.fromFirstOccurrenceOf ("-", false, false).getIntValue();

    Sequencer sequencer;

    if (sequencer.handle == nullptr)
        return {};

    snd_seq_client_info_t* clientInfo = nullptr;
    snd_seq_port_info_t* portInfo = nullptr;
    snd_seq_client_info_alloca (&clientInfo);
    snd_seq_port_info_alloca (&portInfo);

    if (snd_seq_get_any_client_info (sequencer.handle, client, clientInfo) < 0
        || snd_seq_get_any_port_info (sequencer.handle, client, port, portInfo) < 0)
        return {};

    // snd-virmidi's ports are kernel ports too, but loops inside the
    // sequencer (SOFTWARE): their raw devices are other ends, not the same one.
    const auto card = snd_seq_client_info_get_card (clientInfo);

    if (snd_seq_client_info_get_type (clientInfo) != SND_SEQ_KERNEL_CLIENT || card < 0
        || (snd_seq_port_info_get_type (portInfo) & SND_SEQ_PORT_TYPE_HARDWARE) == 0)
        return {};

    return "hw:" + juce::String (card) + "," + juce::String (port / portsPerRawDevice)
             + "," + juce::String (port % portsPerRawDevice);
}

std::unique_ptr<AlsaRawMidiPort> AlsaRawMidiPort::open (const juce::String& identifier, const juce::String& rawDevice)
{
    auto handle = std::make_unique<Handle>();

    if (snd_rawmidi_open (nullptr, &handle->output, rawDevice.toRawUTF8(), 0) < 0)
        return {};

    return std::unique_ptr<AlsaRawMidiPort> (new AlsaRawMidiPort (identifier, std::move (handle)));
}

AlsaRawMidiPort::AlsaRawMidiPort (const juce::String& identifierToUse, std::unique_ptr<Handle> handleToUse)
    : identifier (identifierToUse),
      handle (std::move (handleToUse))
{
}

AlsaRawMidiPort::~AlsaRawMidiPort() = default;

bool AlsaRawMidiPort::isListed()
{
    for (const auto& listed : juce::MidiOutput::getAvailableDevices())
        if (listed.identifier == identifier)
            return true;

    return false;
}

bool AlsaRawMidiPort::send (const juce::MidiMessage& message)
{
    auto* data = message.getRawData();
    const auto size = (size_t) message.getRawDataSize();
    const auto started = juce::Time::getMillisecondCounterHiRes();
    size_t written = 0;

    // Never far ahead of a wire at 3125 bytes a second. A driver whose own
    // buffer has filled (the serial UART's, 32 KiB) takes no more bytes from
    // the raw device until the next write, so a writer that waits for room in
    // a full raw buffer waits for ever; a writer at the wire's pace keeps
    // both buffers from filling, and each of its writes wakes the driver.
    while (written < size)
    {
        const auto onTheWire = (juce::Time::getMillisecondCounterHiRes() - started) / MidiWireTime::transferMs (1);
        const auto allowed = juce::jmin (size, (size_t) onTheWire + bytesAheadOfTheWire);

        if (allowed <= written)
        {
            juce::Thread::sleep (juce::jmax (1, (int) MidiWireTime::transferMs ((int) (written - allowed + 64))));
            continue;
        }

        // A blocking write: it returns once these bytes are in the buffer.
        const auto result = snd_rawmidi_write (handle->output, data + written, allowed - written);

        if (result == -EINTR || result == -EAGAIN)
            continue;

        if (result <= 0)
            return false;

        written += (size_t) result;
    }

    return waitUntilDrained();
}

// snd_rawmidi_drain() would do, but it then sleeps 50 ms more for drivers
// without a drain of their own (the UART's), after every message.
bool AlsaRawMidiPort::waitUntilDrained()
{
    snd_rawmidi_params_t* params = nullptr;
    snd_rawmidi_status_t* status = nullptr;
    snd_rawmidi_params_alloca (&params);
    snd_rawmidi_status_alloca (&status);

    if (snd_rawmidi_params_current (handle->output, params) < 0)
        return false;

    const auto bufferSize = snd_rawmidi_params_get_buffer_size (params);

    // A wire that stops altogether (a device that holds it) gets twice the
    // buffer's time on a MIDI cable, and a second.
    const auto giveUpAt = juce::Time::getMillisecondCounterHiRes()
                            + 2.0 * MidiWireTime::transferMs ((int) bufferSize) + 1000.0;

    for (;;)
    {
        if (snd_rawmidi_status (handle->output, status) < 0)
            return false;

        const auto waiting = bufferSize - juce::jmin (bufferSize, snd_rawmidi_status_get_avail (status));

        if (waiting == 0)
            return true;

        if (juce::Time::getMillisecondCounterHiRes() > giveUpAt)
            return false;

        juce::Thread::sleep (juce::jlimit (1, 20, (int) MidiWireTime::transferMs ((int) waiting)));
    }
}

#endif
