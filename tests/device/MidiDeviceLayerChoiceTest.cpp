#include "MidiInterfaceTestSupport.h"
#include "support/ScopedEnvironmentVariable.h"
#include "device/SystemMidiDeviceLayer.h"

#include <chrono>

using namespace MidiInterfaceTestSupport;

TEST (MidiDeviceLayerChoice, SimulatesWhenTheVariableNamesADirectory)
{
    SimulatedMidiFolder folder;
    folder.writeOutputs ("Sim Out\n");

    const auto relative = folder.getDirectory().getRelativePathFrom (juce::File::getCurrentWorkingDirectory());

    for (const auto& path : { folder.getDirectory().getFullPathName(), relative })
    {
        SCOPED_TRACE (path);
        ScopedEnvironmentVariable simulation ("BREVANE_MIDI_SIM", path);

        auto layer = createMidiDeviceLayer();
        ASSERT_NE (dynamic_cast<SimulatedMidiDeviceLayer*> (layer.get()), nullptr);

        const auto devices = layer->getOutputDevices();
        ASSERT_EQ (devices.size(), 1);
        EXPECT_EQ (devices[0].name, "Sim Out");
    }
}

TEST (MidiDeviceLayerChoice, UsesTheSystemsDevicesOtherwise)
{
    SimulatedMidiFolder folder;
    const auto aFile = folder.getDirectory().getChildFile ("outputs.txt");
    folder.writeOutputs ("Sim Out\n");

    const std::optional<juce::String> values[] =
    {
        std::nullopt,
        juce::String(),
        folder.getDirectory().getChildFile ("missing").getFullPathName(),
        aFile.getFullPathName(),
    };

    for (const auto& value : values)
    {
        SCOPED_TRACE (value.value_or ("(unset)"));
        ScopedEnvironmentVariable simulation ("BREVANE_MIDI_SIM", value);

        auto layer = createMidiDeviceLayer();
        EXPECT_NE (dynamic_cast<SystemMidiDeviceLayer*> (layer.get()), nullptr);
    }
}

TEST (MidiDeviceLayerChoice, TheRateVariableSlowsEverySend)
{
    SimulatedMidiFolder folder;
    folder.writeOutputs ("Slow\n");
    ScopedEnvironmentVariable simulation ("BREVANE_MIDI_SIM", folder.getDirectory().getFullPathName());
    ScopedEnvironmentVariable rate ("BREVANE_MIDI_SIM_RATE", juce::String ("3125"));

    // Through the program's own constructor, as the main panel builds it.
    MidiInterfaceClass midi (true, false);
    ASSERT_EQ (findSelector (midi, "Output Selector")->getItemText (1), "Slow");
    midi.selectOutputById (1);
    ASSERT_TRUE (midi.isDeviceReady());

    const auto message = makeSysex (313);
    const auto start = std::chrono::steady_clock::now();
    midi.sendData (static_cast<const juce::uint8*> (message.getData()), (int) message.getSize());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

    EXPECT_GE (took.count(), 313.0 / 3125.0);
    EXPECT_EQ (folder.readSent (1), message);
}

TEST (SystemMidiDeviceLayer, OpensNothingForAnIdentifierItDoesNotList)
{
    SystemMidiDeviceLayer layer;
    juce::StringArray listed;

    for (const auto& device : layer.getOutputDevices())
        listed.add (device.identifier);

    struct NoCallback  : public juce::MidiInputCallback
    {
        void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override {}
    } callback;

    const juce::String unplugged ("no such device 99:99");
    ASSERT_FALSE (listed.contains (unplugged));
    EXPECT_EQ (layer.openOutput (unplugged), nullptr);
    EXPECT_EQ (layer.openInput (unplugged, callback), nullptr);
}
