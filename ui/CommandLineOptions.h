#pragma once

#include <juce_core/juce_core.h>

#include "protocol/AutoUpdate.h"

/** The options found in one command-line string.

    Pure: reading needs nothing but the string, so the rules can be checked
    without a window. The panel applies the values.
*/
struct CommandLineOptions
{
    bool fileRequested = false;
    juce::String strFile;
    bool autoUpdate = false;
    int nInputid = 1;
    int nOutputid = 1;
    bool logRequested = false;
    juce::String strLog;        // the file for the support record

    /** In auto-update mode only: why a device key given on the line cannot be
        trusted to name a device (a value that is not a whole number from 1
        up, or a key given twice), or empty. A key that is absent still means
        device 1; an unreadable one never falls back to it. */
    juce::String deviceNumberProblem;

    static CommandLineOptions read (const juce::String& commandLine);

    /** The program's arguments as the one command line the options are read
        from: joined by single blanks, trimmed, nothing quoted. */
    static juce::String joinArguments (const juce::StringArray& arguments);
};

namespace CommandLineRules
{
    /** True if the key stands in the text with no letter or digit (iswalnum)
        touching it on either side; letters compare regardless of case. */
    bool containsWholeWordIgnoreCase (const juce::String& text, const juce::String& key);

    /** Where the key first stands as a whole word, case ignored, or -1. */
    int findWholeWordIgnoreCase (const juce::String& text, const juce::String& key);

    /** Everything after the first case-blind occurrence of key, or "" if none. */
    juce::String fromFirstOccurrenceIgnoreCase (const juce::String& text, const juce::String& key);

    /** The value of an option that is followed by others: what comes after
        the first whole-word, case-blind occurrence of key, up to the next
        option key (white space followed by "--") or the end of the text,
        trimmed. So a value may hold blanks but not start an option. "" if the
        key does not stand in the text. */
    juce::String valueUpToNextOption (const juce::String& text, const juce::String& key);

    /** Base-10 integer read as wcstol does (leading white space, one sign,
        digits up to the first other character), clamped to the 32-bit range. */
    int readInteger (const juce::String& text);
}
