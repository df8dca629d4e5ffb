#pragma once

#include <string>
#include <vector>

#include "core/host/host.h"

namespace mirovale {

// One message box as it was shown.
struct RecordedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;

    friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

// A Host without a window: records every message box in the order shown.
class RecordingHost : public Host {
public:
    void messageBox(std::string_view text, std::string_view caption, MessageIcon icon) override;

    std::vector<RecordedMessage> messages;
};

}  // namespace mirovale
