#pragma once

#include <juce_core/juce_core.h>

/** A fresh directory for the simulated devices, removed again afterwards,
    with the readers the tests look through. */
class SimulatedMidiFolder
{
public:
    SimulatedMidiFolder()
    {
        directory.createDirectory();
    }

    ~SimulatedMidiFolder()
    {
        directory.deleteRecursively();
    }

    const juce::File& getDirectory() const noexcept     { return directory; }

    void writeOutputs (const juce::String& lines)       { write ("outputs.txt", lines); }
    void writeInputs (const juce::String& lines)        { write ("inputs.txt", lines); }

    juce::StringArray readEvents() const                { return readLines ("events.log"); }
    juce::StringArray readLog (int k) const             { return readLines ("output-" + juce::String (k) + ".log"); }

    juce::MemoryBlock readSent (int k) const
    {
        juce::MemoryBlock bytes;
        directory.getChildFile ("output-" + juce::String (k) + ".syx").loadFileAsData (bytes);
        return bytes;
    }

    bool hasSent (int k) const
    {
        return directory.getChildFile ("output-" + juce::String (k) + ".syx").exists();
    }

private:
    void write (const juce::String& name, const juce::String& lines)
    {
        directory.getChildFile (name).replaceWithText (lines, false, false, "\n");
    }

    juce::StringArray readLines (const juce::String& name) const
    {
        juce::StringArray lines;
        const auto file = directory.getChildFile (name);

        if (file.existsAsFile())
            file.readLines (lines);

        lines.removeEmptyStrings();
        return lines;
    }

    juce::TemporaryFile place;
    const juce::File directory { place.getFile() };

    JUCE_DECLARE_NON_COPYABLE (SimulatedMidiFolder)
};
