#include "TivrinHelpWindowClass.h"

// One literal per line, so blanks at either end stay visible.
const juce::String TivrinHelpText (
    "Tivrin - Application software load procedure. \n"
    "The load procedure requires a PC or Mac with a standard MIDI Interface. \n"
    " \n"
    "Your existing user presets are not affected by the update.\n"
    " \n"
    "IMPORTANT: Before starting the load procedure, please quit any MIDI related application on your PC or Mac. \n"
    " \n"
    "1. Connect the PC or Mac MIDI-Out to the Tivrin MIDI socket.\n"
    "2. Select the midi interface, to which the Tivrin is connected,\n"
    "    from the list of output devices in the software update utility.\n"
    "3. Click the UPDATE button.\n"
    "4. After the upload has finished, the Tivrin reboots by itself.\n"
    "5. You have now successfully uploaded the new application software to your Tivrin. \n");
