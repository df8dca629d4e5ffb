#include "core/processing/tuple_dumps.h"

#include <string>

#include "core/host/format_text.h"
#include "core/processing/admissible_sets.h"

namespace mirovale {
namespace {

constexpr const char* kDumpCaption = " About TuplesDetection ";
// The dump buffer holds this many characters with its terminator.
constexpr std::size_t kDumpBuffer = 5000;

std::string intervalsText(const IntervalList* list) {
    std::string text;
    if (list == nullptr) return text;
    for (std::size_t i = 0; i < list->wIntervals; ++i) {
        text += formatText(" [%d..%d] ", list->lpIntervalBegins[i], list->lpIntervalEnds[i]);
    }
    return text;
}

// One symbol per start of `list`: the smallest negative score in full, other negative scores
// "-", the rest "+", each followed by its back link when that is a start.
std::string layerSymbols(const std::vector<ChainCell>& layer, const IntervalList* list,
                         std::int64_t unreachable) {
    std::int64_t smallest = unreachable;
    std::size_t smallestAt = 0;
    bool found = false;
    forEachPosition(list, [&](std::size_t t) {
        if (layer[t].score < smallest) {
            smallest = layer[t].score;
            smallestAt = t;
            found = true;
        }
    });
    std::string text;
    forEachPosition(list, [&](std::size_t t) {
        const ChainCell& cell = layer[t];
        if (cell.score < 0) {
            text += found && t == smallestAt
                        ? formatText(" %lld", static_cast<long long>(cell.score))
                        : std::string(" -");
        } else {
            text += " +";
        }
        if (cell.back >= 0) text += formatText("[%d]", cell.back);
    });
    return text;
}

void showDump(Host& host, std::string text) {
    if (text.size() > kDumpBuffer - 1) text.resize(kDumpBuffer - 1);
    host.messageBox(text, kDumpCaption, MessageIcon::None);
}

}  // namespace

void dumpFirstOnly(Host& host, const IntervalList* firstOnly, const LayerTable& table,
                   std::int64_t unreachable) {
    showDump(host, "omega_minus - omega_tilda:" + intervalsText(firstOnly) + "\n" +
                       layerSymbols(table.layers[0], firstOnly, unreachable) + "\n ");
}

void dumpBoth(Host& host, const IntervalList* both, const LayerTable& table,
              std::int64_t unreachable) {
    std::string text = "omega_minus x omega_tilda:" + intervalsText(both) + "\n";
    for (std::size_t l = 0; l < table.layers.size(); ++l) {
        text += formatText("l=%d\n ", static_cast<int>(l + 1));
        text += layerSymbols(table.layers[l], both, unreachable) + "\n ";
    }
    showDump(host, std::move(text));
}

}  // namespace mirovale
