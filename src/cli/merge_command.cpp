#include "cli/merge_command.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>

#include "cli/json_dump.h"
#include "cli/results_file.h"
#include "core/host/recording_host.h"
#include "core/simulation/simulation_run.h"

namespace mirovale {
namespace {

using Json = nlohmann::ordered_json;

// Why the parts cannot be merged; the text names the first offending file.
struct Refusal {
    std::string text;
};

// A part's results file as read, with its place in the plan.
struct Part {
    std::string file;
    Json json;
    std::uint32_t index = 0;
    std::uint32_t count = 0;
};

const Json& member(const Part& part, const Json& object, const char* key) {
    if (!object.is_object() || !object.contains(key))
        throw Refusal{part.file + ": \"" + key + "\" is missing"};
    return object[key];
}

// A whole number of the file within 0..most.
std::uint64_t number(const Part& part, const Json& object, const char* key,
                     std::uint64_t most = std::numeric_limits<std::uint64_t>::max()) {
    const Json& value = member(part, object, key);
    if (!value.is_number_unsigned() || value.get<std::uint64_t>() > most)
        throw Refusal{part.file + ": \"" + key + "\" is not a number from 0 to " +
                      std::to_string(most)};
    return value.get<std::uint64_t>();
}

std::uint16_t number16(const Part& part, const Json& object, const char* key) {
    return static_cast<std::uint16_t>(number(part, object, key, 0xFFFF));
}

std::string place(const Part& part) {
    return "part " + std::to_string(part.index) + " of " + std::to_string(part.count);
}

// Reads a file and checks that it is a part of a plan and that its series are those of its
// place in the plan.
Part readPart(const std::string& file) {
    Part part{file, {}, 0, 0};
    std::ifstream in(file, std::ios::binary);
    if (!in) throw Refusal{file + ": cannot be read"};
    part.json = Json::parse(in, nullptr, false);
    if (part.json.is_discarded()) throw Refusal{file + ": is not JSON"};
    if (!part.json.is_object() || !part.json.contains("shard"))
        throw Refusal{file + ": is not a part of a simulation (it has no \"shard\")"};
    const Json& shard = part.json["shard"];
    part.index = static_cast<std::uint32_t>(number(part, shard, "index", 0xFFFFFFFF));
    part.count = static_cast<std::uint32_t>(number(part, shard, "count", 0xFFFFFFFF));
    const Json& plan = member(part, part.json, "plan");
    const std::uint64_t total = std::uint64_t{number16(part, plan, "wPulsesSteps")} *
                                number16(part, plan, "wNoiseSteps") *
                                number16(part, plan, "wRepeats");
    const bool placed = part.index >= 1 && part.index <= part.count && part.count <= total;
    const SeriesRange series = placed ? shardSeries(total, part.index, part.count) : SeriesRange{};
    if (!placed || number(part, shard, "planSeries") != total ||
        number(part, shard, "firstSeries") != series.begin ||
        number(part, shard, "endSeries") != series.end)
        throw Refusal{file + ": its \"shard\" does not describe a part of its plan"};
    member(part, member(part, part.json, "generators"), "start");
    member(part, member(part, part.json, "generators"), "end");
    member(part, member(part, part.json, "times"), "elapsed");
    return part;
}

// Refuses a part of another plan or split, and a part given twice.
void checkBelongs(const std::vector<Part>& parts, const Part& part) {
    const Part& first = parts.front();
    if (part.json["plan"] != first.json["plan"] ||
        part.json["generators"]["start"] != first.json["generators"]["start"])
        throw Refusal{part.file + ": belongs to another plan than " + first.file};
    if (part.count != first.count)
        throw Refusal{part.file + ": is " + place(part) + ", but " + first.file + " is " +
                      place(first)};
    for (const Part& other : parts)
        if (&other != &part && other.index == part.index)
            throw Refusal{part.file + ": is " + place(part) + ", as is " + other.file};
}

// Refuses a split with a part missing; `parts` are in plan order, no index twice.
void checkCovered(const std::vector<Part>& parts) {
    if (parts.front().index != 1)
        throw Refusal{parts.front().file + ": is " + place(parts.front()) +
                      ", and part 1 is missing"};
    for (std::size_t k = 1; k < parts.size(); ++k)
        if (parts[k].index != parts[k - 1].index + 1)
            throw Refusal{parts[k - 1].file + ": is " + place(parts[k - 1]) + ", and part " +
                          std::to_string(parts[k - 1].index + 1) + " is missing"};
    if (parts.back().index != parts.back().count)
        throw Refusal{parts.back().file + ": is " + place(parts.back()) + ", and part " +
                      std::to_string(parts.back().index + 1) + " is missing"};
}

// Adds one table of a part's sums, `levels` rows of `pulses` entries, into the cells.
template <class Add>
void addTable(const Part& part, const char* name, std::size_t levels, std::size_t pulses,
              std::vector<CellSums>& cells, Add add) {
    const Json& rows = member(part, member(part, part.json, "sums"), name);
    const auto misshapen = [&] {
        return Refusal{part.file + ": \"" + name + "\" is not a table of " +
                       std::to_string(levels) + " rows of " + std::to_string(pulses) + " numbers"};
    };
    if (!rows.is_array() || rows.size() != levels) throw misshapen();
    for (std::size_t j = 0; j < levels; ++j) {
        if (!rows[j].is_array() || rows[j].size() != pulses) throw misshapen();
        for (std::size_t i = 0; i < pulses; ++i) {
            if (!rows[j][i].is_number_unsigned()) throw misshapen();
            add(cells[j * pulses + i], rows[j][i].get<std::uint64_t>());
        }
    }
}

// The error record of the plan, labelled and laid out as the simulation makes it.
std::unique_ptr<RestErrorHeader> planRecord(const Part& part) {
    const Json& plan = part.json["plan"];
    RecordingHost host;
    auto record = getRestErrHeader(host, number16(part, plan, "wPulsesSteps"),
                                   number16(part, plan, "wNoiseSteps"),
                                   number16(part, plan, "wRepeats"), nullptr);
    if (!record ||
        !initRestErrHeader(host, record->wVariousPulses, number16(part, plan, "wMinPulses"),
                           number16(part, plan, "wPulsesIncrement"), record->wNoiseLevels,
                           number16(part, plan, "wInitialNoiseLevel"),
                           number16(part, plan, "wNoiseIncrement"), record->repeats,
                           record.get()) ||
        !addInitRestErrHeader(host, number16(part, plan, "wSeriesType"),
                              number16(part, plan, "wProcessingTask"),
                              number16(part, plan, "wSavedEnergyMaking"),
                              number16(part, plan, "wSavedEnergyProcessing"), record.get()))
        throw Refusal{part.file + ": no memory for the tables of its plan"};
    return record;
}

// The whole plan's record from the parts' sums.
std::unique_ptr<RestErrorHeader> mergedRecord(const std::vector<Part>& parts) {
    auto record = planRecord(parts.front());
    const std::size_t levels = record->wNoiseLevels, pulses = record->wVariousPulses;
    std::vector<CellSums> cells(levels * pulses);
    for (const Part& part : parts) {
        addTable(part, "restoring", levels, pulses, cells,
                 [](CellSums& c, std::uint64_t v) { c.restoring += v; });
        addTable(part, "detection", levels, pulses, cells,
                 [](CellSums& c, std::uint64_t v) { c.detection += v; });
        addTable(part, "misrecognized", levels, pulses, cells, [](CellSums& c, std::uint64_t v) {
            c.misrecognized += static_cast<std::uint32_t>(v);
        });
    }
    for (std::size_t j = 0; j < levels; ++j)
        for (std::size_t i = 0; i < pulses; ++i) storeCell(*record, i, j, cells[j * pulses + i]);
    record->ifComplete = 1;
    return record;
}

// From the start of the earliest part to the end of the latest, with the parts' elapsed times
// added.
Json mergedTimes(const std::vector<Part>& parts) {
    Json times = parts.front().json["times"];
    double elapsed = 0;
    for (const Part& part : parts) {
        const Json& t = part.json["times"];
        if (t.contains("start") && t["start"] < times["start"]) times["start"] = t["start"];
        if (t.contains("end") && t["end"] > times["end"]) times["end"] = t["end"];
        if (t["elapsed"].is_number()) elapsed += t["elapsed"].get<double>();
    }
    times["elapsed"] = std::round(elapsed * 1000.0) / 1000.0;
    return times;
}

std::vector<Part> readParts(const std::vector<std::string>& files) {
    std::vector<Part> parts;
    for (const std::string& file : files) {
        parts.push_back(readPart(file));
        checkBelongs(parts, parts.back());
    }
    std::sort(parts.begin(), parts.end(),
              [](const Part& a, const Part& b) { return a.index < b.index; });
    checkCovered(parts);
    return parts;
}

}  // namespace

CLI::App* addMergeCommand(CLI::App& app, MergeOptions& o) {
    CLI::App* cmd = app.add_subcommand(
        "merge", "Add the parts of a simulation run with simulate --shard into its results");
    cmd->add_option("parts", o.parts, "The parts' results files, in any order")->required();
    cmd->add_option("--json", o.jsonPath, "Write the results as JSON to this file ('-': stdout)")
        ->required();
    cmd->add_option("--csv", o.csvPath, "Write the tables as CSV to this file");
    cmd->footer(
        "Example:\n"
        "  mirovale-cli merge part-1.json part-2.json part-3.json --json results.json "
        "--csv results.csv");
    return cmd;
}

int runMerge(const MergeOptions& o, std::ostream& out, std::ostream& err) {
    try {
        const std::vector<Part> parts = readParts(o.parts);
        const auto record = mergedRecord(parts);
        RunProvenance run{parts.front().json["plan"], parts.front().json["generators"]["start"],
                          parts.back().json["generators"]["end"], mergedTimes(parts)};
        const std::string json = simulationResultJson(*record, run).dump(1) + '\n';
        if (!o.csvPath.empty() && !writeTextFile(o.csvPath, restErrorHeaderCsv(*record)))
            throw Refusal{"cannot write " + o.csvPath};
        if (o.jsonPath == "-")
            out << json;
        else if (!writeTextFile(o.jsonPath, json))
            throw Refusal{"cannot write " + o.jsonPath};
        return 0;
    } catch (const Refusal& refusal) {
        err << "mirovale-cli merge: " << refusal.text << '\n';
        return 2;
    }
}

}  // namespace mirovale
