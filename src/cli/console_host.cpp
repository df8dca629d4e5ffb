#include "cli/console_host.h"

namespace mirovale {

void ConsoleHost::messageBox(std::string_view text, std::string_view caption, MessageIcon icon) {
    RecordingHost::messageBox(text, caption, icon);
    std::string_view title = caption;
    while (!title.empty() && title.front() == ' ') title.remove_prefix(1);
    while (!title.empty() && title.back() == ' ') title.remove_suffix(1);
    std::string_view body = text;
    while (!body.empty() && body.back() == '\n') body.remove_suffix(1);
    out_ << '[' << title << "] " << body << '\n';
}

}  // namespace mirovale
