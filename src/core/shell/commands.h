#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace mirovale {

// Command numbers of the workbench: the menu items and the commands the window sends itself.
// The numbers appear in menus and scripts, so they are fixed.
enum CommandId : std::uint16_t {
    CMD_CLOSE = 204,
    CMD_NEXT_DATA = 205,
    CMD_REPAINT_ALL = 206,
    CMD_NONE = 207,
    CMD_MAKE_SERIES = 208,
    CMD_ADD_NOISE = 209,
    CMD_PROCESS = 210,
    CMD_APPLY_OPTIONS = 211,
    CMD_SHOW_SELECTED_ETALON = 212,
    CMD_SHOW_ETALON_GRID = 213,
    CMD_SIMULATION_PARAMETERS = 214,
    CMD_SERIES_PARAMETERS = 215,
    CMD_MAKE_EDITED_SERIES = 216,
    CMD_SHOW_RESULTS = 218,
    CMD_SHOW_SUBSET_PANEL = 221,
    CMD_REPAINT_WORK_AREA = 222,
    CMD_REDRAW_WORK_AREA = 223,
    CMD_SHOW_SUBSET_LIST = 224,
    CMD_SHOW_ALPHABET_PANEL = 225,
    CMD_SHOW_ALPHABET_LIST = 226,
    CMD_SHOW_ALPHABET_ITEM = 227,

    IDM_CREATE_SERIES = 40001,
    IDM_NEW_PULSES = 40002,
    IDM_SAVE_IMAGE = 40003,
    IDM_EXIT = 40004,
    IDM_DETECTION = 40005,
    IDM_RECOGNITION = 40006,
    IDM_JOINT_DETECTION = 40007,
    IDM_FIXED_WHOLE = 40008,
    IDM_UNFIXED_WHOLE = 40009,
    IDM_FIXED_CUTOFF = 40010,
    IDM_UNFIXED_CUTOFF = 40011,
    IDM_STATISTICAL_SIMULATION = 40012,
    IDM_CREATE_SERIES_ELSE = 40014,
    IDM_SHOW_STATISTICAL_SIMULATION = 40015,
    IDM_SELECT_SUBSETS = 40016,
    IDM_PROCESS_SAME = 40017,
    IDM_PROCESS_NEXT = 40018,
    IDM_MORE_DETAILS = 40019,
    IDM_TYPE_MORE_DETAILS = 40020,
    IDM_FIXED_CASE = 40021,
    IDM_UNFIXED_CASE = 40022,
    IDM_REPEAT_DETECTION = 40023,
    IDM_REPEAT_RECOGNITION = 40024,
    IDM_REPEAT_JOINT_DETECTION = 40025,
    IDM_REPEAT_SERIES_PROCESSING = 40026,
    IDM_SERIES_PROCESSING = 40027,
    IDM_FIXED_TUPLES = 40028,
    IDM_SUBSET_SETTINGS = 40029,
    IDM_DRAWING_SETTINGS = 40030,
    IDM_VIEW_SERIES_PARAMETERS = 40031,
    IDM_UNFIXED_TUPLES = 40032,
    IDM_DEBUGGING_REPEAT = 40033,
    IDM_ALPHABET_RECOGNITION = 40034,
    IDM_SELECT_ALPHABETS = 40035,
};

// The six items of " Select Series Type" and the five of " Select Task Type", whose check marks
// the commands keep.
inline constexpr std::uint16_t kSeriesTypeItems[] = {IDM_FIXED_WHOLE,  IDM_UNFIXED_WHOLE,
                                                     IDM_FIXED_CUTOFF, IDM_UNFIXED_CUTOFF,
                                                     IDM_FIXED_TUPLES, IDM_UNFIXED_TUPLES};
inline constexpr std::uint16_t kTaskItems[] = {IDM_DETECTION, IDM_RECOGNITION, IDM_JOINT_DETECTION,
                                               IDM_SERIES_PROCESSING, IDM_ALPHABET_RECOGNITION};

// One item of the menu: its command, its text and the popup (and sub-popup) it belongs to.
struct MenuItem {
    std::uint16_t id;
    std::string_view text;
    std::string_view popup;
    std::string_view subPopup;  // empty when the item is directly in its popup
};

// The menu in its popup order: " File", " Processing", " Settings" (with " Select Task Type" and
// " Select Series Type"), " Else One".
std::span<const MenuItem> menuItems();

// True for a menu item or an internal command number the workbench knows (204..227 without
// 217, 219 and 220, and the menu items).
bool isKnownCommand(std::uint32_t id);

}  // namespace mirovale
