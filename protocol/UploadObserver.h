#pragma once

/** Hears of every message an upload hands to the device, on the upload
    thread, once the rest after it is over (or at once when the device was
    gone). The next message waits for it: it must do no more than note the
    figures and return.
*/
class UploadObserver
{
public:
    virtual ~UploadObserver() = default;

    struct SentMessage
    {
        int number = 0;                 // from 1, in the order sent
        int length = 0;                 // F0 and F7 included
        double sendBeganMs = 0.0;       // juce::Time::getMillisecondCounterHiRes()
        double sendReturnedMs = 0.0;
        double restEndedMs = 0.0;       // the same as sendReturnedMs when there was no rest
        bool reachedDevice = true;
    };

    virtual void messageSent (const SentMessage& message) = 0;
};
