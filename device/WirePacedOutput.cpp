#include "WirePacedOutput.h"

#include "MidiWireTime.h"

WirePacedOutput::WirePacedOutput (std::unique_ptr<Port> portToUse, WireClock& clockToUse, WireStart start)
    : port (std::move (portToUse)),
      clock (clockToUse),
      wireStart (start)
{
    jassert (port != nullptr);
}

bool WirePacedOutput::sendMessageNow (const juce::MidiMessage& message)
{
    if (! port->isListed())
        return false;

    auto start = clock.getMilliseconds();

    if (! port->send (message))
        return false;

    if (wireStart == WireStart::whenSendReturns)
        start = clock.getMilliseconds();

    clock.waitUntil (start + MidiWireTime::pacedTransferMs (message.getRawDataSize()));
    return true;
}

bool WirePacedOutput::isConnected()
{
    return port->isListed();
}
