#pragma once

#include <string>
#include <string_view>

namespace mirovale {

// Icon of a message box. The workbench uses only these.
enum class MessageIcon : int { None, Exclamation, Information };

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
};

}  // namespace mirovale
