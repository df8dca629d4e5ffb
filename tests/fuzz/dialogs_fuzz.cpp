// Fuzzing the dialogs: a started workbench runs a few commands that open dialogs, each answered
// with arbitrary texts in every field and arbitrary boxes and radios, then OK or Cancel, and
// after each command the workbench's invariants must hold; a last " Processing Next Data "
// must keep them too. The number readers also take the texts directly.

#include <cstdio>
#include <cstdlib>

#include "core/dialogs/chart_dialog.h"
#include "core/dialogs/dialog_numbers.h"
#include "core/dialogs/series_dialogs.h"
#include "core/dialogs/settings_dialogs.h"
#include "core/host/recording_host.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/startup.h"
#include "fuzz_input.h"
#include "workbench_invariants.h"

using namespace mirovale;

namespace {

// Commands that open dialogs, the task and series-type items that change which ones open, and
// the commands that act on what the dialogs set. The simulation is left out: its plan is what
// the dialogs make, and a hostile plan may run for hours by design.
constexpr std::uint16_t kCommands[] = {
    IDM_CREATE_SERIES,     IDM_NEW_PULSES,      IDM_SUBSET_SETTINGS,   IDM_DRAWING_SETTINGS,
    IDM_SHOW_STATISTICAL_SIMULATION, IDM_VIEW_SERIES_PARAMETERS, IDM_PROCESS_NEXT,
    IDM_PROCESS_SAME,      IDM_DETECTION,       IDM_RECOGNITION,       IDM_JOINT_DETECTION,
    IDM_FIXED_WHOLE,       IDM_UNFIXED_WHOLE,   IDM_FIXED_CUTOFF,      IDM_UNFIXED_CUTOFF,
    IDM_FIXED_TUPLES,      IDM_UNFIXED_TUPLES,  IDM_SERIES_PROCESSING, IDM_ALPHABET_RECOGNITION,
};

// One answer for a dialog: every edit gets a text of the input, each box and radio a state.
DialogAnswer answerFor(const DialogTemplate& t, fuzz::FuzzInput& input) {
    DialogAnswer answer;
    answer.dialogId = t.id;
    answer.result = input.byte() % 4 == 0 ? DialogResult::Cancel : DialogResult::Ok;
    for (const DialogControl& c : t.controls) {
        if (c.kind == ControlKind::Edit) answer.fields.emplace_back(c.id, input.text(120));
        if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton) {
            if (input.byte() % 3 == 0) answer.checks.emplace_back(c.id, input.byte() % 2 == 0);
        }
    }
    return answer;
}

std::vector<DialogTemplate> dialogTemplates(ProgramState& s) {
    return {SeriesParametersDialog(s).dialogTemplate(), SeriesStructureDialog(s).dialogTemplate(),
            RequiredEtalonsDialog(s).dialogTemplate(),  LocationParametersDialog(s).dialogTemplate(),
            SubsetSettingsDialog(s).dialogTemplate(),   DrawingSettingsDialog(s).dialogTemplate(),
            ChartSettingsDialog(s, false).dialogTemplate(),
            ChartSettingsDialog(s, true).dialogTemplate()};
}

void stopIfBroken(const ProgramState& s, std::uint16_t command) {
    const std::string broken = fuzz::brokenInvariant(s);
    if (broken.empty()) return;
    std::fprintf(stderr, "after command %u: %s\n", command, broken.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    {
        // The number readers on their own.
        const std::string text = input.text(255);
        static_cast<void>(readInteger(text));
        static_cast<void>(writeDecimal(readDecimal(text)));
        std::uint16_t entries[25];
        readSequence(text, entries);
    }
    RecordingHost host;
    ProgramState s;
    startWorkbench(host, s);
    const std::vector<DialogTemplate> templates = dialogTemplates(s);
    for (int step = 0; step < 6 && !input.exhausted(); ++step) {
        for (const DialogTemplate& t : templates) host.queueAnswer(answerFor(t, input));
        const std::uint16_t command = kCommands[input.byte() % std::size(kCommands)];
        handleCommand(host, s, command);
        stopIfBroken(s, command);
    }
    handleCommand(host, s, IDM_PROCESS_NEXT);
    stopIfBroken(s, IDM_PROCESS_NEXT);
    shutDown(s);
    return 0;
}
