#include "core/dialogs/chart_dialog.h"

#include "core/dialogs/dialog_numbers.h"

namespace mirovale {
namespace {

constexpr int kHandlingGroup = 1;
constexpr int kViewGroup = 2;

// Both dialogs are given by their controls and texts only; the positions and sizes are ours.
DialogTemplate detectionTemplate() {
    using D = ChartSettingsDialog;
    DialogTemplate t;
    t.id = D::kDetectionId;
    t.title = " Show Statistical Simulation parameters";
    t.width = 190;
    t.height = 91;
    t.controls = {
        groupBox(" Handling case ", 7, 5, 84, 34),
        radioButton(D::kRestoringError, "restoring error", kHandlingGroup, 14, 15, 70, 10),
        radioButton(D::kDetectionError, "detection error", kHandlingGroup, 14, 26, 70, 10),
        groupBox(" View case ", 99, 5, 84, 34),
        radioButton(D::kComponentwise, "componentwise", kViewGroup, 106, 15, 70, 10),
        radioButton(D::kSummaryView, "summary view", kViewGroup, 106, 26, 70, 10),
        groupBox(" Upper bound case ", 7, 42, 120, 44),
        checkBox(D::kFixedUpperBound, "fixed upper bound", 14, 53, 80, 10),
        label("upper bound", 14, 69, 44, 8),
        edit(D::kUpperBound, 60, 67, 50, 12),
        pushButton(kIdOk, "OK", 133, 50, 50, 14, true),
        pushButton(kIdCancel, "Cancel", 133, 70, 50, 14),
    };
    return t;
}

DialogTemplate recognitionTemplate() {
    using D = ChartSettingsDialog;
    DialogTemplate t;
    t.id = D::kRecognitionId;
    t.title = "Show Statistical Simulation";
    t.width = 186;
    t.height = 113;
    t.controls = {
        groupBox(" Handling case ", 7, 5, 84, 46),
        radioButton(D::kRestoringError, "restoring error", kHandlingGroup, 14, 15, 70, 10),
        radioButton(D::kDetectionError, "detection error", kHandlingGroup, 14, 26, 70, 10),
        radioButton(D::kRecognitionError, "recognition error", kHandlingGroup, 14, 37, 70, 10),
        groupBox(" View case ", 97, 5, 82, 46),
        radioButton(D::kComponentwise, "componentwise", kViewGroup, 104, 15, 70, 10),
        radioButton(D::kSummaryView, "summary view", kViewGroup, 104, 26, 70, 10),
        groupBox(" Upper bound case ", 7, 54, 120, 54),
        checkBox(D::kFixedUpperBound, "fixed upper bound", 14, 65, 80, 10),
        label("upper bound", 14, 80, 44, 8),
        edit(D::kUpperBound, 60, 78, 50, 12),
        checkBox(D::kBoundsIncluded, "bounds incl.", 14, 94, 70, 10),
        pushButton(kIdOk, "OK", 131, 70, 48, 14, true),
        pushButton(kIdCancel, "Cancel", 131, 90, 48, 14),
    };
    return t;
}

}  // namespace

ChartSettingsDialog::ChartSettingsDialog(ProgramState& state, bool recognition)
    : DialogModel(recognition ? recognitionTemplate() : detectionTemplate()),
      state_(state),
      recognition_(recognition) {}

void ChartSettingsDialog::onOpen() {
    saved_ = {state_.dwHandlingCase, state_.dwViewCase, state_.dwFixedUpperBound,
              state_.dUpperBound, state_.dwBoundsIncluded};
    working_ = saved_;
    showChecked(working_.dwViewCase == 2 ? kSummaryView : kComponentwise, true);
    int handling = kRestoringError;  // also for a case this dialog has no radio for
    if (working_.dwHandlingCase == 2) handling = kDetectionError;
    if (working_.dwHandlingCase == 3 && recognition_) handling = kRecognitionError;
    showChecked(handling, true);
    showChecked(kFixedUpperBound, working_.dwFixedUpperBound != 0);
    if (recognition_) showChecked(kBoundsIncluded, working_.dwBoundsIncluded != 0);
    show(kUpperBound, writeDecimal(working_.dUpperBound));
}

void ChartSettingsDialog::onClick(int id) {
    switch (id) {
        case kRestoringError:
            working_.dwHandlingCase = 1;
            break;
        case kDetectionError:
            working_.dwHandlingCase = 2;
            break;
        case kRecognitionError:
            working_.dwHandlingCase = 3;
            break;
        case kComponentwise:
            working_.dwViewCase = 1;
            break;
        case kSummaryView:
            working_.dwViewCase = 2;
            break;
        case kFixedUpperBound:
            working_.dwFixedUpperBound = checked(id) ? 1 : 0;
            break;
        case kBoundsIncluded:
            working_.dwBoundsIncluded = checked(id) ? 1 : 0;
            break;
        default:
            break;
    }
}

void ChartSettingsDialog::onOk() {
    state_.dwHandlingCase = working_.dwHandlingCase;
    state_.dwViewCase = working_.dwViewCase;
    state_.dwFixedUpperBound = working_.dwFixedUpperBound;
    state_.dUpperBound =
        working_.dwFixedUpperBound != 0 ? readDecimal(fieldText(kUpperBound)) : saved_.dUpperBound;
    if (recognition_) state_.dwBoundsIncluded = working_.dwBoundsIncluded;
}

void ChartSettingsDialog::onCancel() {
    state_.dwHandlingCase = saved_.dwHandlingCase;
    state_.dwViewCase = saved_.dwViewCase;
    state_.dwFixedUpperBound = saved_.dwFixedUpperBound;
    state_.dUpperBound = saved_.dUpperBound;
    if (recognition_) state_.dwBoundsIncluded = saved_.dwBoundsIncluded;
}

}  // namespace mirovale
