#include <gtest/gtest.h>

#include "ui/CommandLineOptions.h"

#include <limits>

namespace
{
    struct Case
    {
        const char* commandLine;
        bool fileRequested;
        const char* strFile;
        bool autoUpdate;
        int nInputid;
        int nOutputid;
    };

    void PrintTo (const Case& c, std::ostream* os)   { *os << '"' << c.commandLine << '"'; }

    class CommandLineTable  : public testing::TestWithParam<Case> {};

    const Case cases[] =
    {
        // line                                            file   path                         auto   in  out
        { "",                                              false, "",                          false, 1,  1 },
        { "--file /tmp/a.syx",                             true,  "/tmp/a.syx",                false, 1,  1 },
        { "--FILE /tmp/a.syx",                             true,  "/tmp/a.syx",                false, 1,  1 },
        { "--file    /tmp/a.syx   ",                       true,  "/tmp/a.syx",                false, 1,  1 },
        { "--file",                                        true,  "",                          false, 1,  1 },
        { "--file /a.syx --autoupdate",                    true,  "/a.syx --autoupdate",       true,  1,  1 },
        { "--autoupdate --outputid 2 --file /p/x.syx",     true,  "/p/x.syx",                  true,  1,  2 },
        { "--file /my firmware/new one.syx",               true,  "/my firmware/new one.syx",  false, 1,  1 },
        { "--file \"/q/f.syx\"",                           true,  "\"/q/f.syx\"",              false, 1,  1 },
        { "--filex /a.syx",                                false, "",                          false, 1,  1 },
        { "--file2 /a.syx",                                false, "",                          false, 1,  1 },
        { "x--file /a.syx",                                false, "",                          false, 1,  1 },
        { "--file-x",                                      true,  "-x",                        false, 1,  1 },
        { "--filename --file /real.syx",                   true,  "name --file /real.syx",     false, 1,  1 },
        { "--outputid 3",                                  false, "",                          false, 1,  1 },
        { "--autoupdate",                                  false, "",                          true,  1,  1 },
        { "--AutoUpdate --OutputID 4",                     false, "",                          true,  1,  4 },
        { "--autoupdates --outputid 4",                    false, "",                          false, 1,  1 },
        { "--autoupdate --outputid3",                      false, "",                          true,  1,  1 },
        { "--autoupdate --outputid  7",                    false, "",                          true,  1,  7 },
        { "--autoupdate --outputid \t7",                   false, "",                          true,  1,  7 },
        { "--autoupdate --outputid -4",                    false, "",                          true,  1,  1 },
        { "--autoupdate --outputid 0",                     false, "",                          true,  1,  1 },
        { "--autoupdate --outputid two",                   false, "",                          true,  1,  1 },
        { "--autoupdate --outputid +5",                    false, "",                          true,  1,  5 },
        { "--autoupdate --outputid 12abc",                 false, "",                          true,  1,  12 },
        { "--autoupdate --inputid 2 --outputid 3",         false, "",                          true,  2,  3 },
        { "--autoupdate --outputid 3 --outputid 5",        false, "",                          true,  1,  3 },
        { "--autoupdate --outputid 99999999999",           false, "",                          true,  1,  std::numeric_limits<int>::max() },
        { "--autoupdate --outputid -99999999999",          false, "",                          true,  1,  1 },
        { "--autoupdate --outputid 4294967298",            false, "",                          true,  1,  std::numeric_limits<int>::max() },
        { "--autoupdate,--outputid 2",                     false, "",                          true,  1,  2 },
        { "\xc3\xa9t\xc3\xa9 --file /\xc3\xa9/\xe6\x97\xa5.syx",     true,  "/\xc3\xa9/\xe6\x97\xa5.syx",   false, 1,  1 },
        { "\xe6\x97\xa5 --AUTOUPDATE --outputid 6",           false, "",                          true,  1,  6 },
    };

    TEST_P (CommandLineTable, ReadsTheOptionsByTheMatchingRules)
    {
        const auto& c = GetParam();
        const auto options = CommandLineOptions::read (juce::String::fromUTF8 (c.commandLine));

        EXPECT_EQ (options.fileRequested, c.fileRequested);
        EXPECT_EQ (options.strFile, juce::String::fromUTF8 (c.strFile));
        EXPECT_EQ (options.autoUpdate, c.autoUpdate);
        EXPECT_EQ (options.nInputid, c.nInputid);
        EXPECT_EQ (options.nOutputid, c.nOutputid);
    }

    INSTANTIATE_TEST_SUITE_P (EdgeCases, CommandLineTable, testing::ValuesIn (cases));

    //==============================================================================
    struct IntegerCase
    {
        const char* text;
        int value;
    };

    TEST (CommandLineRules, ReadsIntegersAsWcstolClampedTo32Bits)
    {
        const IntegerCase integerCases[] =
        {
            { "",                   0 },
            { "   42 rest",         42 },
            { "-17",                -17 },
            { "+-3",                0 },
            { "- 3",                0 },
            { "2147483647",         std::numeric_limits<int>::max() },
            { "2147483648",         std::numeric_limits<int>::max() },
            { "-2147483648",        std::numeric_limits<int>::min() },
            { "-2147483649",        std::numeric_limits<int>::min() },
            { "000000000000000009", 9 },
            { "99999999999999999999999999", std::numeric_limits<int>::max() },
        };

        for (const auto& c : integerCases)
            EXPECT_EQ (CommandLineRules::readInteger (c.text), c.value) << '"' << c.text << '"';
    }

    TEST (CommandLineRules, JuceGetIntValueWrapsWhereTheRuleClamps)
    {
        // Why the reader does not lean on JUCE here: its conversion wraps on overflow.
        EXPECT_NE (juce::String ("99999999999").getIntValue(), std::numeric_limits<int>::max());
        EXPECT_EQ (CommandLineRules::readInteger ("99999999999"), std::numeric_limits<int>::max());
    }

    TEST (CommandLineRules, WholeWordNeedsNoLetterOrDigitOnEitherSide)
    {
        using CommandLineRules::containsWholeWordIgnoreCase;

        EXPECT_TRUE  (containsWholeWordIgnoreCase ("--file", "--file"));
        EXPECT_TRUE  (containsWholeWordIgnoreCase ("a --FiLe", "--file"));
        EXPECT_TRUE  (containsWholeWordIgnoreCase ("_--file_", "--file"));
        EXPECT_FALSE (containsWholeWordIgnoreCase ("a--file", "--file"));
        EXPECT_FALSE (containsWholeWordIgnoreCase ("--file9", "--file"));
        EXPECT_FALSE (containsWholeWordIgnoreCase ("--fil", "--file"));
        EXPECT_TRUE  (containsWholeWordIgnoreCase ("--filex --file", "--file"));
    }
}

//==============================================================================
namespace
{
    struct DeviceKeyCase
    {
        const char* commandLine;
        const char* problem;    // "" when the numbers can be trusted
    };

    void PrintTo (const DeviceKeyCase& c, std::ostream* os)   { *os << '"' << c.commandLine << '"'; }

    class UnattendedDeviceKeys  : public testing::TestWithParam<DeviceKeyCase> {};

    const DeviceKeyCase deviceKeyCases[] =
    {
        { "--autoupdate",                                  "" },
        { "--autoupdate --outputid 2",                     "" },
        { "--autoupdate --outputid  2 --inputid\t3",       "" },
        { "--autoupdate --OUTPUTID 12 --file /x.syx",      "" },
        { "--autoupdate --outputid 2147483647",            "" },
        { "--autoupdate --outputid=2",                     "--outputid needs a device number from 1 up, not \"=2\"" },
        { "--autoupdate --outputid 0",                     "--outputid needs a device number from 1 up, not \"0\"" },
        { "--autoupdate --outputid -1",                    "--outputid needs a device number from 1 up, not \"-1\"" },
        { "--autoupdate --outputid +2",                    "--outputid needs a device number from 1 up, not \"+2\"" },
        { "--autoupdate --outputid abc",                   "--outputid needs a device number from 1 up, not \"abc\"" },
        { "--autoupdate --outputid 2x",                    "--outputid needs a device number from 1 up, not \"2x\"" },
        { "--autoupdate --outputid 2147483648",            "--outputid needs a device number from 1 up, not \"2147483648\"" },
        { "--autoupdate --outputid3",                      "--outputid needs a device number from 1 up, not \"3\"" },
        { "--autoupdate --outputid",                       "--outputid needs a device number from 1 up, not nothing" },
        { "--autoupdate --outputid --file /x.syx",         "--outputid needs a device number from 1 up, not \"--file\"" },
        { "--autoupdate --inputid x --outputid 2",         "--inputid needs a device number from 1 up, not \"x\"" },
        { "--autoupdate --outputid 1 --outputid 2",        "--outputid is given more than once" },
        // Interactive starts keep reading the numbers as before: a person picks the device.
        { "--outputid=2",                                  "" },
        { "--outputid abc --inputid 0",                    "" },
    };

    TEST_P (UnattendedDeviceKeys, AreTrustedOnlyWhenTheyPlainlyNameADevice)
    {
        const auto& c = GetParam();
        EXPECT_EQ (CommandLineOptions::read (c.commandLine).deviceNumberProblem, juce::String (c.problem));
    }

    INSTANTIATE_TEST_SUITE_P (Values, UnattendedDeviceKeys, testing::ValuesIn (deviceKeyCases));

    TEST (CommandLineRules, FindsTheFirstWholeWord)
    {
        using CommandLineRules::findWholeWordIgnoreCase;

        EXPECT_EQ (findWholeWordIgnoreCase ("--help", "--help"), 0);
        EXPECT_EQ (findWholeWordIgnoreCase ("--helpful --HELP", "--help"), 10);
        EXPECT_EQ (findWholeWordIgnoreCase (juce::String::fromUTF8 ("\xc3\xa9 --help"), "--help"), 2);
        EXPECT_EQ (findWholeWordIgnoreCase ("x--help", "--help"), -1);
        EXPECT_EQ (findWholeWordIgnoreCase ("", "--help"), -1);
    }
}

TEST (CommandLineOptions, AShellQuotedPathWithBlanksStaysOneUnquotedPath)
{
    const juce::StringArray arguments { "--autoupdate", "--outputid", "2", "--file", "/my firmware/new one.syx" };
    const auto options = CommandLineOptions::read (CommandLineOptions::joinArguments (arguments));

    EXPECT_EQ (options.strFile, "/my firmware/new one.syx");
    EXPECT_EQ (options.nOutputid, 2);
}
