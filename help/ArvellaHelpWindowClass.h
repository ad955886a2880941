#pragma once

#include "HelpTextContentComp.h"
#include "ProductHelpWindow.h"

/** How new software is loaded into the Arvella. */
extern const juce::String ArvellaHelpText;

class ArvellaHelpWindowContentComp final : public HelpTextContentComp
{
public:
    ArvellaHelpWindowContentComp() : HelpTextContentComp (ArvellaHelpText) {}
};

class ArvellaHelpWindowClass final : public ProductHelpWindow<ArvellaHelpWindowContentComp>
{
public:
    ArvellaHelpWindowClass() : ProductHelpWindow (" Arvella update help ") {}
};
