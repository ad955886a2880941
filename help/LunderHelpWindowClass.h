#pragma once

#include "HelpTextContentComp.h"
#include "ProductHelpWindow.h"

/** How new software is loaded into the Lunder. */
extern const juce::String LunderHelpText;

class LunderHelpWindowContentComp final : public HelpTextContentComp
{
public:
    LunderHelpWindowContentComp() : HelpTextContentComp (LunderHelpText) {}
};

class LunderHelpWindowClass final : public ProductHelpWindow<LunderHelpWindowContentComp>
{
public:
    LunderHelpWindowClass() : ProductHelpWindow (" Lunder update help ") {}
};
