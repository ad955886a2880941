#include "MossecHelpWindowClass.h"

// One literal per line, so blanks at either end stay visible.
// After its first line the text speaks of "the amplifier" only.
const juce::String MossecHelpText (
    "Mossec - Application software load procedure. \n"
    "The load procedure requires a PC or Mac with a standard MIDI Interface. \n"
    " \n"
    "Your existing user presets should not be affected by the update, but we suggest that you make a safety backup as described in the user manual.\n"
    " \n"
    "IMPORTANT: Before starting the load procedure, please quit any MIDI related application on your PC or Mac. \n"
    " \n"
    "1. Connect the PC or Mac MIDI-Out to the Remote socket of the amplifier.\n"
    "2. Select the midi interface, to which the amplifier is connected,\n"
    "    from the list of output devices in the software update utility.\n"
    "3. Click the UPDATE button.\n"
    "4. IMPORTANT: After the upload has finished, you must reboot the amplifier by\n"
    "    turning it off for 10 seconds, then on again. \n"
    "5. You have now successfully uploaded the new application software to your amplifier. \n"
    "\n"
    "TROUBLE SHOOTING:\n"
    "\n"
    "- After otherwise successful load, the amplifier does not reboot: Turn the power off and retry load procedure.\n"
    "\n"
    "In case of persistent errors, turn the amplifier off for 10 seconds, then on again and retry the load procedure.\n"
    "\n"
    "For release notes and further information, please visit the amplifier pages on the Velmor web site: https://www.velmor.example/amplifiers\n");
