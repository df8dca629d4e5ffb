#pragma once

namespace mirovale {

// Keeps the memory that freed working tables leave for the next request instead of handing it
// back to the system at once. The processing routines size their tables per call; called many
// times in a row (a simulation, a benchmark), they would otherwise pay the page faults of fresh
// memory on every call. Call it once, at the start of a program.
void retainFreedMemory();

}  // namespace mirovale
