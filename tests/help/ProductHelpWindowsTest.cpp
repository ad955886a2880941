#include <gtest/gtest.h>

#include "ui/TemplateLookAndFeel.h"

#include <functional>
#include <memory>

#include "help/ArvellaHelpWindowClass.h"
#include "help/HobarnHelpWindowClass.h"
#include "help/LunderHelpWindowClass.h"
#include "help/MossecHelpWindowClass.h"
#include "help/OstrelHelpWindowClass.h"
#include "help/PelmoHelpWindowClass.h"
#include "help/QuendalHelpWindowClass.h"
#include "help/SafferHelpWindowClass.h"
#include "help/TivrinHelpWindowClass.h"
#include "HelpWindowParts.h"

namespace
{
    struct Family
    {
        const char* product;
        std::function<std::unique_ptr<HelpWindowbaseClass>()> createWindow;
        const juce::String* text;
        const char* firstLine;
        const char* standardInterface;   // the phrase that names the interface
        const char* restartStep;         // how the product comes back after the upload
        bool mentionsMac;
        bool asksToQuitMidiApplications;
        bool hasTroubleShooting;
        bool endsWithReleaseNotes;
        bool callsItTheAmplifier;        // named only in the first line
        const char* separatorLine;       // the line between the opening paragraphs
        int continuationIndent;          // blanks before a step's second line
    };

    template <typename Window>
    std::unique_ptr<HelpWindowbaseClass> create()
    {
        return std::make_unique<Window>();
    }

    const Family families[] =
    {
        { "Pelmo", create<PelmoHelpWindowClass>, &PelmoHelpText,
          "Pelmo - Application software load procedure. ", "standard MIDI Interface",
          "reboots by itself", true, true, true, true, false, " ", 4 },
        { "Ostrel", create<OstrelHelpWindowClass>, &OstrelHelpText,
          "Ostrel - Application software load procedure. ", "standard MIDI Interface",
          "wait for the update to finish", true, true, true, true, false, " ", 4 },
        { "Quendal", create<QuendalHelpWindowClass>, &QuendalHelpText,
          "Quendal Software load procedure. ", "standard MIDI Interface",
          "reboots by itself", false, true, true, false, false, " ", 3 },
        { "Tivrin", create<TivrinHelpWindowClass>, &TivrinHelpText,
          "Tivrin - Application software load procedure. ", "standard MIDI Interface",
          "reboots by itself", true, true, false, false, false, " ", 4 },
        { "Arvella", create<ArvellaHelpWindowClass>, &ArvellaHelpText,
          "Arvella - Application software load procedure. ", "standard MIDI Interface",
          "disconnecting the power cable to the Arvella for 10 seconds", true, true, true, true, false, " ", 4 },
        { "Mossec", create<MossecHelpWindowClass>, &MossecHelpText,
          "Mossec - Application software load procedure. ", "standard MIDI Interface",
          "turning it off for 10 seconds, then on again", true, true, true, true, true, " ", 4 },
        { "Lunder", create<LunderHelpWindowClass>, &LunderHelpText,
          "Lunder - Application Software Load Procedure. ", "standard USB Interface",
          "follow the instructions on the Lunder display", true, false, true, true, false, "", 4 },
        { "Saffer", create<SafferHelpWindowClass>, &SafferHelpText,
          "Saffer - Application Software Load Procedure. ", "standard USB Interface",
          "follow the instructions on the Saffer display", true, true, true, true, false, "", 4 },
        { "Hobarn", create<HobarnHelpWindowClass>, &HobarnHelpText,
          "Hobarn - Application software load procedure. ", "standard MIDI Interface",
          "turning it off for 10 seconds, then on again", true, true, true, true, true, " ", 4 },
    };

    class ProductHelpFamily : public ::testing::TestWithParam<Family>
    {
    protected:
        const juce::String& text() const                { return *GetParam().text; }
        juce::StringArray lines() const                 { return HelpWindowParts::splitLines (text()); }
        juce::String product() const                    { return GetParam().product; }
    };

    void PrintTo (const Family& family, std::ostream* out)
    {
        *out << family.product;
    }

    std::string familyName (const ::testing::TestParamInfo<Family>& info)
    {
        return info.param.product;
    }
}

TEST_P (ProductHelpFamily, ConstructsHiddenOnTheDesktopWithTheSharedFrame)
{
    const auto window = GetParam().createWindow();

    EXPECT_EQ (window->getName(), " " + product() + " update help ");
    EXPECT_TRUE (window->isOnDesktop());
    EXPECT_FALSE (window->isVisible());

    EXPECT_EQ (window->getBackgroundColour(), juce::Colour (0xffeff2f3));
    EXPECT_EQ (window->findColour (TemplateLookAndFeel::secondWindowColourId), juce::Colour (0xff3273a1));

    EXPECT_NE (window->getMinimiseButton(), nullptr);
    EXPECT_NE (window->getMaximiseButton(), nullptr);
    EXPECT_NE (window->getCloseButton(), nullptr);

    EXPECT_TRUE (window->isResizable());
    EXPECT_NE (ComponentFinder::findChild<juce::ResizableBorderComponent> (*window), nullptr);
    EXPECT_EQ (ComponentFinder::findChild<juce::ResizableCornerComponent> (*window), nullptr);
}

TEST_P (ProductHelpFamily, ShowsItsOwnTextReadOnly)
{
    const auto window = GetParam().createWindow();
    auto* editor = HelpWindowParts::findEditor (*window);
    ASSERT_NE (editor, nullptr);

    EXPECT_EQ (editor->getText(), text());
    EXPECT_TRUE (editor->isReadOnly());
    EXPECT_TRUE (editor->isMultiLine());
}

TEST_P (ProductHelpFamily, TextIsAsciiWithLineFeedsOnly)
{
    const auto* bytes = text().toRawUTF8();
    const auto numBytes = text().getNumBytesAsUTF8();

    for (size_t i = 0; i < numBytes; ++i)
    {
        const auto c = (unsigned char) bytes[i];
        EXPECT_TRUE (c == '\n' || (c >= 0x20 && c < 0x7f)) << "byte " << (int) c << " at " << i;
    }

    EXPECT_FALSE (text().containsChar ('\r'));
    EXPECT_TRUE (text().endsWithChar ('\n')) << "every line ends with a line feed";
}

TEST_P (ProductHelpFamily, TextFollowsTheActivePattern)
{
    const auto& family = GetParam();
    const auto allLines = lines();

    EXPECT_TRUE (text().startsWith (product())) << "names its product first";
    EXPECT_EQ (allLines[0], juce::String (family.firstLine));
    EXPECT_TRUE (allLines[1].contains (family.standardInterface)) << allLines[1];
    EXPECT_TRUE (text().contains ("user presets"));
    EXPECT_EQ (allLines[2], juce::String (family.separatorLine));
    EXPECT_TRUE (text().contains ("\n1. ") && text().contains ("\n2. ") && text().contains ("\n3. "))
        << "numbered steps";
    EXPECT_TRUE (text().contains (family.restartStep)) << family.restartStep;

    EXPECT_EQ (text().contains ("Mac"), family.mentionsMac);
    EXPECT_EQ (text().contains ("quit any MIDI related application"), family.asksToQuitMidiApplications);
    EXPECT_EQ (allLines.contains ("TROUBLE SHOOTING:"), family.hasTroubleShooting);
}

TEST_P (ProductHelpFamily, ContinuationLinesKeepTheirIndent)
{
    const auto indent = juce::String::repeatedString (" ", GetParam().continuationIndent);

    for (const auto& line : lines())
    {
        if (line.startsWithChar (' ') && line.trim().isNotEmpty())
        {
            EXPECT_TRUE (line.startsWith (indent)) << line;
            EXPECT_NE (line[indent.length()], ' ') << line;
        }
    }
}

TEST_P (ProductHelpFamily, LastLinePointsToReleaseNotesWhenItHasOne)
{
    const auto& family = GetParam();
    const auto allLines = lines();
    const auto lastLine = allLines[allLines.size() - 1];

    EXPECT_EQ (lastLine.contains ("release notes"), family.endsWithReleaseNotes) << lastLine;

    if (family.endsWithReleaseNotes)
    {
        const auto host = lastLine.fromFirstOccurrenceOf ("https://", false, false)
                                  .upToFirstOccurrenceOf ("/", false, false);
        EXPECT_TRUE (host.endsWith (".example")) << "no real site is named: " << lastLine;
    }
}

INSTANTIATE_TEST_SUITE_P (AllNine, ProductHelpFamily, ::testing::ValuesIn (families), familyName);

//==============================================================================
// What sets single rows apart from the active text.

TEST (ProductHelpRows, PelmoEntersUpdateModeOnTheProductInsteadOfSelectingTheInterface)
{
    EXPECT_FALSE (PelmoHelpText.contains ("Select the midi interface"));
    EXPECT_TRUE (PelmoHelpText.contains ("while powering up the Pelmo"));
    EXPECT_TRUE (PelmoHelpText.contains ("running light"));
    EXPECT_TRUE (PelmoHelpText.contains ("up to 1 minute"));
    EXPECT_TRUE (PelmoHelpText.contains ("\n- The MIDI LED does not turn on"));
}

TEST (ProductHelpRows, OstrelTroubleShootingIsOnlyThePersistentErrorsLine)
{
    const auto afterHeading = OstrelHelpText.fromFirstOccurrenceOf ("TROUBLE SHOOTING:\n\n", false, false);

    EXPECT_TRUE (afterHeading.startsWith ("In case of persistent errors"));
    EXPECT_FALSE (afterHeading.contains ("\n- "));
    EXPECT_FALSE (OstrelHelpText.contains ("reboot"));
    EXPECT_TRUE (HelpWindowParts::splitLines (OstrelHelpText).strings.getLast().contains ("support"));
}

TEST (ProductHelpRows, QuendalIsLoadedFromAPcAndEndsWithThePersistentErrorsLine)
{
    const auto lines = HelpWindowParts::splitLines (QuendalHelpText);

    EXPECT_TRUE (QuendalHelpText.startsWith ("Quendal Software load procedure. "));
    EXPECT_FALSE (QuendalHelpText.contains (" - Application"));
    EXPECT_TRUE (QuendalHelpText.contains ("\n1. Connect the PC "));
    EXPECT_TRUE (QuendalHelpText.contains ("up to 1 minute"));

    ASSERT_GE (lines.size(), 2);
    EXPECT_EQ (lines[lines.size() - 1], "");
    EXPECT_TRUE (lines[lines.size() - 2].startsWith ("In case of persistent errors"));
}

TEST (ProductHelpRows, TivrinEndsAfterTheSuccessLineWithoutBackupAdvice)
{
    const auto lines = HelpWindowParts::splitLines (TivrinHelpText);

    EXPECT_TRUE (TivrinHelpText.contains ("MIDI socket"));
    EXPECT_TRUE (TivrinHelpText.contains ("not affected"));
    EXPECT_FALSE (TivrinHelpText.containsIgnoreCase ("backup"));
    EXPECT_TRUE (lines[lines.size() - 1].contains ("successfully uploaded"));
}

TEST (ProductHelpRows, UsbProductsUseARegularUsbCableAndEmptySeparatorLines)
{
    for (const auto* text : { &LunderHelpText, &SafferHelpText })
    {
        const auto lines = HelpWindowParts::splitLines (*text);

        EXPECT_TRUE (text->contains ("regular USB cable"));
        EXPECT_FALSE (text->contains ("MIDI-Out"));
        EXPECT_TRUE (text->contains ("global settings and user presets"));
        EXPECT_TRUE (text->contains ("UPDATE button in the window of the software update utility"));
        EXPECT_FALSE (lines.contains (" ")) << "empty lines instead of one-blank lines";
        EXPECT_TRUE (lines[lines.size() - 1].contains ("product page"));
        EXPECT_TRUE (lines[lines.size() - 1].endsWith (".example/products/" + lines[0].upToFirstOccurrenceOf (" ", false, false).toLowerCase() + "  "))
            << "ends with two blanks: [" << lines[lines.size() - 1] << "]";
    }
}

TEST (ProductHelpRows, AnAmplifierIsNamedOnlyInTheFirstLine)
{
    int numAmplifiers = 0;

    for (const auto& family : families)
    {
        if (! family.callsItTheAmplifier)
            continue;

        SCOPED_TRACE (family.product);
        ++numAmplifiers;

        const auto& text = *family.text;
        const auto lines = HelpWindowParts::splitLines (text);
        EXPECT_TRUE (text.contains ("the amplifier"));

        const auto persistentErrors = text.fromFirstOccurrenceOf ("\nIn case of persistent errors", false, false)
                                          .upToFirstOccurrenceOf ("\n", false, false);
        EXPECT_TRUE (persistentErrors.contains ("turn the amplifier off for 10 seconds")) << persistentErrors;

        for (int i = 1; i < lines.size(); ++i)
            EXPECT_FALSE (lines[i].contains (family.product)) << "line " << (i + 1) << ": " << lines[i];
    }

    EXPECT_EQ (numAmplifiers, 2);
}

TEST (ProductHelpRows, HobarnIsTheMossecTextWithItsOwnName)
{
    EXPECT_EQ (HobarnHelpText, MossecHelpText.replace ("Mossec", "Hobarn"));
    EXPECT_FALSE (HobarnHelpText.contains ("Mossec"));
}

TEST (ProductHelpRows, SafferIsTheLunderTextWithTheRequestToQuitMidiApplications)
{
    const auto quitLine = juce::String ("IMPORTANT: Before starting the load procedure, please quit any MIDI related application on your PC or Mac. \n\n");
    const auto withoutQuitLine = SafferHelpText.replace (quitLine, "");

    EXPECT_TRUE (SafferHelpText.contains (quitLine));
    EXPECT_EQ (withoutQuitLine.replace ("Saffer", "Lunder").replace ("saffer", "lunder"), LunderHelpText);
}
