#include "cli/simulate_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "cli/console_host.h"
#include "cli/json_dump.h"
#include "cli/number_lists.h"
#include "cli/provenance.h"
#include "cli/results_file.h"
#include "core/dialogs/series_dialogs.h"
#include "core/dialogs/settings_dialogs.h"
#include "core/export/output_file.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/simulation_command.h"
#include "core/shell/startup.h"
#include "core/shell/task_commands.h"

namespace mirovale {
namespace {

const std::map<std::string, std::uint16_t>& taskCommands() {
    static const std::map<std::string, std::uint16_t> commands{
        {"detection", IDM_DETECTION},
        {"recognition", IDM_RECOGNITION},
        {"joint", IDM_JOINT_DETECTION},
        {"processing", IDM_SERIES_PROCESSING},
    };
    return commands;
}

// An option the simulation cannot use: the message and the exit status.
struct Refusal {
    std::string text;
};

// The parsed list options.
struct Lists {
    std::vector<std::uint16_t> required, subset, pulses, noise;
    std::vector<std::vector<std::uint16_t>> subsets;
};

template <class Parse, class Target>
void parseOption(const std::string& name, const std::string& text, Parse parse, Target& target) {
    if (text.empty()) return;
    std::string error;
    auto value = parse(text, error);
    if (!value) throw Refusal{name + ": " + error};
    target = std::move(*value);
}

void checkEtalons(const std::string& name, const std::vector<std::uint16_t>& etalons,
                  std::size_t longest, std::uint16_t alphabet) {
    if (etalons.size() > longest)
        throw Refusal{name + ": at most " + std::to_string(longest) + " etalons"};
    for (const std::uint16_t e : etalons)
        if (e < 1 || e > alphabet)
            throw Refusal{name + ": etalon " + std::to_string(e) + " is not one of 1.." +
                          std::to_string(alphabet)};
}

Lists parseLists(const SimulateOptions& o) {
    Lists lists;
    parseOption("--required", o.required, parseList, lists.required);
    parseOption("--subset", o.subset, parseList, lists.subset);
    parseOption("--subsets", o.subsets, mirovale::parseLists, lists.subsets);
    parseOption("--pulses", o.pulses, parseTriple, lists.pulses);
    parseOption("--noise", o.noise, parseTriple, lists.noise);
    return lists;
}

// The required etalons, as clicking them in the etalon grid sets them.
void setRequired(ProgramState& s, const std::vector<std::uint16_t>& required) {
    checkEtalons("--required", required, s.wEtalonCount, s.wEtalonCount);
    s.wEtalonFlags.fill(0);
    for (const std::uint16_t e : required) s.wEtalonFlags[e - 1u] |= 1u;
    rebuildRequiredList(s);
}

// The subsets, as the subset panel composes them, attached by " Subset settings ...".
void setSubsets(RecordingHost& host, ProgramState& s, const Lists& lists) {
    SubsetPanel& panel = s.subsetPanel;
    if (!makeSubsetArrays(host, panel)) throw Refusal{"the subset panel cannot be made"};
    checkEtalons("--subset", lists.subset, panel.dwSubsetCapacity, s.wEtalonCount);
    std::copy(lists.subset.begin(), lists.subset.end(), panel.selectedSubset.begin());
    panel.dwSelectedSubsetSize = static_cast<std::uint32_t>(lists.subset.size());
    if (lists.subsets.size() > panel.dwSubsetArrayCapacity)
        throw Refusal{"--subsets: at most " + std::to_string(panel.dwSubsetArrayCapacity) +
                      " subsets"};
    for (const auto& row : lists.subsets) {
        checkEtalons("--subsets", row, panel.dwSubsetCapacity, s.wEtalonCount);
        const std::vector<std::uint32_t> entries(row.begin(), row.end());
        panel.dwSubsetArraySize = addSelectionToArray(
            entries, static_cast<std::uint32_t>(entries.size()), panel.selectedSubsetArraySize,
            panel.selectedSubsetArray, panel.dwSubsetArraySize, panel.dwSubsetArrayCapacity);
    }
    panel.dwCurrentSubset = lists.subsets.empty() ? 0 : 1;
    host.queueAnswer({SubsetSettingsDialog::kId, DialogResult::Ok, {}, {}});
    handleCommand(host, s, IDM_SUBSET_SETTINGS);
}

void typeField(DialogAnswer& answer, int id, const auto& value) {
    if (value) answer.fields.emplace_back(id, std::to_string(*value));
}

// What the user types into dialog 105 and dialog 110; fields not given keep their opening text.
void queueDialogAnswers(RecordingHost& host, const SimulateOptions& o, const Lists& lists) {
    using S = SeriesParametersDialog;
    DialogAnswer series{S::kId, DialogResult::Ok, {}, {}};
    typeField(series, S::kSamplesLength, o.seriesLength);
    typeField(series, S::kMinInterval, o.tmin);
    typeField(series, S::kMaxInterval, o.tmax);
    typeField(series, S::kEtalonNumber, o.etalonNumber);
    typeField(series, S::kEnergyMaking, o.savedMaking);
    typeField(series, S::kEnergyProcessing, o.savedProcessing);
    host.queueAnswer(series);

    using L = LocationParametersDialog;
    DialogAnswer location{L::kId, DialogResult::Ok, {}, {}};
    const auto part = [](const std::vector<std::uint16_t>& v, std::size_t k) {
        return k < v.size() ? std::optional<std::uint16_t>(v[k]) : std::nullopt;
    };
    typeField(location, L::kPulsesFrom, part(lists.pulses, 0));
    typeField(location, L::kPulsesTo, part(lists.pulses, 1));
    typeField(location, L::kPulsesIncrement, part(lists.pulses, 2));
    typeField(location, L::kInitialNoise, part(lists.noise, 0));
    typeField(location, L::kNoiseSteps, part(lists.noise, 1));
    typeField(location, L::kNoiseIncrement, part(lists.noise, 2));
    typeField(location, L::kRepeats, o.repeats);
    host.queueAnswer(location);
}

// A started workbench set up as the menus, the etalon grid and the subset panel would set it.
void setUpWorkbench(RecordingHost& host, ProgramState& s, const SimulateOptions& o,
                    const Lists& lists, const std::function<void()>& settle) {
    const auto step = [&](auto action) {
        action();
        if (settle) settle();
    };
    if (o.seriesType) step([&] { handleCommand(host, s, seriesTypeCommand(*o.seriesType)); });
    if (o.task) step([&] { handleCommand(host, s, taskCommands().at(*o.task)); });
    if (!o.required.empty()) step([&] { setRequired(s, lists.required); });
    if (!o.subset.empty() || !o.subsets.empty()) step([&] { setSubsets(host, s, lists); });
    queueDialogAnswers(host, o, lists);
}

// The files asked for, made under temporary names before the simulation runs, so that a path that
// cannot be written is refused at once rather than after a long run; each is renamed over its
// name only when its whole text is written, so an interrupted run leaves nothing under it.
class ResultFiles {
public:
    explicit ResultFiles(const SimulateOptions& o) : csvPath_(o.csvPath), jsonPath_(o.jsonPath) {
        open(csv_, csvPath_);
        open(json_, jsonPath_);
    }
    // True when the JSON goes to standard output: asked with "-", or no file was asked for.
    [[nodiscard]] bool jsonToOutput() const {
        return jsonPath_ == "-" || (jsonPath_.empty() && csvPath_.empty());
    }
    void writeCsv(const std::string& text) { write(csv_, csvPath_, text); }
    void writeJson(const std::string& text) { write(json_, jsonPath_, text); }

private:
    static void open(std::optional<OutputFile>& file, const std::string& path) {
        if (path.empty() || path == "-") return;
        std::error_code ignored;
        if (std::filesystem::is_directory(path, ignored))
            throw Refusal{"cannot write " + path + ": it is a folder"};
        file.emplace(path);
        if (!file->create()) throw Refusal{"cannot write " + path};
    }
    static void write(std::optional<OutputFile>& file, const std::string& path,
                      const std::string& text) {
        if (!file) return;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        if (!file->write({bytes, text.size()}) || !file->commit())
            throw Refusal{"cannot write " + path};
    }

    std::string csvPath_;
    std::string jsonPath_;
    std::optional<OutputFile> csv_;
    std::optional<OutputFile> json_;
};

// The part of the plan asked for: "I/K" with 1 <= I <= K; the plan's size is checked later.
struct Shard {
    std::uint32_t index = 1;
    std::uint32_t count = 1;
    bool asked = false;
};

Shard parseShard(const SimulateOptions& o) {
    Shard shard;
    if (o.shard.empty()) return shard;
    const std::string& text = o.shard;
    const std::size_t slash = text.find('/');
    const auto number = [](std::string_view digits, std::uint32_t& value) {
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return !digits.empty() && error == std::errc{} && end == digits.data() + digits.size();
    };
    if (slash == std::string::npos ||
        !number(std::string_view(text).substr(0, slash), shard.index) ||
        !number(std::string_view(text).substr(slash + 1), shard.count) || shard.index < 1 ||
        shard.index > shard.count)
        throw Refusal{"--shard: '" + text + "' is not I/K with 1 <= I <= K"};
    if (!o.csvPath.empty())
        throw Refusal{"--csv: a part has no tables of its own; merge the parts to get them"};
    shard.asked = true;
    return shard;
}

void writeJson(const nlohmann::ordered_json& json, ResultFiles& files, std::ostream& out) {
    if (files.jsonToOutput())
        out << json.dump(1) << '\n';
    else
        files.writeJson(json.dump(1) + '\n');
}

void writePart(const RestErrorHeader& record, const Shard& shard, std::vector<CellSums> sums,
               const RunProvenance& run, ResultFiles& files, std::ostream& out) {
    PlanPart part;
    part.shard = shard.index;
    part.shards = shard.count;
    part.planSeries = std::uint64_t{record.wVariousPulses} * record.wNoiseLevels * record.repeats;
    part.series = shardSeries(part.planSeries, shard.index, shard.count);
    part.pulses = record.wVariousPulses;
    part.levels = record.wNoiseLevels;
    part.sums = std::move(sums);
    writeJson(simulationPartJson(part, run), files, out);
}

void writeResults(const RestErrorHeader& record, const RunProvenance& run, ResultFiles& files,
                  std::ostream& out) {
    files.writeCsv(restErrorHeaderCsv(record));
    writeJson(simulationResultJson(record, run), files, out);
}

// The length of a time in seconds, as "42 s", "3 min 07 s" or "1 h 02 min".
std::string duration(double seconds) {
    const auto s = static_cast<long long>(seconds + 0.5);
    char text[40];
    if (s < 60)
        std::snprintf(text, sizeof text, "%lld s", s);
    else if (s < 3600)
        std::snprintf(text, sizeof text, "%lld min %02lld s", s / 60, s % 60);
    else
        std::snprintf(text, sizeof text, "%lld h %02lld min", s / 3600, s / 60 % 60);
    return text;
}

// Set by Ctrl-C while a simulation runs. A signal handler can reach nothing but a static flag.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int) {
    interrupted = 1;
}

// While it lives, Ctrl-C cancels the simulation (it stops before the next series is made and
// says so) instead of ending the program.
class InterruptCancels {
public:
    InterruptCancels() : previous_(std::signal(SIGINT, onInterrupt)) { interrupted = 0; }
    ~InterruptCancels() { std::signal(SIGINT, previous_); }
    InterruptCancels(const InterruptCancels&) = delete;
    InterruptCancels& operator=(const InterruptCancels&) = delete;

private:
    void (*previous_)(int);
};

SimulationControl progressLine(const SimulateOptions& o, std::ostream& err) {
    SimulationControl control;
    control.threads = o.threads;
    // The stop's message goes on a line of its own below the progress line.
    control.cancelled = [&err, lineOpen = o.showProgress]() mutable {
        if (interrupted == 0) return false;
        if (lineOpen) err << '\n';
        lineOpen = false;
        return true;
    };
    if (o.showProgress) {
        const auto start = std::chrono::steady_clock::now();
        control.progress = [&err, start](std::uint32_t done, std::uint32_t total) {
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            // Pad over the tail of a longer line before it.
            err << '\r' << progressText(done, total, elapsed.count()) << "    " << std::flush;
            if (done == total) err << '\n';
        };
    }
    return control;
}

using Clock = std::chrono::steady_clock;

// The plan and the generators as the simulation starts, and the moment it starts.
void recordStart(SimulationControl& control, const ProgramState& state, RunProvenance& run,
                 Clock::time_point& start) {
    control.starting = [&state, &run, &start] {
        run.plan = simulationPlanJson(state);
        run.startStates = generatorStatesJson(state);
        start = Clock::now();
    };
}

void recordEnd(const ProgramState& state, RunProvenance& run, Clock::time_point start) {
    run.endStates = generatorStatesJson(state);
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    run.times =
        timesJson(state.simulationTimes.startTime, state.simulationTimes.endTime, elapsed.count());
}

}  // namespace

CLI::App* addSimulateCommand(CLI::App& app, SimulateOptions& o) {
    CLI::App* cmd = app.add_subcommand(
        "simulate", "Run a statistical simulation and write its error tables (CSV, JSON)");
    std::vector<std::string> tasks;
    for (const auto& [name, id] : taskCommands()) tasks.push_back(name);
    cmd->add_option("--task", o.task, "Task, as its menu item selects it (default: the start-up's)")
        ->check(CLI::IsMember(tasks));
    cmd->add_option("--series-type", o.seriesType, "Series type code: 1, 2, 4, 8, 36 or 40")
        ->check(CLI::IsMember(std::vector<std::uint16_t>{1, 2, 4, 8, 36, 40}));
    cmd->add_option("--length", o.seriesLength, "Series length in samples");
    cmd->add_option("--tmin", o.tmin, "Least start-to-start distance in samples");
    cmd->add_option("--tmax", o.tmax, "Greatest start-to-start distance in samples");
    cmd->add_option("--etalon", o.etalonNumber, "Etalon number of the series dialog");
    cmd->add_option("--saved-making", o.savedMaking, "Saved energy level for making, percent");
    cmd->add_option("--saved-processing", o.savedProcessing,
                    "Saved energy level for processing, percent");
    cmd->add_option("--required", o.required, "Required etalons, e.g. 1,2,3");
    cmd->add_option("--subset", o.subset, "The current subset, e.g. 2,3");
    cmd->add_option("--subsets", o.subsets, "Stored subsets, the first current, e.g. 1,2/3,5,4");
    cmd->add_option("--pulses", o.pulses, "Pulse numbers from:to[:step]");
    cmd->add_option("--noise", o.noise, "Noise levels first:count[:step]");
    cmd->add_option("--repeats", o.repeats, "Repeats per pulse number and noise level");
    cmd->add_option("--csv", o.csvPath, "Write the tables as CSV to this file");
    cmd->add_option("--json", o.jsonPath, "Write the record as JSON to this file ('-': stdout)");
    cmd->add_option("--shard", o.shard,
                    "Run part I of K of the plan's series and write its sums for merge, e.g. 2/8");
    cmd->add_option("--threads", o.threads, "Threads that process series (default: one per core)")
        ->check(CLI::Range(1u, 256u));
    o.showProgress = isatty(STDERR_FILENO) != 0;
    cmd->add_flag_callback(
        "--progress", [&o] { o.showProgress = true; },
        "Show the progress line (the default when stderr is a terminal)");
    cmd->add_flag_callback(
        "--no-progress", [&o] { o.showProgress = false; }, "Do not show the progress line");
    cmd->add_flag("--verbose", o.verbose,
                  "Show the workbench's messages (the parameter dump) as they come; otherwise "
                  "they are shown only when the simulation fails");
    cmd->footer(
        "Examples:\n"
        "  mirovale-cli simulate --series-type 8 --task joint --required 1,2,3 --pulses 6:30:6 \\\n"
        "      --noise 0:29:5 --repeats 100 --json results.json --csv results.csv\n"
        "  mirovale-cli simulate ... --shard 2/8 --json part-2.json   (then: mirovale-cli merge)");
    return cmd;
}

std::string setUpSimulation(RecordingHost& host, ProgramState& state, const SimulateOptions& o,
                            const std::function<void()>& settle) {
    try {
        setUpWorkbench(host, state, o, parseLists(o), settle);
        return {};
    } catch (const Refusal& refusal) {
        return refusal.text;
    }
}

std::string progressText(std::uint32_t done, std::uint32_t total, double elapsed) {
    std::string text = "simulating: " + std::to_string(done) + " of " + std::to_string(total) +
                       " cells, " + duration(elapsed) + " elapsed";
    if (done > 0 && done < total)
        text += ", about " + duration(elapsed * (total - done) / done) + " left";
    return text;
}

int runSimulate(const SimulateOptions& o, std::ostream& out, std::ostream& err) {
    try {
        const Lists lists = parseLists(o);
        const Shard shard = parseShard(o);
        ResultFiles files(o);
        ConsoleHost host(err, o.verbose);
        ProgramState state;
        startWorkbench(host, state);
        setUpWorkbench(host, state, o, lists, {});
        const InterruptCancels interrupts;
        SimulationControl control = progressLine(o, err);
        RunProvenance run;
        Clock::time_point start;
        recordStart(control, state, run, start);
        std::vector<CellSums> sums;
        control.shard = shard.index;
        control.shards = shard.count;
        control.partSums = &sums;
        if (!statisticalSimulation(host, state, control)) {
            if (interrupted != 0) {
                err << "mirovale-cli simulate: interrupted; nothing was written\n";
                return kInterruptedStatus;
            }
            host.showHeld();
            throw Refusal{"the simulation did not run to its end"};
        }
        recordEnd(state, run, start);
        if (shard.asked)
            writePart(*state.lpRestErrorHeader, shard, std::move(sums), run, files, out);
        else
            writeResults(*state.lpRestErrorHeader, run, files, out);
        return 0;
    } catch (const Refusal& refusal) {
        err << "mirovale-cli simulate: " << refusal.text << '\n';
        return 2;
    }
}

}  // namespace mirovale
