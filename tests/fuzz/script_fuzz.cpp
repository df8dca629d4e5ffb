// Fuzzing the script interpreter of mirovale-cli with arbitrary bytes. The script is bounded
// the way a user's would be: at most kMaxActions lines, no statistical simulation (a hostile
// plan may run for hours by design) and no action that writes files.

#include <sstream>
#include <string>

#include "cli/script.h"

namespace {

constexpr int kMaxActions = 300;

// Whether a line would start a simulation or write a file: those are left out of the run. The
// interpreter drops quotes and reads decimal numbers, so the digits stand in the line as
// written once the quotes are gone.
bool leftOut(std::string line) {
    std::erase(line, '"');
    return line.find("save") != std::string::npos || line.find("40012") != std::string::npos ||
           line.find("40003") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream bytes(std::string(reinterpret_cast<const char*>(data), size));
    std::string script;
    std::string line;
    for (int lines = 0; lines < kMaxActions && std::getline(bytes, line); ++lines) {
        if (!leftOut(line)) script += line + '\n';
    }
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    static_cast<void>(mirovale::runScript(in, out, err, mirovale::ScriptOptions{}));
    return 0;
}
