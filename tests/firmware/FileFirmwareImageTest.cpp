#include <gtest/gtest.h>

#include "ui/Alerts.h"
#include "firmware/FirmwareImage.h"

namespace
{
    class FileFirmwareImageTest  : public testing::Test
    {
    protected:
        juce::TemporaryFile folder;
        Alerts::ScopedCapture alerts;

        void SetUp() override   { ASSERT_TRUE (folder.getFile().createDirectory()); }
        void TearDown() override { folder.getFile().deleteRecursively(); }

        juce::File write (const juce::String& name, const juce::MemoryBlock& bytes)
        {
            auto file = folder.getFile().getChildFile (name);
            EXPECT_TRUE (file.create());   // replaceWithData would delete a file for no bytes
            EXPECT_TRUE (bytes.isEmpty() || file.replaceWithData (bytes.getData(), bytes.getSize()));
            return file;
        }

        void expectNotFoundBoxFor (const juce::String& path)
        {
            ASSERT_EQ (alerts.getShown().size(), 1u);
            const auto& box = alerts.getShown()[0];
            EXPECT_EQ (box.icon, juce::MessageBoxIconType::NoIcon);
            EXPECT_EQ (box.title, "File " + path + " not found");
            EXPECT_EQ (box.message, "A firmware file was specified, but it could not be found.\n"
                                    " The application will use the build-in firmware version.");
        }
    };

    const juce::uint8 someBytes[] = { 0xf0, 0x7d, 0x01, 0xf7, 0x00, 0xff, 0xf0 };
}

TEST_F (FileFirmwareImageTest, HandsOverTheFilesBytesUnchanged)
{
    const juce::MemoryBlock bytes (someBytes, sizeof (someBytes));
    const auto file = write ("update.syx", bytes);

    FileFirmwareImage image (file.getFullPathName());

    ASSERT_NE (image.getData(), nullptr);
    EXPECT_EQ (juce::MemoryBlock (image.getData(), (size_t) image.getSize()), bytes);
    EXPECT_EQ (image.getProductName(), "update");
    EXPECT_EQ (image.getVersion(), 0.0);
    EXPECT_EQ (image.getRevision(), 0);
    EXPECT_TRUE (alerts.getShown().empty());
}

TEST_F (FileFirmwareImageTest, NamesTheProductUpToTheLastDot)
{
    const auto file = write ("arvella.v2.syx", juce::MemoryBlock (someBytes, sizeof (someBytes)));
    FileFirmwareImage image (file.getFullPathName());

    EXPECT_EQ (image.getProductName(), "arvella.v2");
}

TEST_F (FileFirmwareImageTest, ResolvesARelativePathAgainstTheWorkingDirectory)
{
    write ("relative.syx", juce::MemoryBlock (someBytes, sizeof (someBytes)));
    const auto previous = juce::File::getCurrentWorkingDirectory();
    folder.getFile().setAsCurrentWorkingDirectory();

    FileFirmwareImage image ("relative.syx");
    previous.setAsCurrentWorkingDirectory();

    ASSERT_NE (image.getData(), nullptr);
    EXPECT_EQ (image.getSize(), (int) sizeof (someBytes));
}

TEST_F (FileFirmwareImageTest, AnEmptyFileLoadsNothingAndSaysNothing)
{
    const auto file = write ("empty.syx", {});
    FileFirmwareImage image (file.getFullPathName());

    EXPECT_EQ (image.getData(), nullptr);
    EXPECT_TRUE (alerts.getShown().empty());
}

TEST_F (FileFirmwareImageTest, AMissingFileIsReportedWithThePathAsGiven)
{
    const auto path = folder.getFile().getFullPathName() + "/no such file.syx";
    FileFirmwareImage image (path);

    EXPECT_EQ (image.getData(), nullptr);
    expectNotFoundBoxFor (path);
}

TEST_F (FileFirmwareImageTest, ADirectoryIsReportedAsNotFound)
{
    const auto path = folder.getFile().getFullPathName();
    FileFirmwareImage image (path);

    EXPECT_EQ (image.getData(), nullptr);
    expectNotFoundBoxFor (path);
}

TEST_F (FileFirmwareImageTest, AnEmptyPathIsAFileThatDoesNotExist)
{
    FileFirmwareImage image ("");

    EXPECT_EQ (image.getData(), nullptr);
    expectNotFoundBoxFor ("");
    EXPECT_EQ (alerts.getShown()[0].title, "File  not found");
}

TEST_F (FileFirmwareImageTest, IsDestroyedThroughTheCommonType)
{
    const auto file = write ("owned.syx", juce::MemoryBlock (someBytes, sizeof (someBytes)));
    std::unique_ptr<FirmwareImage> image = std::make_unique<FileFirmwareImage> (file.getFullPathName());

    ASSERT_NE (image->getData(), nullptr);
    image.reset();   // the sanitizer build sees a leak of the buffer, if there is one
}
