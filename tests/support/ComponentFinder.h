#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** Finds the components of a window or panel the way a user tells them apart:
    by their kind and what they show. The one finder every suite uses.
*/
namespace ComponentFinder
{
    /** The first direct child of parent of type T that matches, or null. */
    template <typename T>
    T* findChild (juce::Component& parent, const std::function<bool (T&)>& matches = [] (T&) { return true; })
    {
        for (auto* child : parent.getChildren())
            if (auto* candidate = dynamic_cast<T*> (child))
                if (matches (*candidate))
                    return candidate;

        return nullptr;
    }

    /** The first component below root, at any depth, of type T that matches. */
    template <typename T>
    T* find (juce::Component& root, const std::function<bool (T&)>& matches = [] (T&) { return true; })
    {
        for (auto* child : root.getChildren())
        {
            if (auto* candidate = dynamic_cast<T*> (child))
                if (matches (*candidate))
                    return candidate;

            if (auto* below = find<T> (*child, matches))
                return below;
        }

        return nullptr;
    }

    inline juce::TextButton* findButton (juce::Component& root, const juce::String& text)
    {
        return find<juce::TextButton> (root, [&] (juce::TextButton& b) { return b.getButtonText() == text; });
    }

    inline juce::Label* findLabel (juce::Component& root, const std::function<bool (const juce::String&)>& textMatches)
    {
        return find<juce::Label> (root, [&] (juce::Label& l) { return textMatches (l.getText()); });
    }

    inline juce::Label* findLabelStartingWith (juce::Component& root, const juce::String& start)
    {
        return findLabel (root, [&] (const juce::String& text) { return text.startsWith (start); });
    }
}
