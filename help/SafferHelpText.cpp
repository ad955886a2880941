#include "SafferHelpWindowClass.h"

// One literal per line, so blanks at either end stay visible.
const juce::String SafferHelpText (
    "Saffer - Application Software Load Procedure. \n"
    "The load procedure requires a PC or Mac with a standard USB Interface. \n"
    "\n"
    "Your existing global settings and user presets should not be affected by the update, but we suggest that you make a safety backup as described in the user manual.\n"
    "\n"
    "IMPORTANT: Before starting the load procedure, please quit any MIDI related application on your PC or Mac. \n"
    "\n"
    "1. Connect the PC or Mac to the Saffer USB socket with a regular USB cable.\n"
    "2. Select the Saffer from the list of output devices in the software update utility.\n"
    "3. Click the UPDATE button in the window of the software update utility.\n"
    "4. After the upload has finished, follow the instructions on the Saffer display.\n"
    "5. You have now successfully uploaded the new application software to your Saffer. \n"
    "\n"
    "TROUBLE SHOOTING:\n"
    "\n"
    "- After otherwise successful load, the Saffer does not restart: Turn the power off and retry load procedure.\n"
    "\n"
    "In case of persistent errors, disconnect the USB cable and the power cable from the Saffer for 10 seconds, then connect them again and retry the load procedure.\n"
    "\n"
    "For release notes, please visit the Saffer product page on the Velmor web site: https://www.velmor.example/products/saffer  \n");
