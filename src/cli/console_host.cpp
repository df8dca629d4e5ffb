#include "cli/console_host.h"

namespace mirovale {

namespace {

void writeMessage(std::ostream& out, std::string_view text, std::string_view caption) {
    std::string_view title = caption;
    while (!title.empty() && title.front() == ' ') title.remove_prefix(1);
    while (!title.empty() && title.back() == ' ') title.remove_suffix(1);
    std::string_view body = text;
    while (!body.empty() && body.back() == '\n') body.remove_suffix(1);
    out << '[' << title << "] " << body << '\n';
}

}  // namespace

void ConsoleHost::messageBox(std::string_view text, std::string_view caption, MessageIcon icon) {
    RecordingHost::messageBox(text, caption, icon);
    if (shown_) showHeld();
}

void ConsoleHost::showHeld() {
    for (; written_ < messages.size(); ++written_)
        writeMessage(out_, messages[written_].text, messages[written_].caption);
}

}  // namespace mirovale
