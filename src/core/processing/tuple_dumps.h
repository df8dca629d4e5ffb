#pragma once

#include <cstdint>

#include "core/host/host.h"
#include "core/processing/interval_list.h"
#include "core/processing/unknown_number_chains.h"

namespace mirovale {

// The debugging dumps of the unknown-number tuple routines, each one message box captioned
// " About TuplesDetection " and cut to the 4999 characters its buffer holds. Per start of the
// set: the smallest negative score in full, other negative scores "-", the rest "+", each
// followed by "[p]" when its back link p is a start.
// unreachable : the routine's U, where the search for the smallest score starts

// "omega_minus - omega_tilda:", the intervals of F \ M, and the symbols of layer 0 over them.
void dumpFirstOnly(Host& host, const IntervalList* firstOnly, const LayerTable& table,
                   std::int64_t unreachable);

// "omega_minus x omega_tilda:", the intervals of F ∩ M, and per layer "l=<layer from 1>" with
// its symbols over them.
void dumpBoth(Host& host, const IntervalList* both, const LayerTable& table,
              std::int64_t unreachable);

}  // namespace mirovale
