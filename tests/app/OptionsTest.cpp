#include "app/Options.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
bool Parse(std::vector<const char*> args, Options& options, std::string& error) {
    args.insert(args.begin(), "duskhold");
    args.push_back(nullptr);  // as the real argv ends
    return ParseOptions(int(args.size()) - 1, args.data(), options, error);
}
}

TEST(Options, FullscreenIsExactAndAnywhereAndMalformedHarnessValuesAreRefused) {
    std::string error;
    Options a, b, c, d;
    ASSERT_TRUE(Parse({"--fast", "-fullscreen"}, a, error));
    EXPECT_TRUE(a.fullscreen);
    ASSERT_TRUE(Parse({"-Fullscreen"}, b, error));
    EXPECT_FALSE(b.fullscreen);
    ASSERT_TRUE(Parse({"-fullscreenx", "whatever"}, c, error));
    EXPECT_FALSE(c.fullscreen);
    EXPECT_EQ(c.unknown, (std::vector<std::string>{"-fullscreenx", "whatever"}));
    ASSERT_TRUE(Parse({}, d, error));
    EXPECT_EQ(d.windowWidth, 960);
    EXPECT_EQ(d.windowHeight, 720);

    // The e2e runs pass good harness values; these are the ones that must be refused.
    Options o = d;
    EXPECT_FALSE(Parse({"--steps", "ten"}, o, error));
    EXPECT_FALSE(Parse({"--steps", "0"}, o, error));
    EXPECT_FALSE(Parse({"--shot", "x.png"}, o, error));
    EXPECT_FALSE(Parse({"--window", "960by720"}, o, error));
    EXPECT_FALSE(Parse({"--window", "0x720"}, o, error));
    for (std::string option :
         {"--steps", "--shot", "--window", "--trace", "--record", "--replay", "--level", "--data"}) {
        EXPECT_FALSE(Parse({"--fast", option.c_str()}, o, error));
        EXPECT_EQ(error, option + " needs a value");
    }
}
