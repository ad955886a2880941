#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** What every product help window shows: its help text in a read-only,
    word-wrapping editor that fills the window's content area.
*/
class HelpTextContentComp : public juce::Component
{
public:
    explicit HelpTextContentComp (const juce::String& helpText);
    ~HelpTextContentComp() override;

    void resized() override;

private:
    // No tooltip window of its own: the main panel's has no parent, so it already shows
    // the tips of every window, and a second one would show each tip twice.
    std::unique_ptr<juce::TextEditor> textEditor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HelpTextContentComp)
};
