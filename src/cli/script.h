#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/host/host.h"
#include "core/host/recording_host.h"
#include "core/simulation/stat_cutoff_quorvel.h"
#include "core/state/program_state.h"

class QImage;

namespace mirovale {

// Settings of one script run.
struct ScriptOptions {
    ClientSize size{1280, 800};  // client area the workbench lays itself out in
};

// What `mirovale-cli script` was given on its command line.
struct ScriptCommandOptions {
    std::string file;               // the script; "-" reads standard input
    std::string size = "1280x800";  // client size WxH in pixels
};

// Adds the `script` subcommand to the command line.
CLI::App* addScriptCommand(CLI::App& app, ScriptCommandOptions& options);

// Runs `mirovale-cli script`: opens the file (or takes `in` for "-"), reads the client size and
// runs the script. A file that cannot be read or a bad size gives a message on `err` and 2.
int runScriptCommand(const ScriptCommandOptions& options, std::istream& in, std::ostream& out,
                     std::ostream& err);

// The workbench a script drives: the command-line tool's headless one or the window's. A script
// runs commands and pointer actions, queues dialog answers and reads the records and the
// picture through it.
class ScriptWorkbench {
public:
    virtual ~ScriptWorkbench() = default;
    [[nodiscard]] virtual Host& host() = 0;
    [[nodiscard]] virtual ProgramState& state() = 0;
    // A menu item or internal command, as the front end runs it.
    virtual void command(std::uint16_t id) = 0;
    // The left button pressed, the pointer moved and the button released at a client point.
    virtual void press(int x, int y) = 0;
    virtual void move(int x, int y) = 0;
    virtual void release(int x, int y) = 0;
    // Queues the answer for the next opening of answer.dialogId.
    virtual void queueAnswer(DialogAnswer answer) = 0;
    // Every message shown and dialog run since the workbench started, in order.
    [[nodiscard]] virtual const std::vector<RecordedMessage>& messages() const = 0;
    [[nodiscard]] virtual const std::vector<RecordedDialog>& dialogs() const = 0;
    // Called after each action: shuts the workbench down when it was asked to close, else
    // repaints what the action invalidated.
    virtual void settle() = 0;
    // True once the workbench was asked to close (the window's " Exit").
    [[nodiscard]] virtual bool closeRequested() const = 0;
    // True once the workbench has shut down; later actions are errors.
    [[nodiscard]] virtual bool closed() const = 0;
    // The picture of the client area as the last settle() left it.
    [[nodiscard]] virtual const QImage& picture() const = 0;
};

enum class ScriptActionKind {
    Command,
    Click,
    Press,
    Move,
    Release,
    Type,
    Answer,
    Print,
    SetSubset,
    SetStoredSubsets,
    SetAlphabets,
    SetTimes,
    Save
};

// One line of a script, checked.
struct ScriptAction {
    int line = 0;
    ScriptActionKind kind = ScriptActionKind::Command;
    std::uint16_t command = 0;
    int x = 0;
    int y = 0;
    DialogAnswer answer;
    std::string what;  // print: the record; save: the file; type: the text
    std::vector<std::vector<std::uint32_t>> rows;  // set: one row for the subset
    std::uint32_t current = 0;                     // set: 1-based current row, 0 = the last
    SimulationTimes times;                         // set simulation-times
};

// Reads and checks a whole script (the actions below). An error is reported on `err` as
// "line N: what is wrong" and gives nothing.
std::optional<std::vector<ScriptAction>> readScript(std::istream& in, std::ostream& err);

// Runs checked actions on a started workbench. The output of the prints goes to `out` once all
// actions have run, and the result is 0; an action the workbench cannot take (a selection the
// panels could not hold, a picture that cannot be written, anything after closing) is reported
// on `err` with its line, nothing is written to `out`, and the result is 2.
int runScriptActions(const std::vector<ScriptAction>& actions, ScriptWorkbench& workbench,
                     std::ostream& out, std::ostream& err);

// A client size written WxH (e.g. 1280x800), each side 1 to 32767; nothing when malformed.
std::optional<ClientSize> parseClientSize(const std::string& text);

// Runs a workbench script: starts a fresh workbench as the window's creation does, then one
// action a line, repainting the picture of the client area after start-up and after each action
// as the window does (see WindowSurface):
//   command ID                       runs a command (menu item or internal command)
//   click X Y                        left button down and up at a client point
//   answer DIALOG ok|cancel [C=TEXT | C=checked | C=unchecked ...]
//                                    queues the answer for the next opening of that dialog;
//                                    TEXT may be quoted ("3, 5") to hold blanks
//   print series|chains|state|errors|messages|alphabet
//                                    one JSON object on one line
//   set subset E,E,...               the subset being built in the subset panel
//   set stored-subsets ROW ROW ... [current C]
//   set alphabets ROW ROW ... [current C]
//                                    the stored subsets or alphabets, as if composed in the
//                                    panels (rows are E,E,...; the etalons of the alphabets are
//                                    taken as the alphabet panel takes them)
//   set simulation-times START END   the start and end of the last simulation, seconds since
//                                    1970, as the chart shows them (for repeatable pictures)
//   save FILE.png|FILE.bmp|FILE.pcx  writes the picture of the client area as the window
//                                    shows it now: PNG, BMP at 32 bits or black-and-white PCX
//                                    by the extension, in any case
// Blank lines and lines starting with '#' are skipped. The whole script is read and checked
// before it runs; an error (unknown action or command, bad number, a selection the panels
// could not hold, a picture type other than .png, .bmp or .pcx) is reported on `err` with its line number,
// nothing is written to `out`, and the result is 2. Otherwise the output of the prints goes to
// `out` and the result is 0.
int runScript(std::istream& in, std::ostream& out, std::ostream& err, const ScriptOptions& options);

}  // namespace mirovale
