// What the window costs while the user leaves it alone: the program's main
// window on a simulated device, taken through the states a user leaves it in,
// with the CPU it uses in each, the CPU of an upload and the peak memory.
//
// JUCE's window on Linux wakes at the display's rate (100 Hz under Xvfb) for
// as long as it is on the desktop, whatever it shows, so a figure alone says
// little. Each state is measured side by side with a bare JUCE window
// (bench_bare_window) on the same display over the same seconds, and the
// ratio of the two is what is held to its target.
//
//   bench_idle [SECONDS]      each resting state measured for SECONDS (default 20)

#include "BareWindowProcess.h"
#include "BenchmarkSupport.h"
#include "ProcessUsage.h"
#include "app/MainWindow.h"
#include "firmware/FirmwareImage.h"
#include "firmware/SysexFraming.h"
#include "protocol/ProtocolBaseClass.h"
#include "protocol/UploadSteps.h"
#include "ui/ContentComp.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace
{
    using BenchmarkSupport::cpuSeconds;

    constexpr int uploadMessages = 10;
    constexpr double restRatioTarget = 1.1;     // CPU of the program / CPU of the bare window
    constexpr int slices = 5;                   // of each resting state
    const juce::String finalStatus = UploadSteps::powerCycleHint;

    long wakeUps()
    {
        return ProcessUsage::of (getpid()).wakeUps;
    }

    juce::String describeThreads (const ProcessUsage& used, double wall)
    {
        juce::StringArray threads;

        for (const auto& [name, woken] : used.wakeUpsByThread)
            threads.add (name + " " + juce::String (juce::roundToInt ((double) woken / wall)));

        return threads.joinIntoString (", ");
    }

    double nowSeconds()
    {
        return juce::Time::getMillisecondCounterHiRes() / 1000.0;
    }

    template <typename T>
    T* findChild (juce::Component& root, const std::function<bool (T&)>& matches = [] (T&) { return true; })
    {
        for (auto* child : root.getChildren())
        {
            if (auto* candidate = dynamic_cast<T*> (child))
                if (matches (*candidate))
                    return candidate;

            if (auto* below = findChild<T> (*child, matches))
                return below;
        }

        return nullptr;
    }

    /** The first messages of the built-in firmware, as a file to send. */
    juce::File writeShortImage (const juce::File& folder)
    {
        BuiltInFirmwareImage builtIn;
        const auto scan = SysexFraming::scan (builtIn.getData(), builtIn.getSize());

        int bytes = 0;
        for (int i = 0; i < uploadMessages; ++i)
            bytes += scan.messageLengths[i];

        auto file = folder.getChildFile ("bench.syx");
        file.replaceWithData (builtIn.getData(), (size_t) bytes);
        return file;
    }

    /** Steps run one after another inside the one message loop the program
        would run: JUCE's loop cannot be started twice, and a loop that is
        stepped from outside wakes every millisecond, which is what would be
        measured.
    */
    class Session  : private juce::ChangeListener
    {
    public:
        Session (MainWindow& w, BareWindowProcess& b, int secondsPerState)  : window (w), bare (b), seconds (secondsPerState) {}

        int run()
        {
            auto& panel = *window.getContentComp();
            auto& protocol = *panel.getProtocol();
            protocol.addChangeListener (this);

            after (2.0, [this] { measureRest ("just started", [this]
            {
                pickDevice();
                after (1.0, [this] { measureRest ("device picked", [this] { startUpload(); }); });
            }); });

            juce::MessageManager::getInstance()->runDispatchLoop();
            protocol.removeChangeListener (this);
            return failed ? 1 : 0;
        }

    private:
        void after (double delaySeconds, std::function<void()> step)
        {
            juce::Timer::callAfterDelay (juce::roundToInt (delaySeconds * 1000.0), std::move (step));
        }

        /** Both processes over the same seconds, in slices: a burst of the machine's
            other load lands on one of them more than on the other, and spoils the
            ratio of its slice only, so the median of the slices' ratios is held to
            the target. */
        void measureRest (const char* state, std::function<void()> next)
        {
            auto rest = std::make_shared<Rest>();
            rest->state = state;
            rest->next = std::move (next);
            rest->oursFirst = rest->oursLast = ProcessUsage::of (getpid());
            rest->bareFirst = rest->bareLast = ProcessUsage::of (bare.getPid());
            rest->started = nowSeconds();
            measureSlice (rest);
        }

        struct Rest
        {
            const char* state = nullptr;
            std::function<void()> next;
            ProcessUsage oursFirst, oursLast, bareFirst, bareLast;
            double started = 0;
            std::vector<double> sliceRatios;
        };

        void measureSlice (std::shared_ptr<Rest> rest)
        {
            after ((double) seconds / slices, [this, rest]
            {
                const auto ours = ProcessUsage::of (getpid());
                const auto floor = ProcessUsage::of (bare.getPid());
                const auto oursUsed = ours.since (rest->oursLast).cpuSeconds;
                const auto bareUsed = floor.since (rest->bareLast).cpuSeconds;

                if (bareUsed > 0)
                    rest->sliceRatios.push_back (oursUsed / bareUsed);

                rest->oursLast = ours;
                rest->bareLast = floor;

                if ((int) rest->sliceRatios.size() < slices && nowSeconds() - rest->started < seconds + 1.0)
                    measureSlice (rest);
                else
                    report (*rest);
            });
        }

        void report (Rest& rest)
        {
            const auto ours = rest.oursLast.since (rest.oursFirst);
            const auto floor = rest.bareLast.since (rest.bareFirst);
            const auto wall = nowSeconds() - rest.started;

            auto ratios = rest.sliceRatios;
            std::sort (ratios.begin(), ratios.end());
            const auto median = ratios.empty() ? 0.0 : ratios[ratios.size() / 2];

            std::printf ("at rest, %-18s ours %5.2f %% of a core, %4.0f wake-ups/s; bare %5.2f %%, %4.0f wake-ups/s; "
                         "ratio %4.2f, median of %d slices %4.2f (target <= %.1f)%s\n",
                         rest.state, 100.0 * ours.cpuSeconds / wall, (double) ours.wakeUps / wall,
                         100.0 * floor.cpuSeconds / wall, (double) floor.wakeUps / wall,
                         floor.cpuSeconds > 0 ? ours.cpuSeconds / floor.cpuSeconds : 0.0,
                         (int) ratios.size(), median, restRatioTarget, median <= restRatioTarget ? "" : "  ABOVE TARGET");
            std::printf ("    wake-ups/s by thread: ours %s; bare %s\n",
                         describeThreads (ours, wall).toRawUTF8(), describeThreads (floor, wall).toRawUTF8());
            std::fflush (stdout);
            rest.next();
        }

        void pickDevice()
        {
            auto* selector = findChild<juce::ComboBox> (*window.getContentComp());
            selector->setSelectedId (1, juce::sendNotificationSync);
        }

        void startUpload()
        {
            auto* update = findChild<juce::TextButton> (*window.getContentComp(), [] (juce::TextButton& b)
            {
                return b.getButtonText() == "update";
            });

            if (! update->isEnabled())
            {
                std::fprintf (stderr, "the simulated device did not open\n");
                finish (true);
                return;
            }

            uploadCpuBefore = cpuSeconds();
            uploadSwitchesBefore = wakeUps();
            uploadStarted = nowSeconds();
            uploading = true;
            update->triggerClick();
        }

        void changeListenerCallback (juce::ChangeBroadcaster*) override
        {
            auto& protocol = *window.getContentComp()->getProtocol();

            if (uploading && protocol.getProgress() == 1.0)
            {
                uploading = false;
                const auto cpu = cpuSeconds() - uploadCpuBefore;
                const auto wall = nowSeconds() - uploadStarted;
                const auto label = "upload of " + juce::String (uploadMessages) + " messages";
                std::printf ("%-31s %6.2f %% of a core (%.3f CPU s in %.1f s), %5.0f wake-ups/s\n",
                             label.toRawUTF8(), 100.0 * cpu / wall, cpu, wall,
                             (double) (wakeUps() - uploadSwitchesBefore) / wall);
                std::fflush (stdout);
            }

            if (protocol.getStatus() == finalStatus && ! closingStepsDone)
            {
                closingStepsDone = true;

                // Status changes arrive on the message thread; carry on from there.
                juce::MessageManager::callAsync ([this]
                {
                    after (1.0, [this] { measureRest ("after an upload", [this] { openHelp(); }); });
                });
            }
            else if (protocol.lastRunFailed())
            {
                std::fprintf (stderr, "the upload failed: %s\n", protocol.getStatus().toRawUTF8());
                juce::MessageManager::callAsync ([this] { finish (true); });
            }
        }

        void openHelp()
        {
            auto* help = findChild<juce::TextButton> (*window.getContentComp(), [] (juce::TextButton& b)
            {
                return b.getButtonText() == "Help";
            });

            help->triggerClick();

            if (! bare.openSecondWindow())
            {
                std::fprintf (stderr, "the bare window did not open its second window\n");
                finish (true);
                return;
            }

            after (1.0, [this] { measureRest ("help window open", [this] { finish (false); }); });
        }

        void finish (bool withFault)
        {
            failed = withFault;
            juce::MessageManager::getInstance()->stopDispatchLoop();
        }

        MainWindow& window;
        BareWindowProcess& bare;
        const int seconds;
        double uploadCpuBefore = 0, uploadStarted = 0;
        long uploadSwitchesBefore = 0;
        bool uploading = false, closingStepsDone = false, failed = false;
    };
}

int main (int argc, char* argv[])
{
    const auto seconds = argc > 1 ? juce::jmax (1, std::atoi (argv[1])) : 20;

    juce::ScopedJuceInitialiser_GUI juce;

    BareWindowProcess bare;

    if (! bare.waitUntilShown())
    {
        std::fprintf (stderr, "the bare window (bench_bare_window) did not start\n");
        return 1;
    }

    juce::TemporaryFile folder;
    folder.getFile().createDirectory();
    folder.getFile().getChildFile ("outputs.txt").replaceWithText ("Benchmark Out\n");
    setenv ("BREVANE_MIDI_SIM", folder.getFile().getFullPathName().toRawUTF8(), 1);
    const auto image = writeShortImage (folder.getFile());

    // As the application builds its window.
    auto window = std::make_unique<MainWindow> ("--file " + image.getFullPathName());
    window->centreWithSize (650, 400);
    window->setVisible (true);
    window->setResizeLimits (650, 400, 650, 400);

    const auto status = Session (*window, bare, seconds).run();

    if (auto* protocol = window->getContentComp()->getProtocol())
    {
        protocol->signalThreadShouldExit();
        protocol->waitForThreadToExit (6000);
    }

    window = nullptr;

    rusage usage {};
    getrusage (RUSAGE_SELF, &usage);
    std::printf ("%-31s %6.1f MB (target <= 30 MB)\n", "peak memory of the session", usage.ru_maxrss / 1024.0);
    folder.getFile().deleteRecursively();
    return status;
}
