#include "core/host/recording_host.h"

namespace mirovale {

void RecordingHost::messageBox(std::string_view text, std::string_view caption, MessageIcon icon) {
    messages.push_back({std::string(text), std::string(caption), icon});
}

}  // namespace mirovale
