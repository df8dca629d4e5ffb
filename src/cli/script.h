#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>

#include "core/host/host.h"

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
