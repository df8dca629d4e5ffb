#include "core/shell/commands.h"

#include <algorithm>
#include <array>

namespace mirovale {
namespace {

constexpr std::string_view kFile = " File";
constexpr std::string_view kProcessing = " Processing";
constexpr std::string_view kSettings = " Settings";
constexpr std::string_view kElse = " Else One";
constexpr std::string_view kTask = " Select Task Type";
constexpr std::string_view kType = " Select Series Type";

constexpr std::array<MenuItem, 34> kMenu{{
    {IDM_CREATE_SERIES, " Create series... ", kFile, ""},
    {IDM_NEW_PULSES, " New pulses... ", kFile, ""},
    {IDM_SELECT_SUBSETS, " Select set of pulses", kFile, ""},
    {IDM_SELECT_ALPHABETS, " Select alphabet sets", kFile, ""},
    {IDM_VIEW_SERIES_PARAMETERS, " View series parameters...", kFile, ""},
    {IDM_SAVE_IMAGE, " Save image as...", kFile, ""},
    {IDM_EXIT, " Exit", kFile, ""},
    {IDM_STATISTICAL_SIMULATION, " Statistical Simulation", kProcessing, ""},
    {IDM_SHOW_STATISTICAL_SIMULATION, " Show Statistical Simulation", kProcessing, ""},
    {IDM_PROCESS_SAME, " Processing Same Data", kProcessing, ""},
    {IDM_PROCESS_NEXT, " Processing Next Data ", kProcessing, ""},
    {IDM_MORE_DETAILS, " More details", kProcessing, ""},
    {IDM_TYPE_MORE_DETAILS, " Type more detales", kProcessing, ""},
    {IDM_FIXED_CASE, " Fixed case", kProcessing, ""},
    {IDM_UNFIXED_CASE, " Unfixed case", kProcessing, ""},
    {IDM_REPEAT_DETECTION, " Repeat Detection", kProcessing, ""},
    {IDM_REPEAT_RECOGNITION, " Repeat Recognition", kProcessing, ""},
    {IDM_REPEAT_JOINT_DETECTION, " Repeat Joint Detection and Discrimination", kProcessing, ""},
    {IDM_REPEAT_SERIES_PROCESSING, " Repeat Series Processing", kProcessing, ""},
    {IDM_DETECTION, " Detection", kSettings, kTask},
    {IDM_RECOGNITION, " Recognition", kSettings, kTask},
    {IDM_JOINT_DETECTION, " Joint Detection and Identification", kSettings, kTask},
    {IDM_SERIES_PROCESSING, " Series Processing", kSettings, kTask},
    {IDM_ALPHABET_RECOGNITION, " Alphabet Recognition", kSettings, kTask},
    {IDM_FIXED_WHOLE, " Fixed Number of Whole Pulses", kSettings, kType},
    {IDM_UNFIXED_WHOLE, " Unfixed Number of Whole Pulses", kSettings, kType},
    {IDM_FIXED_CUTOFF, " Fixed Number of Cutoffs Pulses", kSettings, kType},
    {IDM_UNFIXED_CUTOFF, " Unfuxed Number of Cutoffs Pulses", kSettings, kType},
    {IDM_FIXED_TUPLES, " Fixed Number of Whole Pulses Tuples ", kSettings, kType},
    {IDM_UNFIXED_TUPLES, " Unfixed Number of Whole Pulses Tuples ", kSettings, kType},
    {IDM_SUBSET_SETTINGS, " Subset settings ...", kSettings, ""},
    {IDM_DRAWING_SETTINGS, " Drawing settings ...", kSettings, ""},
    {IDM_CREATE_SERIES_ELSE, " Create Series...", kElse, ""},
    {IDM_DEBUGGING_REPEAT, " Debugging repeat ", kElse, ""},
}};

}  // namespace

std::span<const MenuItem> menuItems() {
    return kMenu;
}

bool isKnownCommand(std::uint32_t id) {
    if (id >= CMD_CLOSE && id <= CMD_SHOW_ALPHABET_ITEM) return id != 217 && id != 219 && id != 220;
    return std::any_of(kMenu.begin(), kMenu.end(), [id](const MenuItem& m) { return m.id == id; });
}

}  // namespace mirovale
