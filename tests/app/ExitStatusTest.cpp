#include <gtest/gtest.h>

#include "ui/ExitStatus.h"
#include "app/InformationCommands.h"

namespace
{
    juce::String sourceFile (const char* relativePath)
    {
        return juce::File (BREVANE_SOURCE_DIR).getChildFile (relativePath).loadFileAsString();
    }

    // Whoever reads the table, in --help, the README or the manual page, reads the same.
    TEST (ExitStatusTable, EveryPlaceGivesEachMeaningAsTheProgramDecidesIt)
    {
        const auto readme = sourceFile ("README.md");
        const auto manual = sourceFile ("app/resources/brevane.1");
        ASSERT_TRUE (readme.isNotEmpty());
        ASSERT_TRUE (manual.isNotEmpty());

        for (const auto& meaning : ExitStatus::meanings)
        {
            const juce::String code ((int) meaning.code), text (meaning.text);
            SCOPED_TRACE (code);

            EXPECT_TRUE (readme.contains ("| " + code + " | " + text + " |"));
            EXPECT_TRUE (manual.contains (".B " + code + "\n" + text + "\n"));
            EXPECT_TRUE (juce::StringArray::fromLines (ExitStatus::describeAll()).joinIntoString (" ")
                             .replace ("      ", " ").contains (code + "  " + text));
        }

        EXPECT_TRUE (InformationCommands::usage().contains ("Exit status of --autoupdate:\n" + ExitStatus::describeAll()));
    }

    TEST (ExitStatusTable, HelpKeepsWithinEightyColumns)
    {
        for (const auto& line : juce::StringArray::fromLines (ExitStatus::describeAll()))
            EXPECT_LE (line.length(), 80) << line;
    }
}
