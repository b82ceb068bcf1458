#include "Percentiles.h"
#include "TraceTimes.h"
#include "support/GlWindow.h"
#include <fstream>
#include <gtest/gtest.h>

namespace {
TempDir gDir;  // one folder for the traces of this program, removed at its end

std::string WriteTrace(const std::string& text) {
    std::ofstream(gDir / "trace.jsonl") << text;
    return gDir / "trace.jsonl";
}
}

// Line N + 1 tells of step N: step 1's line is skipped, the clock of the
// first picture comes from line 2.
TEST(TraceTimes, EachLineTellsOfTheStepBefore) {
    TraceTimes times;
    ASSERT_TRUE(ReadTraceTimes(WriteTrace("{\"step\":1,\"frame_us\":0,\"clock_ms\":0.000}\n"
                                          "{\"step\":2,\"frame_us\":52464,\"clock_ms\":10540894.642,\"x\":1}\n"
                                          "{\"step\":3,\"frame_us\":1500,\"clock_ms\":10540896.142}\n"),
                               times));
    EXPECT_EQ(times.frameMs, (std::vector<double>{52.464, 1.5}));
    EXPECT_DOUBLE_EQ(times.firstFrameShownMs, 10540894.642);
}

// A trace without times (DUSKHOLD_TRACE_TIMES not set, or a game that does
// not know it), a trace of one step and a missing file give no figures.
TEST(TraceTimes, TracesWithoutTimesAreRefused) {
    TraceTimes times;
    EXPECT_FALSE(ReadTraceTimes(WriteTrace("{\"step\":1}\n{\"step\":2,\"state\":\"title\"}\n"), times));
    EXPECT_FALSE(ReadTraceTimes(WriteTrace("{\"step\":1,\"frame_us\":0,\"clock_ms\":0.000}\n"), times));
    EXPECT_FALSE(ReadTraceTimes(WriteTrace("{\"step\":1}\n{\"step\":2,\"frame_us\":\"x\"}\n"), times));
    EXPECT_FALSE(ReadTraceTimes(gDir / "none.jsonl", times));
}

TEST(Percentiles, NearestRank) {
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) hundred.push_back(i);
    EXPECT_EQ(Percentile(hundred, 0.99), 99);
    EXPECT_EQ(Percentile(hundred, 1.0), 100);
    EXPECT_EQ(Percentile(hundred, 0.0), 1);
    EXPECT_EQ(Median({5, 1, 3}), 3);
    EXPECT_EQ(Median({4, 1}), 1);
    EXPECT_EQ(Median({}), 0);
}
