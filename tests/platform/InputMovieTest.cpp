#include "platform/Input.h"
#include "platform/MovieEvents.h"
#include "support/GlWindow.h"
#include <SDL.h>
#include <fstream>
#include <gtest/gtest.h>

namespace {
void EmptyQueue() {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
    }
}

std::string WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
    return path;
}
}

TEST(InputMovie, SdlKeyNamesReadBackAndSpacedNamesWork) {
    const KeyNames& keys = SdlKeyNames();
    int32_t shift = 0, up = 0, unknown = 0;
    EXPECT_TRUE(keys.find("left shift", shift) && keys.find("up", up) && !keys.find("unknown key", unknown));
    EXPECT_EQ(std::make_pair(shift, up), std::make_pair(int32_t(SDLK_LSHIFT), int32_t(SDLK_UP)));
    EXPECT_EQ(keys.spell(-1) + keys.spell(SDLK_LAST), "");
    for (int32_t key = 0; key < SDLK_LAST; ++key) {
        std::string line = MovieLine({3, MovieEventKind::KeyUp, key}, keys);
        std::vector<MovieEvent> events;
        MovieError error;
        ASSERT_TRUE(ParseMovie(std::string(kMovieHeader) + "\n" + line, keys, events, error))
            << line << ": " << error.message;
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].value, key) << line;
    }
}

TEST(InputMovie, PushedEventsDescribeThemselvesAndAFullQueueIsReported) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    EmptyQueue();
    std::vector<MovieEvent> events = {
        {5, MovieEventKind::KeyDown, SDLK_z},   {5, MovieEventKind::KeyUp, SDLK_UP},
        {5, MovieEventKind::Hat, SDL_HAT_LEFTUP}, {5, MovieEventKind::ButtonDown, 11},
        {5, MovieEventKind::ButtonUp, 4},
    };
    for (const MovieEvent& event : events) ASSERT_TRUE(PushMovieEvent(event));
    Input input;
    input.BindJoystickControls(0, 12, 1);
    std::vector<MovieEvent> taken;
    input.onEventTaken = [&](const SDL_Event& event) {
        MovieEvent described;
        ASSERT_TRUE(DescribeTakenEvent(event, 5, described));
        taken.push_back(described);
    };
    input.Update();
    EXPECT_EQ(taken, events);
    // Button 4 is even: its release clears what z set.
    EXPECT_EQ(input.held, uint32_t(ButtonB | Up | Left));

    SDL_Event other{};
    other.type = SDL_MOUSEMOTION;
    MovieEvent unused;
    EXPECT_FALSE(DescribeTakenEvent(other, 1, unused));
    other.type = SDL_JOYHATMOTION;
    other.jhat.value = SDL_HAT_UP | SDL_HAT_DOWN;  // no hat reports this
    EXPECT_FALSE(DescribeTakenEvent(other, 1, unused));

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

TEST(InputMovie, ReplayQueuesEachStepAndStandsInForJoystickZero) {
    TempDir temp;
    const std::string& dir = temp.path;
    std::string error;
    EXPECT_FALSE(LoadReplay(dir + "/missing", error));
    EXPECT_EQ(error, dir + "/missing:0: cannot read the movie");
    EXPECT_FALSE(LoadReplay("/dev/zero", error));
    EXPECT_EQ(error, "/dev/zero:0: the movie is larger than 16 MiB");
    WriteFile(dir + "/bad", "duskhold-movie 1\n1 down z\n2 hat sideways\n");
    EXPECT_FALSE(LoadReplay(dir + "/bad", error));
    EXPECT_EQ(error.rfind(dir + "/bad:3: unknown hat direction 'sideways'", 0), 0u) << error;

    WriteFile(dir + "/good", "duskhold-movie 1\n2 down z\n2 button 11 down\n4 up z\n");
    ASSERT_TRUE(LoadReplay(dir + "/good", error)) << error;
    GlWindow window;
    ASSERT_TRUE(window.Open());
    EmptyQueue();
    Input& input = TheInput();
    ASSERT_EQ(input.joystick, nullptr);
    AttachReplayJoystick();
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
}

TEST(InputMovie, RecordingWritesWhatTheInputTookWithItsStep) {
    TempDir temp;
    const std::string& dir = temp.path;
    std::string error;
    EXPECT_FALSE(StartRecording(dir + "/no/such/dir/m", [] { return 1L; }, error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
    long step = 7;
    ASSERT_TRUE(StartRecording(dir + "/m", [&] { return step; }, error)) << error;
    GlWindow window;
    ASSERT_TRUE(window.Open());
    EmptyQueue();
    PushMovieEvent({0, MovieEventKind::KeyDown, SDLK_LSHIFT});
    PushMovieEvent({0, MovieEventKind::Hat, SDL_HAT_RIGHT});
    TheInput().Update();
    step = 8;
    PushMovieEvent({0, MovieEventKind::ButtonUp, 3});
    TheInput().Update();
    StopRecording();
    PushMovieEvent({0, MovieEventKind::KeyUp, SDLK_LSHIFT});
    TheInput().Update();
    EXPECT_EQ(ReadTextFile(dir + "/m"),
              "duskhold-movie 1\n7 down left shift\n7 hat right\n8 button 3 up\n");
}
