#include "ProtocolBaseClass.h"

ProtocolBaseClass::ProtocolBaseClass (InterfaceBaseClass* interfaceToUse, FirmwareImage* imageToSend)
    : juce::Thread ("Protocol Thread"),
      interface (interfaceToUse),
      image (imageToSend)
{
}

void ProtocolBaseClass::startUpdate()
{
    if (! isThreadRunning())
    {
        setLastRunFailed (false);
        setMessagesSent (0);
        setProgress (0.0);

        // One step below normal on the old 0..10 scale, where 5 was normal.
        startThread (juce::Thread::Priority::low);
    }
    else if (getProgress() == 1.0)
    {
        setProgress (0.0);
    }
}
