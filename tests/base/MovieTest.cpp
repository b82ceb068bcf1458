#include "base/Movie.h"
#include <gtest/gtest.h>

namespace {
// A small key table in the shape of the real one: "1" is a key name.
KeyNames FakeKeys() {
    return KeyNamesFromTable({{"z", 122}, {"up", 273}, {"left shift", 304}, {"1", 49}, {"#", 35}}, 323);
}

MovieError ParseError(const std::string& text) {
    std::vector<MovieEvent> events;
    MovieError error;
    EXPECT_FALSE(ParseMovie(text, FakeKeys(), events, error)) << text;
    return error;
}
}

TEST(Movie, ReadsEveryEventKindWithCommentsBlanksAndKeyNumbers) {
    std::string text =
        "duskhold-movie 1   # made by hand\r\n"
        "\n"
        "1 down z\n"
        "  1\tup   left shift  \n"
        "# a whole comment line\n"
        "2 down 035\n"
        "2 down 300\n"
        "3 hat up-left\n"
        "3 hat centered\n"
        "4 button 255 down\n"
        "9 button 0 up\n";
    std::vector<MovieEvent> events;
    MovieError error;
    ASSERT_TRUE(ParseMovie(text, FakeKeys(), events, error)) << error.line << error.message;
    std::vector<MovieEvent> expected = {
        {1, MovieEventKind::KeyDown, 122},    {1, MovieEventKind::KeyUp, 304},  {2, MovieEventKind::KeyDown, 35},
        {2, MovieEventKind::KeyDown, 300},    {3, MovieEventKind::Hat, 9},      {3, MovieEventKind::Hat, 0},
        {4, MovieEventKind::ButtonDown, 255}, {9, MovieEventKind::ButtonUp, 0},
    };
    EXPECT_EQ(events, expected);
}

TEST(Movie, MalformedLinesAreReportedWithTheirNumber) {
    EXPECT_EQ(ParseError("").line, 1);
    EXPECT_EQ(ParseError("# comment first\nduskhold-movie 1\n").line, 1);
    EXPECT_EQ(ParseError("duskhold-movie 2\n").line, 1);
    const std::string header = "duskhold-movie 1\n\n# note\n";
    struct Case {
        const char* line;
        const char* words;
    } cases[] = {
        {"x down z", "not a step number"},
        {"-1 down z", "not a step number"},
        {"0 down z", "count from 1"},
        {"99999999999999999999 down z", "not a step number"},
        {"5", "must follow the step"},
        {"5 jump", "unknown event 'jump'"},
        {"5 down", "key name or number"},
        {"5 down q", "unknown key 'q'"},
        {"5 down 323", "above 322"},
        {"5 hat north", "unknown hat direction 'north'"},
        {"5 hat up left", "unknown hat direction"},
        {"5 button", "button number"},
        {"5 button 256 down", "0 to 255"},
        {"5 button 2", "down or up"},
        {"5 button 2 down now", "down or up"},
    };
    for (const Case& c : cases) {
        MovieError error = ParseError(header + c.line + "\n");
        EXPECT_EQ(error.line, 4) << c.line;
        EXPECT_NE(error.message.find(c.words), std::string::npos) << c.line << ": " << error.message;
    }
    MovieError order = ParseError(header + "5 down z\n4 up z\n");
    EXPECT_EQ(order.line, 5);
    EXPECT_EQ(order.message, "step 4 comes after step 5");
}

TEST(Movie, OneStepHoldsAtMostWhatTheQueueTakes) {
    std::string text = "duskhold-movie 1\n";
    for (size_t i = 0; i < kMaxMovieEventsPerStep; ++i) text += "7 down z\n";
    std::vector<MovieEvent> events;
    MovieError error;
    EXPECT_TRUE(ParseMovie(text + "8 down z\n", FakeKeys(), events, error));
    error = ParseError(text + "7 up z\n");
    EXPECT_EQ(error.line, int(kMaxMovieEventsPerStep) + 2);
}
