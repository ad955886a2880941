#pragma once

#include "HelpTextContentComp.h"
#include "ProductHelpWindow.h"

/** How new software is loaded into the Mossec. */
extern const juce::String MossecHelpText;

class MossecHelpWindowContentComp final : public HelpTextContentComp
{
public:
    MossecHelpWindowContentComp() : HelpTextContentComp (MossecHelpText) {}
};

class MossecHelpWindowClass final : public ProductHelpWindow<MossecHelpWindowContentComp>
{
public:
    MossecHelpWindowClass() : ProductHelpWindow (" Mossec update help ") {}
};
