#include "WinMmOutputPort.h"

#if JUCE_WINDOWS

#include <cstring>
#include <windows.h>
#include <mmsystem.h>

struct WinMmOutputPort::Handle
{
    ~Handle()
    {
        if (output != nullptr)
            midiOutClose (output);
    }

    HMIDIOUT output = nullptr;
};

namespace
{
    int findListedIndex (const juce::String& identifier)
    {
        const auto devices = juce::MidiOutput::getAvailableDevices();

        for (int i = 0; i < devices.size(); ++i)
            if (devices.getReference (i).identifier == identifier)
                return i;

        return -1;
    }
}

// JUCE numbers its list as WinMM does, so a listed position is a device id.
std::unique_ptr<WinMmOutputPort> WinMmOutputPort::open (const juce::String& identifier)
{
    const auto index = findListedIndex (identifier);

    if (index < 0)
        return {};

    auto handle = std::make_unique<Handle>();

    // A device that another program is just letting go of may refuse briefly.
    for (int attempt = 0; attempt < 4; ++attempt)
    {
        const auto result = midiOutOpen (&handle->output, (UINT) index, 0, 0, CALLBACK_NULL);

        if (result == MMSYSERR_NOERROR)
            return std::unique_ptr<WinMmOutputPort> (new WinMmOutputPort (identifier, std::move (handle)));

        handle->output = nullptr;

        if (result != MMSYSERR_ALLOCATED)
            break;

        juce::Thread::sleep (100);
    }

    return {};
}

WinMmOutputPort::WinMmOutputPort (const juce::String& identifierToUse, std::unique_ptr<Handle> handleToUse)
    : identifier (identifierToUse),
      handle (std::move (handleToUse))
{
}

WinMmOutputPort::~WinMmOutputPort() = default;

bool WinMmOutputPort::isListed()
{
    return findListedIndex (identifier) >= 0;
}

bool WinMmOutputPort::send (const juce::MidiMessage& message)
{
    const auto size = message.getRawDataSize();

    if (size <= 3 && ! message.isSysEx())
    {
        DWORD packed = 0;
        std::memcpy (&packed, message.getRawData(), (size_t) size);
        return midiOutShortMsg (handle->output, packed) == MMSYSERR_NOERROR;
    }

    MIDIHDR header {};
    header.lpData = (LPSTR) message.getRawData();
    header.dwBufferLength = header.dwBytesRecorded = (DWORD) size;

    if (midiOutPrepareHeader (handle->output, &header, sizeof (header)) != MMSYSERR_NOERROR)
        return false;

    if (midiOutLongMsg (handle->output, &header, sizeof (header)) != MMSYSERR_NOERROR)
    {
        midiOutUnprepareHeader (handle->output, &header, sizeof (header));
        return false;
    }

    // The driver may keep the buffer while the bytes leave, however slowly:
    // taking it back early (midiOutReset) would cut the message on the wire.
    while ((header.dwFlags & MHDR_DONE) == 0)
        juce::Thread::sleep (1);

    return midiOutUnprepareHeader (handle->output, &header, sizeof (header)) == MMSYSERR_NOERROR;
}

#endif
