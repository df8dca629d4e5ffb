#include "cli/demo_command.h"

#include "cli/console_host.h"
#include "core/host/format_text.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/startup.h"

namespace mirovale {
namespace {

// A pulse's letter: "a" for etalon 1.
char letter(int etalon) {
    return static_cast<char>('a' + etalon - 1);
}

void printAlphabet(const ProgramState& s, std::ostream& out) {
    out << formatText("Alphabet: %d etalons of %d samples, amplitude %d\n", s.wEtalonCount,
                      s.wEtalonLength, s.wAmplitude);
    for (std::size_t k = 0; k < s.wEtalonCount; ++k) {
        const PulseHeader& etalon = s.etalonTable[k];
        out << formatText("  %c %2d:", letter(etalon.wNumber), etalon.wNumber);
        for (std::size_t c = 0; c < etalon.wSize && c < etalon.lpData.size(); ++c)
            out << formatText(" %4d", etalon.lpData[c]);
        out << '\n';
    }
}

void printSeries(const SeriesHeader& s, std::ostream& out) {
    out << formatText(
        "\nFirst series: %u samples, %d pulses between %d and %d samples apart, "
        "no noise\n",
        s.dwSeriesSize, s.wImpulseQuantity, s.wTmin, s.wTmax);
    for (std::size_t k = 0; k < s.wImpulseQuantity; ++k)
        out << formatText("  %2d. %c (etalon %2d) at %4d, samples %d..%d\n",
                          static_cast<int>(k + 1), letter(s.lpEtalonNumbers[k]),
                          s.lpEtalonNumbers[k], s.lpPositions[k], s.lpBegins[k], s.lpEnds[k]);
}

void printDetection(const SeriesHeader& s, std::ostream& out) {
    out << formatText(
        "\nNoise level %d added; joint detection and identification found %d "
        "pulses:\n",
        s.wNoiseLevel, s.wDetectedPulses);
    for (std::size_t k = 0; k < s.wDetectedPulses; ++k) {
        const bool same = k < s.wImpulseQuantity && s.lpPositions[k] == s.lpDetectedPositions[k] &&
                          s.lpEtalonNumbers[k] == s.lpDetectedEtalons[k];
        out << formatText("  %2d. %c (etalon %2d) at %4d, samples %d..%d%s\n",
                          static_cast<int>(k + 1), letter(s.lpDetectedEtalons[k]),
                          s.lpDetectedEtalons[k], s.lpDetectedPositions[k], s.lpDetectedBegins[k],
                          s.lpDetectedEnds[k], same ? "" : "   (differs from the series)");
    }
}

}  // namespace

int runDemo(std::ostream& out, std::ostream& err) {
    ConsoleHost host(err);
    ProgramState state;
    startWorkbench(host, state);
    printAlphabet(state, out);
    if (!state.lpSeriesHeader) return 2;
    printSeries(*state.lpSeriesHeader, out);
    handleCommand(host, state, IDM_JOINT_DETECTION);
    handleCommand(host, state, CMD_ADD_NOISE);
    if (!state.lpSeriesHeader) return 2;
    printDetection(*state.lpSeriesHeader, out);
    return 0;
}

}  // namespace mirovale
