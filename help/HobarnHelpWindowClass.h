#pragma once

#include "HelpTextContentComp.h"
#include "ProductHelpWindow.h"

/** How new software is loaded into the Hobarn. */
extern const juce::String HobarnHelpText;

class HobarnHelpWindowContentComp final : public HelpTextContentComp
{
public:
    HobarnHelpWindowContentComp() : HelpTextContentComp (HobarnHelpText) {}
};

class HobarnHelpWindowClass final : public ProductHelpWindow<HobarnHelpWindowContentComp>
{
public:
    HobarnHelpWindowClass() : ProductHelpWindow (" Hobarn update help ") {}
};
