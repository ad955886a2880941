#include "WirePacedOutput.h"

WirePacedOutput::WirePacedOutput (std::unique_ptr<Port> portToUse, WireClock& clockToUse)
    : port (std::move (portToUse)),
      clock (clockToUse)
{
    jassert (port != nullptr);
}

bool WirePacedOutput::sendMessageNow (const juce::MidiMessage& message)
{
    if (! port->isListed())
        return false;

    const auto start = clock.getMilliseconds();

    if (! port->send (message))
        return false;

    clock.waitUntil (start + getTransferTimeMs (message.getRawDataSize()));
    return true;
}

bool WirePacedOutput::isConnected()
{
    return port->isListed();
}
