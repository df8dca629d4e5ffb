#include "core/dialogs/series_dialogs.h"

#include <algorithm>
#include <span>
#include <string>

#include "core/dialogs/dialog_numbers.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

// Where the table gives a label only its position, the size is ours: one text line, wide
// enough for the text and clear of the field beside it.
constexpr int kLineHeight = 8;

DialogTemplate dialogFrame(int id, const char* title, int width, int height) {
    DialogTemplate t;
    t.id = id;
    t.title = title;
    t.width = width;
    t.height = height;
    return t;
}

DialogControl firstOfGroup(DialogControl control) {
    control.startsGroup = true;
    return control;
}

DialogTemplate seriesParametersTemplate() {
    using D = SeriesParametersDialog;
    DialogTemplate t = dialogFrame(D::kId, "Create Series", 209, 168);
    t.controls = {
        groupBox("Parameters for creating series", 13, 7, 128, 101),
        label("Samples Length", 27, 19, 60, kLineHeight),
        firstOfGroup(edit(D::kSamplesLength, 100, 18, 25, 12)),
        label("Min Length of Interval", 27, 34, 72, kLineHeight),
        edit(D::kMinInterval, 100, 33, 25, 12),
        label("Max Length of Interval", 27, 49, 72, kLineHeight),
        edit(D::kMaxInterval, 100, 48, 25, 12),
        label("Etalon Number", 27, 64, 60, kLineHeight),
        edit(D::kEtalonNumber, 100, 63, 25, 12),
        label("Saved Energy Level (from 0 to 100)", 26, 78, 112, kLineHeight),
        edit(D::kEnergyMaking, 100, 89, 25, 12),
        groupBox("Parameters for processing series", 13, 112, 128, 44),
        label("Saved Energy Level (from 0 to 100)", 25, 124, 112, kLineHeight),
        edit(D::kEnergyProcessing, 99, 136, 26, 13),
        pushButton(kIdOk, "OK", 148, 122, 50, 14, true),
        pushButton(kIdCancel, "Cancel", 148, 141, 50, 14),
    };
    return t;
}

DialogTemplate seriesStructureTemplate() {
    using D = SeriesStructureDialog;
    DialogTemplate t = dialogFrame(D::kId, "Create Series", 192, 138);
    t.controls = {
        groupBox(" Series structure ", 7, 5, 178, 72),
        label("", 15, 16, 141, 8, D::kPulseCountLabel),
        firstOfGroup(edit(D::kPulseCount, 105, 27, 34, 12)),
        label("", 15, 45, 157, 8, D::kSequenceLabel),
        edit(D::kSequence, 60, 58, 109, 12),
        label("Noise Level", 16, 91, 40, kLineHeight),
        edit(D::kNoiseLevel, 60, 90, 34, 12),
        pushButton(kIdOk, "OK", 41, 113, 50, 14, true),
        pushButton(kIdCancel, "Cancel", 105, 113, 50, 14),
    };
    return t;
}

DialogTemplate requiredEtalonsTemplate() {
    using D = RequiredEtalonsDialog;
    DialogTemplate t = dialogFrame(D::kId, "List of Required Etalons", 137, 95);
    t.controls = {
        label("Number of Required Etalons", 13, 16, 86, kLineHeight),
        edit(D::kCount, 101, 15, 21, 12),
        label("", 13, 32, 110, 8, D::kListLabel),
        edit(D::kList, 33, 44, 89, 12),
        pushButton(kIdOk, "OK", 15, 71, 50, 14, true),
        pushButton(kIdCancel, "Cancel", 71, 71, 50, 14),
    };
    return t;
}

// The first `count` entries of `list`, never more than it holds.
std::span<std::uint16_t> head(std::vector<std::uint16_t>& list, std::size_t count) {
    return std::span<std::uint16_t>(list).first(std::min(count, list.size()));
}

}  // namespace

SeriesParametersDialog::SeriesParametersDialog(ProgramState& state)
    : DialogModel(seriesParametersTemplate()), state_(state) {}

void SeriesParametersDialog::onOpen() {
    show(kSamplesLength, std::to_string(state_.dwSeriesLength));
    show(kMinInterval, std::to_string(state_.wTmin));
    show(kMaxInterval, std::to_string(state_.wTmax));
    show(kEnergyMaking, std::to_string(state_.wSavedEnergyMaking));
    show(kEnergyProcessing, std::to_string(state_.wSavedEnergyProcessing));
    show(kEtalonNumber, std::to_string(state_.dwSelectedEtalon));
}

void SeriesParametersDialog::onOk() {
    state_.dwTmpSeriesLength = static_cast<std::uint32_t>(readInteger(fieldText(kSamplesLength)));
    state_.wTmpTmin = static_cast<std::uint16_t>(readInteger(fieldText(kMinInterval)));
    state_.wTmpTmax = static_cast<std::uint16_t>(readInteger(fieldText(kMaxInterval)));
    state_.wTmpSavedEnergyMaking =
        static_cast<std::uint16_t>(readInteger(fieldText(kEnergyMaking)));
    state_.dwEtalonNumber = static_cast<std::uint32_t>(readInteger(fieldText(kEtalonNumber)));
    state_.wTmpSavedEnergyProcessing =
        static_cast<std::uint16_t>(readInteger(fieldText(kEnergyProcessing)));
    state_.dwDialogAccepted = 1;
}

void SeriesParametersDialog::onCancel() {
    state_.dwDialogAccepted = 0;
}

SeriesStructureDialog::SeriesStructureDialog(ProgramState& state)
    : DialogModel(seriesStructureTemplate()), state_(state) {}

void SeriesStructureDialog::onOpen() {
    show(kPulseCountLabel, formatText("Number of Pulses in Series (from %d to %d)",
                                      state_.wTmpMinPulses, state_.wTmpMaxPulses));
    show(kPulseCount, std::to_string(state_.wRequestedPulses));
    show(kSequenceLabel,
         formatText("Sequence of Etalons in Series (values from 1 to %d)", state_.wEtalonCount));
    const auto shown = head(state_.lpEditSequence, state_.wRequestedPulses);
    shownEntries_ = shown.size();
    show(kSequence, writeSequence(shown));
    show(kNoiseLevel, std::to_string(state_.wNoiseLevel));
}

void SeriesStructureDialog::onOk() {
    state_.wPulsesEntered = static_cast<std::uint16_t>(readInteger(fieldText(kPulseCount)));
    readSequence(fieldText(kSequence), head(state_.lpEditSequence, shownEntries_));
    state_.wTmpNoiseLevel = static_cast<std::uint16_t>(readInteger(fieldText(kNoiseLevel)));
    state_.dwDialogAccepted = 1;
}

void SeriesStructureDialog::onCancel() {
    state_.dwDialogAccepted = 0;
}

RequiredEtalonsDialog::RequiredEtalonsDialog(ProgramState& state)
    : DialogModel(requiredEtalonsTemplate()), state_(state) {}

void RequiredEtalonsDialog::onOpen() {
    show(kCount, std::to_string(state_.wRequiredCount));
    show(kListLabel, formatText("List of Required Etalons (from 1 to %d)", state_.wEtalonCount));
    show(kList, writeSequence(head(state_.lpRequiredList, state_.wRequiredCount)));
}

void RequiredEtalonsDialog::onOk() {
    const std::int32_t count = readInteger(fieldText(kCount));
    if (count > 0 && count <= state_.wRequiredCapacity)
        state_.wRequiredCount = static_cast<std::uint16_t>(count);
    // A list made shorter than wRequiredCapacity grows before the typed entries are read into it.
    if (state_.lpRequiredList.size() < state_.wRequiredCount)
        state_.lpRequiredList.resize(state_.wRequiredCount, 0);
    readSequence(fieldText(kList), head(state_.lpRequiredList, state_.wRequiredCount));
    state_.dwDialogAccepted = 1;
}

void RequiredEtalonsDialog::onCancel() {
    state_.dwDialogAccepted = 0;
}

}  // namespace mirovale
