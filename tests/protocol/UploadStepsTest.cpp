#include "protocol/UploadSteps.h"

#include <gtest/gtest.h>

#include <string>

// The other tests compare against these names; here they are held to the
// words a user and a script read, letter for letter, and to the fixed pauses.
TEST (UploadSteps, StatusTextsAndPausesAreTheProgramsOwn)
{
    EXPECT_EQ (std::string (UploadSteps::uploading), "Uploading firmware");
    EXPECT_EQ (std::string (UploadSteps::completed), "Update completed");
    EXPECT_EQ (std::string (UploadSteps::powerCycleHint), "Please turn power off and on again");
    EXPECT_EQ (std::string (UploadSteps::failedPrefix), "Upload failed: ");
    EXPECT_EQ (std::string (UploadSteps::deviceLost), "Upload failed: the MIDI output device is no longer connected");

    EXPECT_EQ (UploadSteps::pauseAfterEachMessageMs, 300);
    EXPECT_EQ (UploadSteps::pauseBeforeUnattendedStartMs, 2000);
    EXPECT_EQ (UploadSteps::pauseBeforePowerCycleHintMs, 5000);
}
