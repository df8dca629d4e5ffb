#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host/dialog_model.h"
#include "core/host/pixel_source.h"
#include "core/host/rect.h"

namespace mirovale {

// Icon of a message box. The workbench uses only these.
enum class MessageIcon : int { None, Exclamation, Information };

// Pointer shapes the workbench asks for.
enum class CursorShape : int {
    Arrow,
    VerticalResize,  // over a line that is dragged up and down
    DiagonalResize,  // over a sloping line that is dragged
};

// Size of the window's client area in pixels.
struct ClientSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ClientSize&, const ClientSize&) = default;
};

// One entry of the file-type list of a save dialog.
struct FileFilter {
    std::string description;  // e.g. "Bitmap Files (*.bmp)"
    std::string pattern;      // e.g. "*.bmp"
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// What a save dialog shows: title, file types (the first one selected) and the extension added
// to a name typed without one: that of the file type selected when the user confirms, or
// defaultExtension when its pattern names none. An existing file is overwritten only after the
// user confirms.
struct SaveFileRequest {
    std::string title;
    std::vector<FileFilter> filters;
    std::string defaultExtension;  // without the dot
    friend bool operator==(const SaveFileRequest&, const SaveFileRequest&) = default;
};

// Everything the workbench asks of a windowing system. The Qt front end implements it with
// widgets; RecordingHost records every call so that tests and the command-line tool run the
// whole workbench without a display.
class Host {
public:
    virtual ~Host() = default;

    // Shows a modal message box with an OK button.
    // text    : the message, UTF-8, lines separated by '\n'
    // caption : the title bar text; empty for none
    // icon    : the icon shown beside the text
    virtual void messageBox(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

    // Sets or clears the check mark of a menu item.
    // commandId : the item's command number (40001..40035)
    // checked   : true to show the mark
    virtual void checkMenuItem(std::uint16_t commandId, bool checked) = 0;

    // Marks part of the client area for repainting; the repaint follows when the current
    // command has ended.
    // rect  : client pixels, right and bottom exclusive; may reach outside the client area
    // erase : true to clear the area to the background before the repaint draws
    virtual void invalidate(const Rect& rect, bool erase) = 0;

    // Runs a modal dialog: opens the model, lets the user work on it, applies OK or Cancel
    // through DialogModel::finish and returns which one ended it.
    virtual DialogResult runDialog(DialogModel& dialog) = 0;

    // Asks for the name of a file to save to; nothing when the user cancels.
    [[nodiscard]] virtual std::optional<std::string> askSaveFileName(
        const SaveFileRequest& request) = 0;

    // Copies what the client area shows now into an image that stays as it is while the window
    // changes (the copy a saved picture is made from); nullptr when the copy cannot be made.
    [[nodiscard]] virtual std::unique_ptr<PixelSource> captureClientArea() = 0;

    // Asks the window to close; its shut-down follows once the current command has ended.
    virtual void closeWindow() = 0;

    // The one-line edit field of the parameters panel.
    // rect : where it is shown, in client pixels (right and bottom exclusive)
    virtual void showEditField(const Rect& rect) = 0;
    virtual void hideEditField() = 0;
    virtual void setEditFieldText(std::string_view text) = 0;
    [[nodiscard]] virtual std::string editFieldText() const = 0;

    // Sets the pointer shape; returns the shape it replaces.
    virtual CursorShape setCursor(CursorShape shape) = 0;
    // Routes every pointer event to the window until released, also outside it.
    virtual void capturePointer() = 0;
    virtual void releasePointer() = 0;

    // Size of the client area now, in pixels.
    [[nodiscard]] virtual ClientSize clientSize() const = 0;
    // Height of one text line of the window font in pixels: height + external leading - 1.
    [[nodiscard]] virtual int lineHeight() const = 0;
};

}  // namespace mirovale
