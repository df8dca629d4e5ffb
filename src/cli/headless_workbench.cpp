#include "cli/headless_workbench.h"

#include <optional>
#include <string>

#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/startup.h"
#include "qt/canvas_fonts.h"

namespace mirovale {
namespace {

// The picture buttons, loaded as the window's creation loads them.
ButtonImages buttonImages(RecordingHost& host) {
    if (dejaVuSansFamily().isEmpty())
        throw WorkbenchError("the font DejaVu Sans is not installed (package fonts-dejavu-core)");
    std::optional<ButtonImages> images = loadButtonBitmaps(host);
    if (!images)
        throw WorkbenchError(host.messages.back().caption + ": " + host.messages.back().text);
    return std::move(*images);
}

}  // namespace

HeadlessWorkbench::HeadlessWorkbench(const ScriptOptions& options)
    : buttons_(buttonImages(host_)),
      surface_(QSize(options.size.width, options.size.height), buttons_) {
    if (!surface_.isValid())
        throw WorkbenchError("cannot make a picture of " + std::to_string(options.size.width) +
                             " x " + std::to_string(options.size.height) + " pixels");
    host_.size = options.size;
    startWorkbench(host_, state_);
    surface_.invalidate({0, 0, options.size.width, options.size.height}, true);
    repaint();
}

HeadlessWorkbench::~HeadlessWorkbench() {
    if (!closed_) shutDown(state_);
}

void HeadlessWorkbench::command(std::uint16_t id) {
    handleCommand(host_, state_, id);
}

void HeadlessWorkbench::press(int x, int y) {
    handleClick(host_, state_, x, y);
}

void HeadlessWorkbench::move(int x, int y) {
    handlePointerMove(host_, state_, x, y);
}

void HeadlessWorkbench::release(int x, int y) {
    handlePointerRelease(host_, state_, x, y);
}

void HeadlessWorkbench::settle() {
    if (closed_) return;
    if (closeRequested()) {
        shutDown(state_);
        closed_ = true;
        return;
    }
    repaint();
}

void HeadlessWorkbench::repaint() {
    for (; invalidationsSeen_ < host_.invalidations.size(); ++invalidationsSeen_) {
        const RecordedInvalidation& i = host_.invalidations[invalidationsSeen_];
        surface_.invalidate(i.rect, i.erase);
    }
    surface_.repaint(host_, state_);
}

}  // namespace mirovale
