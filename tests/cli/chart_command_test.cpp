#include "cli/chart_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>
#include <functional>
#include <sstream>

#include "cli/script.h"
#include "cli_test_support.h"

namespace mirovale {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// The times the results files are given, and the script's "set simulation-times" for them.
constexpr const char* kStart = "2023-11-14T22:13:20Z";
constexpr const char* kEnd = "2023-11-14T23:15:25Z";
constexpr const char* kScriptTimes = "set simulation-times 1700000000 1700003725\n";
constexpr const char* kSize = "800x500";

// One kind of chart: the simulation as simulate's options and as the window's actions, the mode
// and the chart dialog's answer that shows it in the window.
struct Family {
    const char* name;
    std::optional<std::uint16_t> seriesType;
    const char* task;
    const char* subset;
    const char* subsets;
    const char* setupScript;  // menu commands and panel selections of the same workbench
    const char* mode;
    const char* bound;   // --upper-bound, or empty
    const char* answer;  // the chart dialog's answer for the mode and bound
};

const Family kFamilies[] = {
    {"restored", 2, "detection", "", "", "command 40010\ncommand 40005\n", "restored", "",
     "answer 113 ok 1028=checked 1030=checked\n"},
    {"detection", std::nullopt, "joint", "", "", "command 40007\n", "detection-aggregate", "0.4",
     "answer 113 ok 1029=checked 1031=checked 1032=checked 1033=0.4\n"},
    {"recognition", 36, "recognition", "2,1", "1,2/3,4",
     "command 40028\ncommand 40006\nset subset 2,1\nset stored-subsets 1,2 3,4 current 1\n"
     "answer 111 ok\ncommand 40029\n",
     "recognition-bounds", "", "answer 114 ok 1034=checked 1030=checked 1042=checked\n"},
};

// 200 samples, two and three pulses, six noise levels, two repeats.
SimulateOptions plan(const Family& f) {
    SimulateOptions o;
    o.seriesType = f.seriesType;
    o.task = f.task;
    o.subset = f.subset;
    o.subsets = f.subsets;
    o.seriesLength = 200;
    o.pulses = "2:3";
    o.noise = "0:6:20";
    o.repeats = 2;
    o.showProgress = false;
    return o;
}

// The same simulation and chart through the window's actions, saved to `picture`.
std::string windowScript(const Family& f, const fs::path& picture) {
    return std::string(f.setupScript) + "answer 105 ok 1000=200\n" +
           "answer 110 ok 1015=2 1016=3 1017=1 1021=2 1019=0 1018=6 1020=20\n" + f.answer +
           "command 40012\n" + kScriptTimes + f.answer + "command 40015\nsave " + picture.string() +
           "\n";
}

void writeJson(const fs::path& path, const nlohmann::ordered_json& json) {
    std::ofstream(path) << json.dump(1);
}

class ChartTest : public testing::ScratchTest {
protected:
    // The family's results file, with the fixed times.
    fs::path results(const Family& f) {
        const fs::path file = dir_ / (std::string(f.name) + ".json");
        const testing::CliRun run = testing::simulate(plan(f), file);
        EXPECT_EQ(run.status, 0) << run.err;
        nlohmann::ordered_json json = testing::readJson(file);
        json["times"]["start"] = kStart;
        json["times"]["end"] = kEnd;
        writeJson(file, json);
        return file;
    }

    static testing::CliRun chart(const fs::path& file, const std::string& mode, const fs::path& out,
                          const std::string& size = kSize, const std::string& bound = "") {
        ChartOptions o;
        o.results = file.string();
        o.mode = mode;
        o.size = size;
        o.upperBound = bound;
        o.out = out.string();
        std::ostringstream err;
        const int status = runChart(o, err);
        return {status, "", err.str()};
    }
};

TEST_F(ChartTest, EveryFamilyEqualsTheWindowsChartOfTheSameSimulation) {
    for (const Family& f : kFamilies) {
        const fs::path drawn = dir_ / (std::string(f.name) + "-chart.png");
        const testing::CliRun run = chart(results(f), f.mode, drawn, kSize, f.bound);
        ASSERT_EQ(run.status, 0) << f.name << ": " << run.err;

        const fs::path shown = dir_ / (std::string(f.name) + "-window.png");
        std::istringstream script(windowScript(f, shown));
        std::ostringstream out, err;
        ASSERT_EQ(runScript(script, out, err, ScriptOptions{{800, 500}}), 0) << err.str();
        const QImage chartImage(QString::fromStdString(drawn.string()));
        const QImage windowImage(QString::fromStdString(shown.string()));
        ASSERT_EQ(chartImage.size(), QSize(800, 500)) << f.name;
        EXPECT_TRUE(chartImage.convertToFormat(QImage::Format_RGB32) ==
                    windowImage.convertToFormat(QImage::Format_RGB32))
            << f.name << ": the chart differs from the window's";
    }
}

TEST_F(ChartTest, SvgIsAWellFormedDocumentOfTheClientSizeWithTheChartDrawn) {
    const fs::path svg = dir_ / "chart.SVG";
    ASSERT_EQ(chart(results(kFamilies[1]), "3", svg).status, 0);
    std::ifstream in(svg);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    QXmlStreamReader xml(QByteArray::fromStdString(text));
    std::map<QString, int> elements;
    QString viewBox;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            ++elements[xml.name().toString()];
            if (xml.name() == u"svg") viewBox = xml.attributes().value("viewBox").toString();
        }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(viewBox, "0 0 800 500");
    EXPECT_GT(elements["text"], 20);
    EXPECT_GT(elements["polyline"], 10);  // frames, curves and etalon shapes
    EXPECT_EQ(elements["image"], 4);      // the picture buttons
    EXPECT_THAT(text, HasSubstr(" detection error, agregate form"));
}

TEST_F(ChartTest, RefusesBadInputWithOneMessageAndWritesNothing) {
    const fs::path good = results(kFamilies[1]);  // joint detection
    const nlohmann::ordered_json json = testing::readJson(good);
    using Edit = std::function<void(nlohmann::ordered_json&)>;
    const struct {
        const char* message;
        const char* text;  // the file's whole text, when not an edit of a good one
        Edit edit;
        std::string mode = "detection";
        std::string out = "out.png";
        std::string size = kSize;
        std::string bound = "";
    } cases[] = {
        {"is not JSON", "{\"record\": ", {}},
        {"it has no \"record\"", "{\"plan\": {}}", {}},
        {"is a part of a simulation", "{\"shard\": {}, \"plan\": {}}", {}},
        {"\"record\".\"wNoiseLevels\" is not a number", nullptr,
         [](auto& j) { j["record"]["wNoiseLevels"] = "six"; }},
        {"\"record\".\"lpErrors\" is not a list of 6 tables", nullptr,
         [](auto& j) { j["record"]["lpErrors"][3][5][1] = -1; }},
        {"did not run to its end", nullptr, [](auto& j) { j["record"]["ifComplete"] = 0; }},
        {"\"times\".\"end\" is not a time", nullptr, [](auto& j) { j["times"]["end"] = "late"; }},
        {"differs in \"plan\".\"wAmplitude\"", nullptr,
         [](auto& j) { j["plan"]["wAmplitude"] = 100; }},
        {"ends with another \"generators\".\"end\".\"wNoiseSeed\"", nullptr,
         [](auto& j) { j["generators"]["end"]["wNoiseSeed"] = 1; }},
        {"\"record\".\"wPulseValues\" does not belong to its plan", nullptr,
         [](auto& j) { j["record"]["wPulseValues"][1] = 4; }},
        {"shows the recognition error, which a simulation of task 4",
         nullptr,
         {},
         "recognition-bounds"},
        {"--mode: 'sideways' is not a chart mode", nullptr, {}, "sideways"},
        {"is not a picture", nullptr, {}, "detection", "out.gif"},
        {"cannot write", nullptr, {}, "detection", "missing-folder/out.png"},
        {"--size: '12x' is not WxH", nullptr, {}, "detection", "out.png", "12x"},
        {"--upper-bound: '0' is not a number", nullptr, {}, "detection", "out.png", kSize, "0"},
    };
    for (const auto& c : cases) {
        const fs::path file = dir_ / "case.json";
        if (c.text != nullptr) {
            std::ofstream(file) << c.text;
        } else {
            nlohmann::ordered_json edited = json;
            if (c.edit) c.edit(edited);
            writeJson(file, edited);
        }
        const fs::path out = dir_ / c.out;
        const testing::CliRun run = chart(file, c.mode, out, c.size, c.bound);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_THAT(run.err, HasSubstr(c.message));
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(fs::exists(out)) << c.message;
    }
    EXPECT_EQ(chart(dir_ / "absent.json", "detection", dir_ / "out.png").err,
              "mirovale-cli chart: " + (dir_ / "absent.json").string() + ": cannot be read\n");
}

}  // namespace
}  // namespace mirovale
