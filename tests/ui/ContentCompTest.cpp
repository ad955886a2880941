#include <gtest/gtest.h>

#include "firmware/FirmwareImage.h"
#include "protocol/ProtocolBaseClass.h"
#include "support/MessageLoop.h"
#include "support/ComponentFinder.h"
#include "support/SimulatedSetUp.h"
#include "ui/ContentComp.h"
#include "ui/TemplateLookAndFeel.h"
#include "protocol/UploadSteps.h"

#include <atomic>

using juce::Colour;

namespace
{
    const Colour green (0xff7ebf7e);
    const Colour red (0xffff7e7e);
    const juce::String builtInIntroduction = "This software updater will update your Arvella firmware to version 1.2 - R688";
}

//==============================================================================
/** A panel on one simulated output device, "Sim Out". */
class MainPanel  : public ::testing::Test,
                   protected SimulatedSetUp
{
protected:
    ~MainPanel() override
    {
        panel.reset();
    }

    ContentComp& makePanel (const juce::String& commandLine = {})
    {
        panel = std::make_unique<ContentComp> (nullptr, commandLine);
        panel->setSize (642, 366);
        return *panel;
    }

    static juce::MemoryBlock bytesOf (const juce::File& file)
    {
        juce::MemoryBlock bytes;
        file.loadFileAsData (bytes);
        return bytes;
    }

    juce::TextButton& updateButton()    { return *ComponentFinder::findButton (*panel, "update"); }
    juce::TextButton& helpButton()      { return *ComponentFinder::findButton (*panel, "Help"); }
    juce::ComboBox& selector()          { return *ComponentFinder::find<juce::ComboBox> (*panel); }
    juce::String statusLine()           { return ComponentFinder::findLabelStartingWith (*panel, "Update progress:")->getText(); }
    juce::String introduction()         { return ComponentFinder::findLabelStartingWith (*panel, "This software updater")->getText(); }

    void pickDevice (int itemId)
    {
        selector().setSelectedId (itemId, juce::sendNotificationSync);
        MessageLoop::runUntil ([&] { return updateButton().isEnabled() == (itemId == 1); });
    }

    bool waitForStatus (const juce::String& status, int timeoutMilliseconds = 5000)
    {
        return MessageLoop::runUntil ([&] { return statusLine() == "Update progress: " + status; }, timeoutMilliseconds);
    }

    static Colour colourOf (juce::TextButton& b)          { return b.findColour (juce::TextButton::buttonColourId); }
    static Colour onColourOf (juce::TextButton& b)        { return b.findColour (juce::TextButton::buttonOnColourId); }

    std::unique_ptr<ContentComp> panel;
};

//==============================================================================
TEST_F (MainPanel, StartsWithARedDisabledButtonAndTheBuiltInTexts)
{
    makePanel();

    EXPECT_EQ (colourOf (updateButton()), red);
    EXPECT_EQ (onColourOf (updateButton()), red);
    EXPECT_FALSE (updateButton().isEnabled());
    EXPECT_EQ (statusLine(), "Update progress:");
    EXPECT_EQ (introduction(), builtInIntroduction);
    EXPECT_NE (ComponentFinder::findLabel (*panel, [] (auto& t) { return t == "STEP1"; }), nullptr);
    EXPECT_NE (ComponentFinder::findLabel (*panel, [] (auto& t) { return t == "STEP2"; }), nullptr);
    EXPECT_EQ (updateButton().getTooltip(), "click here to update the product");
    EXPECT_EQ (helpButton().getTooltip(), "click here to get help");
    EXPECT_TRUE (updateButton().isConnectedOnLeft());
    EXPECT_FALSE (updateButton().isConnectedOnRight());
    EXPECT_NE (dynamic_cast<TemplateLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
    EXPECT_TRUE (alerts.getShown().empty());
}

TEST_F (MainPanel, LaysOutTheControlsInTheWindowsContentArea)
{
    makePanel();

    struct Placement { const char* control; juce::Component* component; juce::Rectangle<int> bounds; };
    const Placement placements[] = {
        { "introduction", ComponentFinder::findLabelStartingWith (*panel, "This software"), { 10, 15, 622, 50 } },
        { "help",         &helpButton(),                                                { 538, 2, 94, 30 } },
        { "step 1",       ComponentFinder::findLabel (*panel, [] (auto& t) { return t == "STEP1"; }), { 10, 70, 622, 30 } },
        { "device",       selector().getParentComponent(),                              { 10, 105, 622, 50 } },
        { "step 2",       ComponentFinder::findLabel (*panel, [] (auto& t) { return t == "STEP2"; }), { 10, 165, 622, 30 } },
        { "update",       &updateButton(),                                              { 538, 215, 94, 30 } },
        { "progress bar", ComponentFinder::find<juce::ProgressBar> (*panel),                 { 10, 215, 528, 30 } },
    };

    for (const auto& p : placements)
    {
        ASSERT_NE (p.component, nullptr) << p.control;
        EXPECT_EQ (p.component->getBounds(), p.bounds) << p.control;
    }

    // The status line sits directly above the bar, as wide as it.
    auto* status = ComponentFinder::findLabelStartingWith (*panel, "Update progress:");
    EXPECT_EQ (status->getParentComponent(), panel.get());
    EXPECT_EQ (status->getBottom(), 215);
    EXPECT_EQ (status->getX(), 10);
    EXPECT_EQ (status->getWidth(), 528);
}

TEST_F (MainPanel, TheButtonFollowsTheChosenDevice)
{
    makePanel();

    pickDevice (1);
    EXPECT_TRUE (updateButton().isEnabled());
    EXPECT_EQ (colourOf (updateButton()), green);
    EXPECT_EQ (onColourOf (updateButton()), green);

    pickDevice (2);   // "(Disconnected)"
    EXPECT_FALSE (updateButton().isEnabled());
    EXPECT_EQ (colourOf (updateButton()), red);
    EXPECT_EQ (onColourOf (updateButton()), red);
}

TEST_F (MainPanel, UpdateWithoutADeviceAsksForOneAndStartsNothing)
{
    makePanel();
    panel->buttonClicked (&updateButton());

    ASSERT_EQ (alerts.getShown().size(), 1u);
    EXPECT_EQ (alerts.getShown()[0].icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (alerts.getShown()[0].title, "");
    EXPECT_EQ (alerts.getShown()[0].message, "Please select an output device:");
    EXPECT_FALSE (panel->getProtocol()->isThreadRunning());
}

TEST_F (MainPanel, ALoadableFileReplacesTheBuiltInImage)
{
    const auto file = writeImage ("My Update.syx", { 0xf0, 0x7d, 0x01, 0xf7 });
    makePanel ("--file " + file.getFullPathName());

    EXPECT_EQ (introduction(), "This software updater will update your My Update firmware from the loaded sysex file");
    EXPECT_EQ (panel->getFirmwareImage()->getProductName(), "My Update");
    EXPECT_TRUE (alerts.getShown().empty());
}

TEST_F (MainPanel, AMissingFileIsReportedAndTheBuiltInImageKept)
{
    const auto path = files.getChildFile ("absent.syx").getFullPathName();
    makePanel ("--file " + path);

    ASSERT_EQ (alerts.getShown().size(), 1u);
    EXPECT_EQ (alerts.getShown()[0].title, "File " + path + " not found");
    EXPECT_EQ (introduction(), builtInIntroduction);
    EXPECT_EQ (panel->getFirmwareImage()->getProductName(), "Arvella");
}

TEST_F (MainPanel, AFileThatCannotBeReadIsReportedWithTheReasonAndTheBuiltInImageKept)
{
    struct Case { const char* name; juce::String path; juce::String title; };

    const auto empty = files.getChildFile ("empty.syx");
    ASSERT_TRUE (empty.create());
    const Case cases[] =
    {
        { "empty file", empty.getFullPathName(), {} },
        { "directory",  files.getFullPathName(), "File " + files.getFullPathName() + " cannot be read: Is a directory" },
        { "/dev/zero",  "/dev/zero",             "File /dev/zero is larger than 16 MiB" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        panel.reset();
        const Alerts::ScopedCapture boxes;
        makePanel ("--file " + c.path);

        EXPECT_EQ (introduction(), builtInIntroduction);
        EXPECT_EQ (panel->getFirmwareImage()->getProductName(), "Arvella");

        if (c.title.isEmpty())
        {
            EXPECT_TRUE (boxes.getShown().empty());   // an empty file quietly means the built-in image
            continue;
        }

        ASSERT_EQ (boxes.getShown().size(), 1u);
        EXPECT_EQ (boxes.getShown()[0].icon, juce::MessageBoxIconType::NoIcon);
        EXPECT_EQ (boxes.getShown()[0].title, c.title);
        EXPECT_EQ (boxes.getShown()[0].message, "A firmware file was specified, but it cannot be used.\n"
                                                " The application will use the built-in firmware version.");
    }
}

TEST_F (MainPanel, ACompletedUploadEnablesTheControlsAgain)
{
    const auto file = writeImage ("tiny.syx", { 0xf0, 0x7d, 0x01, 0x02, 0xf7 });
    makePanel ("--file " + file.getFullPathName());
    pickDevice (1);

    updateButton().triggerClick();
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return ! updateButton().isEnabled(); }));
    EXPECT_TRUE (waitForStatus (UploadSteps::uploading));

    ASSERT_TRUE (waitForStatus (UploadSteps::completed));
    EXPECT_TRUE (updateButton().isEnabled());
    EXPECT_TRUE (selector().isEnabled());
    EXPECT_EQ (sim.readSent (1), bytesOf (file));
    EXPECT_TRUE (panel->getProtocol()->lastRunCompleted());

    ASSERT_TRUE (waitForStatus (UploadSteps::powerCycleHint, 8000));
    EXPECT_TRUE (updateButton().isEnabled());
}

// Five messages of 5 bytes, each 300 ms + 1.6 ms: after the first, 1206.4 ms are left.
TEST_F (MainPanel, TheBarsTooltipSaysTheTimeLeftWhileSendingAndNothingOtherwise)
{
    const auto file = writeImage ("five.syx", { 0xf0, 0x7d, 0x01, 0x02, 0xf7, 0xf0, 0x7d, 0x01, 0x02, 0xf7,
                                                0xf0, 0x7d, 0x01, 0x02, 0xf7, 0xf0, 0x7d, 0x01, 0x02, 0xf7,
                                                0xf0, 0x7d, 0x01, 0x02, 0xf7 });
    makePanel ("--file " + file.getFullPathName());
    pickDevice (1);
    auto& bar = *ComponentFinder::find<juce::ProgressBar> (*panel);
    EXPECT_EQ (bar.getTooltip(), juce::String());

    updateButton().triggerClick();
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return bar.getTooltip().isNotEmpty(); }));
    EXPECT_EQ (bar.getTooltip(), "0 min 02 s left");

    ASSERT_TRUE (waitForStatus (UploadSteps::completed));
    EXPECT_EQ (bar.getTooltip(), juce::String());
    EXPECT_EQ (statusLine(), "Update progress: " + juce::String (UploadSteps::completed));
}

TEST_F (MainPanel, UpdateDuringTheClosingPauseClearsTheBarAndStartsNothing)
{
    const auto file = writeImage ("tiny.syx", { 0xf0, 0x7d, 0x01, 0x02, 0xf7 });
    makePanel ("--file " + file.getFullPathName());
    pickDevice (1);

    updateButton().triggerClick();
    ASSERT_TRUE (waitForStatus (UploadSteps::completed));

    updateButton().triggerClick();
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return ! updateButton().isEnabled(); }));
    EXPECT_EQ (panel->getProtocol()->getProgress(), 0.0);

    // Once the closing steps are over the button is the device's again, never stuck.
    ASSERT_TRUE (waitForStatus (UploadSteps::powerCycleHint, 8000));
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return updateButton().isEnabled(); }, 2000));
    EXPECT_EQ (colourOf (updateButton()), green);
    EXPECT_TRUE (selector().isEnabled());
    EXPECT_EQ (sim.readLog (1).size(), 1);

    // And it starts a new upload.
    updateButton().triggerClick();
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return sim.readLog (1).size() == 2; }, 5000));
}

TEST_F (MainPanel, AnUploadStoppedOnBadDataLetsTheUserTryAgain)
{
    // A whole first message, then garbage: the check before the first send refuses all of it.
    const auto file = writeImage ("broken.syx", { 0xf0, 0x01, 0xf7, 0x12, 0x34 });
    makePanel ("--file " + file.getFullPathName());
    pickDevice (1);

    updateButton().triggerClick();
    ASSERT_TRUE (waitForStatus ("Upload failed: invalid SysEx data at byte 3"));
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return updateButton().isEnabled(); }));
    EXPECT_EQ (colourOf (updateButton()), green);
    EXPECT_TRUE (selector().isEnabled());
    EXPECT_FALSE (sim.hasSent (1));
    EXPECT_FALSE (panel->getProtocol()->lastRunCompleted());
}

TEST_F (MainPanel, TheHelpButtonShowsAndHidesTheCentredHelpWindow)
{
    makePanel();

    auto findHelpWindow = []() -> juce::TopLevelWindow*
    {
        for (int i = 0; i < juce::TopLevelWindow::getNumTopLevelWindows(); ++i)
            if (auto* w = juce::TopLevelWindow::getTopLevelWindow (i); w->getName() == " Arvella update help ")
                return w;

        return nullptr;
    };

    auto* help = findHelpWindow();
    ASSERT_NE (help, nullptr);
    EXPECT_FALSE (help->isVisible());

    const auto screen = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->userArea;

    for (const bool shown : { true, false, true })
    {
        help->setBounds (0, 0, 300, 200);
        panel->buttonClicked (&helpButton());

        EXPECT_EQ (help->isVisible(), shown);
        EXPECT_EQ (help->getBounds().getWidth(), 550);
        EXPECT_EQ (help->getBounds().getHeight(), 400);
        EXPECT_EQ (help->getBounds().getCentre(), screen.getCentre());
    }
}

TEST_F (MainPanel, ItsLookIsNoLongerTheDefaultOnceItIsGone)
{
    makePanel();
    panel.reset();

    EXPECT_EQ (dynamic_cast<TemplateLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
}

//==============================================================================
TEST_F (MainPanel, AutoUpdateStartsWithoutAClickAndWaitsBeforeSending)
{
    makePanel ("--autoupdate --outputid 1");

    EXPECT_TRUE (gAutoUpdate);
    EXPECT_TRUE (alerts.getShown().empty());
    EXPECT_TRUE (panel->getProtocol()->isThreadRunning());
    EXPECT_TRUE (sim.readEvents().contains ("open output 1"));

    // The selection's change messages arrive after the click, while the
    // upload still waits: they make the button green and enabled again.
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return updateButton().isEnabled(); }, 1000));
    EXPECT_EQ (colourOf (updateButton()), green);
    EXPECT_TRUE (selector().isEnabled());
    EXPECT_FALSE (sim.hasSent (1));

    // Closing within the wait sends nothing.
    panel.reset();
    EXPECT_FALSE (sim.hasSent (1));
}

// Unattended, only the named image goes to the named device: a file that
// cannot be sent whole, or a device number that names no device, is refused
// with a box, nothing starts, and the built-in image never goes in its place.
TEST_F (MainPanel, AutoUpdateRefusesWhatCannotBeSentAsNamed)
{
    const auto empty = files.getChildFile ("empty.syx");
    ASSERT_TRUE (empty.create());
    const auto damaged = writeImage ("damaged.syx", { 0xf0, 0x01, 0xf7, 0x12, 0x34 });
    const auto good = writeImage ("good.syx", { 0xf0, 0x7d, 0x01, 0xf7 });
    const auto missing = files.getChildFile ("absent.syx").getFullPathName();

    struct Case { const char* name; juce::String commandLine; juce::String title; };

    const Case cases[] =
    {
        { "missing file", "--autoupdate --file " + missing,                      "File " + missing + " not found" },
        { "no path",      "--autoupdate --file",                                 "File  not found" },
        { "empty file",   "--autoupdate --file " + empty.getFullPathName(),      "File " + empty.getFullPathName() + " is empty" },
        { "directory",    "--autoupdate --file " + files.getFullPathName(),
                          "File " + files.getFullPathName() + " cannot be read: Is a directory" },
        { "damaged",      "--autoupdate --file " + damaged.getFullPathName(),
                          "File " + damaged.getFullPathName() + " cannot be sent: invalid SysEx data at byte 3" },
        { "option after the path", "--file " + good.getFullPathName() + " --autoupdate",
                          "File " + good.getFullPathName() + " --autoupdate not found" },
        { "=2",           "--autoupdate --outputid=2 --file " + good.getFullPathName(),
                          "--outputid needs a device number from 1 up, not \"=2\"" },
        { "0",            "--autoupdate --outputid 0",                           "--outputid needs a device number from 1 up, not \"0\"" },
        { "word",         "--autoupdate --inputid abc",                          "--inputid needs a device number from 1 up, not \"abc\"" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        panel.reset();
        const Alerts::ScopedCapture boxes;
        makePanel (c.commandLine);

        ASSERT_EQ (boxes.getShown().size(), 1u);
        EXPECT_EQ (boxes.getShown()[0].title, c.title);
        EXPECT_TRUE (boxes.getShown()[0].message.contains ("The unattended update ends; nothing was sent."));
        EXPECT_EQ (panel->getUnattendedRefusal(), c.title);
        EXPECT_FALSE (panel->getProtocol()->isThreadRunning());
        EXPECT_FALSE (sim.readEvents().joinIntoString ("\n").contains ("open output"));
    }

    // A device problem lists the devices there are.
    EXPECT_TRUE (alerts.getShown().empty());
    panel.reset();
    const Alerts::ScopedCapture boxes;
    makePanel ("--autoupdate --outputid 2x");
    ASSERT_EQ (boxes.getShown().size(), 1u);
    EXPECT_TRUE (boxes.getShown()[0].message.contains ("1 Sim Out\n2 (Disconnected)"));
    MessageLoop::runFor (2500);
    EXPECT_FALSE (sim.hasSent (1));
}

TEST_F (MainPanel, WithoutAutoUpdateAnEmptyFileStillQuietlyMeansTheBuiltInImage)
{
    const auto empty = files.getChildFile ("empty.syx");
    ASSERT_TRUE (empty.create());
    makePanel ("--outputid=2 --file " + empty.getFullPathName());

    EXPECT_TRUE (alerts.getShown().empty());
    EXPECT_TRUE (panel->getUnattendedRefusal().isEmpty());
    EXPECT_EQ (introduction(), builtInIntroduction);
}

TEST_F (MainPanel, AutoUpdateWithADeviceThatDoesNotOpenWarnsDuringConstruction)
{
    makePanel ("--autoupdate --outputid 5");

    ASSERT_EQ (alerts.getShown().size(), 1u);
    EXPECT_EQ (alerts.getShown()[0].message, "Please select an output device:");
    EXPECT_FALSE (panel->getProtocol()->isThreadRunning());
}

//==============================================================================
// Unplugged half-way: the upload stops there, says why, and gives the
// controls back; what had gone out stays shown.
TEST_F (MainPanel, AnUnpluggedDeviceStopsTheUploadAndLetsTheUserTryAgain)
{
    juce::MemoryBlock image;

    for (int i = 0; i < 20; ++i)
    {
        const juce::uint8 message[] = { 0xf0, 0x7d, (juce::uint8) i, 0xf7 };
        image.append (message, sizeof (message));
    }

    const auto file = files.getChildFile ("twenty.syx");
    file.replaceWithData (image.getData(), image.getSize());

    makePanel ("--file " + file.getFullPathName());
    pickDevice (1);
    updateButton().triggerClick();
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return sim.readLog (1).size() >= 2; }));

    sim.writeOutputs ("Another Device\n");

    ASSERT_TRUE (waitForStatus (UploadSteps::deviceLost));
    const auto sent = sim.readLog (1).size();
    const auto shown = panel->getProtocol()->getProgress();

    ASSERT_TRUE (MessageLoop::runUntil ([&] { return updateButton().isEnabled() && selector().isEnabled(); }));
    EXPECT_GT (shown, 0.0);
    EXPECT_LT (shown, 1.0);
    EXPECT_TRUE (panel->getProtocol()->lastRunFailed());
    EXPECT_FALSE (panel->getProtocol()->isThreadRunning());
    EXPECT_FALSE (panel->getProtocol()->lastRunCompleted());

    MessageLoop::runFor (700);
    EXPECT_EQ (sim.readLog (1).size(), sent);
    EXPECT_EQ (sim.readSent (1).getSize(), (size_t) sent * 4);

    // Plugged in again, a second press sends the whole image.
    sim.writeOutputs ("Sim Out\n");
    updateButton().triggerClick();
    ASSERT_TRUE (waitForStatus (UploadSteps::completed, 20000));
    EXPECT_EQ (sim.readLog (1).size(), sent + 20);
}

// Destroyed while a message longer than every shutdown wait is on the
// simulated wire, the panel ends its upload thread without killing it.
TEST_F (MainPanel, DestroyedDuringALongMessageItEndsTheThreadWithoutForce)
{
    struct KillWatch  : public juce::Logger
    {
        KillWatch()     { juce::Logger::setCurrentLogger (this); }
        ~KillWatch() override   { juce::Logger::setCurrentLogger (nullptr); }

        void logMessage (const juce::String& message) override
        {
            if (message.contains ("killing thread"))
                killed = true;
        }

        std::atomic<bool> killed { false };
    };

    const ScopedEnvironmentVariable rate ("BREVANE_MIDI_SIM_RATE", juce::String ("3125"));
    const auto file = writeLongMessageImage ("long.syx", 65536);
    KillWatch watch;

    makePanel ("--autoupdate --outputid 1 --file " + file.getFullPathName());
    ASSERT_TRUE (panel->getProtocol()->isThreadRunning());

    // Past the unattended start's 2000 ms, into the long message.
    MessageLoop::runFor (2600);
    ASSERT_TRUE (panel->getProtocol()->isThreadRunning());

    panel.reset();

    EXPECT_FALSE (watch.killed);
    EXPECT_EQ (sim.readLog (1).size(), 1);
}
