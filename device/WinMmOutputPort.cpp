#include "WinMmOutputPort.h"
#include "MidiWireTime.h"

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

    bool done = midiOutLongMsg (handle->output, &header, sizeof (header)) == MMSYSERR_NOERROR;

    // A driver may keep the buffer while the bytes leave; one that keeps it
    // twice their time on a cable and a second more has stopped.
    const auto giveUpAt = juce::Time::getMillisecondCounterHiRes() + 2.0 * MidiWireTime::transferMs (size) + 1000.0;

    while (done && (header.dwFlags & MHDR_DONE) == 0)
    {
        if (juce::Time::getMillisecondCounterHiRes() > giveUpAt)
        {
            // Takes the buffer back from the driver, so it may be unprepared.
            midiOutReset (handle->output);
            done = false;
            break;
        }

        juce::Thread::sleep (1);
    }

    for (int attempt = 0; midiOutUnprepareHeader (handle->output, &header, sizeof (header)) == MIDIERR_STILLPLAYING; ++attempt)
    {
        if (attempt == 500)
        {
            midiOutReset (handle->output);
            done = false;
        }

        juce::Thread::sleep (2);
    }

    return done;
}

#endif
