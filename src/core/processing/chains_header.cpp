#include "core/processing/chains_header.h"

#include <algorithm>

#include "core/host/allocation.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

constexpr const char* kGetCaption = " getChainsHeader ";
// The message buffer of the dump holds this many characters with its terminator.
constexpr std::size_t kDumpBuffer = 2500;

void clearRows(std::vector<std::vector<std::int16_t>>& table) {
    for (auto& row : table) std::fill(row.begin(), row.end(), 0);
}

// Makes the three 32-bit arrays, the four row tables and their rows for the record's wanted
// capacities; reports the part that could not be had and returns false.
bool dimension(Host& host, ChainsHeader& chains, std::uint16_t wMaxSize, std::uint16_t wMaxPulses) {
    if (!tryAllocate([&] {
            chains.distance.assign(wMaxSize, 0);
            chains.pulsesQuantity.assign(wMaxSize, 0);
            chains.alphabetNumber.assign(wMaxSize, 0);
        })) {
        host.messageBox("Нет памяти для newChainsHeader->distance!", kGetCaption,
                        MessageIcon::None);
        return false;
    }
    for (auto* table :
         {&chains.pulsesList, &chains.positionsList, &chains.beginsList, &chains.endsList}) {
        table->clear();
    }
    if (!tryAllocate([&] {
            for (auto* table : {&chains.pulsesList, &chains.positionsList, &chains.beginsList,
                                &chains.endsList}) {
                table->resize(wMaxSize);
            }
        })) {
        host.messageBox("Нет памяти для newChainsHeader->pulsesList!", kGetCaption,
                        MessageIcon::None);
        return false;
    }
    if (!tryAllocate([&] {
            for (auto* table : {&chains.pulsesList, &chains.positionsList, &chains.beginsList,
                                &chains.endsList}) {
                for (auto& row : *table) row.assign(wMaxPulses, 0);
            }
        })) {
        host.messageBox("Нет памяти для newChainsHeader->pulsesList[0]!", kGetCaption,
                        MessageIcon::None);
        return false;
    }
    chains.wMaxSize = wMaxSize;
    chains.wMaxPulses = wMaxPulses;
    return true;
}

const char* seriesTypeName(std::uint16_t wSeriesType) {
    switch (wSeriesType) {
        case 1:
            return "known number of whole pulses";
        case 2:
            return "known number of cut-off pulses";
        case 4:
            return "unknown number of whole pulses";
        case 8:
            return "unknown number of cut-off pulses";
        case 36:
            return "known number of whole pulses tuples";
        case 40:
            return "unknown number of whole pulses tuples";
        default:
            return nullptr;
    }
}

const char* taskName(std::uint16_t wTaskType) {
    switch (wTaskType) {
        case 1:
        case 32:
        case 36:
            return "detection";
        case 2:
        case 40:
            return "recognition";
        case 4:
            return "joint detection and identification";
        case 48:
            return "alphabet recognition";
        default:
            return nullptr;
    }
}

}  // namespace

std::unique_ptr<ChainsHeader> getChainsHeader(Host& host, std::uint16_t wMaxSize,
                                              std::uint16_t wMaxPulses,
                                              std::unique_ptr<ChainsHeader> old) {
    std::unique_ptr<ChainsHeader> chains = std::move(old);
    if (!chains && !tryAllocate([&] { chains = std::make_unique<ChainsHeader>(); })) {
        host.messageBox("Нет памяти для newChainsHeader!", kGetCaption, MessageIcon::None);
        return nullptr;
    }
    const bool fits = wMaxSize <= chains->wMaxSize && wMaxPulses <= chains->wMaxPulses &&
                      chains->distance.size() == chains->wMaxSize;
    if (!fits && !dimension(host, *chains, wMaxSize, wMaxPulses)) return nullptr;
    chains->wPretenders = 0;
    chains->wQuanPulses = 0;
    chains->wSeekingPulsesQuantity = 0;
    std::fill(chains->distance.begin(), chains->distance.end(), 0);
    std::fill(chains->pulsesQuantity.begin(), chains->pulsesQuantity.end(), 0);
    std::fill(chains->alphabetNumber.begin(), chains->alphabetNumber.end(), 0);
    for (auto* table :
         {&chains->pulsesList, &chains->positionsList, &chains->beginsList, &chains->endsList}) {
        clearRows(*table);
    }
    return chains;
}

int addToChainsHeader(Host& host, std::uint16_t wSeriesType, std::uint16_t wTaskType,
                      std::uint16_t wMakingLevel, std::uint16_t wProcessingLevel,
                      ChainsHeader* chains) {
    if (chains == nullptr) {
        host.messageBox("Не определен lpChainsHeader!", " addToChainsHeader ", MessageIcon::None);
        return 0;
    }
    chains->wMark = 2;
    chains->wSeriesType = wSeriesType;
    chains->wTaskType = wTaskType;
    chains->lpSeriesTypeName = seriesTypeName(wSeriesType);
    chains->lpTaskName = taskName(wTaskType);
    chains->wMakingLevel = wMakingLevel;
    chains->wProcessingLevel = wProcessingLevel;
    return 1;
}

int freeChainsHeader(std::unique_ptr<ChainsHeader>& chains) noexcept {
    chains.reset();
    return 1;
}

std::string chainsHeaderText(const ChainsHeader& chains) {
    std::string text = "ChainsHeader:\n";
    text += formatText("wMaxSize: %d\n", chains.wMaxSize);
    text += formatText("wPretenders: %d\n", chains.wPretenders);
    text += formatText("wMaxPulses: %d\n", chains.wMaxPulses);
    text += formatText("wQuanPulses: %d\n", chains.wQuanPulses);
    text += formatText("wSeekingPulsesQuantity: %d\n", chains.wSeekingPulsesQuantity);
    const std::size_t rows = std::min<std::size_t>(chains.wPretenders, chains.distance.size());
    for (std::size_t r = 0; r < rows && text.size() < kDumpBuffer; ++r) {
        text += formatText(" %d.", static_cast<int>(r + 1));
        text += formatText(" %lld", static_cast<long long>(chains.distance[r]));
        const auto pulses = static_cast<std::size_t>(
            std::clamp<std::int64_t>(chains.pulsesQuantity[r], 0,
                                     static_cast<std::int64_t>(chains.positionsList[r].size())));
        for (std::size_t j = 0; j < pulses; ++j) {
            text +=
                formatText(" %d (%d) [%d %d]", chains.positionsList[r][j], chains.pulsesList[r][j],
                           chains.beginsList[r][j], chains.endsList[r][j]);
        }
        text += "\n";
    }
    if (text.size() > kDumpBuffer - 1) text.resize(kDumpBuffer - 1);
    return text;
}

void aboutChainsHeader(Host& host, const ChainsHeader& chains) {
    host.messageBox(chainsHeaderText(chains), "aboutChainsHeader Info", MessageIcon::None);
}

}  // namespace mirovale
