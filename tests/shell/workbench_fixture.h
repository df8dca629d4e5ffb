#pragma once

#include <vector>

#include "core/display/layout.h"
#include "core/host/recording_host.h"
#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/synthesis/series_subsets.h"
#include "core/shell/startup.h"
#include "core/state/program_state.h"

namespace mirovale::testing {

// A freshly started workbench on a recording host; forget() drops what start-up recorded.
struct Workbench {
    RecordingHost host;
    ProgramState s;

    Workbench() {
        startWorkbench(host, s);
        forget();
    }
    ~Workbench() { shutDown(s); }
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    void forget() {
        host.messages.clear();
        host.menuChecks.clear();
        host.invalidations.clear();
        host.dialogs.clear();
    }
    [[nodiscard]] WindowLayout layout() const { return currentLayout(host, s); }
    void command(std::uint16_t id) { handleCommand(host, s, id); }
    void clickOn(const InclusiveRect& r) {
        handleClick(host, s, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // The required etalons 1..n, as the flags and the list agree on them.
    void requireFirst(std::size_t n) {
        s.wEtalonFlags.fill(0);
        for (std::size_t i = 0; i < n; ++i) s.wEtalonFlags[i] = 1;
        rebuildRequiredList(s);
    }
    // The subset being built and the stored subsets of the subset panel.
    void composeSubsets(const std::vector<std::uint32_t>& subset,
                        const std::vector<std::vector<std::uint32_t>>& stored) {
        SubsetPanel& p = s.subsetPanel;
        static_cast<void>(makeSubsetArrays(host, p));
        std::copy(subset.begin(), subset.end(), p.selectedSubset.begin());
        p.dwSelectedSubsetSize = static_cast<std::uint32_t>(subset.size());
        p.dwSubsetArraySize = 0;
        for (const auto& row : stored)
            p.dwSubsetArraySize = addSelectionToArray(
                row, static_cast<std::uint32_t>(row.size()), p.selectedSubsetArraySize,
                p.selectedSubsetArray, p.dwSubsetArraySize, p.dwSubsetArrayCapacity);
        p.dwCurrentSubset = p.dwSubsetArraySize;
    }
    // The stored alphabets of the alphabet panel.
    void composeAlphabets(const std::vector<std::vector<std::uint32_t>>& stored) {
        AlphabetPanel& p = s.alphabetPanel;
        static_cast<void>(makeAlphabetArrays(host, p));
        p.dwAlphabetArraySize = 0;
        for (const auto& row : stored)
            p.dwAlphabetArraySize = addSelectionToArray(
                row, static_cast<std::uint32_t>(row.size()), p.selectedAlphabetsSize,
                p.selectedAlphabetArray, p.dwAlphabetArraySize, p.dwAlphabetArrayCapacity);
        p.dwCurrentAlphabet = p.dwAlphabetArraySize;
    }
    // Attaches the stored alphabets to the series, as the alphabet panel's Next does.
    void attachAlphabets() {
        const AlphabetPanel& a = s.alphabetPanel;
        addSelectedAlphabetsToSeriesHeader(host, a.selectedAlphabetsSize, a.selectedAlphabetArray,
                                           a.dwAlphabetArraySize, a.dwAlphabetArrayCapacity,
                                           a.dwAlphabetCapacity, a.dwCurrentAlphabet,
                                           s.lpSeriesHeader.get());
    }
    [[nodiscard]] bool invalidated(const Rect& rect) const {
        for (const auto& i : host.invalidations)
            if (i.rect == rect) return true;
        return false;
    }
};

}  // namespace mirovale::testing
