#include <gtest/gtest.h>

#include <iterator>

#include "help/ArvellaHelpWindowClass.h"
#include "support/MessageLoop.h"
#include "HelpWindowParts.h"

namespace
{
    class ArvellaHelpWindow : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            editor = HelpWindowParts::findEditor (window);
            ASSERT_NE (editor, nullptr);
        }

        void TearDown() override
        {
            window.setVisible (false);
        }

        // How the main panel shows it.
        void showAsThePanelDoes()
        {
            window.setVisible (true);
            window.centreWithSize (550, 400);
        }

        ArvellaHelpWindowClass window;
        juce::TextEditor* editor = nullptr;
    };

    // The text as the product's manual gives it; blanks at either end matter.
    const char* const expectedLines[] =
    {
        "Arvella - Application software load procedure. ",
        "The load procedure requires a PC or Mac with a standard MIDI Interface. ",
        " ",
        "Your existing user presets should not be affected by the update, but we suggest that you make a safety backup as described in the user manual.",
        " ",
        "IMPORTANT: Before starting the load procedure, please quit any MIDI related application on your PC or Mac. ",
        " ",
        "1. Connect the PC or Mac MIDI-Out to the Arvella MIDI-In socket.",
        "2. Select the midi interface, to which the Arvella is connected,",
        "    from the list of output devices in the software update utility.",
        "3. Click the UPDATE button.",
        "4. IMPORTANT: After the upload has finished, you must reboot Arvella by",
        "    disconnecting the power cable to the Arvella for 10 seconds, then connect it again. ",
        "5. You have now successfully uploaded the new application software to your Arvella. ",
        "",
        "TROUBLE SHOOTING:",
        "",
        "- After otherwise successful load, the Arvella does not reboot: Turn the power off and retry load procedure.",
        "",
        "In case of persistent errors, disconnect the power cable to the Arvella for 10 seconds, then connect it again and retry the load procedure.",
        "",
    };

    constexpr int numGivenLines = (int) std::size (expectedLines);
}

TEST_F (ArvellaHelpWindow, TitleHasOneBlankAtEitherEnd)
{
    EXPECT_EQ (window.getName(), " Arvella update help ");
}

TEST_F (ArvellaHelpWindow, ShowsTheProceduresTextLineByLine)
{
    const auto text = editor->getText();
    EXPECT_EQ (text, ArvellaHelpText);
    EXPECT_TRUE (text.endsWithChar ('\n')) << "every line, the last included, ends with a line feed";

    const auto lines = HelpWindowParts::splitLines (text);
    ASSERT_EQ (lines.size(), numGivenLines + 1);

    for (int i = 0; i < numGivenLines; ++i)
        EXPECT_EQ (lines[i], juce::String (expectedLines[i])) << "line " << (i + 1);
}

TEST_F (ArvellaHelpWindow, LastLinePointsToTheReleaseNotesOnAnExampleAddress)
{
    const auto lastLine = HelpWindowParts::splitLines (editor->getText())[numGivenLines];

    EXPECT_TRUE (lastLine.containsIgnoreCase ("release notes")) << lastLine;
    EXPECT_FALSE (lastLine.startsWithChar (' '));

    const auto address = lastLine.fromFirstOccurrenceOf ("https://", false, false);
    ASSERT_TRUE (address.isNotEmpty()) << lastLine;

    const auto host = address.upToFirstOccurrenceOf ("/", false, false)
                             .upToFirstOccurrenceOf (" ", false, false);
    EXPECT_TRUE (host.endsWith (".example")) << "no real site is named: " << host;
}

TEST_F (ArvellaHelpWindow, EditorIsReadOnlyMultiLineAndCoversTheContent)
{
    showAsThePanelDoes();

    auto* content = window.getContentComponent();
    ASSERT_NE (content, nullptr);

    EXPECT_TRUE (editor->isReadOnly());
    EXPECT_TRUE (editor->isMultiLine());
    EXPECT_EQ (content->getNumChildComponents(), 1);
    EXPECT_TRUE (editor->isVisible());

    const auto contentArea = window.getContentComponentBorder().subtractedFrom (window.getLocalBounds());
    EXPECT_EQ (content->getBounds(), contentArea);
    EXPECT_EQ (editor->getBounds(), content->getLocalBounds());

    window.setSize (300, 250);
    EXPECT_EQ (editor->getBounds(), content->getLocalBounds()) << "follows a resize";
}

TEST_F (ArvellaHelpWindow, TheEditorNeverTakesTheKeyboardFocus)
{
    showAsThePanelDoes();
    editor->grabKeyboardFocus();

    EXPECT_FALSE (editor->hasKeyboardFocus (false));
    EXPECT_FALSE (editor->isTextInputActive()) << "an input method would deliver text into it";
}

TEST_F (ArvellaHelpWindow, TypingChangesNothing)
{
    showAsThePanelDoes();

    juce::SystemClipboard::copyTextToClipboard ("pasted");
    ASSERT_EQ (juce::SystemClipboard::getTextFromClipboard(), "pasted");

    const auto command = juce::ModifierKeys::commandModifier;
    const juce::KeyPress keys[] =
    {
        juce::KeyPress ('x', 0, 'x'),
        juce::KeyPress ('X', juce::ModifierKeys::shiftModifier, 'X'),
        juce::KeyPress (juce::KeyPress::spaceKey, 0, ' '),
        juce::KeyPress (juce::KeyPress::returnKey),
        juce::KeyPress (juce::KeyPress::tabKey, 0, '\t'),
        juce::KeyPress (juce::KeyPress::backspaceKey),
        juce::KeyPress (juce::KeyPress::deleteKey),
        juce::KeyPress ('v', command, 0),
        juce::KeyPress ('x', command, 0),
        juce::KeyPress ('z', command, 0),
        juce::KeyPress (juce::KeyPress::insertKey, juce::ModifierKeys::shiftModifier, 0),
        juce::KeyPress (juce::KeyPress::deleteKey, juce::ModifierKeys::shiftModifier, 0),
    };

    auto* peer = window.getPeer();
    ASSERT_NE (peer, nullptr);

    for (const auto& key : keys)
    {
        SCOPED_TRACE (key.getTextDescription().toStdString());

        // Through the window, as the keyboard would, after a click on the text ...
        editor->grabKeyboardFocus();
        peer->handleKeyPress (key);

        // ... and straight into the editor, with all of it selected.
        editor->selectAll();
        editor->keyPressed (key);

        EXPECT_EQ (editor->getText(), ArvellaHelpText);
    }

    MessageLoop::runFor (20);
    EXPECT_EQ (editor->getText(), ArvellaHelpText);
}

TEST_F (ArvellaHelpWindow, NarrowWindowReWrapsAndScrollsVertically)
{
    auto* viewport = HelpWindowParts::findViewport (*editor);
    ASSERT_NE (viewport, nullptr);

    showAsThePanelDoes();
    window.setSize (1000, 900);
    const auto wideTextHeight = editor->getTextHeight();

    EXPECT_FALSE (viewport->getVerticalScrollBar().isVisible()) << "the whole text fits";
    EXPECT_FALSE (viewport->getHorizontalScrollBar().isVisible());

    window.setSize (220, 400);

    EXPECT_GT (editor->getTextHeight(), wideTextHeight) << "lines wrap at the new width";
    EXPECT_LE (editor->getTextWidth(), viewport->getMaximumVisibleWidth());
    EXPECT_TRUE (viewport->getVerticalScrollBar().isVisible());
    EXPECT_FALSE (viewport->getHorizontalScrollBar().isVisible()) << "wrapped text never scrolls sideways";
}

TEST_F (ArvellaHelpWindow, CloseButtonHidesAndShowingAgainBringsBackTheSameWindow)
{
    auto* content = window.getContentComponent();
    showAsThePanelDoes();
    ASSERT_TRUE (window.isVisible());

    auto* closeButton = window.getCloseButton();
    ASSERT_NE (closeButton, nullptr);
    closeButton->triggerClick();

    EXPECT_TRUE (MessageLoop::runUntil ([this] { return ! window.isVisible(); }, 2000));
    EXPECT_TRUE (window.isOnDesktop());

    showAsThePanelDoes();

    EXPECT_TRUE (window.isVisible());
    EXPECT_EQ (window.getContentComponent(), content);
    EXPECT_EQ (HelpWindowParts::findEditor (window), editor);
    EXPECT_EQ (editor->getText(), ArvellaHelpText);
    EXPECT_EQ (window.getWidth(), 550);
    EXPECT_EQ (window.getHeight(), 400);
    EXPECT_EQ (editor->getBounds(), content->getLocalBounds());
}

TEST_F (ArvellaHelpWindow, NoWayOfClosingItEndsTheProgram)
{
    auto* messageManager = juce::MessageManager::getInstance();
    ASSERT_FALSE (messageManager->hasStopMessageBeenSent());

    showAsThePanelDoes();
    window.getCloseButton()->triggerClick();
    MessageLoop::runUntil ([this] { return ! window.isVisible(); }, 2000);

    // A close request from the window manager takes the same road.
    showAsThePanelDoes();
    window.userTriedToCloseWindow();
    EXPECT_FALSE (window.isVisible());

    // Closing an already hidden window is harmless too.
    window.closeButtonPressed();

    MessageLoop::runFor (20);
    EXPECT_FALSE (messageManager->hasStopMessageBeenSent());
    EXPECT_TRUE (window.isOnDesktop());
}
