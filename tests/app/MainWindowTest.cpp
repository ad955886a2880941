#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "protocol/ProtocolBaseClass.h"
#include "support/ComponentFinder.h"
#include "support/MessageLoop.h"
#include "support/SimulatedSetUp.h"
#include "ui/ContentComp.h"
#include "ui/TemplateLookAndFeel.h"

/** The main window on one simulated output device, without an application
    object around it. */
class ShownMainWindow  : public ::testing::Test,
                        protected SimulatedSetUp
{
protected:
    ~ShownMainWindow() override
    {
        window.reset();
    }

    MainWindow& makeWindow (const juce::String& commandLine = {})
    {
        window = std::make_unique<MainWindow> (commandLine);
        window->centreWithSize (650, 400);
        return *window;
    }

    std::unique_ptr<MainWindow> window;
};

TEST_F (ShownMainWindow, TitleNamesTheBuiltInFirmware)
{
    EXPECT_EQ (makeWindow().getName(), "Arvella version 1.2 - R688");
}

TEST_F (ShownMainWindow, TitleNamesALoadedFileWithoutRevision)
{
    const auto file = writeImage ("next release.syx", { 0xf0, 0x7d, 0x01, 0xf7 });

    EXPECT_EQ (makeWindow ("--file " + file.getFullPathName()).getName(), "next release version 0.0");
}

TEST_F (ShownMainWindow, FrameHoldsThePanelInItsContentArea)
{
    auto& w = makeWindow();

    EXPECT_TRUE (w.isOnDesktop());
    EXPECT_TRUE (w.isVisible());
    EXPECT_EQ (w.getBackgroundColour(), juce::Colour (0xffeff2f3));
    EXPECT_EQ (w.findColour (TemplateLookAndFeel::secondWindowColourId), juce::Colour (0xff3273a1));
    EXPECT_EQ (w.getDesktopWindowStyleFlags() & juce::ComponentPeer::windowHasTitleBar, 0);
    EXPECT_NE (w.getCloseButton(), nullptr);
    EXPECT_NE (w.getMinimiseButton(), nullptr);
    EXPECT_NE (w.getMaximiseButton(), nullptr);
    EXPECT_TRUE (w.isResizable());
    EXPECT_EQ (w.getTitleBarHeight(), 26);

    ASSERT_EQ (w.getContentComponent(), w.getContentComp());
    EXPECT_EQ (w.getContentComponent()->getWidth(), 642);
    EXPECT_EQ (w.getContentComponent()->getHeight(), 366);
}

TEST_F (ShownMainWindow, ClosingDuringAnUploadStopsItWithoutSendingMore)
{
    auto& w = makeWindow ("--autoupdate --outputid 1");
    auto* protocol = w.getContentComp()->getProtocol();
    ASSERT_TRUE (protocol->isThreadRunning());

    const auto started = juce::Time::getMillisecondCounterHiRes();
    w.closeButtonPressed();

    EXPECT_FALSE (protocol->isThreadRunning());
    EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - started, 5000.0);
    EXPECT_FALSE (sim.hasSent (1));
}

TEST_F (ShownMainWindow, ClosingWhenNothingRunsReturnsAtOnce)
{
    auto& w = makeWindow();

    const auto started = juce::Time::getMillisecondCounterHiRes();
    w.closeButtonPressed();

    EXPECT_LT (juce::Time::getMillisecondCounterHiRes() - started, 1000.0);
}

// At MIDI 1.0 speed a 64 KB message takes 21 s on the wire, far beyond the
// close handler's wait. Asked to exit, the send stops waiting for its bytes,
// so the thread has ended by the time the close handler returns: nothing is
// left for the window's destruction to kill.
TEST_F (ShownMainWindow, ClosingDuringALongMessageEndsTheThreadWithinTheWait)
{
    const ScopedEnvironmentVariable rate ("BREVANE_MIDI_SIM_RATE", juce::String ("3125"));
    const auto file = writeLongMessageImage ("long.syx", 65536);

    auto& w = makeWindow ("--autoupdate --outputid 1 --file " + file.getFullPathName());
    auto* protocol = w.getContentComp()->getProtocol();
    ASSERT_TRUE (protocol->isThreadRunning());

    // Past the unattended start's 2000 ms, into the long message.
    MessageLoop::runFor (2600);
    ASSERT_TRUE (protocol->isThreadRunning());
    ASSERT_FALSE (sim.hasSent (1));

    w.closeButtonPressed();

    EXPECT_FALSE (protocol->isThreadRunning());
    EXPECT_EQ (sim.readLog (1).size(), 1);        // the message under way, and no other
}

// The panel hands JUCE's own look back as it goes. A window still on the
// desktop then builds itself a new native window, which Wine takes seconds
// over: the program's exit waited for it.
TEST_F (ShownMainWindow, ClosingDownBuildsNoNativeWindowOnTheWayOut)
{
    struct RebuildWatch  : public juce::ComponentListener
    {
        void componentParentHierarchyChanged (juce::Component& c) override
        {
            if (c.isOnDesktop())
                ++rebuilt;
        }

        void componentBeingDeleted (juce::Component& c) override   { c.removeComponentListener (this); }

        int rebuilt = 0;
    };

    for (const auto showHelp : { false, true })
    {
        SCOPED_TRACE (showHelp ? "help window shown" : "help window never shown");
        auto& w = makeWindow();

        if (showHelp)
        {
            auto* help = ComponentFinder::findButton (w, "Help");
            ASSERT_NE (help, nullptr);
            help->triggerClick();
            ASSERT_TRUE (MessageLoop::runUntil ([]
            {
                auto& desktop = juce::Desktop::getInstance();

                for (int i = 0; i < desktop.getNumComponents(); ++i)
                    if (auto* c = desktop.getComponent (i); c->getName() == " Arvella update help ")
                        return c->isShowing();

                return false;
            }));
        }

        RebuildWatch watch;
        auto& desktop = juce::Desktop::getInstance();
        int watched = 0;

        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (auto* c = dynamic_cast<juce::ResizableWindow*> (desktop.getComponent (i)))
            {
                c->addComponentListener (&watch);
                ++watched;
            }

        ASSERT_GE (watched, 2);   // the main window and the help window

        window.reset();

        for (int i = 0; i < desktop.getNumComponents(); ++i)
            desktop.getComponent (i)->removeComponentListener (&watch);

        EXPECT_EQ (watch.rebuilt, 0);
    }
}
