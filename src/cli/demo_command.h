#pragma once

#include <ostream>

namespace mirovale {

// The headless demonstration: a fresh workbench, its alphabet, the first series of a fresh
// start, then noise and one joint detection and identification with the pulses it found.
// out : the readable listing
// err : message boxes, if any are shown
// returns 0, or 2 when the workbench could not make its series
int runDemo(std::ostream& out, std::ostream& err);

}  // namespace mirovale
