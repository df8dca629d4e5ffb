#pragma once

#include <cstddef>

#include "core/host/dialog_model.h"
#include "core/state/program_state.h"

namespace mirovale {

// Dialog 105, "Create Series": series length, interval limits, etalon number and the saved
// energy levels. OK writes the temporary values (wTmp..., dwTmpSeriesLength) for the command,
// and the etalon number straight into dwEtalonNumber; the command checks them afterwards with
// validateSeriesGeometry.
class SeriesParametersDialog final : public DialogModel {
public:
    static constexpr int kId = 105;
    static constexpr int kSamplesLength = 1000;
    static constexpr int kMinInterval = 1001;
    static constexpr int kMaxInterval = 1003;
    static constexpr int kEtalonNumber = 1004;
    static constexpr int kEnergyMaking = 1005;
    static constexpr int kEnergyProcessing = 1006;

    // state : the settings shown and written; outlives the dialog
    explicit SeriesParametersDialog(ProgramState& state);

private:
    void onOpen() override;
    void onOk() override;
    void onCancel() override;

    ProgramState& state_;
};

// Dialog 106, also "Create Series": pulse count, the etalon sequence (lpEditSequence) and the
// noise level. OK writes wPulsesEntered, the sequence entries shown and wTmpNoiseLevel; the
// command checks the pulse count.
class SeriesStructureDialog final : public DialogModel {
public:
    static constexpr int kId = 106;
    static constexpr int kPulseCount = 1007;
    static constexpr int kPulseCountLabel = 1008;
    static constexpr int kSequenceLabel = 1009;
    static constexpr int kSequence = 1010;
    static constexpr int kNoiseLevel = 1011;

    // state : the settings shown and written; outlives the dialog
    explicit SeriesStructureDialog(ProgramState& state);

private:
    void onOpen() override;
    void onOk() override;
    void onCancel() override;

    ProgramState& state_;
    std::size_t shownEntries_ = 0;  // sequence entries written at opening, read back on OK
};

// Dialog 107, "List of Required Etalons": the count and the list of required etalons. OK
// writes them into wRequiredCount and lpRequiredList; the command then repairs the entries and
// adds the flags.
class RequiredEtalonsDialog final : public DialogModel {
public:
    static constexpr int kId = 107;
    static constexpr int kListLabel = 1012;
    static constexpr int kList = 1013;
    static constexpr int kCount = 1014;

    // state : the settings shown and written; outlives the dialog
    explicit RequiredEtalonsDialog(ProgramState& state);

private:
    void onOpen() override;
    void onOk() override;
    void onCancel() override;

    ProgramState& state_;
};

}  // namespace mirovale
