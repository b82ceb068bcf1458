#pragma once
#include "RecipeFiles.h"
#include <cstdint>
#include <string>
#include <vector>

// A song kept as note lists in text (content/music/README.md gives the
// format), written out as a Standard MIDI File of format 1.
constexpr int kTicksPerQuarter = 96;
constexpr int kTicksPerSixteenth = kTicksPerQuarter / 4;

struct MidiNote {
    int pitch = 60;
    int start = 0;   // ticks
    int length = 0;  // ticks
    int velocity = 80;
};

struct MidiTrack {
    std::string name;
    int channel = 0;
    int program = 0;
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    std::vector<MidiNote> notes;
    int length = 0;  // ticks, rests included
};

struct MidiSong {
    std::string gamePath;
    int tempo = 100;  // quarter notes per minute
    int beatsPerBar = 4;
    int beatUnit = 4;
    // The file holds the song this many times over: the mixer leaves a short
    // silence each time it restarts a file, so more passes make it rarer.
    int passes = 1;
    // Beats at the file's end over which every track fades out, so that the
    // mixer's restart comes out of near silence while the passes inside the
    // file run on without a pause.
    int fadeBeats = 0;
    // Percent by which every track sounds louder or softer: its channel
    // volume first, and its velocities for what the volume cannot hold.
    int gain = 100;
    std::vector<MidiTrack> tracks;

    int BarTicks() const { return beatsPerBar * kTicksPerQuarter * 4 / beatUnit; }
    // One pass of the song; the file lasts FileTicks.
    int LengthTicks() const { return tracks.empty() ? 0 : tracks.front().length; }
    int FileTicks() const { return passes * LengthTicks(); }
    int BeatTicks() const { return kTicksPerQuarter * 4 / beatUnit; }
};

// False with a message naming the line when the text is not a valid song;
// every track must be equally long and a whole number of bars, so that the
// song loops without a stumble.
bool ParseMidiSong(const std::vector<RecipeLine>& lines, MidiSong& song, std::string& error);
std::vector<uint8_t> WriteMidiFile(const MidiSong& song);
