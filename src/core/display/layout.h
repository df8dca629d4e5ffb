#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/host/host.h"
#include "core/host/rect.h"
#include "core/state/program_state.h"

namespace mirovale {

// Size of a picture button's bitmap, pixels.
inline constexpr int kButtonWidth = 144;
inline constexpr int kButtonHeight = 32;

// The main window's geometry for one client size and font, computed afresh at every repaint
// and for every click. Every rectangle holds both of its corners, so a point on its right or
// bottom edge is inside it (InclusiveRect::contains). The client origin is 0,0.
struct WindowLayout {
    int wLineHeight = 0;  // text height + external leading - 1 of the window font

    // Picture buttons, 144 x 32 each, right-aligned 10 pixels from the client's right edge.
    InclusiveRect exitButton;       // top H - 42
    InclusiveRect nextButton;       // top H - 84
    InclusiveRect selectAllButton;  // top H - 126; only while hasSelectAll
    InclusiveRect restartButton;    // top H - 168 with the select-all button, else H - 126
    bool hasSelectAll = false;      // false for processing tasks 1, 36, 40 and 48
    // The Restart button, the slot above it and the select-all slot: from 42 pixels above the
    // Restart button down to H - 95.
    InclusiveRect buttonsArea;

    // The work area and the etalon grid that decides its size: gridColumns x gridRows cells of
    // the frame size below, 10 pixels apart and from the work area's edges.
    InclusiveRect rcWorkArea;
    int gridColumns = 0;
    int gridRows = 0;
    std::uint16_t wGridFrameWidth = 0;   // cell width; low 16 bits when the client is too small
    std::uint16_t wGridFrameHeight = 0;  // cell height
    std::uint16_t wGridCellWidth = 0;    // drawing box inside a cell: frame width - 10
    std::uint16_t wGridCellHeight = 0;   // frame height - 10
    // One cell per etalon, row-major; a cell is frame-width wide and frame-height high, and is
    // empty (right < left) when the client is too small for the grid.
    std::vector<InclusiveRect> rcEtalonCells;

    // The option column right of the work area, and its rows of 6 lines each, one line apart.
    InclusiveRect optionColumn;  // its bottom is the bottom of its last row
    InclusiveRect seriesLengthRow;
    InclusiveRect noiseLevelRow;
    InclusiveRect lostDataRow;    // only while hasLostDataRow
    bool hasLostDataRow = false;  // series types 2 and 8
    // The clickable rectangle of each option of each row, as drawOptionList places them; the
    // lost-data row has none while it is not shown.
    std::vector<InclusiveRect> seriesLengthItems;
    std::vector<InclusiveRect> noiseLevelItems;
    std::vector<InclusiveRect> lostDataItems;
};

// Lays the window out.
// client     : client size in pixels; too small a client gives zero or negative cell sizes,
//              laid out all the same
// lineHeight : wLineHeight of the window font, pixels
// state      : wEtalonCount, wProcessingTask, wSeriesType and the three option tables are read
[[nodiscard]] WindowLayout computeWindowLayout(ClientSize client, int lineHeight,
                                               const ProgramState& state);

// The layout for the host's client size and line height now.
[[nodiscard]] WindowLayout currentLayout(const Host& host, const ProgramState& state);

// The clickable rectangles of an option row, one per option: drawOptionList draws its markers
// at them and returns them, and the click handler tests them.
// row   : the row's box
// count : number of options
[[nodiscard]] std::vector<InclusiveRect> optionItemRects(const InclusiveRect& row, int lineHeight,
                                                         std::size_t count);

// What the select-all button shows and does: with more than half of the etalons required
// (flag bit 0) it is Unselect All (bitmap 108), otherwise Select All (bitmap 109).
enum class SelectAllMode : int { SelectAll, UnselectAll };
[[nodiscard]] SelectAllMode selectAllMode(const ProgramState& state);

// Hit tests, in the layout's inclusive terms.
// The 0-based etalon cell under (x, y), or -1.
[[nodiscard]] int hitEtalonCell(const WindowLayout& layout, int x, int y);
// The option row and 0-based option under (x, y); rows are tried in the order series length,
// noise level, lost data level (the last only while shown). row is -1 when nothing is hit.
struct OptionHit {
    enum Row : int { None = -1, SeriesLength = 0, NoiseLevel = 1, LostDataLevel = 2 };
    Row row = None;
    int option = -1;
    friend bool operator==(const OptionHit&, const OptionHit&) = default;
};
[[nodiscard]] OptionHit hitOption(const WindowLayout& layout, int x, int y);

// Rectangles to invalidate (right and bottom exclusive) for the repaints the commands ask for.
// The work area extended 10 pixels upwards, as the series view's captions reach above it.
[[nodiscard]] Rect workAreaRepaintRect(const WindowLayout& layout);
// The buttons area extended by 1 pixel right and down: all of it.
[[nodiscard]] Rect buttonsAreaRepaintRect(const WindowLayout& layout);
// Etalon cell `index` enlarged by 1 pixel left and up and 3 right and down: its triple frame.
[[nodiscard]] Rect etalonCellRepaintRect(const WindowLayout& layout, std::size_t index);
// The whole select-all button.
[[nodiscard]] Rect selectAllButtonRepaintRect(const WindowLayout& layout);
// An option row with what drawOptionList draws round it: the title straddling its top edge
// (half a line above) and the frame lines one pixel beyond its right and bottom edges.
[[nodiscard]] Rect optionRowRepaintRect(const WindowLayout& layout, OptionHit::Row row);

}  // namespace mirovale
