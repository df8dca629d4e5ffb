#include "cli/json_dump.h"

#include <gtest/gtest.h>

#include "core/host/recording_host.h"

namespace mirovale {
namespace {

// A record with room for 3 x 3 whose plan uses 2 pulse numbers and 2 levels.
std::unique_ptr<RestErrorHeader> smallRecord(RecordingHost& host) {
    auto record = getRestErrHeader(host, 3, 3, 5, nullptr);
    EXPECT_EQ(initRestErrHeader(host, 2, 6, 2, 2, 0, 25, 5, record.get()), 1);
    EXPECT_EQ(addInitRestErrHeader(host, 8, 48, 75, 60, record.get()), 1);
    for (std::size_t m = 0; m < kErrorTables; ++m)
        for (std::size_t j = 0; j < 3; ++j)
            for (std::size_t i = 0; i < 3; ++i)
                record->errors(m, j)[i] = static_cast<std::uint32_t>(100 * m + 10 * j + i);
    record->ifComplete = 1;
    return record;
}

TEST(RestErrorHeaderJson, UsesTheFieldNamesAndCutsTheTablesToThePlan) {
    RecordingHost host;
    const auto record = smallRecord(host);
    EXPECT_EQ(restErrorHeaderJson(*record).dump(),
              R"({"wReservedPulses":3,"wVariousPulses":2,"wReservedLevels":3,"wNoiseLevels":2,)"
              R"("repeats":5,"wPulseValues":[6,8],"lpNoiseLevels":[0,25],"lpErrors":[)"
              R"([[0,1],[10,11]],[[100,101],[110,111]],[[200,201],[210,211]],)"
              R"([[300,301],[310,311]],[[400,401],[410,411]],[[500,501],[510,511]]],)"
              R"("wRecordKind":2,"wSeriesType":8,"wTaskType":48,"lpTaskName":null,)"
              R"("lpSeriesTypeName":"unknown number of cut-off pulses","wMakingLevel":75,)"
              R"("wProcessingLevel":60,"ifComplete":1})");
}

TEST(RestErrorHeaderCsv, WritesOneLinePerTableAndLevel) {
    RecordingHost host;
    const auto record = smallRecord(host);
    EXPECT_EQ(restErrorHeaderCsv(*record),
              "table,noise level,6,8\n"
              "0,0,0,1\n0,25,10,11\n1,0,100,101\n1,25,110,111\n2,0,200,201\n2,25,210,211\n"
              "3,0,300,301\n3,25,310,311\n4,0,400,401\n4,25,410,411\n5,0,500,501\n5,25,510,511\n");
}

}  // namespace
}  // namespace mirovale
