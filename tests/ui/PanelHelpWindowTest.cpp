#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "support/MessageLoop.h"
#include "support/ComponentFinder.h"
#include "support/SimulatedSetUp.h"
#include "ui/ContentComp.h"
#include "NativeWindowState.h"

// The help window as the main panel shows it: in front, and with the panel's tooltips.

namespace
{
    juce::Component* findOnTheDesktop (const juce::String& name)
    {
        auto& desktop = juce::Desktop::getInstance();

        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (auto* c = desktop.getComponent (i); c->getName() == name)
                return c;

        return nullptr;
    }

    /** Place in the desktop's order, front-most last. */
    int desktopOrderOf (juce::Component& c)
    {
        auto& desktop = juce::Desktop::getInstance();

        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (desktop.getComponent (i) == &c)
                return i;

        return -1;
    }

    std::vector<juce::TooltipWindow*> shownTooltipWindows()
    {
        std::vector<juce::TooltipWindow*> shown;
        auto& desktop = juce::Desktop::getInstance();

        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (auto* tip = dynamic_cast<juce::TooltipWindow*> (desktop.getComponent (i)); tip != nullptr && tip->isVisible())
                shown.push_back (tip);

        return shown;
    }

    /** Notes, each time a window asks to come to the front, whether it was on the screen.
        A window manager ignores the request of a window that is not mapped yet.
    */
    struct FrontRequests  : private juce::ComponentListener
    {
        explicit FrontRequests (juce::Component& w) : window (w)    { window.addComponentListener (this); }
        ~FrontRequests() override                                   { window.removeComponentListener (this); }

        bool anyWhileOnScreen() const   { return std::find (whileMapped.begin(), whileMapped.end(), true) != whileMapped.end(); }

        juce::Component& window;
        std::vector<bool> whileMapped;

    private:
        void componentBroughtToFront (juce::Component& c) override    { whileMapped.push_back (NativeWindowState::isMapped (c)); }
    };
}

//==============================================================================
/** A panel on the desktop, standing in for the main window, and its help window. */
class PanelHelpWindow  : public ::testing::Test,
                         protected SimulatedSetUp
{
protected:
    PanelHelpWindow()
    {
        panel = std::make_unique<ContentComp> (nullptr, juce::String());
        panel->setSize (642, 366);
        help = findOnTheDesktop (" Arvella update help ");
        helpButton = ComponentFinder::findButton (*panel, "Help");
    }

    ~PanelHelpWindow() override
    {
        panel.reset();
    }

    void showPanelAt (juce::Point<int> topLeft)
    {
        panel->setTopLeftPosition (topLeft);
        panel->addToDesktop (0);
        panel->setVisible (true);
    }

    void clickHelp()    { panel->buttonClicked (helpButton); }

    std::unique_ptr<ContentComp> panel;
    juce::Component* help = nullptr;
    juce::TextButton* helpButton = nullptr;
};

TEST_F (PanelHelpWindow, ShowingItBringsItToTheFrontOnceItIsOnTheScreen)
{
    ASSERT_TRUE (help != nullptr && helpButton != nullptr);
    showPanelAt ({ 20, 20 });
    FrontRequests requests (*help);

    clickHelp();
    ASSERT_TRUE (help->isVisible());
    EXPECT_TRUE (requests.anyWhileOnScreen());
    EXPECT_GT (desktopOrderOf (*help), desktopOrderOf (*panel));

    // Raised behind the main window it still counts as shown, so the toggle hides it...
    panel->toFront (true);
    clickHelp();
    EXPECT_FALSE (help->isVisible());

    // ...and the next click shows it in front again.
    requests.whileMapped.clear();
    clickHelp();
    EXPECT_TRUE (help->isVisible());
    EXPECT_TRUE (requests.anyWhileOnScreen());
    EXPECT_GT (desktopOrderOf (*help), desktopOrderOf (*panel));
}

TEST_F (PanelHelpWindow, OneTooltipWindowShowsTheTipsOfBothWindows)
{
    ASSERT_TRUE (help != nullptr && helpButton != nullptr);
    clickHelp();
    ASSERT_TRUE (help->isVisible());

    auto* helpText = ComponentFinder::find<juce::TextEditor> (*help);
    ASSERT_NE (helpText, nullptr);
    helpText->setTooltip ("the help text");

    // Below the centred help window, so that neither covers the other's controls.
    showPanelAt ({ 0, help->getBottom() + 10 });

    // Rests the pointer on the control until its tip shows, then waits a few passes of
    // the tooltip windows' timers for a second one.
    const auto restOn = [&] (juce::Component& control, const juce::String& tip)
    {
        const auto tipWidth = (int) (juce::Font (15.0f, juce::Font::bold).getStringWidthFloat (tip) + 14.0f);

        const auto showing = MessageLoop::runUntil ([&]
        {
            // Under a plain ctest run, other test processes share the display and may take the focus.
            if (! juce::Process::isForegroundProcess())
                control.getTopLevelComponent()->toFront (true);

            // The pointer's moves as the window system reports them, without moving the
            // display's real pointer under the other tests.
            auto* peer = control.getPeer();
            peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse,
                                    peer->globalToLocal (control.getScreenBounds().getCentre().toFloat()),
                                    {}, juce::MouseInputSource::defaultPressure,
                                    juce::MouseInputSource::defaultOrientation, juce::Time::currentTimeMillis());

            const auto shown = shownTooltipWindows();
            return ! shown.empty() && std::abs (shown.front()->getWidth() - tipWidth) <= 1;
        }, 10000);

        MessageLoop::runFor (500);
        return showing;
    };

    ASSERT_TRUE (restOn (*helpButton, helpButton->getTooltip()));
    ASSERT_EQ (shownTooltipWindows().size(), 1u);

    // One line of 15-pixel text and 3 pixels above and below.
    EXPECT_EQ (shownTooltipWindows().front()->getHeight(), 21);

    // The help window's controls get their tips from the same window.
    ASSERT_TRUE (restOn (*helpText, "the help text"));
    EXPECT_EQ (shownTooltipWindows().size(), 1u);
}
