// Differential fuzzing of the processing routines: a case of series samples, etalons, Tmin,
// Tmax, saved energy, lists, subsets and alphabets drawn from the input runs through every fast
// routine and its literal transcription; any difference in the result, the detected fields,
// the chains record, the messages or the allocation requests stops the fuzzer.

#include <cstdio>
#include <cstdlib>

#include "differential_cases.h"
#include "fuzz_input.h"

using namespace mirovale;
using namespace mirovale::differential;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<Routine> all = routines();
    fuzz::FuzzInput input(data, size);
    Case c = drawCase(input);
    c.in.debugging = input() % 16 == 0 ? 1 : 0;
    const bool failing = input() % 8 == 0;  // now and then one allocation request fails
    for (const Routine& routine : all) {
        int failAt = 0;
        if (failing) {
            const int requests = runOn(routine.reference, c).requests;
            failAt = requests > 0 ? 1 + static_cast<int>(input() % static_cast<unsigned>(requests)) : 0;
        }
        const Outcome reference = runOn(routine.reference, c, failAt);
        const Outcome fast = runOn(routine.fast, c, failAt);
        if (fast != reference) {
            std::fprintf(stderr, "%s differs from its reference (failing request %d)\n"
                                 "fast:\n%s\n%s\nreference:\n%s\n%s\n",
                         routine.name, failAt, fast.series.c_str(), fast.chains.c_str(),
                         reference.series.c_str(), reference.chains.c_str());
            std::abort();
        }
    }
    return 0;
}
