#include "core/processing/chains_header.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/processing/chain_ranking.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

// n pulses that tell the chain apart: pulse j at 10 * id + j, etalon id.
PulseChain chainOf(int id, int n) {
    PulseChain chain;
    for (int j = 0; j < n; ++j) chain.push_back({10 * id + j, id, 0, 4});
    return chain;
}

std::vector<std::int64_t> held(const ChainsHeader& c) {
    return {c.distance.begin(), c.distance.begin() + c.wPretenders};
}

TEST(ChainRanking, KeepsTheBestChainsWithEqualDistancesBehind) {
    RecordingHost host;
    auto chains = getChainsHeader(host, 3, 4, nullptr);
    rankChain(*chains, 5, chainOf(1, 2));
    rankChain(*chains, 3, chainOf(2, 1));
    rankChain(*chains, 5, chainOf(3, 3));
    rankChain(*chains, 1, chainOf(4, 4), 7);
    EXPECT_THAT(held(*chains), ElementsAre(1, 3, 5));
    EXPECT_THAT(chains->positionsList[2], ElementsAre(10, 11, 0, 0));  // the first 5 offered
    EXPECT_THAT(chains->pulsesQuantity, ElementsAre(4, 1, 2));
    EXPECT_THAT(chains->alphabetNumber, ElementsAre(7, 0, 0));

    const ChainsHeader before = *chains;  // a worse chain leaves a full record unchanged
    rankChain(*chains, 6, chainOf(5, 1));
    EXPECT_EQ(held(*chains), held(before));
    EXPECT_EQ(chains->positionsList, before.positionsList);
    rankChain(*chains, 0, chainOf(6, 9));  // longer than a row: the row's capacity is stored
    EXPECT_EQ(chains->pulsesQuantity[0], 4);
}

TEST(ChainsHeader, ReusesItsStorageUnlessACapacityGrows) {
    RecordingHost host;
    auto chains = getChainsHeader(host, 4, 6, nullptr);
    rankChain(*chains, 2, chainOf(1, 6));
    chains->wQuanPulses = 6;
    const std::int16_t* rows = chains->positionsList[0].data();
    chains = getChainsHeader(host, 2, 3, std::move(chains));
    EXPECT_EQ(chains->wMaxSize * 100 + chains->wMaxPulses, 4 * 100 + 6);
    EXPECT_EQ(chains->positionsList[0].data(), rows);
    EXPECT_EQ(chains->wPretenders + chains->wQuanPulses, 0);
    EXPECT_THAT(chains->positionsList[0], ElementsAre(0, 0, 0, 0, 0, 0));
    chains = getChainsHeader(host, 3, 7, std::move(chains));
    EXPECT_EQ(chains->wMaxSize * 100 + chains->wMaxPulses, 3 * 100 + 7);
    EXPECT_EQ(chains->endsList.size(), 3u);
    EXPECT_EQ(chains->endsList[2].size(), 7u);
    EXPECT_TRUE(host.messages.empty());

    const char* expected[] = {"newChainsHeader", "newChainsHeader->distance",
                              "newChainsHeader->pulsesList", "newChainsHeader->pulsesList[0]"};
    for (int k = 1; k <= 4; ++k) {
        ScopedAllocationFailure fail(k);
        EXPECT_EQ(getChainsHeader(host, 10, 30, nullptr), nullptr) << k;
        EXPECT_EQ(host.messages.back(),
                  (RecordedMessage{std::string("Нет памяти для ") + expected[k - 1] + "!",
                                   " getChainsHeader ", MessageIcon::None}));
    }
    ScopedAllocationFailure fail(2);  // the row tables of a grown record: it is released
    EXPECT_EQ(getChainsHeader(host, 3, 9, std::move(chains)), nullptr);
    EXPECT_EQ(host.messages.size(), 5u);
}

TEST(ChainsHeader, LabelsTheRunWithTheNamesOfItsCodes) {
    const struct {
        std::uint16_t series, task;
        const char *seriesName, *taskName;
    } cases[] = {
        {1, 1, "known number of whole pulses", "detection"},
        {2, 2, "known number of cut-off pulses", "recognition"},
        {4, 4, "unknown number of whole pulses", "joint detection and identification"},
        {8, 32, "unknown number of cut-off pulses", "detection"},
        {36, 36, "known number of whole pulses tuples", "detection"},
        {40, 40, "unknown number of whole pulses tuples", "recognition"},
        {16, 48, nullptr, "alphabet recognition"},
        {32, 64, nullptr, nullptr},
    };
    RecordingHost host;
    auto chains = getChainsHeader(host, 1, 1, nullptr);
    for (const auto& c : cases) {
        EXPECT_EQ(addToChainsHeader(host, c.series, c.task, 75, 60, chains.get()), 1);
        EXPECT_EQ(std::tuple(chains->wMark, chains->wMakingLevel, chains->wProcessingLevel),
                  std::tuple(2, 75, 60));
        EXPECT_STREQ(chains->lpSeriesTypeName, c.seriesName) << c.series;
        EXPECT_STREQ(chains->lpTaskName, c.taskName) << c.task;
    }
    EXPECT_EQ(addToChainsHeader(host, 1, 1, 100, 100, nullptr), 0);
    EXPECT_THAT(host.messages,
                ElementsAre(RecordedMessage{"Не определен lpChainsHeader!", " addToChainsHeader ",
                                            MessageIcon::None}));
    EXPECT_EQ(freeChainsHeader(chains) + freeChainsHeader(chains), 2);
}

TEST(ChainsHeader, DumpsItsRowsAndCutsALongDumpAtTheBuffer) {
    RecordingHost host;
    auto chains = getChainsHeader(host, 3, 2, nullptr);
    chains->wQuanPulses = 2;
    rankChain(*chains, -1500, PulseChain{{12, 3, 0, 19}, {60, 1, 2, 17}});
    rankChain(*chains, 9999999, PulseChain{});
    aboutChainsHeader(host, *chains);
    EXPECT_THAT(
        host.messages,
        ElementsAre(RecordedMessage{
            "ChainsHeader:\nwMaxSize: 3\nwPretenders: 2\nwMaxPulses: 2\nwQuanPulses: 2\n"
            "wSeekingPulsesQuantity: 0\n 1. -1500 12 (3) [0 19] 60 (1) [2 17]\n 2. 9999999\n",
            "aboutChainsHeader Info", MessageIcon::None}));

    auto big = getChainsHeader(host, 10, 200, nullptr);
    for (int r = 0; r < 10; ++r) rankChain(*big, r, chainOf(r + 1, 200));
    const std::string text = chainsHeaderText(*big);
    EXPECT_EQ(text.size(), 2499u);
    EXPECT_EQ(text.find(" 1. 0 10 (1) [0 4] 11 (1) [0 4]"), 100u);  // right after the counters
    EXPECT_EQ(text.find(" 2. 1"), std::string::npos);               // row 1 fills the buffer
}

}  // namespace
}  // namespace mirovale
