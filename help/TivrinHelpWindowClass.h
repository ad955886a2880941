#pragma once

#include "HelpTextContentComp.h"
#include "ProductHelpWindow.h"

/** How new software is loaded into the Tivrin. */
extern const juce::String TivrinHelpText;

class TivrinHelpWindowContentComp final : public HelpTextContentComp
{
public:
    TivrinHelpWindowContentComp() : HelpTextContentComp (TivrinHelpText) {}
};

class TivrinHelpWindowClass final : public ProductHelpWindow<TivrinHelpWindowContentComp>
{
public:
    TivrinHelpWindowClass() : ProductHelpWindow (" Tivrin update help ") {}
};
