#include "core/simulation/rest_error_header.h"

#include <algorithm>

#include "core/host/allocation.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

constexpr const char* kGetCaption = " getRestErrHeader ";
constexpr const char* kInitCaption = " initRestErrHeader ";
constexpr const char* kAddCaption = " addInitRestErrHeader ";
constexpr const char* kNoRecord = "Не определен lpErrorHeader!";

void report(Host& host, const char* text, const char* caption) {
    host.messageBox(text, caption, MessageIcon::None);
}

// Replaces the lists, the row table and the data by storage for p pulse numbers and q levels,
// one allocation request each. Reports the first that fails and returns false.
bool reserveStorage(Host& host, RestErrorHeader& record, std::uint16_t p, std::uint16_t q) {
    record.wPulseValues = {};
    record.lpNoiseLevels = {};
    record.lpErrors = {};
    record.lpErrorData = {};
    if (!tryAllocate([&] {
            record.lpNoiseLevels.assign(q, 0);
            record.wPulseValues.assign(p, 0);
        })) {
        report(host, "Нет памяти для newRestErrorHeader->lpNoiseLevel!", kGetCaption);
        return false;
    }
    if (!tryAssign(record.lpErrors, kErrorTables * q)) {
        report(host, "Нет памяти для newRestErrorHeader->lpErrors!", kGetCaption);
        return false;
    }
    if (!tryAssign(record.lpErrorData, kErrorTables * q * p, 0u)) {
        report(host, "Нет памяти для newRestErrorHeader->lpErrors[]!", kGetCaption);
        return false;
    }
    // Table m starts at m * q * p entries, row j of a table at j * p entries.
    for (std::size_t row = 0; row < record.lpErrors.size(); ++row)
        record.lpErrors[row] = {record.lpErrorData.data() + row * p, p};
    record.wReservedPulses = p;
    record.wReservedLevels = q;
    return true;
}

}  // namespace

const char* restErrSeriesTypeName(std::uint16_t wSeriesType) noexcept {
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

const char* restErrTaskName(std::uint16_t wTaskType) noexcept {
    switch (wTaskType) {
        case 1:
        case 36:
            return "detection";
        case 2:
        case 40:
            return "recognition";
        case 4:
            return "joint detection and identification";
        case 8:
        case 16:
            return "joint detection and estimation";
        case 32:
            return "blind detection";
        default:
            return nullptr;
    }
}

std::unique_ptr<RestErrorHeader> getRestErrHeader(Host& host, std::uint16_t p, std::uint16_t q,
                                                  std::uint32_t repeats,
                                                  std::unique_ptr<RestErrorHeader> old) {
    std::unique_ptr<RestErrorHeader> record = std::move(old);
    if (!record && !tryAllocate([&] { record = std::make_unique<RestErrorHeader>(); })) {
        report(host, "Нет памяти для newRestErrorHeader!", kGetCaption);
        return nullptr;
    }
    const bool fits = p <= record->wReservedPulses && q <= record->wReservedLevels;
    if (!fits && !reserveStorage(host, *record, p, q)) return nullptr;
    record->wNoiseLevels = q;
    record->wVariousPulses = p;
    record->repeats = repeats;
    std::ranges::fill(record->wPulseValues, std::int16_t{0});
    std::ranges::fill(record->lpNoiseLevels, std::int16_t{0});
    std::ranges::fill(record->lpErrorData, 0u);
    return record;
}

int initRestErrHeader(Host& host, std::uint16_t p, std::uint16_t wFirstPulses,
                      std::uint16_t wPulsesStep, std::uint16_t q, std::uint16_t wFirstLevel,
                      std::uint16_t wLevelStep, std::uint32_t repeats, RestErrorHeader* record) {
    if (record == nullptr) {
        report(host, kNoRecord, kInitCaption);
        return 0;
    }
    if (p > record->wReservedPulses) {
        report(host, "Неверно задан wVariousPulsesNumber!", kInitCaption);
        return 0;
    }
    if (q > record->wReservedLevels) {
        report(host, "Неверно задан wNoiseLevels!", kInitCaption);
        return 0;
    }
    record->wVariousPulses = p;
    record->wNoiseLevels = q;
    record->repeats = repeats;
    record->ifComplete = 0;
    // The lists are 16-bit: values are kept to their low 16 bits as the record stores them.
    for (std::size_t i = 0; i < p; ++i)
        record->wPulseValues[i] = static_cast<std::int16_t>(wFirstPulses + i * wPulsesStep);
    for (std::size_t j = 0; j < q; ++j) {
        record->lpNoiseLevels[j] = static_cast<std::int16_t>(wFirstLevel + j * wLevelStep);
        std::ranges::fill(record->errors(ERR_RESTORING, j).first(p), 0u);
    }
    return 1;
}

int addInitRestErrHeader(Host& host, std::uint16_t wSeriesType, std::uint16_t wTaskType,
                         std::uint16_t wMakingLevel, std::uint16_t wProcessingLevel,
                         RestErrorHeader* record) {
    if (record == nullptr) {
        report(host, kNoRecord, kAddCaption);
        return 0;
    }
    record->wRecordKind = 2;
    record->wSeriesType = wSeriesType;
    record->wTaskType = wTaskType;
    record->lpTaskName = restErrTaskName(wTaskType);
    record->lpSeriesTypeName = restErrSeriesTypeName(wSeriesType);
    record->wMakingLevel = wMakingLevel;
    record->wProcessingLevel = wProcessingLevel;
    return 1;
}

int freeRestErrHeader(std::unique_ptr<RestErrorHeader>& record) noexcept {
    record.reset();
    return 1;
}

std::string formatRestErrHeader(const RestErrorHeader& record) {
    auto name = [](const char* text) { return text != nullptr ? text : "none"; };
    std::string text = "RestErrorHeader:\n";
    text += formatText("wReservedPulses: %d\n", record.wReservedPulses);
    text += formatText("wVariousPulses: %d\n", record.wVariousPulses);
    text += formatText("wReservedLevels: %d\n", record.wReservedLevels);
    text += formatText("wNoiseLevels: %d\n", record.wNoiseLevels);
    text += formatText("repeats: %u\n", record.repeats);
    text += formatText("wRecordKind: %d\n", record.wRecordKind);
    text += formatText("wSeriesType: %d\n", record.wSeriesType);
    text += formatText("wTaskType: %d\n", record.wTaskType);
    text += formatText("lpTaskName: %s\n", name(record.lpTaskName));
    text += formatText("lpSeriesTypeName: %s\n", name(record.lpSeriesTypeName));
    text += formatText("wMakingLevel: %d\n", record.wMakingLevel);
    text += formatText("wProcessingLevel: %d\n", record.wProcessingLevel);
    text += formatText("ifComplete: %d\n", record.ifComplete);
    text += "wPulseValues:";
    for (std::size_t i = 0; i < record.wVariousPulses; ++i)
        text += formatText(" %d", record.wPulseValues[i]);
    text += "\nlpNoiseLevels:";
    for (std::size_t j = 0; j < record.wNoiseLevels; ++j)
        text += formatText(" %d", record.lpNoiseLevels[j]);
    text += "\n";
    for (std::size_t m = 0; m < kErrorTables && text.size() < kRestErrDumpLimit; ++m) {
        text += formatText("lpErrors[%d]:\n", static_cast<int>(m));
        for (std::size_t j = 0; j < record.wNoiseLevels && text.size() < kRestErrDumpLimit; ++j) {
            text += formatText(" %d:", record.lpNoiseLevels[j]);
            for (const std::uint32_t value : record.errors(m, j).first(record.wVariousPulses))
                text += formatText(" %u", value);
            text += "\n";
        }
    }
    if (text.size() > kRestErrDumpLimit) text.resize(kRestErrDumpLimit);
    return text;
}

void aboutRestErrHeader(Host& host, const RestErrorHeader* record) {
    if (record == nullptr) {
        report(host, kNoRecord, " aboutRestErrHeader ");
        return;
    }
    host.messageBox(formatRestErrHeader(*record), "aboutRestErrHeader Info", MessageIcon::None);
}

}  // namespace mirovale
