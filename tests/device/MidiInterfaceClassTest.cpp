#include "MidiInterfaceTestSupport.h"

using namespace MidiInterfaceTestSupport;

namespace
{
    class MidiInterface  : public testing::Test
    {
    protected:
        void build (bool useOutput = true, bool useInput = false)
        {
            changes.reset();
            midi = makeInterface (folder, useOutput, useInput);
            changes = std::make_unique<ChangeCounter> (*midi);
            outputSelector = findSelector (*midi, "Output Selector");
        }

        // As the program is once the window is up: the selector's first
        // notification has come and gone.
        void buildAndSettle (bool useOutput = true, bool useInput = false)
        {
            build (useOutput, useInput);
            deliverPendingMessages();
            changes->reset();
        }

        int send (const juce::MemoryBlock& bytes)
        {
            return midi->sendData (static_cast<const juce::uint8*> (bytes.getData()), (int) bytes.getSize());
        }

        void TearDown() override
        {
            changes.reset();
            midi.reset();
        }

        SimulatedMidiFolder folder;
        std::unique_ptr<MidiInterfaceClass> midi;
        std::unique_ptr<ChangeCounter> changes;
        juce::ComboBox* outputSelector = nullptr;
    };

    const juce::StringArray openedTwice { "open output 2", "close output 2", "open output 2" };
}

TEST_F (MidiInterface, ListsDisconnectedThenASeparatorThenTheDevicesInOrder)
{
    folder.writeOutputs ("D1\nD2\nD3\n");
    build();

    ASSERT_NE (outputSelector, nullptr);
    EXPECT_EQ (entriesOf (*outputSelector), juce::StringArray ({ "(Disconnected) #4", "---", "D1 #1", "D2 #2", "D3 #3" }));
    EXPECT_EQ (outputSelector->getSelectedId(), 4);
    EXPECT_EQ (outputSelector->getText(), "(Disconnected)");
    EXPECT_FALSE (midi->isDeviceReady());
    EXPECT_EQ (findSelector (*midi, "Input Selector"), nullptr);
    EXPECT_TRUE (folder.readEvents().isEmpty());
}

TEST_F (MidiInterface, WithoutDevicesOffersOnlyDisconnected)
{
    build();

    ASSERT_NE (outputSelector, nullptr);
    EXPECT_EQ (entriesOf (*outputSelector), juce::StringArray ({ "(Disconnected) #1" }));
    EXPECT_EQ (outputSelector->getSelectedId(), 1);

    midi->selectOutputById (1);
    deliverPendingMessages();
    EXPECT_FALSE (midi->isDeviceReady());
}

TEST_F (MidiInterface, BroadcastsOnceTheFirstSelectionArrives)
{
    folder.writeOutputs ("D1\n");
    build();
    EXPECT_EQ (changes->count, 0);

    deliverPendingMessages();

    EXPECT_EQ (changes->count, 1);
    EXPECT_FALSE (changes->readyAtLastChange);
    EXPECT_TRUE (folder.readEvents().isEmpty());
}

TEST_F (MidiInterface, SelectingAnOutputOpensItAtOnceAndAgainOnTheSelectorsNotification)
{
    folder.writeOutputs ("D1\nD2\nD3\n");
    buildAndSettle();

    midi->selectOutputById (2);

    EXPECT_TRUE (midi->isDeviceReady());
    EXPECT_EQ (outputSelector->getText(), "D2");
    EXPECT_EQ (folder.readEvents(), juce::StringArray ({ "open output 2" }));

    deliverPendingMessages();

    EXPECT_EQ (folder.readEvents(), openedTwice);
    EXPECT_TRUE (midi->isDeviceReady());
    EXPECT_GE (changes->count, 1);
    EXPECT_TRUE (changes->readyAtLastChange);
}

TEST_F (MidiInterface, SelectingRightAfterConstructionEndsWithTheDeviceOpen)
{
    // As the automatic update does: the first notification is still pending.
    folder.writeOutputs ("D1\nD2\nD3\n");
    build();

    midi->selectOutputById (2);
    deliverPendingMessages();

    EXPECT_EQ (folder.readEvents(), openedTwice);
    EXPECT_TRUE (midi->isDeviceReady());
    EXPECT_TRUE (changes->readyAtLastChange);
}

TEST_F (MidiInterface, TheUsersPickOpensTheDevice)
{
    folder.writeOutputs ("D1\nD2\n");
    buildAndSettle();

    outputSelector->setSelectedId (1);
    EXPECT_FALSE (midi->isDeviceReady());

    deliverPendingMessages();

    EXPECT_EQ (folder.readEvents(), juce::StringArray ({ "open output 1" }));
    EXPECT_TRUE (changes->readyAtLastChange);
}

TEST_F (MidiInterface, TheDisconnectedIdClosesTheDevice)
{
    folder.writeOutputs ("D1\nD2\nD3\n");
    buildAndSettle();
    midi->selectOutputById (2);
    deliverPendingMessages();
    changes->reset();

    midi->selectOutputById (4);

    EXPECT_FALSE (midi->isDeviceReady());
    EXPECT_EQ (outputSelector->getText(), "(Disconnected)");

    deliverPendingMessages();

    EXPECT_EQ (folder.readEvents(), juce::StringArray ({ "open output 2", "close output 2", "open output 2", "close output 2" }));
    EXPECT_FALSE (midi->isDeviceReady());
    EXPECT_GE (changes->count, 1);
    EXPECT_FALSE (changes->readyAtLastChange);
}

TEST_F (MidiInterface, AnIdWithoutAnEntryKeepsTheSelectorButClosesTheDevice)
{
    folder.writeOutputs ("D1\nD2\nD3\n");
    buildAndSettle();
    midi->selectOutputById (2);
    deliverPendingMessages();
    changes->reset();

    midi->selectOutputById (9);
    deliverPendingMessages();

    EXPECT_EQ (outputSelector->getSelectedId(), 2);
    EXPECT_EQ (outputSelector->getText(), "D2");
    EXPECT_FALSE (midi->isDeviceReady());
    EXPECT_EQ (folder.readEvents(), juce::StringArray ({ "open output 2", "close output 2", "open output 2", "close output 2" }));

    // The interface's own broadcast only: the selector did not change, so it
    // reports nothing that would open the device again.
    EXPECT_EQ (changes->count, 1);
    EXPECT_FALSE (changes->readyAtLastChange);
}

TEST_F (MidiInterface, SelectingASideThatDoesNotExistDoesNothing)
{
    folder.writeOutputs ("D1\n");
    folder.writeInputs ("I1\n");

    for (const auto outputOnly : { true, false })
    {
        SCOPED_TRACE (outputOnly ? "output only" : "input only");
        buildAndSettle (outputOnly, ! outputOnly);

        if (outputOnly)
            midi->selectInputById (1);
        else
            midi->selectOutputById (1);

        deliverPendingMessages();

        EXPECT_EQ (changes->count, 0);
        EXPECT_FALSE (midi->isDeviceReady());
        EXPECT_TRUE (folder.readEvents().isEmpty());
    }
}

TEST_F (MidiInterface, NeedsBothDevicesWhenBothSidesExist)
{
    folder.writeOutputs ("Out\n");
    folder.writeInputs ("In\n");
    buildAndSettle (true, true);

    midi->selectOutputById (1);
    EXPECT_FALSE (midi->isDeviceReady());

    midi->selectInputById (1);
    EXPECT_TRUE (midi->isDeviceReady());

    midi->selectOutputById (2);
    EXPECT_FALSE (midi->isDeviceReady());
}

TEST_F (MidiInterface, ClosesTheInputThenTheOutputWhenDestroyed)
{
    folder.writeOutputs ("Out\n");
    folder.writeInputs ("In\n");
    buildAndSettle (true, true);
    midi->selectOutputById (1);
    midi->selectInputById (1);

    changes.reset();
    midi.reset();

    EXPECT_EQ (folder.readEvents(), juce::StringArray ({ "open output 1", "open input 1", "close input 1", "close output 1" }));
}

TEST_F (MidiInterface, LaysOutEachSelectorWithItsCaptionAbove)
{
    struct Case
    {
        bool useOutput, useInput;
        int preferredHeight;
        std::optional<juce::Rectangle<int>> output, input;
    };

    constexpr int width = 300;
    const Case cases[] =
    {
        { true,  false, 50,  juce::Rectangle<int> (0, 20, width, 30), std::nullopt },
        { true,  true,  100, juce::Rectangle<int> (0, 20, width, 30), juce::Rectangle<int> (0, 70, width, 30) },
        { false, true,  50,  std::nullopt,                            juce::Rectangle<int> (0, 20, width, 30) },
        { false, false, 50,  std::nullopt,                            std::nullopt },
    };

    const auto expectSide = [this] (const char* selectorName, const char* caption,
                                    const std::optional<juce::Rectangle<int>>& bounds)
    {
        SCOPED_TRACE (selectorName);
        auto* selector = findSelector (*midi, selectorName);
        ASSERT_EQ (selector != nullptr, bounds.has_value());

        if (selector == nullptr)
            return;

        EXPECT_EQ (selector->getBounds(), *bounds);
        EXPECT_TRUE (selector->isVisible());

        auto* label = findLabelOf (*midi, selector);
        ASSERT_NE (label, nullptr);
        EXPECT_EQ (label->getText(), caption);
        EXPECT_TRUE (label->getName().isEmpty());
        EXPECT_TRUE (label->isVisible());
        EXPECT_EQ (label->getBounds(), juce::Rectangle<int> (0, bounds->getY() - 23, width, 23));
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String ("output ") + (c.useOutput ? "yes" : "no") + ", input " + (c.useInput ? "yes" : "no"));
        build (c.useOutput, c.useInput);

        EXPECT_EQ (midi->getPreferredHeight(), c.preferredHeight);
        midi->setSize (width, midi->getPreferredHeight());

        expectSide ("Output Selector", "Select an output device:", c.output);
        expectSide ("Input Selector", "Select an input device:", c.input);

        if (! c.useOutput && ! c.useInput)
        {
            EXPECT_EQ (midi->getNumChildComponents(), 0);
        }
    }
}

TEST_F (MidiInterface, TheCaptionsSitAtMinusThreeAndFortySeven)
{
    build (true, true);
    midi->setSize (200, midi->getPreferredHeight());

    EXPECT_EQ (findLabelOf (*midi, findSelector (*midi, "Output Selector"))->getY(), -3);
    EXPECT_EQ (findLabelOf (*midi, findSelector (*midi, "Input Selector"))->getY(), 47);
}

TEST_F (MidiInterface, SendsNothingWithoutAnOpenDevice)
{
    folder.writeOutputs ("D1\nD2\n");
    build();
    const auto message = makeSysex (537);

    EXPECT_EQ (send (message), InterfaceBaseClass::deviceNotConnected);                  // before anything was selected

    deliverPendingMessages();
    EXPECT_EQ (send (message), InterfaceBaseClass::deviceNotConnected);

    midi->selectOutputById (1);
    midi->selectOutputById (3);                     // and closed again
    deliverPendingMessages();
    EXPECT_EQ (send (message), InterfaceBaseClass::deviceNotConnected);

    EXPECT_FALSE (folder.hasSent (1));
    EXPECT_FALSE (folder.hasSent (2));
}

TEST_F (MidiInterface, SendsTheMessageWholeToTheOpenDevice)
{
    folder.writeOutputs ("D1\nD2\n");
    buildAndSettle();
    midi->selectOutputById (2);
    deliverPendingMessages();

    const auto message = makeSysex (537);
    EXPECT_EQ (send (message), 0);

    EXPECT_EQ (folder.readSent (2), message);
    ASSERT_EQ (folder.readLog (2).size(), 1);
    EXPECT_TRUE (folder.readLog (2)[0].endsWith (" 537"));
    EXPECT_FALSE (folder.hasSent (1));
}

// The upload reads the result: 0 while the open device takes the messages,
// negative once it has gone. No bytes ask only whether it is still there.
TEST_F (MidiInterface, TellsWhetherTheMessageReachedADeviceThatIsStillThere)
{
    folder.writeOutputs ("D1\nD2\n");
    buildAndSettle();
    midi->selectOutputById (2);
    deliverPendingMessages();

    const auto message = makeSysex (40);
    const auto* bytes = static_cast<const juce::uint8*> (message.getData());

    EXPECT_EQ (midi->sendData (bytes, 0), InterfaceBaseClass::messageSent);
    EXPECT_EQ (send (message), InterfaceBaseClass::messageSent);

    folder.writeOutputs ("D1\n");                  // D2 unplugged

    EXPECT_EQ (midi->sendData (bytes, 0), InterfaceBaseClass::deviceNotConnected);
    EXPECT_EQ (send (message), InterfaceBaseClass::deviceNotConnected);
    EXPECT_TRUE (midi->isDeviceReady());            // still open as far as the selector knows
    EXPECT_EQ (folder.readSent (2), message);
    EXPECT_EQ (folder.readLog (2).size(), 1);
    EXPECT_FALSE (folder.hasSent (1));
}

TEST_F (MidiInterface, ADeviceThatFailsToOpenLeavesTheInterfaceNotReady)
{
    folder.writeOutputs ("D1\n!D2\nD3\n");
    buildAndSettle();

    EXPECT_EQ (entriesOf (*outputSelector), juce::StringArray ({ "(Disconnected) #4", "---", "D1 #1", "D2 #2", "D3 #3" }));

    midi->selectOutputById (2);
    deliverPendingMessages();

    EXPECT_EQ (outputSelector->getText(), "D2");
    EXPECT_FALSE (midi->isDeviceReady());
    EXPECT_GE (changes->count, 1);
    EXPECT_FALSE (changes->readyAtLastChange);
    EXPECT_EQ (folder.readEvents(), juce::StringArray ({ "open output 2 failed", "open output 2 failed" }));

    EXPECT_EQ (send (makeSysex (16)), InterfaceBaseClass::deviceNotConnected);
    EXPECT_FALSE (folder.hasSent (2));
}

TEST_F (MidiInterface, ADeviceRemovedAfterConstructionIsNeverReplacedByAnother)
{
    struct Case
    {
        const char* remaining;          // outputs.txt once a device has been unplugged
        bool opens;
        const char* events;
    };

    const Case cases[] =
    {
        // D2 itself gone: the id that showed it opens nothing, not D3 in its place.
        { "D1\nD3\n", false, "open output 2 failed,open output 2 failed" },
        // D1 gone: D2 has moved up the system's list but is still the one opened.
        { "D2\nD3\n", true,  "open output 2,close output 2,open output 2" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.remaining).replace ("\n", " "));
        SimulatedMidiFolder unplugged;
        unplugged.writeOutputs ("D1\nD2\nD3\n");
        auto shown = makeInterface (unplugged, true, false);
        deliverPendingMessages();

        unplugged.writeOutputs (c.remaining);
        shown->selectOutputById (2);
        deliverPendingMessages();

        EXPECT_EQ (findSelector (*shown, "Output Selector")->getText(), "D2");
        EXPECT_EQ (shown->isDeviceReady(), c.opens);
        EXPECT_EQ (unplugged.readEvents(), juce::StringArray::fromTokens (c.events, ",", {}));

        const auto message = makeSysex (32);
        shown->sendData (static_cast<const juce::uint8*> (message.getData()), (int) message.getSize());

        EXPECT_FALSE (unplugged.hasSent (1));
        EXPECT_FALSE (unplugged.hasSent (3));
        EXPECT_EQ (unplugged.hasSent (2), c.opens);
    }
}
