#pragma once

#include "HelpTextContentComp.h"
#include "ProductHelpWindow.h"

/** How new software is loaded into the Quendal. */
extern const juce::String QuendalHelpText;

class QuendalHelpWindowContentComp final : public HelpTextContentComp
{
public:
    QuendalHelpWindowContentComp() : HelpTextContentComp (QuendalHelpText) {}
};

class QuendalHelpWindowClass final : public ProductHelpWindow<QuendalHelpWindowContentComp>
{
public:
    QuendalHelpWindowClass() : ProductHelpWindow (" Quendal update help ") {}
};
