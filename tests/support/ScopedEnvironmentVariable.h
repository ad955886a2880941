#pragma once

#include <juce_core/juce_core.h>

#include <cstdlib>
#include <optional>
#include <string>

/** Sets (or with no value unsets) a variable of the process's environment
    and puts back what was there before. */
class ScopedEnvironmentVariable
{
public:
    ScopedEnvironmentVariable (const char* nameToUse, std::optional<juce::String> value)
        : name (nameToUse)
    {
        if (const auto* old = std::getenv (name))
            previous = old;

        set (value.has_value() ? std::optional<std::string> (value->toStdString()) : std::nullopt);
    }

    ~ScopedEnvironmentVariable()
    {
        set (previous);
    }

private:
    void set (const std::optional<std::string>& value)
    {
        if (value.has_value())
            ::setenv (name, value->c_str(), 1);
        else
            ::unsetenv (name);
    }

    const char* name;
    std::optional<std::string> previous;

    JUCE_DECLARE_NON_COPYABLE (ScopedEnvironmentVariable)
};
