#include <gtest/gtest.h>

#include "firmware/FirmwareImage.h"

namespace
{
    class LoadedFirmwareFile  : public testing::Test
    {
    protected:
        juce::TemporaryFile folder;

        void SetUp() override   { ASSERT_TRUE (folder.getFile().createDirectory()); }
        void TearDown() override { folder.getFile().deleteRecursively(); }

        juce::File write (const juce::String& name, const juce::MemoryBlock& bytes)
        {
            auto file = folder.getFile().getChildFile (name);
            EXPECT_TRUE (file.create());   // replaceWithData would delete a file for no bytes
            EXPECT_TRUE (bytes.isEmpty() || file.replaceWithData (bytes.getData(), bytes.getSize()));
            return file;
        }

        static void expectUnusable (const FileFirmwareImage& image, FirmwareFileReader::Outcome outcome,
                                    const juce::String& problem)
        {
            EXPECT_EQ (image.getData(), nullptr);
            EXPECT_EQ (image.getOutcome(), outcome);
            EXPECT_EQ (image.getProblem(), problem);
            EXPECT_EQ (image.getProductName(), "");
        }
    };

    const juce::uint8 someBytes[] = { 0xf0, 0x7d, 0x01, 0xf7, 0x00, 0xff, 0xf0 };
}

TEST_F (LoadedFirmwareFile, HandsOverTheFilesBytesUnchanged)
{
    const juce::MemoryBlock bytes (someBytes, sizeof (someBytes));
    const auto file = write ("update.syx", bytes);

    FileFirmwareImage image (file.getFullPathName());

    ASSERT_NE (image.getData(), nullptr);
    EXPECT_EQ (juce::MemoryBlock (image.getData(), (size_t) image.getSize()), bytes);
    EXPECT_EQ (image.getProductName(), "update");
    EXPECT_EQ (image.getVersion(), 0.0);
    EXPECT_EQ (image.getRevision(), 0);
    EXPECT_EQ (image.getOutcome(), FirmwareFileReader::Outcome::read);
    EXPECT_EQ (image.getProblem(), "");
}

TEST_F (LoadedFirmwareFile, NamesTheProductUpToTheLastDot)
{
    const auto file = write ("arvella.v2.syx", juce::MemoryBlock (someBytes, sizeof (someBytes)));
    FileFirmwareImage image (file.getFullPathName());

    EXPECT_EQ (image.getProductName(), "arvella.v2");
}

TEST_F (LoadedFirmwareFile, ResolvesARelativePathAgainstTheWorkingDirectory)
{
    write ("relative.syx", juce::MemoryBlock (someBytes, sizeof (someBytes)));
    const auto previous = juce::File::getCurrentWorkingDirectory();
    folder.getFile().setAsCurrentWorkingDirectory();

    FileFirmwareImage image ("relative.syx");
    previous.setAsCurrentWorkingDirectory();

    ASSERT_NE (image.getData(), nullptr);
    EXPECT_EQ (image.getSize(), (int) sizeof (someBytes));
}

// The image shows nothing itself: it says what went wrong, in the path as given.
TEST_F (LoadedFirmwareFile, AFileThatCannotBeUsedLeavesTheImageEmptyAndSaysWhy)
{
    using Outcome = FirmwareFileReader::Outcome;
    const auto empty = write ("empty.syx", {}).getFullPathName();
    const auto missing = folder.getFile().getFullPathName() + "/no such file.syx";
    const auto directory = folder.getFile().getFullPathName();

    expectUnusable (FileFirmwareImage (empty), Outcome::emptyFile, "File " + empty + " is empty");
    expectUnusable (FileFirmwareImage (missing), Outcome::notFound, "File " + missing + " not found");
    expectUnusable (FileFirmwareImage (""), Outcome::notFound, "File  not found");
    expectUnusable (FileFirmwareImage (directory), Outcome::isDirectory,
                    "File " + directory + " cannot be read: Is a directory");
    expectUnusable (FileFirmwareImage ("/dev/zero"), Outcome::tooLarge, "File /dev/zero is larger than 16 MiB");
}

TEST_F (LoadedFirmwareFile, IsDestroyedThroughTheCommonType)
{
    const auto file = write ("owned.syx", juce::MemoryBlock (someBytes, sizeof (someBytes)));
    std::unique_ptr<FirmwareImage> image = std::make_unique<FileFirmwareImage> (file.getFullPathName());

    ASSERT_NE (image->getData(), nullptr);
    image.reset();   // the sanitizer build sees a leak of the buffer, if there is one
}
