#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace mirovale {

// What `mirovale-cli merge` was asked for.
struct MergeOptions {
    std::vector<std::string> parts;  // the parts' results files, in any order
    std::string jsonPath;            // where the merged results go; "-" for standard output
    std::string csvPath;             // where the merged tables go as CSV; empty for none
};

// Registers the `merge` subcommand and its options on `app`, writing into `options`.
CLI::App* addMergeCommand(CLI::App& app, MergeOptions& options);

// Merges the results files of the parts of one simulation into the results of the whole plan:
// checks that every file is a part of the same plan, started from the same generator states
// and split the same way, and that the parts cover the plan's series once; then adds the sums
// of every cell and makes the tables from them as a run of the whole plan does. The merged file
// equals that run's in its tables, ifComplete and generator states; its times span the parts,
// and its elapsed time is the sum of theirs.
// out : receives the JSON when it goes to standard output
// err : receives the message of a refusal, which names the first offending file
// returns 0, or 2 with nothing written when a file is unreadable or does not fit
int runMerge(const MergeOptions& options, std::ostream& out, std::ostream& err);

}  // namespace mirovale
