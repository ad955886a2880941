#include "HelpWindowParts.h"

namespace HelpWindowParts
{
    juce::TextEditor* findEditor (juce::DocumentWindow& window)
    {
        if (auto* content = window.getContentComponent())
            return ComponentFinder::findChild<juce::TextEditor> (*content);

        return nullptr;
    }

    juce::Viewport* findViewport (juce::TextEditor& editor)
    {
        return ComponentFinder::findChild<juce::Viewport> (editor);
    }

    juce::StringArray splitLines (const juce::String& text)
    {
        juce::StringArray lines;
        int start = 0;

        for (int i = 0; i < text.length(); ++i)
        {
            if (text[i] == '\n')
            {
                lines.add (text.substring (start, i));
                start = i + 1;
            }
        }

        if (start < text.length())
            lines.add (text.substring (start));

        return lines;
    }
}
