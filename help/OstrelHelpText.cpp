#include "OstrelHelpWindowClass.h"

// One literal per line, so blanks at either end stay visible.
const juce::String OstrelHelpText (
    "Ostrel - Application software load procedure. \n"
    "The load procedure requires a PC or Mac with a standard MIDI Interface. \n"
    " \n"
    "Your existing user presets should not be affected by the update, but we suggest that you make a safety backup as described in the user manual.\n"
    " \n"
    "IMPORTANT: Before starting the load procedure, please quit any MIDI related application on your PC or Mac. \n"
    " \n"
    "1. Connect the PC or Mac MIDI-Out to the Ostrel MIDI-In socket.\n"
    "2. Select the midi interface, to which the Ostrel is connected,\n"
    "    from the list of output devices in the software update utility.\n"
    "3. Click the UPDATE button and wait for the update to finish.\n"
    "4. You have now successfully uploaded the new application software to your Ostrel. \n"
    "\n"
    "TROUBLE SHOOTING:\n"
    "\n"
    "In case of persistent errors, disconnect the power cable to the Ostrel for 10 seconds, then connect it again and retry the load procedure.\n"
    "\n"
    "For support and release notes, please visit the Ostrel pages on the Velmor web site: https://www.velmor.example/ostrel\n");
