#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/host/host.h"
#include "core/host/recording_host.h"
#include "core/state/program_state.h"

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

// A client size written WxH (e.g. 1280x800), each side 1 to 32767; nothing when malformed.
std::optional<ClientSize> parseClientSize(const std::string& text);

// Adds the `script` subcommand to the command line.
CLI::App* addScriptCommand(CLI::App& app, ScriptCommandOptions& options);

// Runs `mirovale-cli script`: opens the file (or takes `in` for "-"), reads the client size and
// runs the script. A file that cannot be read or a bad size gives a message on `err` and 2.
int runScriptCommand(const ScriptCommandOptions& options, std::istream& in, std::ostream& out,
                     std::ostream& err);

// The workbench a script drives: the command-line tool's headless one or the window's. A script
// runs commands and clicks, queues dialog answers and reads the records through it.
class ScriptWorkbench {
public:
    virtual ~ScriptWorkbench() = default;
    [[nodiscard]] virtual Host& host() = 0;
    [[nodiscard]] virtual ProgramState& state() = 0;
    // A menu item or internal command, as the front end runs it.
    virtual void command(std::uint16_t id) = 0;
    // The left button pressed and released at a client point.
    virtual void click(int x, int y) = 0;
    // Queues the answer for the next opening of answer.dialogId.
    virtual void queueAnswer(DialogAnswer answer) = 0;
    // Every message shown and dialog run since the workbench started, in order.
    [[nodiscard]] virtual const std::vector<RecordedMessage>& messages() const = 0;
    [[nodiscard]] virtual const std::vector<RecordedDialog>& dialogs() const = 0;
    // Called after each action: repaints what the action invalidated and shuts the workbench
    // down when it was asked to close.
    virtual void settle() = 0;
    // True once the workbench has shut down; later actions are errors.
    [[nodiscard]] virtual bool closed() const = 0;
};

enum class ScriptActionKind { Command, Click, Answer, Print, SetSubset, SetStoredSubsets, SetAlphabets };

// One line of a script, checked.
struct ScriptAction {
    int line = 0;
    ScriptActionKind kind = ScriptActionKind::Command;
    std::uint16_t command = 0;
    int x = 0;
    int y = 0;
    DialogAnswer answer;
    std::string what;                              // print: the record
    std::vector<std::vector<std::uint32_t>> rows;  // set: one row for the subset
    std::uint32_t current = 0;                     // set: 1-based current row, 0 = the last
};

// Reads and checks a whole script (the actions below). An error is reported on `err` as
// "line N: what is wrong" and gives nothing.
std::optional<std::vector<ScriptAction>> readScript(std::istream& in, std::ostream& err);

// Runs checked actions on a started workbench. The output of the prints goes to `out` once all
// actions have run, and the result is 0; an action the workbench cannot take (a selection the
// panels could not hold, anything after closing) is reported on `err` with its line, nothing
// is written to `out`, and the result is 2.
int runScriptActions(const std::vector<ScriptAction>& actions, ScriptWorkbench& workbench,
                     std::ostream& out, std::ostream& err);

// Runs a workbench script: starts a fresh workbench as the window's creation does, then one
// action a line:
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
// Blank lines and lines starting with '#' are skipped. The whole script is read and checked
// before it runs; an error (unknown action or command, bad number, a selection the panels
// could not hold) is reported on `err` with its line number, nothing is written to `out`, and
// the result is 2. Otherwise the output of the prints goes to `out` and the result is 0.
int runScript(std::istream& in, std::ostream& out, std::ostream& err, const ScriptOptions& options);

}  // namespace mirovale
