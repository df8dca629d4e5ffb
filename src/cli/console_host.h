#pragma once

#include <ostream>

#include "core/host/recording_host.h"

namespace mirovale {

// The host of the command-line tool: a RecordingHost (dialogs answered from its queue, calls
// recorded) that also writes every message box to a stream as it is shown, or holds them back
// until asked.
class ConsoleHost : public RecordingHost {
public:
    // out   : where message boxes are written, typically standard error
    // shown : false holds the message boxes back (they are still recorded)
    explicit ConsoleHost(std::ostream& out, bool shown = true) : out_(out), shown_(shown) {}

    void messageBox(std::string_view text, std::string_view caption, MessageIcon icon) override;

    // Writes the message boxes held back so far.
    void showHeld();

private:
    std::ostream& out_;
    bool shown_;
    std::size_t written_ = 0;  // recorded messages written to out_
};

}  // namespace mirovale
