#include "DeviceListText.h"

#include "ConsoleLine.h"

namespace DeviceListText
{
    juce::String describe (MidiDeviceLayer& layer)
    {
        juce::String text;

        auto list = [&text] (const char* heading, const juce::Array<juce::MidiDeviceInfo>& devices)
        {
            text << heading << "\n";

            for (int i = 0; i < devices.size(); ++i)
                text << (i + 1) << " " << ConsoleLine::escape (devices[i].name) << "\n";

            text << (devices.size() + 1) << " (Disconnected)\n";
        };

        list ("MIDI output devices (--outputid):", layer.getOutputDevices());
        text << "\n";
        list ("MIDI input devices (--inputid):", layer.getInputDevices());
        return text;
    }
}
