#include "BasicSysexProtocolClass.h"

#include "AutoUpdate.h"
#include "UploadSteps.h"

#include <juce_gui_basics/juce_gui_basics.h>

BasicSysexProtocolClass::BasicSysexProtocolClass (InterfaceBaseClass* interfaceToUse, FirmwareImage* imageToSend,
                                                  PacingClock* clockToUse)
    : ProtocolBaseClass (interfaceToUse, imageToSend),
      clock (clockToUse != nullptr ? *clockToUse : PacingClock::getRealClock())
{
}

BasicSysexProtocolClass::~BasicSysexProtocolClass()
{
    stopThread (exitWaitMs);
}

void BasicSysexProtocolClass::startUpdate()
{
    // A failed run has nothing left to do but return; let it, so that a retry starts afresh.
    if (isThreadRunning() && lastRunFailed())
        waitForThreadToExit (1000);

    if (! isThreadRunning())
    {
        setLastRunFailed (false);
        setLastRunCompleted (false);
        setUploadUnderway (true);
        setMessagesSent (0);

        {
            const juce::ScopedLock sl (ProgressValueLock);
            progressCopy = 0.0;
            setProgress (0.0);
        }

        startThread();
        return;
    }

    // Still running: only the closing steps may be cleared, never a run that is sending.
    const juce::ScopedLock sl (ProgressValueLock);

    if (progressCopy == 1.0)
    {
        progressCopy = 0.0;
        setProgress (0.0);
    }
}

void BasicSysexProtocolClass::run()
{
    // However the run ends, whoever waits for it hears so once it has.
    const struct EndOfRun
    {
        ~EndOfRun()
        {
            protocol.setUploadUnderway (false);
            protocol.sendChangeMessage();
        }

        BasicSysexProtocolClass& protocol;
    } endOfRun { *this };

    const auto* const data = image->getData();
    const auto total = (juce::uint32) image->getSize();
    cursor = data;
    auto* messageStart = cursor;
    juce::uint32 sentTotal = 0;
    int messagesSent = 0;

    setStatus (UploadSteps::uploading);

    // Never start what cannot finish: a half-flashed device is worse than an
    // untouched one. (The status above first, so a retry reports its failure anew.)
    if (const auto whole = SysexFraming::scan (data, (int) total); whole.fault != SysexFraming::Fault::none)
    {
        stopOnFault (whole.fault, whole.faultOffset);
        return;
    }

    double localProgress;

    {
        const juce::ScopedLock sl (ProgressValueLock);
        localProgress = progressCopy;
    }

    // Gives the devices chosen from the command line time to open.
    if (gAutoUpdate)
        clock.sleep (UploadSteps::pauseBeforeUnattendedStartMs);

    // Every message is sent whole, so the sum of their lengths meets the image
    // size, and the quotient is exactly 1.0, only after the last one.
    while (localProgress != 1.0 && ! threadShouldExit())
    {
        if (! setInterfaceEnabled (false))
            return;

        const auto offset = (int) (messageStart - data);
        const auto message = SysexFraming::messageAt (data, (int) total, offset);

        if (message.fault != SysexFraming::Fault::none)
        {
            stopOnFault (message.fault, offset);
            return;
        }

        cursor = messageStart + message.length;

        UploadObserver::SentMessage sent;
        sent.number = messagesSent + 1;
        sent.length = message.length;
        sent.sendBeganMs = juce::Time::getMillisecondCounterHiRes();
        const auto result = interface->sendData (messageStart, message.length);
        sent.sendReturnedMs = sent.restEndedMs = juce::Time::getMillisecondCounterHiRes();

        if (result != InterfaceBaseClass::messageSent)
        {
            sent.reachedDevice = false;
            tellObserver (sent);
            stopOnLostDevice();
            return;
        }

        clock.sleep (pace.restAfterMs());
        sent.restEndedMs = juce::Time::getMillisecondCounterHiRes();

        messageStart = cursor;
        sentTotal += (juce::uint32) message.length;
        localProgress = (double) sentTotal / (double) total;

        // Counted before the progress is told, so whoever hears it knows what is left.
        setMessagesSent (++messagesSent);
        tellObserver (sent);

        // Told first, stored after: this thread never holds both locks.
        setProgress (localProgress);

        const juce::ScopedLock sl (ProgressValueLock);
        progressCopy = localProgress;
    }

    if (threadShouldExit())
        return;

    // The last message was taken, but the device may have gone while it crossed.
    if (interface->sendData (data, 0) != InterfaceBaseClass::messageSent)
    {
        stopOnLostDevice();
        return;
    }

    // Set before the status, so whoever hears "Update completed" can rely on it.
    setLastRunCompleted (true);
    setStatus (UploadSteps::completed);
    clock.sleep (UploadSteps::pauseBeforePowerCycleHintMs);
    setStatus (UploadSteps::powerCycleHint);
    cursor = image->getData();

    setInterfaceEnabled (true);
}

bool BasicSysexProtocolClass::setInterfaceEnabled (bool shouldBeEnabled)
{
    // Watching this thread: when the message thread waits for it to end, the
    // lock gives up instead of both waiting on each other, and run() leaves.
    const juce::MessageManagerLock mml (this);

    if (! mml.lockWasGained())
        return false;

    interface->setEnabled (shouldBeEnabled);
    return true;
}

void BasicSysexProtocolClass::stopOnFault (SysexFraming::Fault fault, int offset)
{
    if (! setInterfaceEnabled (true))
        return;

    setLastRunFailed (true);
    setStatus (UploadSteps::failedPrefix + SysexFraming::describe (fault, offset));
}

void BasicSysexProtocolClass::stopOnLostDevice()
{
    if (! setInterfaceEnabled (true))
        return;

    setLastRunFailed (true);
    setStatus (UploadSteps::deviceLost);
}
