#include "Application.h"

namespace
{
    juce::JUCEApplicationBase* createApplication()   { return new Application(); }
}

int main (int argc, char* argv[])
{
    juce::JUCEApplicationBase::createInstance = &createApplication;
    return juce::JUCEApplicationBase::main (argc, (const char**) argv);
}
