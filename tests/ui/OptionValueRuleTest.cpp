#include <gtest/gtest.h>

#include "ui/CommandLineOptions.h"

// The rule every option that may be followed by others reads its value with:
// from its key to the next option key or the end of the line, trimmed.
namespace
{
    struct ValueCase
    {
        const char* text;
        const char* key;
        const char* value;
    };

    void PrintTo (const ValueCase& c, std::ostream* os)   { *os << '"' << c.text << "\" key " << c.key; }

    class ValueUpToNextOption  : public testing::TestWithParam<ValueCase> {};

    const ValueCase valueCases[] =
    {
        // text                                              key       value
        { "--log /tmp/run.txt",                              "--log",  "/tmp/run.txt" },
        { "--log /tmp/run.txt --autoupdate",                 "--log",  "/tmp/run.txt" },
        { "--autoupdate --log /tmp/run.txt --file /a.syx",   "--log",  "/tmp/run.txt" },
        { "--log /my records/run one.txt --outputid 2",      "--log",  "/my records/run one.txt" },
        { "--log    /tmp/x.txt    --autoupdate",             "--log",  "/tmp/x.txt" },
        { "--log /tmp/x.txt\t--autoupdate",                  "--log",  "/tmp/x.txt" },
        { "--LOG /tmp/x.txt",                                "--log",  "/tmp/x.txt" },
        { "--log /a/b--c.txt",                               "--log",  "/a/b--c.txt" },       // "--" without a blank before it
        { "--log /a/-x.txt",                                 "--log",  "/a/-x.txt" },
        { "--log --autoupdate",                              "--log",  "" },
        { "--log",                                           "--log",  "" },
        { "--log ",                                          "--log",  "" },
        { "--autoupdate",                                    "--log",  "" },
        { "--logfile /a.txt",                                "--log",  "" },                   // a longer word is not the key
        { "--logfile /a.txt --log /b.txt",                   "--log",  "/b.txt" },
        { "x--log /a.txt",                                   "--log",  "" },
        { "--log /a.txt --log /b.txt",                       "--log",  "/a.txt" },             // the first one counts
        { "--log /a.txt -- x",                               "--log",  "/a.txt" },
        { "--log /a.txt --",                                 "--log",  "/a.txt" },
        { "--pause 500 --file /a.syx",                       "--pause", "500" },
        { "--outputname Port 1 --autoupdate",                "--outputname", "Port 1" },
        { "--log /t\xc3\xa9st/r\xc3\xa9sum\xc3\xa9.txt --autoupdate", "--log", "/t\xc3\xa9st/r\xc3\xa9sum\xc3\xa9.txt" },
    };

    TEST_P (ValueUpToNextOption, TakesTheValueUpToTheNextOptionKey)
    {
        const auto& c = GetParam();
        EXPECT_EQ (CommandLineRules::valueUpToNextOption (juce::String::fromUTF8 (c.text), c.key),
                   juce::String::fromUTF8 (c.value));
    }

    INSTANTIATE_TEST_SUITE_P (Lines, ValueUpToNextOption, testing::ValuesIn (valueCases));
}

TEST (LogOption, IsFoundAsAWholeWordAndLeavesTheFileOptionItsRestOfTheLine)
{
    const auto options = CommandLineOptions::read ("--autoupdate --log /tmp/my run.txt --file /p/x y.syx");

    EXPECT_TRUE (options.logRequested);
    EXPECT_EQ (options.strLog, "/tmp/my run.txt");
    EXPECT_EQ (options.strFile, "/p/x y.syx");
    EXPECT_FALSE (CommandLineOptions::read ("--logs /tmp/a.txt").logRequested);
    EXPECT_TRUE (CommandLineOptions::read ("--log").logRequested);
}
