#include "core/dialogs/settings_dialogs.h"

#include <array>
#include <string>
#include <utility>

#include "core/dialogs/dialog_numbers.h"

namespace mirovale {
namespace {

// These three dialogs are given by their controls and texts only; the positions and sizes
// below are our layout of them.

DialogControl disabled(DialogControl control) {
    control.enabled = false;
    return control;
}

DialogTemplate locationParametersTemplate() {
    using D = LocationParametersDialog;
    DialogTemplate t;
    t.id = D::kId;
    t.title = " Location Parameters";
    t.hasPosition = true;
    t.x = 60;
    t.y = 50;
    t.width = 240;
    t.height = 109;
    t.controls = {
        groupBox(" Number of Pulses in Series ", 7, 5, 226, 30),
        label("from", 15, 18, 18, 8),
        edit(D::kPulsesFrom, 34, 16, 30, 12),
        label("to", 72, 18, 10, 8),
        edit(D::kPulsesTo, 84, 16, 30, 12),
        label("incr.", 124, 18, 18, 8),
        edit(D::kPulsesIncrement, 144, 16, 30, 12),
        label("Number of Repeats", 15, 41, 70, 8),
        edit(D::kRepeats, 124, 39, 30, 12),
        groupBox(" Noise parameters ", 7, 54, 160, 50),
        label("Initial Level", 15, 66, 100, 8),
        edit(D::kInitialNoise, 124, 64, 30, 12),
        label("Number of Steps in Simulation", 15, 78, 104, 8),
        edit(D::kNoiseSteps, 124, 76, 30, 12),
        label("Noise Increment per Step", 15, 90, 100, 8),
        edit(D::kNoiseIncrement, 124, 88, 30, 12),
        pushButton(kIdOk, "OK", 180, 60, 50, 14, true),
        pushButton(kIdCancel, "Cancel", 180, 80, 50, 14),
    };
    return t;
}

constexpr int kEmploymentGroup = 1;
constexpr int kProceedingGroup = 2;

DialogTemplate subsetSettingsTemplate() {
    using D = SubsetSettingsDialog;
    DialogTemplate t;
    t.id = D::kId;
    t.title = "Subset settings";
    t.width = 223;
    t.height = 113;
    t.controls = {
        groupBox(" Subset employment ", 7, 5, 104, 98),
        radioButton(D::kSingleRandom, "Single random ", kEmploymentGroup, 15, 17, 80, 10),
        radioButton(D::kSingleFixed, "Single fixed", kEmploymentGroup, 15, 29, 80, 10),
        radioButton(D::kMultipleRandom, "Multiple random", kEmploymentGroup, 15, 41, 80, 10),
        radioButton(D::kComplete, "Complete ", kEmploymentGroup, 15, 53, 80, 10),
        radioButton(D::kShiftedComplete, "Shifted complete", kEmploymentGroup, 15, 65, 80, 10),
        disabled(label("Subset init position", 15, 84, 64, 8)),
        disabled(edit(D::kInitPosition, 80, 82, 20, 12)),
        groupBox(" Subset proceeding ", 117, 5, 99, 40),
        radioButton(D::kProceedComplete, "Complete ", kProceedingGroup, 125, 17, 86, 10),
        radioButton(D::kProceedShifted, "Probably shifted complete", kProceedingGroup, 125, 29, 86,
                    10),
        pushButton(kIdOk, "OK", 117, 72, 50, 14, true),
        pushButton(kIdCancel, "Cancel", 117, 90, 50, 14),
    };
    return t;
}

// Employment value of each employment radio.
constexpr std::array<std::pair<int, std::uint16_t>, 5> kEmploymentRadios{{
    {SubsetSettingsDialog::kSingleRandom, 1},
    {SubsetSettingsDialog::kSingleFixed, 2},
    {SubsetSettingsDialog::kMultipleRandom, 3},
    {SubsetSettingsDialog::kComplete, 4},
    {SubsetSettingsDialog::kShiftedComplete, 5},
}};

constexpr int kDetectedGroup = 1;
constexpr int kOriginalGroup = 2;

DialogTemplate drawingSettingsTemplate() {
    using D = DrawingSettingsDialog;
    DialogTemplate t;
    t.id = D::kId;
    t.title = "Drawing settings";
    t.width = 219;
    t.height = 117;
    t.controls = {
        checkBox(D::kFrameGraphFields, "frame graph fields", 10, 8, 96, 10),
        checkBox(D::kShadedOriginal, "shaded original pulses", 10, 20, 96, 10),
        checkBox(D::kHighlightDetected, "highlight detected pulses", 10, 32, 100, 10),
        checkBox(D::kSpecialGraphSize, "special graph size", 10, 44, 96, 10),
        groupBox(" Highlight detected tuples ", 115, 5, 97, 46),
        radioButton(D::kDetectedDotted, "dotted frame", kDetectedGroup, 123, 16, 84, 10),
        radioButton(D::kDetectedColoured, "coloured background", kDetectedGroup, 123, 27, 84, 10),
        radioButton(D::kDetectedNone, "none", kDetectedGroup, 123, 38, 84, 10),
        groupBox(" Highlight original tuples", 115, 55, 97, 46),
        radioButton(D::kOriginalDotted, "dotted frame", kOriginalGroup, 123, 66, 84, 10),
        radioButton(D::kOriginalColoured, "coloured background", kOriginalGroup, 123, 77, 84, 10),
        radioButton(D::kOriginalNone, "none", kOriginalGroup, 123, 88, 84, 10),
        pushButton(kIdOk, "OK", 10, 95, 50, 14, true),
        pushButton(kIdCancel, "Cancel", 62, 95, 50, 14),
    };
    return t;
}

// The radio that shows a tuple highlight style: 0 none, 1 dotted frame, any other value the
// coloured background.
int styleRadio(std::uint16_t style, int none, int dotted, int coloured) {
    if (style == 0) return none;
    return style == 1 ? dotted : coloured;
}

std::uint16_t readU16(const std::string& text) {
    return static_cast<std::uint16_t>(readInteger(text));
}

}  // namespace

LocationParametersDialog::LocationParametersDialog(ProgramState& state)
    : DialogModel(locationParametersTemplate()), state_(state) {}

void LocationParametersDialog::onOpen() {
    show(kPulsesFrom, std::to_string(state_.wTmpMinPulses));
    show(kPulsesTo, std::to_string(state_.wTmpMaxPulses));
    show(kPulsesIncrement, std::to_string(state_.wPulsesIncrement));
    show(kInitialNoise, std::to_string(state_.wInitialNoiseLevel));
    show(kNoiseSteps, std::to_string(state_.wNoiseSteps));
    show(kNoiseIncrement, std::to_string(state_.wNoiseIncrement));
    show(kRepeats, std::to_string(state_.wRepeats));
}

void LocationParametersDialog::onOk() {
    state_.wTmpMinPulses = readU16(fieldText(kPulsesFrom));
    state_.wTmpMaxPulses = readU16(fieldText(kPulsesTo));
    state_.wPulsesIncrement = readU16(fieldText(kPulsesIncrement));
    state_.wInitialNoiseLevel = readU16(fieldText(kInitialNoise));
    state_.wNoiseSteps = readU16(fieldText(kNoiseSteps));
    state_.wNoiseIncrement = readU16(fieldText(kNoiseIncrement));
    state_.wRepeats = readU16(fieldText(kRepeats));
    state_.dwDialogAccepted = 1;
}

void LocationParametersDialog::onCancel() {
    state_.dwDialogAccepted = 0;
}

SubsetSettingsDialog::SubsetSettingsDialog(ProgramState& state)
    : DialogModel(subsetSettingsTemplate()), state_(state) {}

void SubsetSettingsDialog::onOpen() {
    employment_ = savedEmployment_ = state_.wSubsetEmployment;
    proceeding_ = savedProceeding_ = state_.wSubsetProceeding;
    int radio = kComplete;  // also for a value that has no radio of its own
    for (const auto& [id, value] : kEmploymentRadios)
        if (value == employment_) radio = id;
    showChecked(radio, true);
    showChecked(proceeding_ == 2 ? kProceedShifted : kProceedComplete, true);
    show(kInitPosition, std::to_string(state_.wSubsetInitPosition));
}

void SubsetSettingsDialog::onClick(int id) {
    for (const auto& [radio, value] : kEmploymentRadios)
        if (radio == id) employment_ = value;
    if (id == kProceedComplete) proceeding_ = 1;
    if (id == kProceedShifted) proceeding_ = 2;
}

void SubsetSettingsDialog::onOk() {
    state_.wSubsetEmployment = employment_;
    state_.wSubsetProceeding = proceeding_;
    state_.wSubsetInitPosition = readU16(fieldText(kInitPosition));
}

void SubsetSettingsDialog::onCancel() {
    state_.wSubsetEmployment = savedEmployment_;
    state_.wSubsetProceeding = savedProceeding_;
}

DrawingSettingsDialog::DrawingSettingsDialog(ProgramState& state)
    : DialogModel(drawingSettingsTemplate()), state_(state) {}

void DrawingSettingsDialog::onOpen() {
    saved_ = {state_.dwFrameGraphFields, state_.dwShadedOriginal,     state_.dwHighlightDetected,
              state_.dwSpecialGraphSize, state_.wDetectedTuplesStyle, state_.wOriginalTuplesStyle};
    working_ = saved_;
    showChecked(kFrameGraphFields, working_.dwFrameGraphFields != 0);
    showChecked(kShadedOriginal, working_.dwShadedOriginal != 0);
    showChecked(kHighlightDetected, working_.dwHighlightDetected != 0);
    showChecked(kSpecialGraphSize, working_.dwSpecialGraphSize != 0);
    showChecked(styleRadio(working_.wDetectedTuplesStyle, kDetectedNone, kDetectedDotted,
                           kDetectedColoured),
                true);
    showChecked(styleRadio(working_.wOriginalTuplesStyle, kOriginalNone, kOriginalDotted,
                           kOriginalColoured),
                true);
}

void DrawingSettingsDialog::onClick(int id) {
    const std::uint32_t state = checked(id) ? 1 : 0;
    switch (id) {
        case kFrameGraphFields:
            working_.dwFrameGraphFields = state;
            break;
        case kShadedOriginal:
            working_.dwShadedOriginal = state;
            break;
        case kHighlightDetected:
            working_.dwHighlightDetected = state;
            break;
        case kSpecialGraphSize:
            working_.dwSpecialGraphSize = state;
            break;
        case kDetectedDotted:
            working_.wDetectedTuplesStyle = 1;
            break;
        case kDetectedColoured:
            working_.wDetectedTuplesStyle = 2;
            break;
        case kDetectedNone:
            working_.wDetectedTuplesStyle = 0;
            break;
        case kOriginalDotted:
            working_.wOriginalTuplesStyle = 1;
            break;
        case kOriginalColoured:
            working_.wOriginalTuplesStyle = 2;
            break;
        case kOriginalNone:
            working_.wOriginalTuplesStyle = 0;
            break;
        default:
            break;
    }
}

void DrawingSettingsDialog::store(const Settings& settings) {
    state_.dwFrameGraphFields = settings.dwFrameGraphFields;
    state_.dwShadedOriginal = settings.dwShadedOriginal;
    state_.dwHighlightDetected = settings.dwHighlightDetected;
    state_.dwSpecialGraphSize = settings.dwSpecialGraphSize;
    state_.wDetectedTuplesStyle = settings.wDetectedTuplesStyle;
    state_.wOriginalTuplesStyle = settings.wOriginalTuplesStyle;
}

void DrawingSettingsDialog::onOk() {
    store(working_);
}

void DrawingSettingsDialog::onCancel() {
    store(saved_);
}

}  // namespace mirovale
