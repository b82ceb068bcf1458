#include "world/LevelName.h"
#include <gtest/gtest.h>
#include <string>

TEST(LevelName, LongNamesAreCutToFit) {
    std::string longName(400, 'x');
    SetLevelName(longName.c_str());
    EXPECT_EQ(std::string(TheLevelName()), longName.substr(0, kLevelNameSize - 1));
}
