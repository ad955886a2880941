#pragma once

#include "support/ComponentFinder.h"

/** Reaches into a help window the way a user sees it: its content, the
    editor in it and the editor's scrolling view.
*/
namespace HelpWindowParts
{
    /** The text editor of the window's content component, or null. */
    juce::TextEditor* findEditor (juce::DocumentWindow& window);

    /** The view through which the editor scrolls its text, or null. */
    juce::Viewport* findViewport (juce::TextEditor& editor);

    /** The lines of a text, each ended by a line feed; unterminated trailing
        characters come back as a last line of their own.
    */
    juce::StringArray splitLines (const juce::String& text);
}
