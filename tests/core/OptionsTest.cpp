#include "core/Options.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
bool Parse(std::vector<const char*> args, Options& options, std::string& error) {
    args.insert(args.begin(), "duskhold");
    args.push_back(nullptr);  // as the real argv ends
    return ParseOptions(int(args.size()) - 1, args.data(), options, error);
}
}

TEST(Options, FullscreenIsExactCaseSensitiveAndAnywhere) {
    std::string error;
    Options a, b, c, d;
    ASSERT_TRUE(Parse({"--fast", "-fullscreen"}, a, error));
    EXPECT_TRUE(a.fullscreen);
    ASSERT_TRUE(Parse({"-Fullscreen"}, b, error));
    EXPECT_FALSE(b.fullscreen);
    ASSERT_TRUE(Parse({"-fullscreenx", "whatever"}, c, error));
    EXPECT_FALSE(c.fullscreen);
    ASSERT_TRUE(Parse({}, d, error));
    EXPECT_EQ(d.windowWidth, 960);
    EXPECT_EQ(d.windowHeight, 720);
}

TEST(Options, HarnessOptionsTakeTheirValuesAndMalformedOnesAreRefused) {
    std::string error;
    Options o;
    ASSERT_TRUE(Parse({"--fast", "--steps", "10", "--shot", "3:a.png", "--shot", "10:b:c.png",
                       "--trace", "t.jsonl", "--window", "320x240", "--level", "blk101"},
                      o, error));
    EXPECT_TRUE(o.fast);
    EXPECT_EQ(o.steps, 10);
    ASSERT_EQ(o.shots.size(), 2u);
    EXPECT_EQ(o.shots[1].step, 10);
    EXPECT_EQ(o.shots[1].file, "b:c.png");
    EXPECT_EQ(o.trace, "t.jsonl");
    EXPECT_EQ(o.windowWidth, 320);
    EXPECT_EQ(o.windowHeight, 240);
    EXPECT_EQ(o.level, "blk101");

    EXPECT_FALSE(Parse({"--steps", "ten"}, o, error));
    EXPECT_FALSE(Parse({"--steps", "0"}, o, error));
    EXPECT_FALSE(Parse({"--shot", "x.png"}, o, error));
    EXPECT_FALSE(Parse({"--window", "960by720"}, o, error));
    EXPECT_FALSE(Parse({"--window", "0x720"}, o, error));
    for (std::string option : {"--steps", "--shot", "--window", "--trace", "--record", "--replay", "--level", "--data"}) {
        EXPECT_FALSE(Parse({"--fast", option.c_str()}, o, error));
        EXPECT_EQ(error, option + " needs a value");
    }
}
