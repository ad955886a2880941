#include "UnattendedRun.h"

#include "ExitStatus.h"
#include "ScriptLog.h"
#include "firmware/FirmwareDescription.h"
#include "firmware/ImageFingerprint.h"
#include "firmware/SysexFraming.h"
#include "protocol/ProtocolBaseClass.h"

UnattendedRun::UnattendedRun (ProtocolBaseClass& protocolToFollow, const FirmwareImage& imageToSend,
                              std::function<void()> quitFunction, LineWriter writer)
    : protocol (protocolToFollow),
      image (imageToSend),
      quit (std::move (quitFunction)),
      writeLine (writer ? std::move (writer) : LineWriter (&ScriptLog::line)),
      timeLeft (imageToSend)
{
    protocol.addChangeListener (this);
    noteStartIfRunning();
}

UnattendedRun::~UnattendedRun()
{
    protocol.removeChangeListener (this);
}

int UnattendedRun::getExitStatus() const
{
    // Closing the window during the final pause still counts: every message went out.
    if (allMessagesSent || protocol.lastRunCompleted())
        return ExitStatus::allSent;

    if (started || protocol.isThreadRunning() || protocol.lastRunFailed())
        return ExitStatus::notCompleted;

    return ExitStatus::notStarted;
}

juce::String UnattendedRun::describeImage (const FirmwareImage& imageToDescribe)
{
    const auto scan = SysexFraming::scan (imageToDescribe.getData(), imageToDescribe.getSize());

    return "image: " + imageToDescribe.getProductName()
         + " version " + FirmwareDescription::formatVersion (imageToDescribe.getVersion())
         + ", " + juce::String (imageToDescribe.getSize()) + " bytes, "
         + juce::String (scan.messageLengths.size()) + " messages"
         + ", sha256 " + ImageFingerprint::sha256 (imageToDescribe);
}

//==============================================================================
void UnattendedRun::noteStartIfRunning()
{
    if (started || ! (protocol.isThreadRunning() || protocol.lastRunFailed() || protocol.lastRunCompleted()))
        return;

    started = true;
    writeLine (describeImage (image));
}

void UnattendedRun::changeListenerCallback (juce::ChangeBroadcaster*)
{
    writeNews();

    // Both flags are set before a status, whose message then comes here on the message thread.
    if (! juce::MessageManager::getInstance()->isThisTheMessageThread())
        return;

    if (protocol.lastRunFailed())
    {
        quitOnce();
    }
    else if (protocol.lastRunCompleted() && ! allMessagesSent)
    {
        // The closing steps still tell the user to power-cycle: quit once they are over.
        allMessagesSent = true;
        startTimer (50);
    }
}

void UnattendedRun::writeNews()
{
    // Progress arrives on the upload thread under the message-thread lock,
    // status on the message thread: never both at once.
    noteStartIfRunning();

    const auto status = protocol.getStatus();

    if (status.isNotEmpty() && status != lastStatus)
    {
        lastStatus = status;
        writeLine ("status: " + status);
    }

    const auto percent = juce::roundToInt (protocol.getProgress() * 100.0);

    if (percent != lastPercent)
    {
        lastPercent = percent;
        // Counted before the progress was told: what is left is known exactly.
        writeLine ("progress: " + juce::String (percent) + "%, "
                     + UploadTimeLeft::describe (timeLeft.afterMessages (protocol.getMessagesSent())) + " left");
    }
}

void UnattendedRun::timerCallback()
{
    if (protocol.isThreadRunning())
        return;

    stopTimer();
    writeNews();   // the last status may still be on its way here
    quitOnce();
}

void UnattendedRun::quitOnce()
{
    if (quitRequested || quit == nullptr)
        return;

    quitRequested = true;
    quit();
}
