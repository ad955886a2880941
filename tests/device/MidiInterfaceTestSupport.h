#pragma once

#include "support/JucePrinters.h"
#include "support/SimulatedMidiFolder.h"
#include "TestSysex.h"
#include "device/MidiInterfaceClass.h"
#include "device/SimulatedMidiDeviceLayer.h"
#include "support/ComponentFinder.h"
#include "support/MessageLoop.h"

#include <gtest/gtest.h>

namespace MidiInterfaceTestSupport
{
    inline std::unique_ptr<MidiInterfaceClass> makeInterface (const SimulatedMidiFolder& folder, bool useOutput, bool useInput)
    {
        return std::make_unique<MidiInterfaceClass> (useOutput, useInput,
                                                     std::make_unique<SimulatedMidiDeviceLayer> (folder.getDirectory(), 0.0));
    }

    /** Runs the loop until everything posted so far, and whatever that posted
        in turn, has been delivered. */
    inline void deliverPendingMessages()
    {
        for (int round = 0; round < 3; ++round)
        {
            auto delivered = std::make_shared<bool> (false);
            juce::MessageManager::callAsync ([delivered] { *delivered = true; });
            ASSERT_TRUE (MessageLoop::runUntil ([delivered] { return *delivered; }));
        }
    }

    inline juce::ComboBox* findSelector (juce::Component& parent, const juce::String& name)
    {
        return ComponentFinder::findChild<juce::ComboBox> (parent, [&] (juce::ComboBox& c) { return c.getName() == name; });
    }

    inline juce::Label* findLabelOf (juce::Component& parent, juce::Component* selector)
    {
        return ComponentFinder::findChild<juce::Label> (parent, [&] (juce::Label& l) { return l.getAttachedComponent() == selector; });
    }

    /** The entries as the user sees them: "text #id", separators as "---". */
    inline juce::StringArray entriesOf (juce::ComboBox& selector)
    {
        juce::StringArray entries;

        for (juce::PopupMenu::MenuItemIterator it (*selector.getRootMenu()); it.next();)
        {
            const auto& item = it.getItem();
            entries.add (item.isSeparator ? juce::String ("---") : item.text + " #" + juce::String (item.itemID));
        }

        return entries;
    }

    /** Counts the interface's change messages and what isDeviceReady() said
        when the last one arrived. */
    class ChangeCounter  : public juce::ChangeListener
    {
    public:
        explicit ChangeCounter (MidiInterfaceClass& interfaceToWatch)
            : watched (interfaceToWatch)
        {
            watched.addChangeListener (this);
        }

        ~ChangeCounter() override
        {
            watched.removeChangeListener (this);
        }

        void changeListenerCallback (juce::ChangeBroadcaster* source) override
        {
            EXPECT_EQ (source, &watched);
            ++count;
            readyAtLastChange = watched.isDeviceReady();
        }

        void reset()    { count = 0; readyAtLastChange = false; }

        int count = 0;
        bool readyAtLastChange = false;

    private:
        MidiInterfaceClass& watched;
    };
}
