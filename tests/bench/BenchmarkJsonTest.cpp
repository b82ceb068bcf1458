#include "BenchmarkJson.h"
#include "support/GlWindow.h"
#include <fstream>
#include <gtest/gtest.h>

// The shape Google Benchmark writes: one field a line, times in each
// benchmark's own unit.
TEST(BenchmarkJson, RealTimesInMicroseconds) {
    TempDir dir;
    std::string path = dir / "out.json";
    std::ofstream(path) << "{\n  \"context\": {\n    \"date\": \"2026-12-06\"\n  },\n  \"benchmarks\": [\n"
                           "    {\n      \"name\": \"collision_pass/exhaustive\",\n      \"iterations\": 796,\n"
                           "      \"real_time\": 1.6061800000000000e+03,\n      \"cpu_time\": 7.32e+02,\n"
                           "      \"time_unit\": \"us\"\n    },\n"
                           "    {\n      \"name\": \"collision_pass/indexed\",\n"
                           "      \"real_time\": 6.8900000000000000e+03,\n      \"time_unit\": \"ns\"\n    },\n"
                           "    {\n      \"name\": \"level_draw/culled\",\n"
                           "      \"real_time\": 2.5,\n      \"time_unit\": \"ms\"\n    }\n  ]\n}\n";
    std::map<std::string, double> times = BenchmarkRealTimesUs(path);
    EXPECT_DOUBLE_EQ(times["collision_pass/exhaustive"], 1606.18);
    EXPECT_DOUBLE_EQ(times["collision_pass/indexed"], 6.89);
    EXPECT_DOUBLE_EQ(times["level_draw/culled"], 2500);
    EXPECT_TRUE(BenchmarkRealTimesUs(dir / "none.json").empty());
}
