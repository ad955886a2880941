#include <gtest/gtest.h>

#include "app/InformationCommands.h"

#include <functional>

#include <fcntl.h>
#include <unistd.h>

namespace
{
    /** What --check says of a file and its exit status; PATH stands for the path. */
    struct CheckCase
    {
        const char* name;
        std::function<juce::String (const juce::File& folder)> makePath;
        int exitStatus;
        const char* says;
    };

    void PrintTo (const CheckCase& c, std::ostream* os)   { *os << c.name; }

    juce::String fileOf (const juce::File& folder, std::vector<juce::uint8> bytes)
    {
        const auto file = folder.getChildFile ("update.syx");
        file.create();   // replaceWithData would delete a file for no bytes

        if (! bytes.empty())
            file.replaceWithData (bytes.data(), bytes.size());

        return file.getFullPathName();
    }

    const char* const refused = "Nothing would be sent: the whole image is checked before its first message.\n";

    const CheckCase checkCases[] =
    {
        { "clean", [] (auto& f) { return fileOf (f, { 0xf0, 0x01, 0xf7, 0xf0, 0xf7 }); }, 0,
          "File: PATH\n"
          "Messages: 2\n"
          "Bytes: 5\n"
          "SHA-256: eb9359e914c2dca902316013dc5195978bf6f7c57be18487af2f0a976f44afbe\n"
          "Shortest message: 2 bytes (message 2)\n"
          "Longest message: 3 bytes (message 1)\n"
          "Estimated upload time over USB: 0.6 s\n"
          "Estimated upload time over MIDI DIN (3125 bytes/s): 0.6 s\n"
          "The whole image would be sent.\n" },
        { "no F0 at the start", [] (auto& f) { return fileOf (f, { 0x90, 0x3c, 0x7f }); }, 1,
          "File: PATH\nMessages: 0 before the fault\nBytes: 3\n"
          "SHA-256: ba887df92343c3162e293b80039fa547cfcd4ef7f91150c17d0078085d72fe01\n"
          "Upload failed: invalid SysEx data at byte 0\n" },
        { "garbage in between", [] (auto& f) { return fileOf (f, { 0xf0, 0xf7, 0x00, 0xf0, 0xf7 }); }, 1,
          "File: PATH\nMessages: 1 before the fault\nBytes: 5\n"
          "SHA-256: 1ba730d062a56573a7a727ee702909e94b052b25b7d3c058d495726c7f53b79b\n"
          "Upload failed: invalid SysEx data at byte 2\n" },
        { "unterminated", [] (auto& f) { return fileOf (f, { 0xf0, 0x01, 0xf7, 0xf0, 0x02, 0x03 }); }, 1,
          "File: PATH\nMessages: 1 before the fault\nBytes: 6\n"
          "SHA-256: 49cec325aea47b4e88f27c915cd3a70f781ca0c4208bc1646a8db5ce8954cffa\n"
          "Upload failed: unterminated SysEx message at byte 3\n" },
        { "high byte inside", [] (auto& f) { return fileOf (f, { 0xf0, 0x01, 0xf7, 0xf0, 0x02, 0xf8, 0xf7 }); }, 1,
          "File: PATH\nMessages: 1 before the fault\nBytes: 7\n"
          "SHA-256: ba0052c2739c62d68b65d8732bfcdaec1e6759b895c6dd8c17ae88eb8e3e1241\n"
          "Upload failed: invalid SysEx data at byte 5\n" },
        { "empty file", [] (auto& f) { return fileOf (f, {}); }, 1,
          "File PATH is empty: the built-in firmware would be sent instead\n" },
        { "missing file", [] (auto& f) { return f.getChildFile ("absent.syx").getFullPathName(); }, 1,
          "File PATH not found\nThe file would not be sent.\n" },
        { "directory", [] (auto& f) { return f.getFullPathName(); }, 1,
          "File PATH cannot be read: Is a directory\nThe file would not be sent.\n" },
        { "/dev/zero", [] (auto&) { return juce::String ("/dev/zero"); }, 1,
          "File PATH is larger than 16 MiB\nThe file would not be sent.\n" },
        { "sparse 3 GB file", [] (auto& f)
          {
              const auto path = f.getChildFile ("huge.syx").getFullPathName();
              const auto fd = ::open (path.toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
              [[maybe_unused]] const auto resized = ::ftruncate (fd, (off_t) 3000000000LL);
              ::close (fd);
              return path;
          }, 1,
          "File PATH is larger than 16 MiB\nThe file would not be sent.\n" },
        { "pipe", [] (auto&)
          {
              // As a shell's <(...) names it; the writer has written and gone.
              int ends[2];
              [[maybe_unused]] const auto made = ::pipe (ends);
              const juce::uint8 bytes[] = { 0xf0, 0x7d, 0x01, 0xf7 };
              [[maybe_unused]] const auto written = ::write (ends[1], bytes, sizeof (bytes));
              ::close (ends[1]);
              return "/dev/fd/" + juce::String (ends[0]);
          }, 0,
          "File: PATH\nMessages: 1\nBytes: 4\n"
          "SHA-256: f81528a8e4da9f2a20d3b078d795d6c97ccbd1f2aa994ca6ab707e7656d525e2\n"
          "Shortest message: 4 bytes (message 1)\nLongest message: 4 bytes (message 1)\n"
          "Estimated upload time over USB: 0.3 s\n"
          "Estimated upload time over MIDI DIN (3125 bytes/s): 0.3 s\n"
          "The whole image would be sent.\n" },
    };

    class CheckCommand  : public testing::TestWithParam<CheckCase>
    {
    protected:
        void SetUp() override      { ASSERT_TRUE (folder.getFile().createDirectory()); }
        void TearDown() override   { folder.getFile().deleteRecursively(); }

        juce::TemporaryFile folder;
    };

    TEST_P (CheckCommand, SaysWhatTheUploadWouldDoAndExitsAccordingly)
    {
        const auto& c = GetParam();
        const auto path = c.makePath (folder.getFile());

        juce::MemoryOutputStream out;
        EXPECT_EQ (InformationCommands::check (path, out), c.exitStatus);

        juce::String expected (c.says);

        if (expected.contains ("Upload failed"))
            expected << refused;

        EXPECT_EQ (out.toString(), expected.replace ("PATH", path));

        if (path.startsWith ("/dev/fd/"))
            ::close (path.fromLastOccurrenceOf ("/", false, false).getIntValue());
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
    EXPECT_TRUE (text.contains ("SHA-256: 873758150ad9be5ce29dc34b6a550e58c3046a80500e16cc16e2145902171ac4\n")) << text;
    EXPECT_TRUE (text.contains ("Shortest message: 9 bytes (message 1)\n")) << text;
    EXPECT_TRUE (text.contains ("Longest message: 537 bytes (message 4)\n")) << text;
    EXPECT_TRUE (text.contains ("over USB: 163.2 s")) << text;                 // 544 x 300 ms
    EXPECT_TRUE (text.contains ("(3125 bytes/s): 249.9 s")) << text;           // + 270959 / 3125 s
}

TEST (InformationCommandsDispatch, AnInformationOptionAnywhereAnswersAndNothingElseRuns)
{
    struct Case
    {
        juce::StringArray arguments;
        int exitStatus;
        const char* startsWith;
    };

    const Case cases[] =
    {
        { { "--version" },                                  0, "Brevane " JUCE_APPLICATION_VERSION_STRING "\nBuilt-in firmware: Arvella" },
        { { "--autoupdate", "--help" },                     0, "Usage: brevane" },
        { { "--autoupdate", "--outputid", "2", "--VERSION" }, 0, "Brevane " },
        { { "--autoupdate", "--check" },                    0, "Built-in firmware: Arvella" },
        { { "--autoupdate", "--list-devices" },             0, "MIDI output devices (--outputid):" },
        // The first one on the line wins.
        { { "--help", "--check" },                          0, "Usage: brevane" },
        { { "--check", "--help" },                          1, "File --help not found\n" },
        { { "--version", "--check", "/no/such.syx" },       0, "Brevane " },
        // With --file, --check checks the file the upload would send.
        { { "--autoupdate", "--check", "--file", "/no/such file.syx" }, 1, "File /no/such file.syx not found\n" },
        { { "--file", "--check" },                          1, "File --check not found\n" },
        { { "--check", "--file" },                          1, "File  not found\n" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.arguments.joinIntoString (" "));
        juce::MemoryOutputStream out;
        EXPECT_EQ (InformationCommands::run (c.arguments, out), std::optional<int> (c.exitStatus));
        EXPECT_TRUE (out.toString().startsWith (c.startsWith)) << out.toString();
    }

    for (const auto& arguments : { juce::StringArray(), juce::StringArray { "--helpme" },
                                    juce::StringArray { "--autoupdate", "--file", "/a/my--help.syx" },
                                    juce::StringArray { "--autoupdate", "--checkout" } })
    {
        juce::MemoryOutputStream out;
        EXPECT_FALSE (InformationCommands::run (arguments, out).has_value()) << arguments.joinIntoString (" ");
    }
}

TEST (InformationCommandsDispatch, CommandsMatchInAnyLetterCase)
{
    for (auto* command : { "--HELP", "--Version", "--Check" })
    {
        juce::MemoryOutputStream out;
        EXPECT_EQ (InformationCommands::run ({ command }, out), 0) << command;
        EXPECT_TRUE (out.getDataSize() > 0) << command;
    }
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
