#pragma once

#include "EventLog.h"
#include "FakePacingClock.h"
#include "RecordingInterface.h"
#include "support/MessageLoop.h"
#include "protocol/BasicSysexProtocolClass.h"

#include <memory>

/** A protocol wired to a recording interface and, unless real pauses are
    asked for, a fake clock; everything the fakes see goes to one log. */
struct UploadRig
{
    enum class Pauses { fake, real };

    explicit UploadRig (std::unique_ptr<FirmwareImage> imageToSend, Pauses pauses = Pauses::fake)
        : image (std::move (imageToSend)),
          protocol (&interface, image.get(), pauses == Pauses::fake ? &clock : nullptr)
    {
        interface.watchProgressOf (&protocol);
    }

    ~UploadRig()
    {
        // A held pause would keep the thread from ever seeing the exit request.
        clock.releaseForGood();
    }

    /** Runs the message loop, which the thread needs for its lock, until the run has ended. */
    bool waitUntilIdle (int timeoutMs = 10000)
    {
        return MessageLoop::runUntil ([this] { return ! protocol.isThreadRunning(); }, timeoutMs);
    }

    bool waitUntilHolding (int timeoutMs = 10000)
    {
        return MessageLoop::runUntil ([this] { return clock.isHolding(); }, timeoutMs);
    }

    EventLog log;
    FakePacingClock clock { &log };
    RecordingInterface interface { &log };
    std::unique_ptr<FirmwareImage> image;
    BasicSysexProtocolClass protocol;
};
