#include "platform/Input.h"
#include "platform/MovieEvents.h"
#include "support/GlWindow.h"
#include <SDL.h>
#include <fstream>
#include <gtest/gtest.h>

namespace {
void EmptyQueue() {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {}
}

std::string WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
    return path;
}
}

TEST(InputMovie, ReplayQueuesEachStepAndStandsInForJoystickZeroAndLiveInputIsDropped) {
    TempDir temp;
    const std::string& dir = temp.path;
    std::string error;
    EXPECT_FALSE(LoadReplay(dir + "/missing", error));
    EXPECT_EQ(error, dir + "/missing:0: cannot read the movie: No such file or directory");

    WriteFile(dir + "/good", "duskhold-movie 1\n2 down z\n2 button 11 down\n4 up z\n");
    ASSERT_TRUE(LoadReplay(dir + "/good", error)) << error;
    GlWindow window;
    ASSERT_TRUE(window.Open());
    EmptyQueue();
    Input& input = TheInput();
    ASSERT_EQ(input.joystick, nullptr);
    EXPECT_EQ(input.JoystickAction(0, 11), ButtonB);
    EXPECT_EQ(input.JoystickAction(0, 0x28), Left);

    std::vector<uint32_t> held;
    for (long step = 1; step <= 4; ++step) {
        PushMovieEvent({step, MovieEventKind::KeyDown, SDLK_LEFT});  // live input is ignored
        EXPECT_TRUE(QueueReplayedEvents(step));
        input.Update();
        held.push_back(input.held);
    }
    EXPECT_EQ(held, (std::vector<uint32_t>{0, ButtonA | ButtonB, ButtonA | ButtonB, ButtonB}));
    PushMovieEvent({5, MovieEventKind::KeyDown, SDLK_ESCAPE});
    EXPECT_FALSE(QueueReplayedEvents(5));

    // A full queue is reported; live input is discarded, Escape kept.
    EmptyQueue();
    int pushed = 0;
    while (pushed < 1000 && PushMovieEvent({1, MovieEventKind::KeyDown, SDLK_a})) ++pushed;
    EXPECT_LT(pushed, 1000);
    EXPECT_GE(pushed, int(kMaxMovieEventsPerStep));
    EXPECT_FALSE(DiscardLiveInput());
    SDL_Event event;
    EXPECT_EQ(SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, kInputEventMask), 0);
    ASSERT_TRUE(PushMovieEvent({1, MovieEventKind::KeyUp, SDLK_ESCAPE}));
    EXPECT_FALSE(DiscardLiveInput());
    ASSERT_TRUE(PushMovieEvent({1, MovieEventKind::KeyDown, SDLK_ESCAPE}));
    EXPECT_TRUE(DiscardLiveInput());
}
