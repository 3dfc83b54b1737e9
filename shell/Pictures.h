#pragma once

#include "framework/graphics/Picture.h"
#include "framework/runtime/Ref.h"

// The program's six pictures, each nil while its file cannot be loaded.
fw::Ref<fw::Picture> iFond();        // the main window's background
fw::Ref<fw::Picture> iCible();       // the target window's background
fw::Ref<fw::Picture> iDEL0();        // the lamp, off
fw::Ref<fw::Picture> iDEL1();        // the lamp, on
fw::Ref<fw::Picture> iClicGauche();  // the left-button segment's icon
fw::Ref<fw::Picture> iClicDroit();   // the right-button segment's icon
