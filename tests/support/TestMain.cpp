#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "VirtualDisplay.h"

// The test process is a JUCE program: the main thread is its message thread.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    VirtualDisplay::prepare();
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
