#include "SimulatedMidiDeviceLayer.h"

#include "MidiWireTime.h"
#include "WireClock.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace
{
    // Taken while the program's statics are set up, before main runs.
    const auto processStart = std::chrono::steady_clock::now();

    // One writer at a time for every file of every simulated device, so a
    // message's bytes and its log line land together.
    std::mutex fileLock;

    // Opened for appending and closed again on each write, unbuffered: the
    // bytes are with the system when this returns, and no handle outlives the
    // write. JUCE's stream rather than fopen, for paths in any script.
    struct Appender
    {
        explicit Appender (const juce::File& file)  : stream (file, 0), start (stream.getPosition()) {}

        bool append (const void* data, size_t numBytes)
        {
            return stream.openedOk() && stream.write (data, numBytes);
        }

        bool appendLine (const juce::String& line)
        {
            const auto text = (line + "\n").toStdString();
            return append (text.data(), text.size());
        }

        // A write that failed part-way, on a full disk say, leaves no fragment behind.
        void undo()
        {
            if (stream.openedOk() && stream.getPosition() != start)
            {
                stream.setPosition (start);
                stream.truncate();
            }
        }

        juce::FileOutputStream stream;
        const juce::int64 start;
    };

    void logEvent (const juce::File& directory, const juce::String& event)
    {
        const std::lock_guard<std::mutex> lock (fileLock);
        Appender (directory.getChildFile ("events.log")).appendLine (event);
    }

    // Always a point and three decimals, whatever the locale.
    juce::String formatMilliseconds (double milliseconds)
    {
        const auto microseconds = (juce::int64) std::llround (milliseconds * 1000.0);
        return juce::String (microseconds / 1000) + "." + juce::String (microseconds % 1000).paddedLeft ('0', 3);
    }

    struct ListedDevice
    {
        juce::String name;
        bool opens;
    };

    std::vector<ListedDevice> readDeviceList (const juce::File& file)
    {
        juce::StringArray lines;

        if (file.existsAsFile())
            file.readLines (lines);

        std::vector<ListedDevice> devices;

        for (auto line : lines)
        {
            const auto held = line.startsWithChar ('!');
            const auto name = held ? line.substring (1) : line;

            if (name.isNotEmpty())
                devices.push_back ({ name, ! held });
        }

        return devices;
    }

    class SimulatedOutput  : public MidiDeviceLayer::Output
    {
    public:
        SimulatedOutput (const juce::File& directoryToUse, const juce::String& listFileName,
                         const juce::String& nameToUse, int number, double bytesPerSecondToUse)
            : directory (directoryToUse),
              listFile (directory.getChildFile (listFileName)),
              name (nameToUse),
              k (number),
              bytesPerSecond (bytesPerSecondToUse),
              data (directory.getChildFile ("output-" + juce::String (k) + ".syx")),
              log (directory.getChildFile ("output-" + juce::String (k) + ".log"))
        {
        }

        ~SimulatedOutput() override
        {
            logEvent (directory, "close output " + juce::String (k));
        }

        bool sendMessageNow (const juce::MidiMessage& message) override
        {
            const auto numBytes = message.getRawDataSize();

            if (! isConnected())
                return false;

            // Asked to exit, the sender stops waiting; the bytes count as on their way.
            if (bytesPerSecond > 0.0)
            {
                auto& clock = WireClock::getSystemClock();
                clock.waitUntil (clock.getMilliseconds() + MidiWireTime::transferMs (numBytes, bytesPerSecond));

                // Pulled out while the bytes were on the wire.
                if (! isConnected())
                    return false;
            }

            const std::lock_guard<std::mutex> lock (fileLock);
            Appender bytes (data), line (log);

            if (bytes.append (message.getRawData(), (size_t) numBytes)
                 && line.appendLine (formatMilliseconds (SimulatedMidiDeviceLayer::getMillisecondsSinceStart())
                                       + " " + juce::String (numBytes)))
                return true;

            // The message is in both files or in neither.
            bytes.undo();
            line.undo();
            return false;
        }

        // Whether the name is still in the list file, held or not.
        bool isConnected() override
        {
            const auto devices = readDeviceList (listFile);
            return std::any_of (devices.begin(), devices.end(),
                                [this] (const ListedDevice& d) { return d.name == name; });
        }

    private:
        const juce::File directory, listFile;
        const juce::String name;
        const int k;
        const double bytesPerSecond;
        const juce::File data, log;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SimulatedOutput)
    };

    class SimulatedInput  : public MidiDeviceLayer::Input
    {
    public:
        SimulatedInput (const juce::File& directoryToUse, int number)
            : directory (directoryToUse), k (number)
        {
        }

        ~SimulatedInput() override
        {
            logEvent (directory, "close input " + juce::String (k));
        }

        // Nothing is ever received, so there is nothing to start or stop.
        void start() override {}
        void stop() override {}

    private:
        const juce::File directory;
        const int k;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SimulatedInput)
    };
}

SimulatedMidiDeviceLayer::SimulatedMidiDeviceLayer (const juce::File& directoryToUse, double bytesPerSecondToUse)
    : directory (directoryToUse),
      bytesPerSecond (bytesPerSecondToUse)
{
}

double SimulatedMidiDeviceLayer::getMillisecondsSinceStart()
{
    return std::chrono::duration<double, std::milli> (std::chrono::steady_clock::now() - processStart).count();
}

juce::Array<juce::MidiDeviceInfo> SimulatedMidiDeviceLayer::listDevices (Side& side)
{
    juce::Array<juce::MidiDeviceInfo> devices;
    juce::StringArray names;

    for (const auto& device : readDeviceList (directory.getChildFile (side.listFileName)))
    {
        devices.add ({ device.name, device.name });
        names.add (device.name);
    }

    const std::lock_guard<std::mutex> lock (sidesLock);
    side.given = names;
    return devices;
}

int SimulatedMidiDeviceLayer::open (Side& side, const juce::String& identifier)
{
    int k;

    {
        const std::lock_guard<std::mutex> lock (sidesLock);
        k = side.given.indexOf (identifier) + 1;
    }

    // A name the program was never given has no number to report under.
    if (k == 0)
        return 0;

    const auto devices = readDeviceList (directory.getChildFile (side.listFileName));
    const auto listed = std::find_if (devices.begin(), devices.end(),
                                      [&] (const ListedDevice& d) { return d.name == identifier; });

    if (listed == devices.end() || ! listed->opens)
    {
        logEvent (directory, "open " + juce::String (side.kind) + " " + juce::String (k) + " failed");
        return 0;
    }

    logEvent (directory, "open " + juce::String (side.kind) + " " + juce::String (k));
    return k;
}

juce::Array<juce::MidiDeviceInfo> SimulatedMidiDeviceLayer::getOutputDevices()
{
    return listDevices (outputs);
}

juce::Array<juce::MidiDeviceInfo> SimulatedMidiDeviceLayer::getInputDevices()
{
    return listDevices (inputs);
}

std::unique_ptr<MidiDeviceLayer::Output> SimulatedMidiDeviceLayer::openOutput (const juce::String& identifier)
{
    if (const auto k = open (outputs, identifier))
        return std::make_unique<SimulatedOutput> (directory, outputs.listFileName, identifier, k, bytesPerSecond);

    return {};
}

std::unique_ptr<MidiDeviceLayer::Input> SimulatedMidiDeviceLayer::openInput (const juce::String& identifier,
                                                                             juce::MidiInputCallback&)
{
    if (const auto k = open (inputs, identifier))
        return std::make_unique<SimulatedInput> (directory, k);

    return {};
}
