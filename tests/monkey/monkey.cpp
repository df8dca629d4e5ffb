// The random-action monkey: a seeded stream of what a user, a script or a failing machine can
// do to a headless workbench — menu and internal commands, clicks and drags anywhere, key
// presses, dialog answers with hostile texts, window sizes from 1 x 1 to 4000 x 3000 — with a
// repaint into a RecordingCanvas after each action and the workbench's invariants checked after
// every one. A broken invariant prints the seed and the action and exits with 1.
//
//   monkey [ACTIONS] [SEED]     defaults: 2000 actions, seed 1

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>

#include "../fuzz/workbench_invariants.h"
#include "core/display/window_paint.h"
#include "core/host/recording_canvas.h"
#include "core/host/recording_host.h"
#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/key_handler.h"
#include "core/shell/startup.h"

namespace mirovale {
namespace {

// Texts a hostile user types into a field.
const char* const kHostileTexts[] = {
    "", "0", "-1", "-32768", "65535", "65536", "4294967296", "99999999999999999999999", "1e308",
    "-1e308", "nan", "inf", "abc", "3,5,7", ",,,", "1,21,0,-3", " 12 ", "0.25", "1200", "40", "181",
    "20", "2", "1"};

class Monkey {
public:
    explicit Monkey(std::uint32_t seed) : rng_(seed) {
        startWorkbench(host_, s_);
        for (int id : {105, 106, 107, 110, 111, 112, 113, 114}) dialogIds_.push_back(id);
    }
    ~Monkey() { shutDown(s_); }
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    // Takes one action; returns its description.
    std::string step() {
        host_.messages.clear();
        host_.dialogs.clear();
        host_.invalidations.clear();
        queueAnswers();
        std::string action;
        switch (pick(10)) {
            case 0:
            case 1: action = command(); break;
            case 2:
            case 3:
            case 4: action = pointer(); break;
            case 5: action = drag(); break;
            case 6:
                action = "key";
                handleKeyDown(host_, s_, pick(4));
                break;
            case 7: action = resize(); break;
            default: action = internalCommand(); break;
        }
        canvas_.clear();
        paintWindow(host_, canvas_, s_);
        return action;
    }

    [[nodiscard]] std::string brokenInvariant() const { return fuzz::brokenInvariant(s_); }

private:
    std::uint32_t pick(std::uint32_t n) { return static_cast<std::uint32_t>(rng_() % n); }

    // Every dialog that may open gets an answer of hostile texts and random boxes.
    void queueAnswers() {
        for (const int id : dialogIds_) {
            DialogAnswer answer;
            answer.dialogId = id;
            answer.result = pick(5) == 0 ? DialogResult::Cancel : DialogResult::Ok;
            for (int control = 1000; control <= 1045; ++control) {
                if (pick(3) == 0)
                    answer.fields.emplace_back(control, kHostileTexts[pick(std::size(kHostileTexts))]);
                else if (pick(6) == 0)
                    answer.checks.emplace_back(control, pick(2) == 0);
            }
            host_.queueAnswer(std::move(answer));
        }
        host_.queueFileName(std::nullopt);
    }

    std::string command() {
        std::uint16_t id = static_cast<std::uint16_t>(40001 + pick(35));
        // A simulation runs its plan however long a hostile plan makes it: the fault sweep and
        // the dialog fuzzer cover its dialogs, the monkey processes the next series instead.
        if (id == IDM_STATISTICAL_SIMULATION) id = IDM_PROCESS_NEXT;
        handleCommand(host_, s_, id);
        return "command " + std::to_string(id);
    }

    std::string internalCommand() {
        const std::uint16_t id = static_cast<std::uint16_t>(204 + pick(24));
        handleCommand(host_, s_, id);
        return "command " + std::to_string(id);
    }

    // A point anywhere in the client area, now and then outside it.
    std::pair<int, int> point() {
        const ClientSize c = host_.size;
        return {static_cast<int>(pick(static_cast<std::uint32_t>(c.width + 40))) - 20,
                static_cast<int>(pick(static_cast<std::uint32_t>(c.height + 40))) - 20};
    }

    std::string pointer() {
        const auto [x, y] = point();
        handleClick(host_, s_, x, y);
        handlePointerRelease(host_, s_, x, y);
        return "click " + std::to_string(x) + " " + std::to_string(y);
    }

    std::string drag() {
        auto [x, y] = point();
        std::string text = "drag from " + std::to_string(x) + " " + std::to_string(y);
        handleClick(host_, s_, x, y);
        for (std::uint32_t k = 0, moves = 1 + pick(6); k < moves; ++k) {
            x += static_cast<int>(pick(61)) - 30;
            y += static_cast<int>(pick(61)) - 30;
            handlePointerMove(host_, s_, x, y);
        }
        handlePointerRelease(host_, s_, x, y);
        return text + " to " + std::to_string(x) + " " + std::to_string(y);
    }

    std::string resize() {
        host_.size = pick(4) == 0 ? ClientSize{1 + static_cast<int>(pick(200)),
                                               1 + static_cast<int>(pick(150))}
                                  : ClientSize{1 + static_cast<int>(pick(4000)),
                                               1 + static_cast<int>(pick(3000))};
        return "size " + std::to_string(host_.size.width) + "x" + std::to_string(host_.size.height);
    }

    std::mt19937 rng_;
    RecordingHost host_;
    RecordingCanvas canvas_;
    ProgramState s_;
    std::vector<int> dialogIds_;
};

}  // namespace
}  // namespace mirovale

int main(int argc, char** argv) {
    const long actions = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000;
    const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1);
    mirovale::Monkey monkey(seed);
    std::deque<std::string> recent;  // the last actions, to tell how it came about
    for (long k = 1; k <= actions; ++k) {
        recent.push_back(monkey.step());
        if (recent.size() > 8) recent.pop_front();
        const std::string broken = monkey.brokenInvariant();
        if (!broken.empty()) {
            std::fprintf(stderr, "monkey: seed %u, action %ld: %s\nlast actions:\n", seed, k,
                         broken.c_str());
            for (const std::string& action : recent) std::fprintf(stderr, "  %s\n", action.c_str());
            return 1;
        }
    }
    std::printf("monkey: seed %u, %ld actions, every invariant held\n", seed, actions);
    return 0;
}
