#pragma once

#include <ostream>

#include "core/host/recording_host.h"

namespace mirovale {

// The host of the command-line tool: a RecordingHost (dialogs answered from its queue, calls
// recorded) that also writes every message box to a stream as it is shown.
class ConsoleHost : public RecordingHost {
public:
    // out : where message boxes are written, typically standard error
    explicit ConsoleHost(std::ostream& out) : out_(out) {}

    void messageBox(std::string_view text, std::string_view caption, MessageIcon icon) override;

private:
    std::ostream& out_;
};

}  // namespace mirovale
