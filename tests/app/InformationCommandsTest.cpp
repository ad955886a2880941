#include <gtest/gtest.h>

#include "app/InformationCommands.h"

namespace
{
    struct CheckCase
    {
        const char* name;
        std::vector<juce::uint8> bytes;
        int exitStatus;
        const char* mustSay;
    };

    class CheckCommand  : public testing::TestWithParam<CheckCase>
    {
    protected:
        juce::TemporaryFile file { ".syx" };
    };

    void PrintTo (const CheckCase& c, std::ostream* os)   { *os << c.name; }

    const CheckCase checkCases[] =
    {
        { "clean",                { 0xf0, 0x01, 0xf7, 0xf0, 0xf7 },       0, "The whole image would be sent." },
        { "no F0 at the start",   { 0x90, 0x3c, 0x7f },                   1, "Upload failed: invalid SysEx data at byte 0" },
        { "garbage in between",   { 0xf0, 0xf7, 0x00, 0xf0, 0xf7 },       1, "Upload failed: invalid SysEx data at byte 2" },
        { "unterminated",         { 0xf0, 0x01, 0xf7, 0xf0, 0x02, 0x03 }, 1, "Upload failed: unterminated SysEx message at byte 3" },
    };

    TEST_P (CheckCommand, SaysWhetherTheWholeFileWouldBeSent)
    {
        const auto& c = GetParam();
        ASSERT_TRUE (file.getFile().replaceWithData (c.bytes.data(), c.bytes.size()));

        juce::MemoryOutputStream out;
        EXPECT_EQ (InformationCommands::check (file.getFile().getFullPathName(), out), c.exitStatus);
        EXPECT_TRUE (out.toString().contains (c.mustSay)) << out.toString();
        EXPECT_TRUE (out.toString().contains ("Bytes: " + juce::String ((int) c.bytes.size()))) << out.toString();
    }

    INSTANTIATE_TEST_SUITE_P (Files, CheckCommand, testing::ValuesIn (checkCases));
}

TEST (CheckCommandImages, TheBuiltInImageWouldBeSentWhole)
{
    juce::MemoryOutputStream out;
    EXPECT_EQ (InformationCommands::check ({}, out), 0);

    const auto text = out.toString();
    EXPECT_TRUE (text.contains ("Built-in firmware: Arvella version 1.2 - R688")) << text;
    EXPECT_TRUE (text.contains ("Messages: 544")) << text;
    EXPECT_TRUE (text.contains ("Bytes: 270959")) << text;
    EXPECT_TRUE (text.contains ("over USB: 163.2 s")) << text;                 // 544 x 300 ms
    EXPECT_TRUE (text.contains ("(3125 bytes/s): 249.9 s")) << text;           // + 270959 / 3125 s
}

TEST (CheckCommandImages, AMissingOrEmptyFileFails)
{
    juce::MemoryOutputStream missing;
    EXPECT_EQ (InformationCommands::check ("/nonexistent/arvella.syx", missing), 1);
    EXPECT_TRUE (missing.toString().contains ("File /nonexistent/arvella.syx not found"));

    juce::TemporaryFile empty;
    ASSERT_TRUE (empty.getFile().create());
    juce::MemoryOutputStream emptyOut;
    EXPECT_EQ (InformationCommands::check (empty.getFile().getFullPathName(), emptyOut), 1);
}

TEST (InformationCommandsDispatch, AnswersOnlyWhenTheFirstArgumentIsACommand)
{
    juce::MemoryOutputStream out;

    EXPECT_EQ (InformationCommands::run ({ "--version" }, out), 0);
    EXPECT_EQ (out.toString(), "Brevane 1.0\nBuilt-in firmware: Arvella version 1.2 - R688\n");

    EXPECT_FALSE (InformationCommands::run ({}, out).has_value());
    EXPECT_FALSE (InformationCommands::run ({ "--autoupdate", "--help" }, out).has_value());
    EXPECT_FALSE (InformationCommands::run ({ "--file", "--check" }, out).has_value());
}

TEST (InformationCommandsDispatch, CheckTakesTheRestOfTheLineAsThePath)
{
    juce::TemporaryFile folder;
    ASSERT_TRUE (folder.getFile().createDirectory());
    const auto file = folder.getFile().getChildFile ("my update.syx");
    const juce::uint8 bytes[] = { 0xf0, 0xf7 };
    ASSERT_TRUE (file.replaceWithData (bytes, sizeof (bytes)));

    juce::MemoryOutputStream out;
    EXPECT_EQ (InformationCommands::run ({ "--check", folder.getFile().getFullPathName() + "/my", "update.syx" }, out), 0)
        << out.toString();
    folder.getFile().deleteRecursively();
}

TEST (InformationCommandsDispatch, HelpNamesEveryOption)
{
    const auto text = InformationCommands::usage();

    for (auto* option : { "--file", "--autoupdate", "--outputid", "--inputid",
                          "--help", "--version", "--list-devices", "--check", "BREVANE_MIDI_SIM" })
        EXPECT_TRUE (text.contains (option)) << option;
}
