#pragma once

#include "HelpTextContentComp.h"
#include "ProductHelpWindow.h"

/** How new software is loaded into the Pelmo. */
extern const juce::String PelmoHelpText;

class PelmoHelpWindowContentComp final : public HelpTextContentComp
{
public:
    PelmoHelpWindowContentComp() : HelpTextContentComp (PelmoHelpText) {}
};

class PelmoHelpWindowClass final : public ProductHelpWindow<PelmoHelpWindowContentComp>
{
public:
    PelmoHelpWindowClass() : ProductHelpWindow (" Pelmo update help ") {}
};
