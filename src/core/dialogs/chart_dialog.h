#pragma once

#include <cstdint>

#include "core/host/dialog_model.h"
#include "core/state/program_state.h"

namespace mirovale {

// Dialogs 113 (" Show Statistical Simulation parameters") and 114 ("Show Statistical
// Simulation"): which error the chart shows, componentwise or summary, and its upper bound;
// 114 adds the recognition error and "bounds incl.". Radios and check boxes change working
// copies; OK commits them (the typed bound only while "fixed upper bound" is checked), Cancel
// writes the copies saved at opening back. The command derives dwChartMode afterwards.
class ChartSettingsDialog final : public DialogModel {
public:
    static constexpr int kDetectionId = 113;
    static constexpr int kRecognitionId = 114;
    static constexpr int kRestoringError = 1028;  // handling case 1
    static constexpr int kDetectionError = 1029;  // 2
    static constexpr int kComponentwise = 1030;   // view case 1
    static constexpr int kSummaryView = 1031;     // 2
    static constexpr int kFixedUpperBound = 1032;
    static constexpr int kUpperBound = 1033;
    static constexpr int kRecognitionError = 1034;  // handling case 3, 114 only
    static constexpr int kBoundsIncluded = 1042;    // 114 only

    // state       : the settings shown and written; outlives the dialog
    // recognition : true for dialog 114, which the command opens for tasks 2 and 40
    ChartSettingsDialog(ProgramState& state, bool recognition);

private:
    struct Settings {
        std::uint32_t dwHandlingCase = 0;
        std::uint32_t dwViewCase = 0;
        std::uint32_t dwFixedUpperBound = 0;
        double dUpperBound = 0.0;
        std::uint32_t dwBoundsIncluded = 0;
    };

    void onOpen() override;
    void onClick(int id) override;
    void onOk() override;
    void onCancel() override;

    ProgramState& state_;
    bool recognition_;
    Settings working_;
    Settings saved_;
};

}  // namespace mirovale
