#include "QuendalHelpWindowClass.h"

// One literal per line, so blanks at either end stay visible.
// The Quendal is loaded from a PC only.
const juce::String QuendalHelpText (
    "Quendal Software load procedure. \n"
    "The load procedure requires a PC with a standard MIDI Interface. \n"
    " \n"
    "Your existing user presets should not be affected by the update, but we suggest that you make a safety backup as described in the user manual.\n"
    " \n"
    "IMPORTANT: Before starting the load procedure, please quit any MIDI related application on your PC. \n"
    " \n"
    "1. Connect the PC MIDI-Out to the Quendal MIDI-In socket.\n"
    "2. Select the midi interface, to which the Quendal is connected,\n"
    "   from the list of output devices in the software update utility.\n"
    "3. Click the UPDATE button.\n"
    "4. After the upload has finished, the Quendal reboots by itself.\n"
    "   Please wait up to 1 minute until the reboot is complete. \n"
    "5. You have now successfully uploaded the new application software to your Quendal. \n"
    "\n"
    "TROUBLE SHOOTING:\n"
    "\n"
    "- After otherwise successful load, the Quendal does not reboot: Turn the power off and retry load procedure.\n"
    "\n"
    "In case of persistent errors, disconnect the power cable to the Quendal for 10 seconds, then connect it again and retry the load procedure.\n"
    "\n");
