#include "HelpTextContentComp.h"

HelpTextContentComp::HelpTextContentComp (const juce::String& helpText)
    : textEditor (std::make_unique<juce::TextEditor> (juce::String(), 0))
{
    addAndMakeVisible (*textEditor);

    // Wrapped at the editor's width: the text only ever scrolls vertically.
    textEditor->setMultiLine (true, true);
    textEditor->setReadOnly (true);

    // A read-only editor in JUCE 7 still takes the focus; the help text should not.
    textEditor->setWantsKeyboardFocus (false);

    textEditor->setText (helpText);
}

HelpTextContentComp::~HelpTextContentComp() = default;

void HelpTextContentComp::resized()
{
    textEditor->setBounds (getLocalBounds());
}
