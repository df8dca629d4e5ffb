#include "cli/script.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <istream>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/headless_workbench.h"
#include "cli/picture_file.h"
#include "cli/script_json.h"
#include "cli/shown_text.h"
#include "core/export/snapshot.h"
#include "core/host/recording_host.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "qt/gui_application.h"

namespace mirovale {
namespace {

constexpr int kDialogIds[] = {105, 106, 107, 110, 111, 112, 113, 114};
constexpr std::size_t kPanelSlots = 10;  // etalons in a subset or alphabet
constexpr std::size_t kPanelRows = 10;   // stored subsets or alphabets

// A script error: its line and what is wrong.
struct ScriptError {
    int line = 0;
    std::string text;
};

[[noreturn]] void fail(std::string text) {
    throw ScriptError{0, std::move(text)};
}

using Action = ScriptAction;
using ActionKind = ScriptActionKind;

// Splits a line at blanks; a double-quoted stretch keeps its blanks (the quotes are dropped).
std::vector<std::string> tokens(const std::string& line) {
    std::vector<std::string> out;
    std::string token;
    bool quoted = false;
    bool any = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\r')) {
            if (any) out.push_back(token);
            token.clear();
            any = false;
        } else {
            token += c;
            any = true;
        }
    }
    if (any) out.push_back(token);
    return out;
}

std::optional<long long> number(std::string_view text) {
    long long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    const auto result = std::from_chars(first, last, value);
    if (first == last || result.ec != std::errc() || result.ptr != last) return std::nullopt;
    return value;
}

long long numberIn(std::string_view text, long long low, long long high, const char* what) {
    const auto value = number(text);
    if (!value || *value < low || *value > high)
        fail(std::string("bad ") + what + " '" + shownText(text) + "' (" + std::to_string(low) +
             " to " + std::to_string(high) + ")");
    return *value;
}

// "E,E,..." : etalon numbers 1..20, at most kPanelSlots of them.
std::vector<std::uint32_t> etalonRow(std::string_view text) {
    std::vector<std::uint32_t> row;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        row.push_back(static_cast<std::uint32_t>(
            numberIn(text.substr(start, comma - start), 1, kEtalonTableSize, "etalon number")));
        start = comma + 1;
    }
    if (row.size() > kPanelSlots)
        fail(std::string("a selection holds at most 10 etalons: '") + shownText(text) + "'");
    return row;
}

void parseAnswer(const std::vector<std::string>& t, Action& a) {
    if (t.size() < 3) fail(std::string("answer needs a dialog and ok or cancel"));
    a.answer.dialogId = static_cast<int>(numberIn(t[1], 0, 65535, "dialog"));
    if (std::find(std::begin(kDialogIds), std::end(kDialogIds), a.answer.dialogId) ==
        std::end(kDialogIds))
        fail("unknown dialog " + shownText(t[1]));
    if (t[2] != "ok" && t[2] != "cancel") fail("expected ok or cancel, not '" + shownText(t[2]) + "'");
    a.answer.result = t[2] == "ok" ? DialogResult::Ok : DialogResult::Cancel;
    for (std::size_t i = 3; i < t.size(); ++i) {
        const std::size_t eq = t[i].find('=');
        if (eq == std::string::npos) fail("expected CONTROL=VALUE, not '" + shownText(t[i]) + "'");
        const int id = static_cast<int>(numberIn(t[i].substr(0, eq), 1, 65535, "control"));
        const std::string value = t[i].substr(eq + 1);
        if (value == "checked" || value == "unchecked")
            a.answer.checks.emplace_back(id, value == "checked");
        else
            a.answer.fields.emplace_back(id, value);
    }
}

// The rows of "set stored-subsets" and "set alphabets", with an optional "current C".
void parseRows(const std::vector<std::string>& t, Action& a) {
    std::size_t end = t.size();
    if (end >= 4 && t[end - 2] == "current") end -= 2;
    for (std::size_t i = 2; i < end; ++i) a.rows.push_back(etalonRow(t[i]));
    if (a.rows.size() > kPanelRows) fail(std::string("at most 10 rows are stored"));
    if (end != t.size())
        a.current = static_cast<std::uint32_t>(
            numberIn(t.back(), 1, static_cast<long long>(std::max<std::size_t>(a.rows.size(), 1)),
                     "current row"));
}

Action parseLine(const std::vector<std::string>& t, int line) {
    Action a;
    a.line = line;
    const std::string& verb = t[0];
    const auto expect = [&](std::size_t n) {
        if (t.size() != n) fail(verb + " takes " + std::to_string(n - 1) + " argument(s)");
    };
    if (verb == "command") {
        expect(2);
        a.kind = ActionKind::Command;
        const long long id = numberIn(t[1], 0, 65535, "command id");
        if (!isKnownCommand(static_cast<std::uint32_t>(id))) fail("unknown command id " + shownText(t[1]));
        a.command = static_cast<std::uint16_t>(id);
    } else if (verb == "click" || verb == "press" || verb == "move" || verb == "release") {
        expect(3);
        a.kind = verb == "click"   ? ActionKind::Click
                 : verb == "press" ? ActionKind::Press
                 : verb == "move"  ? ActionKind::Move
                                   : ActionKind::Release;
        a.x = static_cast<int>(numberIn(t[1], -32768, 32767, "x"));
        a.y = static_cast<int>(numberIn(t[2], -32768, 32767, "y"));
    } else if (verb == "type") {
        if (t.size() > 2) fail(std::string("type takes one text (quote it to keep blanks)"));
        a.kind = ActionKind::Type;
        a.what = t.size() == 2 ? t[1] : std::string();
    } else if (verb == "answer") {
        a.kind = ActionKind::Answer;
        parseAnswer(t, a);
    } else if (verb == "print") {
        expect(2);
        a.kind = ActionKind::Print;
        static const std::string kinds[] = {"series", "chains",   "state",
                                            "errors", "messages", "alphabet"};
        if (std::find(std::begin(kinds), std::end(kinds), t[1]) == std::end(kinds))
            fail("cannot print '" + shownText(t[1]) + "'");
        a.what = t[1];
    } else if (verb == "save") {
        expect(2);
        a.kind = ActionKind::Save;
        if (snapshotFormat(t[1]) == SnapshotFormat::None)
            fail("cannot save '" + shownText(t[1]) + "': the picture types are .png, .bmp and .pcx");
        a.what = t[1];
    } else if (verb == "set" && t.size() >= 2 && t[1] == "subset") {
        if (t.size() > 3) fail(std::string("set subset takes one list"));
        a.kind = ActionKind::SetSubset;
        a.rows.push_back(t.size() == 3 ? etalonRow(t[2]) : std::vector<std::uint32_t>{});
    } else if (verb == "set" && t.size() >= 2 && t[1] == "simulation-times") {
        if (t.size() != 4) fail(std::string("set simulation-times takes a start and an end"));
        a.kind = ActionKind::SetTimes;
        constexpr long long kLatest = std::numeric_limits<long long>::max();
        a.times.startTime = numberIn(t[2], 0, kLatest, "start time");
        a.times.endTime = numberIn(t[3], a.times.startTime, kLatest, "end time");
    } else if (verb == "set" && t.size() >= 2 &&
               (t[1] == "stored-subsets" || t[1] == "alphabets")) {
        a.kind = t[1] == "alphabets" ? ActionKind::SetAlphabets : ActionKind::SetStoredSubsets;
        parseRows(t, a);
    } else {
        fail("unknown action '" +
             shownText(verb + (verb == "set" && t.size() >= 2 ? " " + t[1] : "")) + "'");
    }
    return a;
}

std::vector<Action> parseScript(std::istream& in) {
    std::vector<Action> actions;
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        const auto t = tokens(line);
        if (t.empty() || t[0][0] == '#') continue;
        try {
            actions.push_back(parseLine(t, n));
        } catch (ScriptError& e) {
            e.line = n;
            throw;
        }
    }
    return actions;
}

const char* iconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return "exclamation";
        case MessageIcon::Information:
            return "information";
        default:
            return "none";
    }
}

// One run of the actions on a workbench.
class ScriptRun {
public:
    explicit ScriptRun(ScriptWorkbench& workbench)
        : workbench_(workbench), host_(workbench.host()), state_(workbench.state()) {}

    void run(const Action& a, std::string& out) {
        if (workbench_.closed()) fail(std::string("the window is closed"));
        switch (a.kind) {
            case ActionKind::Command:
                workbench_.command(a.command);
                break;
            case ActionKind::Click:  // a press and a release at one point
                workbench_.press(a.x, a.y);
                if (!workbench_.closeRequested()) workbench_.release(a.x, a.y);
                break;
            case ActionKind::Press:
                workbench_.press(a.x, a.y);
                break;
            case ActionKind::Move:
                workbench_.move(a.x, a.y);
                break;
            case ActionKind::Release:
                workbench_.release(a.x, a.y);
                break;
            case ActionKind::Type:
                host_.setEditFieldText(a.what);
                break;
            case ActionKind::Answer:
                workbench_.queueAnswer(a.answer);
                break;
            case ActionKind::Print:
                out += print(a.what) + '\n';
                break;
            case ActionKind::SetSubset:
                setSubset(a.rows[0]);
                break;
            case ActionKind::SetStoredSubsets:
                setStoredSubsets(a);
                break;
            case ActionKind::SetAlphabets:
                setAlphabets(a);
                break;
            case ActionKind::SetTimes:
                state_.simulationTimes = a.times;
                break;
            case ActionKind::Save:
                save(a.what);
                break;
        }
        workbench_.settle();
    }

private:
    void save(const std::string& file) {
        if (const std::string problem = writePictureFile(workbench_.picture(), file);
            !problem.empty())
            fail(problem);
    }

    std::string print(const std::string& what) {
        if (what == "series") return seriesJson(state_.lpSeriesHeader.get()).dump();
        if (what == "chains") return chainsJson(state_.lpChainsHeader.get()).dump();
        if (what == "errors") return errorsJson(state_.lpRestErrorHeader.get()).dump();
        if (what == "alphabet") return alphabetJson(state_).dump();
        if (what == "messages") return messages().dump();
        return stateJson(state_).dump();
    }

    nlohmann::ordered_json messages() {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        const auto& shown = workbench_.messages();
        for (std::size_t i = messagesSeen_; i < shown.size(); ++i) {
            const RecordedMessage& m = shown[i];
            list.push_back({{"caption", m.caption}, {"text", m.text}, {"icon", iconName(m.icon)}});
        }
        nlohmann::ordered_json unanswered = nlohmann::ordered_json::array();
        nlohmann::ordered_json refused = nlohmann::ordered_json::array();
        const auto& run = workbench_.dialogs();
        for (std::size_t i = dialogsSeen_; i < run.size(); ++i) {
            const RecordedDialog& d = run[i];
            if (!d.answered) unanswered.push_back(d.dialogId);
            for (const int id : d.refused)
                refused.push_back({{"dialog", d.dialogId}, {"control", id}});
        }
        messagesSeen_ = shown.size();
        dialogsSeen_ = run.size();
        return {{"messages", std::move(list)},
                {"unansweredDialogs", std::move(unanswered)},
                {"refusedControls", std::move(refused)}};
    }

    void needArrays(bool made) {
        if (!made) fail(std::string("the panel's arrays cannot be made"));
    }

    void setSubset(const std::vector<std::uint32_t>& entries) {
        SubsetPanel& p = state_.subsetPanel;
        needArrays(makeSubsetArrays(host_, p));
        std::fill(p.selectedSubset.begin(), p.selectedSubset.end(), 0u);
        std::copy(entries.begin(), entries.end(), p.selectedSubset.begin());
        p.dwSelectedSubsetSize = static_cast<std::uint32_t>(entries.size());
    }

    void setStoredSubsets(const Action& a) {
        SubsetPanel& p = state_.subsetPanel;
        needArrays(makeSubsetArrays(host_, p));
        p.dwSubsetArraySize = 0;
        for (const auto& row : a.rows)
            p.dwSubsetArraySize = addSelectionToArray(
                row, static_cast<std::uint32_t>(row.size()), p.selectedSubsetArraySize,
                p.selectedSubsetArray, p.dwSubsetArraySize, p.dwSubsetArrayCapacity);
        p.dwCurrentSubset = a.current != 0 ? a.current : p.dwSubsetArraySize;
        p.dwMarkAllSubsets = a.rows.empty() ? 0 : 1;
    }

    // The alphabet panel takes an etalon by setting bit 1 of the flag at its item's position
    // in the required list; an etalon taken once cannot be taken again.
    void takeEtalon(std::uint32_t etalon) {
        const auto required =
            std::span<const std::uint16_t>(state_.lpRequiredList)
                .first(std::min<std::size_t>(state_.wRequiredCount, state_.lpRequiredList.size()));
        const auto it = std::find(required.begin(), required.end(), etalon);
        if (it == required.end())
            fail("etalon " + std::to_string(etalon) + " is not among the required etalons");
        auto& flag = state_.wEtalonFlags[static_cast<std::size_t>(it - required.begin())];
        if (flag & 2u) fail("etalon " + std::to_string(etalon) + " is taken twice");
        flag |= 2u;
    }

    void setAlphabets(const Action& a) {
        AlphabetPanel& p = state_.alphabetPanel;
        needArrays(makeAlphabetArrays(host_, p));
        for (auto& flag : state_.wEtalonFlags) flag &= static_cast<std::uint16_t>(~2u);
        std::fill(p.selectedAlphabet.begin(), p.selectedAlphabet.end(), 0u);
        p.dwSelectedAlphabetSize = 0;
        p.dwAlphabetArraySize = 0;
        for (const auto& row : a.rows) {
            for (const std::uint32_t etalon : row) takeEtalon(etalon);
            p.dwAlphabetArraySize = addSelectionToArray(
                row, static_cast<std::uint32_t>(row.size()), p.selectedAlphabetsSize,
                p.selectedAlphabetArray, p.dwAlphabetArraySize, p.dwAlphabetArrayCapacity);
        }
        p.dwCurrentAlphabet = a.current != 0 ? a.current : p.dwAlphabetArraySize;
        p.dwMarkAllAlphabets = a.rows.empty() ? 0 : 1;
    }

    ScriptWorkbench& workbench_;
    Host& host_;
    ProgramState& state_;
    std::size_t messagesSeen_ = 0;
    std::size_t dialogsSeen_ = 0;
};

}  // namespace

std::optional<std::vector<ScriptAction>> readScript(std::istream& in, std::ostream& err) {
    try {
        return parseScript(in);
    } catch (const ScriptError& e) {
        err << "line " << e.line << ": " << e.text << '\n';
    }
    return std::nullopt;
}

int runScriptActions(const std::vector<ScriptAction>& actions, ScriptWorkbench& workbench,
                     std::ostream& out, std::ostream& err) {
    ScriptRun run(workbench);
    std::string output;
    for (const Action& a : actions) {
        try {
            run.run(a, output);
        } catch (const ScriptError& e) {
            err << "line " << a.line << ": " << e.text << '\n';
            return 2;
        }
    }
    out << output;
    return 0;
}

int runScript(std::istream& in, std::ostream& out, std::ostream& err,
              const ScriptOptions& options) {
    const auto actions = readScript(in, err);
    if (!actions) return 2;
    ensureGuiApplication();
    std::unique_ptr<HeadlessWorkbench> workbench;
    try {
        workbench = std::make_unique<HeadlessWorkbench>(options);
    } catch (const WorkbenchError& e) {
        err << "mirovale-cli: " << e.what() << '\n';  // before the first action
        return 2;
    }
    return runScriptActions(*actions, *workbench, out, err);
}

std::optional<ClientSize> parseClientSize(const std::string& text) {
    const std::size_t x = text.find('x');
    const auto width = number(std::string_view(text).substr(0, x));
    const auto height =
        x == std::string::npos ? std::nullopt : number(std::string_view(text).substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > 32767 || *height > 32767)
        return std::nullopt;
    return ClientSize{static_cast<int>(*width), static_cast<int>(*height)};
}

CLI::App* addScriptCommand(CLI::App& app, ScriptCommandOptions& options) {
    CLI::App* cmd = app.add_subcommand(
        "script",
        "Run the workbench from a script of actions, one a line: command ID; click X Y (press and "
        "release); press X Y, move X Y, release X Y; type TEXT (the Tmin field); answer DIALOG "
        "ok|cancel [CONTROL=TEXT ...]; print series|chains|state|errors|messages|alphabet. "
        "Shortcuts that set the panels' state without clicking them: set subset E,E,...; set "
        "stored-subsets ROW ... [current C]; set alphabets ROW ... [current C]");
    cmd->add_option("FILE", options.file, "Script file, or - for standard input")->required();
    cmd->add_option("--size", options.size, "Client size WxH in pixels (default 1280x800)");
    cmd->footer(
        "Example (one action a line; prints JSON):\n"
        "  printf 'command 40018\\nprint chains\\n' | mirovale-cli script -");
    return cmd;
}

int runScriptCommand(const ScriptCommandOptions& options, std::istream& in, std::ostream& out,
                     std::ostream& err) {
    ScriptOptions run;
    const auto size = parseClientSize(options.size);
    if (!size) {
        err << "mirovale-cli: bad --size '" << options.size << "' (expected WxH, e.g. 1280x800)\n";
        return 2;
    }
    run.size = *size;
    if (options.file == "-") return runScript(in, out, err, run);
    std::error_code ignored;
    std::ifstream file(options.file);
    if (!file || std::filesystem::is_directory(options.file, ignored)) {
        err << "mirovale-cli: cannot read " << options.file << '\n';
        return 2;
    }
    return runScript(file, out, err, run);
}

}  // namespace mirovale
