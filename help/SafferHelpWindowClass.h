#pragma once

#include "HelpTextContentComp.h"
#include "ProductHelpWindow.h"

/** How new software is loaded into the Saffer. */
extern const juce::String SafferHelpText;

class SafferHelpWindowContentComp final : public HelpTextContentComp
{
public:
    SafferHelpWindowContentComp() : HelpTextContentComp (SafferHelpText) {}
};

class SafferHelpWindowClass final : public ProductHelpWindow<SafferHelpWindowContentComp>
{
public:
    SafferHelpWindowClass() : ProductHelpWindow (" Saffer update help ") {}
};
