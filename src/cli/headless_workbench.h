#pragma once

#include <QImage>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "cli/script.h"
#include "core/host/recording_host.h"
#include "core/state/program_state.h"
#include "qt/button_bitmaps.h"
#include "qt/window_surface.h"

namespace mirovale {

// Why a headless workbench could not be made: no DejaVu Sans, a missing button image, or a
// picture too large to make.
class WorkbenchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command-line tool's workbench: a RecordingHost and a fresh state, started as the window's
// creation starts it. Like the window, it keeps the picture of the client area in a window
// surface and repaints what the workbench invalidated after start-up and after each action.
// Needs a QGuiApplication; throws WorkbenchError when it cannot be made.
class HeadlessWorkbench final : public ScriptWorkbench {
public:
    explicit HeadlessWorkbench(const ScriptOptions& options);
    ~HeadlessWorkbench() override;
    HeadlessWorkbench(const HeadlessWorkbench&) = delete;
    HeadlessWorkbench& operator=(const HeadlessWorkbench&) = delete;

    Host& host() override { return host_; }
    // The host itself, for what only a recording host offers (its queue of dialog answers).
    RecordingHost& recordingHost() { return host_; }
    ProgramState& state() override { return state_; }
    void command(std::uint16_t id) override;
    void press(int x, int y) override;
    void move(int x, int y) override;
    void release(int x, int y) override;
    void queueAnswer(DialogAnswer answer) override { host_.queueAnswer(std::move(answer)); }
    const std::vector<RecordedMessage>& messages() const override { return host_.messages; }
    const std::vector<RecordedDialog>& dialogs() const override { return host_.dialogs; }
    void settle() override;
    bool closeRequested() const override { return host_.closeRequests > 0; }
    bool closed() const override { return closed_; }
    const QImage& picture() const override { return surface_.image(); }
    // The picture buttons' images the surface draws with.
    [[nodiscard]] const ButtonImages& buttons() const { return buttons_; }

private:
    // The window's repaint of what was invalidated since the last one.
    void repaint();

    RecordingHost host_;
    ProgramState state_;
    ButtonImages buttons_;
    WindowSurface surface_;
    bool closed_ = false;
    std::size_t invalidationsSeen_ = 0;
};

}  // namespace mirovale
