#pragma once

#include "HelpTextContentComp.h"
#include "ProductHelpWindow.h"

/** How new software is loaded into the Ostrel. */
extern const juce::String OstrelHelpText;

class OstrelHelpWindowContentComp final : public HelpTextContentComp
{
public:
    OstrelHelpWindowContentComp() : HelpTextContentComp (OstrelHelpText) {}
};

class OstrelHelpWindowClass final : public ProductHelpWindow<OstrelHelpWindowContentComp>
{
public:
    OstrelHelpWindowClass() : ProductHelpWindow (" Ostrel update help ") {}
};
