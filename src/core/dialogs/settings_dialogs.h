#pragma once

#include <cstdint>

#include "core/host/dialog_model.h"
#include "core/state/program_state.h"

namespace mirovale {

// Dialog 110, " Location Parameters": the pulse range, noise steps and repeats of the
// simulation. OK reads the pulse range into wTmpMinPulses / wTmpMaxPulses and the other five
// settings straight into the program state; both buttons set dwDialogAccepted.
class LocationParametersDialog final : public DialogModel {
public:
    static constexpr int kId = 110;
    static constexpr int kPulsesFrom = 1015;
    static constexpr int kPulsesTo = 1016;
    static constexpr int kPulsesIncrement = 1017;
    static constexpr int kNoiseSteps = 1018;
    static constexpr int kInitialNoise = 1019;
    static constexpr int kNoiseIncrement = 1020;
    static constexpr int kRepeats = 1021;

    // state : the settings shown and written; outlives the dialog
    explicit LocationParametersDialog(ProgramState& state);

private:
    void onOpen() override;
    void onOk() override;
    void onCancel() override;

    ProgramState& state_;
};

// Dialog 111, "Subset settings": how a subset is laid into a series and how tuple processing
// proceeds. The radios change working copies; OK commits them and reads the (disabled) init
// position field, Cancel writes the copies saved at opening back.
class SubsetSettingsDialog final : public DialogModel {
public:
    static constexpr int kId = 111;
    static constexpr int kSingleRandom = 1015;     // employment 1
    static constexpr int kSingleFixed = 1016;      // 2
    static constexpr int kMultipleRandom = 1017;   // 3
    static constexpr int kComplete = 1018;         // 4
    static constexpr int kShiftedComplete = 1019;  // 5
    static constexpr int kInitPosition = 1020;
    static constexpr int kProceedComplete = 1021;  // proceeding 1
    static constexpr int kProceedShifted = 1022;   // proceeding 2

    // state : the settings shown and written; outlives the dialog
    explicit SubsetSettingsDialog(ProgramState& state);

private:
    void onOpen() override;
    void onClick(int id) override;
    void onOk() override;
    void onCancel() override;

    ProgramState& state_;
    std::uint16_t employment_ = 0;  // working copies
    std::uint16_t proceeding_ = 0;
    std::uint16_t savedEmployment_ = 0;  // as opened
    std::uint16_t savedProceeding_ = 0;
};

// Dialog 112, "Drawing settings": four check boxes and the highlight styles of detected and
// original tuples, with working and saved copies as in dialog 111.
class DrawingSettingsDialog final : public DialogModel {
public:
    static constexpr int kId = 112;
    static constexpr int kHighlightDetected = 1023;
    static constexpr int kShadedOriginal = 1024;
    static constexpr int kDetectedDotted = 1025;    // style 1
    static constexpr int kDetectedColoured = 1026;  // style 2
    static constexpr int kDetectedNone = 1027;      // style 0
    static constexpr int kSpecialGraphSize = 1043;
    static constexpr int kFrameGraphFields = 1044;
    static constexpr int kOriginalDotted = 1045;
    static constexpr int kOriginalColoured = 1046;
    static constexpr int kOriginalNone = 1047;

    // state : the settings shown and written; outlives the dialog
    explicit DrawingSettingsDialog(ProgramState& state);

private:
    // The six settings, in the order of the dialog's rows.
    struct Settings {
        std::uint32_t dwFrameGraphFields = 0;
        std::uint32_t dwShadedOriginal = 0;
        std::uint32_t dwHighlightDetected = 0;
        std::uint32_t dwSpecialGraphSize = 0;
        std::uint16_t wDetectedTuplesStyle = 0;
        std::uint16_t wOriginalTuplesStyle = 0;
    };

    void onOpen() override;
    void onClick(int id) override;
    void onOk() override;
    void onCancel() override;
    void store(const Settings& settings);

    ProgramState& state_;
    Settings working_;
    Settings saved_;
};

}  // namespace mirovale
