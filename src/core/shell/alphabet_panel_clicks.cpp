#include "core/shell/alphabet_panel_clicks.h"

#include <algorithm>

#include "core/display/layout.h"
#include "core/display/panel_geometry.h"
#include "core/shell/attach_selections.h"
#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/panel_slots.h"

namespace mirovale {
namespace {

enum AlphabetButton : std::size_t { DeleteAll, Delete, Cancel, Ok, Accept, ClearAll, Quick };

constexpr std::uint16_t kTaken = 2;  // flag bit 1: the etalon is in an alphabet

std::size_t requiredCount(const ProgramState& s) {
    return std::min<std::size_t>(
        {s.wRequiredCount, s.lpRequiredList.size(), s.wEtalonFlags.size()});
}

PanelSlots slotsOf(AlphabetPanel& p) {
    return {p.selectedAlphabet, p.dwSelectedAlphabetSize, p.dwAlphabetCapacity};
}

void takeItem(Host& host, ProgramState& s, std::size_t k) {
    s.wEtalonFlags[k] |= kTaken;
    s.alphabetPanel.dwRepaintItem = static_cast<std::uint16_t>(k);
    handleCommand(host, s, CMD_SHOW_ALPHABET_ITEM);
}

// Makes etalon e available again: clears the taken bit of its item and repaints the item.
void releaseEtalon(Host& host, ProgramState& s, std::uint32_t e) {
    const std::size_t n = requiredCount(s);
    for (std::size_t k = 0; k < n; ++k) {
        if (s.lpRequiredList[k] != e) continue;
        s.wEtalonFlags[k] &= static_cast<std::uint16_t>(~kTaken);
        s.alphabetPanel.dwRepaintItem = static_cast<std::uint16_t>(k);
        handleCommand(host, s, CMD_SHOW_ALPHABET_ITEM);
        return;
    }
}

void releaseAll(Host& host, ProgramState& s, std::span<const std::uint32_t> etalons) {
    for (const std::uint32_t e : etalons) releaseEtalon(host, s, e);
}

std::span<const std::uint32_t> composed(const AlphabetPanel& p) {
    return std::span<const std::uint32_t>(p.selectedAlphabet)
        .first(std::min<std::size_t>(p.dwSelectedAlphabetSize, p.selectedAlphabet.size() / 2));
}

void deleteMarked(Host& host, ProgramState& s) {
    std::vector<std::uint32_t> deleted;
    deleteMarkedSlots(slotsOf(s.alphabetPanel), &deleted);
    releaseAll(host, s, deleted);
}

void clickItem(Host& host, ProgramState& s, std::size_t k) {
    if ((s.wEtalonFlags[k] & kTaken) != 0) return;
    deleteMarked(host, s);
    if (appendToSlots(slotsOf(s.alphabetPanel), s.lpRequiredList[k])) takeItem(host, s, k);
    handleCommand(host, s, CMD_SHOW_ALPHABET_PANEL);
}

void accept(Host& host, ProgramState& s) {
    AlphabetPanel& p = s.alphabetPanel;
    if (p.dwSelectedAlphabetSize > 0) {
        const std::uint32_t before = p.dwAlphabetArraySize;
        p.dwMarkAllAlphabets = 1;
        p.dwAlphabetArraySize = addSelectionToArray(
            p.selectedAlphabet, p.dwSelectedAlphabetSize, p.selectedAlphabetsSize,
            p.selectedAlphabetArray, p.dwAlphabetArraySize, p.dwAlphabetArrayCapacity);
        p.dwCurrentAlphabet = p.dwAlphabetArraySize;
        if (p.dwAlphabetArraySize == before) releaseAll(host, s, composed(p));  // store full
    }
    emptySlots(slotsOf(p));
    handleCommand(host, s, CMD_SHOW_ALPHABET_LIST);
}

// Releases the etalons of every stored alphabet and of the alphabet being composed.
void releaseEverything(Host& host, ProgramState& s) {
    AlphabetPanel& p = s.alphabetPanel;
    const std::size_t stored = std::min<std::size_t>(
        {p.dwAlphabetArraySize, p.selectedAlphabetArray.size(), p.selectedAlphabetsSize.size()});
    for (std::size_t r = 0; r < stored; ++r)
        releaseAll(host, s,
                   std::span<const std::uint32_t>(p.selectedAlphabetArray[r])
                       .first(std::min<std::size_t>(p.selectedAlphabetsSize[r],
                                                    p.selectedAlphabetArray[r].size())));
    releaseAll(host, s, composed(p));
}

void clearAll(Host& host, ProgramState& s) {
    AlphabetPanel& p = s.alphabetPanel;
    releaseEverything(host, s);
    p.dwSelectedAlphabetSize = 0;
    p.dwMarkAllAlphabets = 1;
    p.dwAlphabetArraySize = 0;
    handleCommand(host, s, CMD_SHOW_ALPHABET_LIST);
}

// dwQuickGroups alphabets at once: alphabet g takes the required entries 2g, 2g + 1, then every
// 2 * dwQuickGroups entries further on, as far as the list and the slots reach.
void quick(Host& host, ProgramState& s) {
    AlphabetPanel& p = s.alphabetPanel;
    releaseEverything(host, s);  // what was stored is replaced
    p.dwAlphabetArraySize = 0;
    p.dwMarkAllAlphabets = 1;
    const std::size_t n = requiredCount(s);
    const std::size_t step = 2 * static_cast<std::size_t>(p.dwQuickGroups);
    for (std::uint32_t g = 0; g < p.dwQuickGroups && g < p.dwAlphabetArrayCapacity; ++g) {
        emptySlots(slotsOf(p));
        for (std::size_t q = 2 * static_cast<std::size_t>(g); q < n; q += step) {
            for (std::size_t k = q; k < std::min(q + 2, n); ++k)
                if (appendToSlots(slotsOf(p), s.lpRequiredList[k])) takeItem(host, s, k);
        }
        p.dwAlphabetArraySize = addSelectionToArray(p.selectedAlphabet, p.dwSelectedAlphabetSize,
                                                    p.selectedAlphabetsSize,
                                                    p.selectedAlphabetArray, g,
                                                    p.dwAlphabetArrayCapacity);
        p.dwCurrentAlphabet = p.dwAlphabetArraySize;
        emptySlots(slotsOf(p));
    }
    handleCommand(host, s, CMD_SHOW_ALPHABET_LIST);
}

void clickButton(Host& host, ProgramState& s, std::size_t button) {
    AlphabetPanel& p = s.alphabetPanel;
    switch (button) {
        case DeleteAll:
            releaseAll(host, s, composed(p));
            emptySlots(slotsOf(p));
            return handleCommand(host, s, CMD_SHOW_SUBSET_PANEL);
        case Delete:
            deleteMarked(host, s);
            return handleCommand(host, s, CMD_SHOW_SUBSET_PANEL);
        case Cancel:
        case Ok:
            if (p.dwAlphabetArraySize == 0) return handleCommand(host, s, CMD_SHOW_ALPHABET_LIST);
            attachStoredAlphabets(host, s);
            s.buttonsAreaPending = true;
            s.lostDataRowPending = false;
            return handleCommand(host, s, CMD_NEXT_DATA);
        case Accept:
            return accept(host, s);
        case ClearAll:
            return clearAll(host, s);
        default:
            return quick(host, s);
    }
}

// True when the panel took the click.
bool clickPanel(Host& host, ProgramState& s, int x, int y) {
    AlphabetPanel& p = s.alphabetPanel;
    if (!p.made()) return false;
    const PanelGeometry g = alphabetPanelGeometry(currentLayout(host, s), s);
    const std::size_t items = std::min(requiredCount(s), g.itemRects.size());
    for (std::size_t k = 0; k < items; ++k) {
        if (!g.itemRects[k].contains(x, y)) continue;
        clickItem(host, s, k);
        return true;
    }
    if (g.panelAreaRect.contains(x, y)) {
        markSlotAt(slotsOf(p), g.slotRects, x, y);
        handleCommand(host, s, CMD_SHOW_SUBSET_PANEL);
        return true;
    }
    const std::size_t buttons =
        std::min<std::size_t>(p.dwAlphabetButtons, p.ButtonsWhileSelectedAlphabetRect.size());
    for (std::size_t i = 0; i < buttons; ++i) {
        if (!p.ButtonsWhileSelectedAlphabetRect[i].contains(x, y)) continue;
        clickButton(host, s, i);
        return true;
    }
    const std::size_t stored = std::min<std::size_t>(p.dwAlphabetArraySize, g.rowFrames.size());
    for (std::size_t r = 0; r < stored; ++r) {
        if (!g.rowFrames[r].contains(x, y)) continue;
        p.dwCurrentAlphabet = static_cast<std::uint32_t>(r + 1);
        handleCommand(host, s, CMD_SHOW_ALPHABET_LIST);
        return true;
    }
    return false;
}

}  // namespace

void handleAlphabetPanelClick(Host& host, ProgramState& state, int x, int y) {
    if (!clickPanel(host, state, x, y)) handleClickOutsidePanel(host, state, x, y);
}

}  // namespace mirovale
