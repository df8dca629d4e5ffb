#include "cli/chart_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli/headless_workbench.h"
#include "cli/picture_file.h"
#include "cli/provenance.h"
#include "cli/results_file.h"
#include "cli/simulate_command.h"
#include "core/dialogs/chart_dialog.h"
#include "core/export/snapshot.h"
#include "core/shell/commands.h"
#include "core/shell/simulation_command.h"
#include "qt/gui_application.h"
#include "qt/svg_canvas.h"

namespace mirovale {
namespace {

using Json = nlohmann::ordered_json;

// Why no chart is drawn.
struct Refusal {
    std::string text;
};

// The chart modes by the names the command takes; the number is dwChartMode.
struct ModeName {
    const char* name;
    std::uint32_t mode;
};
constexpr ModeName kModes[] = {
    {"restored", 0},
    {"restored-aggregate", 1},
    {"detection", 2},
    {"detection-aggregate", 3},
    {"recognition", 4},
    {"recognition-aggregate", 5},
    {"recognition-bounds", 12},
    {"recognition-aggregate-bounds", 13},
};

std::string modeList() {
    std::string list;
    for (const ModeName& m : kModes)
        list +=
            (list.empty() ? "" : ", ") + std::string(m.name) + " (" + std::to_string(m.mode) + ")";
    return list;
}

const ModeName& parseMode(const std::string& text) {
    for (const ModeName& m : kModes)
        if (text == m.name || text == std::to_string(m.mode)) return m;
    throw Refusal{"--mode: '" + text + "' is not a chart mode; the modes are " + modeList()};
}

bool isRecognitionMode(std::uint32_t mode) {
    return mode >= 4;
}

// The tasks whose simulation counts misrecognitions; the chart dialog offers the recognition
// error for them only.
bool isRecognitionTask(std::uint64_t task) {
    return task == TASK_RECOGNITION || task == TASK_TUPLE_RECOGNITION;
}

// The picture types by extension: the snapshot's, or SVG.
bool isSvgName(const std::string& name) {
    if (name.size() <= 4) return false;
    std::string extension = name.substr(name.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".svg";
}

// Refuses a name without a picture type and a file that cannot be written, before any work.
void checkOut(const std::string& out) {
    if (!isSvgName(out) && snapshotFormat(out) == SnapshotFormat::None)
        throw Refusal{"--out: '" + out +
                      "' is not a picture: the types are .png, .bmp, .pcx and .svg"};
    namespace fs = std::filesystem;
    const fs::path path(out);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::error_code error;
    if (fs::is_directory(path, error) || access(folder.c_str(), W_OK) != 0 ||
        (fs::exists(path, error) && access(path.c_str(), W_OK) != 0))
        throw Refusal{"cannot write " + out};
}

// A bound of 0.001 or more, as the axis takes it (trunc(1000 * bound) at least 1).
void checkUpperBound(const std::string& text) {
    if (text.empty()) return;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !(value >= 0.001) ||
        value > 1e6)
        throw Refusal{"--upper-bound: '" + text + "' is not a number from 0.001 to 1000000"};
}

// Checked reading of the results file; every refusal names the file and the field.
class FileReader {
public:
    explicit FileReader(std::string file) : file_(std::move(file)) {}

    [[noreturn]] void refuse(const std::string& text) const { throw Refusal{file_ + ": " + text}; }

    const Json& member(const Json& object, const std::string& where, const char* key) const {
        if (!object.is_object() || !object.contains(key))
            refuse(where + "\"" + key + "\" is missing");
        return object[key];
    }

    const Json& object(const Json& parent, const std::string& where, const char* key) const {
        const Json& value = member(parent, where, key);
        if (!value.is_object()) refuse(where + "\"" + key + "\" is not an object");
        return value;
    }

    std::uint64_t number(const Json& parent, const std::string& where, const char* key,
                         std::uint64_t most) const {
        const Json& value = member(parent, where, key);
        if (!value.is_number_unsigned() || value.get<std::uint64_t>() > most)
            refuse(where + "\"" + key + "\" is not a number from 0 to " + std::to_string(most));
        return value.get<std::uint64_t>();
    }

    // An array of `count` entries that each pass `ok`.
    template <class Ok>
    const Json& list(const Json& parent, const std::string& where, const char* key,
                     std::size_t count, const char* what, Ok ok) const {
        const Json& value = member(parent, where, key);
        if (!value.is_array() || value.size() != count ||
            !std::all_of(value.begin(), value.end(), ok))
            refuse(where + "\"" + key + "\" is not a list of " + std::to_string(count) + " " +
                   what);
        return value;
    }

private:
    std::string file_;
};

bool isWord(const Json& v) {
    return v.is_number_unsigned() && v.get<std::uint64_t>() <= 0xFFFFFFFFu;
}

bool isLevel(const Json& v) {
    return v.is_number_integer() && v.get<std::int64_t>() >= -32768 &&
           v.get<std::int64_t>() <= 32767;
}

// The error record: its shape, the types of its fields, and a simulation that ran to its end.
void checkRecord(const FileReader& f, const Json& json) {
    const std::string at = "\"record\".";
    const Json& r = f.object(json, "", "record");
    const std::size_t p = f.number(r, at, "wVariousPulses", 0xFFFF);
    const std::size_t q = f.number(r, at, "wNoiseLevels", 0xFFFF);
    f.number(r, at, "repeats", 0xFFFFFFFF);
    for (const char* key : {"wSeriesType", "wTaskType", "wMakingLevel", "wProcessingLevel"})
        f.number(r, at, key, 0xFFFF);
    f.list(r, at, "wPulseValues", p, "pulse numbers", isLevel);
    f.list(r, at, "lpNoiseLevels", q, "noise levels", isLevel);
    const auto table = [&](const Json& rows) {
        return rows.is_array() && rows.size() == q &&
               std::all_of(rows.begin(), rows.end(), [&](const Json& row) {
                   return row.is_array() && row.size() == p &&
                          std::all_of(row.begin(), row.end(), isWord);
               });
    };
    f.list(r, at, "lpErrors", kErrorTables, "tables of noise levels by pulse numbers", table);
    if (f.number(r, at, "ifComplete", 0xFFFF) == 0)
        f.refuse("the simulation it records did not run to its end (\"ifComplete\" is 0)");
}

// "YYYY-MM-DDThh:mm:ssZ" as seconds since 1970.
std::int64_t utcSeconds(const FileReader& f, const Json& times, const char* key) {
    const Json& value = f.member(times, "\"times\".", key);
    std::tm parts{};
    char zone = 0;
    int used = 0;
    const std::string text = value.is_string() ? value.get<std::string>() : std::string();
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%n", &parts.tm_year, &parts.tm_mon,
                    &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec, &zone,
                    &used) != 7 ||
        zone != 'Z' || static_cast<std::size_t>(used) != text.size())
        f.refuse("\"times\".\"" + std::string(key) + "\" is not a time YYYY-MM-DDThh:mm:ssZ");
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    return timegm(&parts);
}

// What the chart is drawn from.
struct Results {
    Json json;
    SimulationTimes times;
};

Results readResults(const std::string& file) {
    const FileReader f(file);
    std::ifstream in(file, std::ios::binary);
    if (!in) f.refuse("cannot be read");
    Results results{Json::parse(in, nullptr, false), {}};
    const Json& json = results.json;
    if (json.is_discarded()) f.refuse("is not JSON");
    if (json.is_object() && json.contains("shard"))
        f.refuse("is a part of a simulation; merge the parts first (mirovale-cli merge)");
    if (!json.is_object() || !json.contains("record"))
        f.refuse("is not the results of a simulation (it has no \"record\")");
    checkRecord(f, json);
    f.object(json, "", "plan");
    const Json& generators = f.object(json, "", "generators");
    f.object(generators, "\"generators\".", "start");
    f.object(generators, "\"generators\".", "end");
    const Json& times = f.object(json, "", "times");
    results.times = {utcSeconds(f, times, "start"), utcSeconds(f, times, "end")};
    if (results.times.endTime < results.times.startTime)
        f.refuse("\"times\": the end comes before the start");
    return results;
}

std::string joined(const Json& numbers, char separator) {
    std::string text;
    for (const Json& n : numbers)
        text += (text.empty() ? "" : std::string(1, separator)) + n.dump();
    return text;
}

// The options `simulate` sets up the file's plan with. The series type and task are chosen from
// the menu only where they differ from the start-up's, as a user of the window would.
SimulateOptions planOptions(const FileReader& f, const Json& plan, const ProgramState& fresh) {
    const std::string at = "\"plan\".";
    const auto word = [&](const char* key) {
        return static_cast<std::uint16_t>(f.number(plan, at, key, 0xFFFF));
    };
    SimulateOptions o;
    if (const std::uint16_t type = word("wSeriesType"); type != fresh.wSeriesType)
        o.seriesType = type;
    static const std::pair<std::uint16_t, const char*> tasks[] = {
        {TASK_DETECTION, "detection"},
        {TASK_RECOGNITION, "recognition"},
        {TASK_JOINT_DETECTION, "joint"},
        {TASK_SERIES_PROCESSING, "processing"}};
    if (const std::uint16_t task = word("wTaskType"); task != fresh.wTaskType) {
        const auto* t = std::find_if(std::begin(tasks), std::end(tasks),
                                     [&](const auto& entry) { return entry.first == task; });
        if (t == std::end(tasks))
            f.refuse(at + "\"wTaskType\" " + std::to_string(task) + " is not a task of the menu");
        o.task = t->second;
    }
    o.seriesLength = static_cast<std::uint32_t>(f.number(plan, at, "dwSeriesLength", 0xFFFFFFFF));
    o.tmin = word("wTmin");
    o.tmax = word("wTmax");
    o.savedMaking = word("wSavedEnergyMaking");
    o.savedProcessing = word("wSavedEnergyProcessing");
    const auto etalons = [](const Json& v) {
        return v.is_array() && std::all_of(v.begin(), v.end(), isLevel);
    };
    const Json& required = f.member(plan, at, "lpRequiredList");
    if (!etalons(required)) f.refuse(at + "\"lpRequiredList\" is not a list of etalons");
    o.required = joined(required, ',');
    if (plan.contains("lpSubset") && etalons(plan["lpSubset"]))
        o.subset = joined(plan["lpSubset"], ',');
    if (plan.contains("selectedSubsetList") && plan["selectedSubsetList"].is_array())
        for (const Json& row : plan["selectedSubsetList"])
            o.subsets += (o.subsets.empty() ? "" : "/") + joined(row, ',');
    const std::uint16_t from = word("wMinPulses");
    const std::uint16_t steps = word("wPulsesSteps");
    const std::uint16_t step = word("wPulsesIncrement");
    const long long to = from + static_cast<long long>(std::max<int>(steps, 1) - 1) * step;
    o.pulses = std::to_string(from) + ':' + std::to_string(to) + ':' + std::to_string(step);
    o.noise = std::to_string(word("wInitialNoiseLevel")) + ':' +
              std::to_string(word("wNoiseSteps")) + ':' + std::to_string(word("wNoiseIncrement"));
    o.repeats = word("wRepeats");
    return o;
}

// The first key of two objects whose values differ, or an empty text.
std::string firstDifference(const Json& expected, const Json& actual) {
    for (const auto& item : expected.items())
        if (!actual.contains(item.key()) || actual[item.key()] != item.value()) return item.key();
    for (const auto& item : actual.items())
        if (!expected.contains(item.key())) return item.key();
    return {};
}

// The last message the workbench showed, for a refusal.
std::string lastMessage(const HeadlessWorkbench& workbench) {
    const auto& shown = workbench.messages();
    return shown.empty() ? std::string("no message") : shown.back().text;
}

// Runs " Statistical Simulation" on the set-up workbench for the plan's last series only: the
// series before it are made, not processed, so the series, its subsets and the generators end
// as the recorded run left them. The plan and the generators are checked against the file as
// the run starts (a mismatch cancels it) and the generators again at its end.
void remakeLastSeries(const FileReader& f, const Json& json, HeadlessWorkbench& workbench) {
    ProgramState& state = workbench.state();
    const SimulationPlan plan = simulationPlanOf(state);
    const std::uint64_t total = std::uint64_t{plan.wPulsesSteps} * plan.wNoiseSteps * plan.wRepeats;
    SimulationControl control;
    control.threads = 1;
    control.shards = static_cast<std::uint32_t>(std::clamp<std::uint64_t>(total, 1, 0xFFFFFFFF));
    control.shard = control.shards;
    std::string mismatch;
    control.starting = [&] {
        if (const std::string key = firstDifference(json["plan"], simulationPlanJson(state));
            !key.empty())
            mismatch = "\"plan\".\"" + key + "\"";
        else if (const std::string state0 =
                     firstDifference(json["generators"]["start"], generatorStatesJson(state));
                 !state0.empty())
            mismatch = "\"generators\".\"start\".\"" + state0 + "\"";
    };
    control.cancelled = [&] { return !mismatch.empty(); };
    const bool ran = runSimulationFromState(workbench.host(), state, control);
    if (!mismatch.empty())
        f.refuse("the workbench set up from its plan differs in " + mismatch +
                 ", so its chart cannot be drawn as the window drew it");
    if (!ran) f.refuse("its simulation cannot be made again: " + lastMessage(workbench));
    if (const std::string key =
            firstDifference(json["generators"]["end"], generatorStatesJson(state));
        !key.empty())
        f.refuse("its simulation made again ends with another \"generators\".\"end\".\"" + key +
                 "\"");
}

// The file's tables in the record the run prepared, which must describe the same plan.
void takeTables(const FileReader& f, const Json& record, RestErrorHeader& r) {
    const nlohmann::ordered_json prepared = {
        {"wVariousPulses", r.wVariousPulses},
        {"wNoiseLevels", r.wNoiseLevels},
        {"repeats", r.repeats},
        {"wPulseValues", std::vector<std::int16_t>(r.wPulseValues.begin(),
                                                   r.wPulseValues.begin() + r.wVariousPulses)},
        {"lpNoiseLevels", std::vector<std::int16_t>(r.lpNoiseLevels.begin(),
                                                    r.lpNoiseLevels.begin() + r.wNoiseLevels)},
        {"wSeriesType", r.wSeriesType},
        {"wTaskType", r.wTaskType},
        {"wMakingLevel", r.wMakingLevel},
        {"wProcessingLevel", r.wProcessingLevel}};
    for (const auto& item : prepared.items())
        if (record[item.key()] != item.value())
            f.refuse("\"record\".\"" + item.key() + "\" does not belong to its plan");
    for (std::size_t m = 0; m < kErrorTables; ++m)
        for (std::size_t j = 0; j < r.wNoiseLevels; ++j)
            for (std::size_t i = 0; i < r.wVariousPulses; ++i)
                r.errors(m, j)[i] = record["lpErrors"][m][j][i].get<std::uint32_t>();
    r.ifComplete = 1;
}

// The answer to the chart settings dialog that gives the mode.
DialogAnswer chartAnswer(std::uint32_t mode, bool recognitionDialog,
                         const std::string& upperBound) {
    using D = ChartSettingsDialog;
    DialogAnswer a{
        recognitionDialog ? D::kRecognitionId : D::kDetectionId, DialogResult::Ok, {}, {}};
    const int handling = mode <= 1   ? D::kRestoringError
                         : mode <= 3 ? D::kDetectionError
                                     : D::kRecognitionError;
    a.checks.emplace_back(handling, true);
    a.checks.emplace_back(mode % 2 == 1 ? D::kSummaryView : D::kComponentwise, true);
    if (recognitionDialog) a.checks.emplace_back(D::kBoundsIncluded, mode >= 12);
    a.checks.emplace_back(D::kFixedUpperBound, !upperBound.empty());
    if (!upperBound.empty()) a.fields.emplace_back(D::kUpperBound, upperBound);
    return a;
}

void writeChart(const ChartOptions& o, HeadlessWorkbench& workbench, QSize size) {
    std::string problem;
    if (isSvgName(o.out)) {
        const QByteArray svg =
            windowSvg(workbench.host(), workbench.state(), size, workbench.buttons(),
                      QString::fromStdString("Error chart of " + o.results));
        if (svg.isEmpty() || !writeTextFile(o.out, svg.toStdString()))
            problem = "cannot write " + o.out;
    } else {
        problem = writePictureFile(workbench.picture(), o.out);
    }
    if (!problem.empty()) throw Refusal{problem};
}

void drawChart(const ChartOptions& o) {
    const ModeName& mode = parseMode(o.mode);
    const auto size = parseClientSize(o.size);
    if (!size) throw Refusal{"--size: '" + o.size + "' is not WxH, e.g. 1280x800"};
    checkUpperBound(o.upperBound);
    checkOut(o.out);
    const Results results = readResults(o.results);
    const FileReader f(o.results);
    const Json& record = results.json["record"];
    if (isRecognitionMode(mode.mode) &&
        !isRecognitionTask(record["wTaskType"].get<std::uint64_t>()))
        f.refuse(std::string("mode ") + mode.name +
                 " shows the recognition error, which a simulation of task " +
                 record["wTaskType"].dump() +
                 " does not measure; its modes are restored, restored-aggregate, "
                 "detection and detection-aggregate");

    ensureGuiApplication();
    ScriptOptions window;
    window.size = *size;
    HeadlessWorkbench workbench(window);
    const SimulateOptions plan = planOptions(f, results.json["plan"], workbench.state());
    if (const std::string problem = setUpSimulation(workbench.recordingHost(), workbench.state(),
                                                    plan, [&] { workbench.settle(); });
        !problem.empty())
        f.refuse("its plan cannot be set up: " + problem);
    if (!prepareStatisticalSimulation(workbench.host(), workbench.state()))
        f.refuse("its plan cannot be set up: " + lastMessage(workbench));
    remakeLastSeries(f, results.json, workbench);
    workbench.settle();

    ProgramState& state = workbench.state();
    takeTables(f, record, *state.lpRestErrorHeader);
    state.simulationTimes = results.times;
    workbench.queueAnswer(chartAnswer(mode.mode, isRecognitionTask(state.wTaskType), o.upperBound));
    workbench.command(IDM_SHOW_STATISTICAL_SIMULATION);
    workbench.settle();
    if (state.dwChartMode != mode.mode)
        f.refuse("the chart settings do not give mode " + std::string(mode.name));
    writeChart(o, workbench, QSize(size->width, size->height));
}

}  // namespace

CLI::App* addChartCommand(CLI::App& app, ChartOptions& o) {
    CLI::App* cmd = app.add_subcommand(
        "chart",
        "Draw the error chart of a results file of simulate or merge, as the window shows it");
    cmd->add_option("RESULT", o.results, "Results file (JSON) of simulate or merge")->required();
    cmd->add_option("--mode", o.mode,
                    "Chart mode, by name or number: " + modeList() +
                        "; the recognition modes need a recognition task")
        ->required();
    cmd->add_option("--size", o.size,
                    "Client size WxH in pixels (default 1280x800, the size script draws in)");
    cmd->add_option("--upper-bound", o.upperBound,
                    "Fixed top of the axis, e.g. 0.25 (the chart dialog's fixed upper bound)");
    cmd->add_option("--out", o.out,
                    "Picture file: .png, .bmp or .pcx with the window's pixels, or .svg")
        ->required();
    cmd->footer(
        "Example:\n"
        "  mirovale-cli simulate --task recognition --series-type 1 --pulses 6:8 \\\n"
        "      --noise 0:29:5 --repeats 10 --json results.json\n"
        "  mirovale-cli chart results.json --mode recognition-bounds --out chart.svg");
    return cmd;
}

int runChart(const ChartOptions& o, std::ostream& err) {
    try {
        drawChart(o);
        return 0;
    } catch (const Refusal& refusal) {
        err << "mirovale-cli chart: " << refusal.text << '\n';
    } catch (const WorkbenchError& e) {
        err << "mirovale-cli chart: " << e.what() << '\n';
    }
    return 2;
}

}  // namespace mirovale
