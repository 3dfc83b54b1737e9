#pragma once

#include "framework/runtime/Properties.h"

// The design-property lists of the main window's controls, applied when each is created.
namespace scheduler::designs {

const fw::PropertyList& tDelai();
const fw::PropertyList& pbDelai();
const fw::PropertyList& lDecompte();
const fw::PropertyList& cDel();
const fw::PropertyList& scCliqueGaucheDroit();
const fw::PropertyList& sPlusOuMoins();
const fw::PropertyList& lPlusOuMoins();
const fw::PropertyList& udaSecondes();
const fw::PropertyList& sDiviseur();
const fw::PropertyList& rrCadreDelai();
const fw::PropertyList& lDelai();

}  // namespace scheduler::designs
