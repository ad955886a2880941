#include "InformationCommands.h"

#include "ui/ExitStatus.h"
#include "ui/CommandLineOptions.h"
#include "ui/ConsoleLine.h"
#include "ui/DeviceListText.h"
#include "device/MidiDeviceLayer.h"
#include "device/MidiWireTime.h"
#include "firmware/FirmwareDescription.h"
#include "firmware/FirmwareImage.h"
#include "firmware/ImageFingerprint.h"
#include "firmware/SysexFraming.h"
#include "protocol/UploadSteps.h"

#include <algorithm>

namespace InformationCommands
{
    namespace
    {
        juce::String seconds (double ms)
        {
            return juce::String (ms / 1000.0, 1) + " s";
        }

        juce::String bytes (int numBytes)
        {
            return juce::String (numBytes) + (numBytes == 1 ? " byte" : " bytes");
        }
    }

    juce::String usage()
    {
        return
            "Usage: brevane [options]\n"
            "\n"
            "Loads new firmware into the Arvella through a MIDI interface. Without options the\n"
            "window opens with the built-in firmware (" + FirmwareDescription::describe (BuiltInFirmwareImage()) + ").\n"
            "\n"
            "Options (found anywhere on the line, letters in any case):\n"
            "  --file PATH       send the SysEx file PATH instead of the built-in firmware.\n"
            "                    Everything after --file is the path, blanks included, so\n"
            "                    --file must come last.\n"
            "  --autoupdate      select the devices given by number, upload without a click\n"
            "                    and quit when done. Only the image the line names is sent:\n"
            "                    a file that cannot be sent whole, a device number that\n"
            "                    names no device, or a device that does not open ends the\n"
            "                    run before anything is sent. Runs without a display too.\n"
            "  --outputid N      with --autoupdate: the MIDI output device number, as listed\n"
            "                    by --list-devices (default 1). N must be a whole number\n"
            "                    from 1 up, given once.\n"
            "  --inputid N       with --autoupdate: the MIDI input device number (default 1).\n"
            "  --log FILE        append a plain-text record of the run to FILE for support:\n"
            "                    program, platform, MIDI system, command line, device,\n"
            "                    image and its SHA-256, every message with its times,\n"
            "                    every status and box, the outcome and exit status. FILE\n"
            "                    runs up to the next option (put --file after it). A\n"
            "                    directory, a symbolic link, a file that cannot be opened\n"
            "                    or a full disk ends the run before anything is sent\n"
            "                    (exit 2); a write that fails later never stops the upload.\n"
            "\n"
            "Information (anywhere on the line; the first one runs, nothing is sent and no\n"
            "window opens):\n"
            "  --help            this text.\n"
            "  --version         the program's version and its built-in firmware.\n"
            "  --list-devices    the MIDI devices with the numbers --outputid and --inputid take.\n"
            "  --check [PATH]    read a SysEx file (or the built-in firmware) as the upload\n"
            "                    would, and say whether all of it would be sent. With --file\n"
            "                    on the line, the file --file names is checked. Also prints\n"
            "                    the SHA-256, the shortest and longest message and how long\n"
            "                    the upload takes.\n"
            "\n"
            "An auto-update writes \"image: NAME version V, N bytes, M messages, sha256 HEX\",\n"
            "then \"status: TEXT\" and \"progress: P%, M min SS s left\" lines.\n"
            "\n"
            "Exit status of --autoupdate:\n"
            + ExitStatus::describeAll() +
            "An interactive start exits with 0, or 2 when it finds no display, cannot take\n"
            "the single-instance lock or cannot write its --log file.\n"
            "\n"
            "Before you update:\n"
            "  - close other MIDI programs and anything that sends MIDI clock;\n"
            "  - connect the interface directly, not through an unpowered hub;\n"
            "  - keep the computer from sleeping until the update has ended;\n"
            "  - check a file with --check and compare its SHA-256 with the maker's;\n"
            "  - if an update fails, start it again; the Help button shows the product's\n"
            "    own instructions.\n"
            "\n"
            "Without hardware: set BREVANE_MIDI_SIM to a folder to use simulated MIDI devices;\n"
            "the folder's outputs.txt lists them, and what is sent lands in output-<k>.syx.\n"
            "One instance runs per user (the lock is ~/.brevane.lock); BREVANE_LOCK_DIR names\n"
            "another folder for it.\n";
    }

    juce::String version()
    {
        BuiltInFirmwareImage image;
        return "Brevane " JUCE_APPLICATION_VERSION_STRING "\nBuilt-in firmware: " + FirmwareDescription::describe (image) + "\n";
    }

    int check (const juce::String& path, juce::OutputStream& out)
    {
        std::unique_ptr<FirmwareImage> image;

        if (path.isEmpty())
        {
            image = std::make_unique<BuiltInFirmwareImage>();
            out << "Built-in firmware: " << FirmwareDescription::describe (*image) << "\n";
        }
        else
        {
            auto fileImage = std::make_unique<FileFirmwareImage> (path);

            switch (fileImage->getOutcome())
            {
                case FirmwareFileReader::Outcome::read:
                    break;

                case FirmwareFileReader::Outcome::emptyFile:
                    out << ConsoleLine::escape (fileImage->getProblem()) << ": the built-in firmware would be sent instead\n";
                    return 1;

                default:
                    out << ConsoleLine::escape (fileImage->getProblem()) << "\n"
                        << "The file would not be sent.\n";
                    return 1;
            }

            out << "File: " << ConsoleLine::escape (FirmwareFileReader::resolve (path).getFullPathName()) << "\n";
            image = std::move (fileImage);
        }

        // The same scan the upload makes before its first message.
        const auto scan = SysexFraming::scan (image->getData(), image->getSize());
        const auto& lengths = scan.messageLengths;
        const auto messages = lengths.size();
        const bool whole = scan.fault == SysexFraming::Fault::none;

        out << "Messages: " << messages << (whole ? "" : " before the fault") << "\n"
            << "Bytes: " << image->getSize() << "\n"
            << "SHA-256: " << ImageFingerprint::sha256 (*image) << "\n";

        if (! whole)
        {
            out << UploadSteps::failedPrefix << SysexFraming::describe (scan.fault, scan.faultOffset) << "\n"
                << "Nothing would be sent: the whole image is checked before its first message.\n";
            return 1;
        }

        const auto shortest = std::min_element (lengths.begin(), lengths.end());
        const auto longest  = std::max_element (lengths.begin(), lengths.end());

        out << "Shortest message: " << bytes (*shortest) << " (message " << (int) (shortest - lengths.begin()) + 1 << ")\n"
            << "Longest message: " << bytes (*longest) << " (message " << (int) (longest - lengths.begin()) + 1 << ")\n";

        // The pace the upload keeps: over USB the driver takes the bytes at
        // once, over DIN each message also waits for its bytes to cross.
        const MidiWireTime pace;
        out << "Estimated upload time over USB: " << seconds (pace.messagesMs (lengths, 0, 0.0)) << "\n"
            << "Estimated upload time over MIDI DIN (" << (int) MidiWireTime::midiBytesPerSecond << " bytes/s): "
            << seconds (pace.messagesMs (lengths, 0)) << "\n";

        out << "The whole image would be sent.\n";
        return 0;
    }

    int listDevices (juce::OutputStream& out)
    {
        out << DeviceListText::describe (*createMidiDeviceLayer());
        return 0;
    }

    std::optional<int> run (const juce::StringArray& arguments, juce::OutputStream& out)
    {
        const auto line = CommandLineOptions::joinArguments (arguments);

        // Found anywhere, as whole words in any letter case, and the first one
        // on the line wins: a line that asks for information never also flashes
        // the device, whatever else it holds.
        const char* const keys[] = { "--help", "--version", "--list-devices", "--check" };
        const char* command = nullptr;
        int position = -1;

        for (const auto* key : keys)
        {
            const auto at = CommandLineRules::findWholeWordIgnoreCase (line, key);

            if (at >= 0 && (position < 0 || at < position))
            {
                command = key;
                position = at;
            }
        }

        if (command == nullptr)
            return {};

        const juce::String name (command);

        if (name == "--help")          { out << usage();   return 0; }
        if (name == "--version")       { out << version(); return 0; }
        if (name == "--list-devices")  return listDevices (out);

        // The file --file names, as the upload would take it; else what follows --check.
        const auto options = CommandLineOptions::read (line);

        if (options.fileRequested && options.strFile.isEmpty())
        {
            out << FirmwareFileReader::read ({}).describe ({}) << "\nThe file would not be sent.\n";
            return 1;
        }

        const auto path = options.fileRequested ? options.strFile
                                                : line.substring (position + name.length()).trim();
        return check (path, out);
    }
}
