#include "MidiSong.h"
#include "Generator.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace {
bool ParseInt(const std::string& text, int low, int high, int& value) {
    double number = 0.0;
    if (!ParseNumber(text, low, high, number) || number != double(int(number))) return false;
    value = int(number);
    return true;
}

// "C4" is middle C (60); "F#2", "Bb3"; "n36" gives the number directly.
bool ParsePitch(const std::string& text, int& pitch) {
    if (text.size() > 1 && text[0] == 'n') return ParseInt(text.substr(1), 0, 127, pitch);
    static const std::map<char, int> steps = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    if (text.empty() || !steps.count(text[0])) return false;
    int semitone = steps.at(text[0]);
    size_t at = 1;
    if (at < text.size() && (text[at] == '#' || text[at] == 'b')) semitone += text[at++] == '#' ? 1 : -1;
    int octave = 0;
    if (!ParseInt(text.substr(at), -1, 9, octave)) return false;
    pitch = (octave + 1) * 12 + semitone;
    return pitch >= 0 && pitch <= 127;
}

struct Token {
    int line;
    std::string text;
};

// Unrolls "[ ... ]" and "[ ... ]xN" (twice when no count is given).
bool ExpandRepeats(const std::vector<Token>& tokens, std::vector<Token>& out, std::string& error) {
    std::vector<std::vector<Token>> open(1);
    for (const Token& token : tokens) {
        if (token.text == "[") {
            open.emplace_back();
        } else if (token.text[0] == ']') {
            int count = 2;
            if (open.size() < 2) return RefuseLine(error, token.line, "']' without '['");
            if (token.text.size() > 1 && (token.text[1] != 'x' || !ParseInt(token.text.substr(2), 1, 64, count)))
                return RefuseLine(error, token.line, "bad repeat '" + token.text + "'");
            std::vector<Token> body = std::move(open.back());
            open.pop_back();
            for (int i = 0; i < count; ++i) open.back().insert(open.back().end(), body.begin(), body.end());
        } else {
            open.back().push_back(token);
        }
    }
    if (open.size() != 1) return RefuseLine(error, tokens.back().line, "'[' without ']'");
    out = std::move(open.front());
    return true;
}

using Phrases = std::map<std::string, std::vector<Token>>;

// Puts each "@NAME" phrase's tokens in its place. Phrases may use other
// phrases; one that leads back to itself is refused once the nesting passes
// eight levels, instead of being unrolled forever.
bool ExpandPhrases(const std::vector<Token>& tokens, const Phrases& phrases, int depth, std::vector<Token>& out,
                   std::string& error) {
    for (const Token& token : tokens) {
        if (token.text[0] != '@') {
            out.push_back(token);
            continue;
        }
        auto phrase = phrases.find(token.text.substr(1));
        if (phrase == phrases.end()) return RefuseLine(error, token.line, "no phrase '" + token.text + "'");
        if (depth > 8) return RefuseLine(error, token.line, "phrases nest too deep at '" + token.text + "'");
        if (!ExpandPhrases(phrase->second, phrases, depth + 1, out, error)) return false;
    }
    return true;
}

struct NoteCursor {
    int tick = 0;
    int sixteenths = 4;
    int velocity = 80;
    int transpose = 0;   // semitones added to named notes (not to "nN" drum numbers)
    int loudness = 100;  // percent of each velocity, for a section's dynamics
};

// The settings that apply to the notes after them, by their first letter:
// "v90" velocity, "t-5" transposition, "%70" loudness.
struct CursorSetting {
    int NoteCursor::*field;
    int low, high;
    const char* what;
};
const std::map<char, CursorSetting> kCursorSettings = {{'v', {&NoteCursor::velocity, 1, 127, "velocity"}},
                                                       {'t', {&NoteCursor::transpose, -48, 48, "transposition"}},
                                                       {'%', {&NoteCursor::loudness, 1, 200, "loudness"}}};

// One note token: "C4", "C4/8", "C3+G3/16", "r", "r/4", or a setting.
bool ReadNoteToken(const Token& token, MidiTrack& track, NoteCursor& cursor, std::string& error) {
    const std::string& text = token.text;
    if (text == "|") return true;
    auto setting = kCursorSettings.find(text[0]);
    if (setting != kCursorSettings.end()) {
        const CursorSetting& s = setting->second;
        if (!ParseInt(text.substr(1), s.low, s.high, cursor.*s.field))
            return RefuseLine(error, token.line, std::string("bad ") + s.what + " '" + text + "'");
        return true;
    }
    size_t slash = text.find('/');
    if (slash != std::string::npos && !ParseInt(text.substr(slash + 1), 1, 256, cursor.sixteenths))
        return RefuseLine(error, token.line, "bad length in '" + text + "'");
    std::string body = text.substr(0, slash);
    int length = cursor.sixteenths * kTicksPerSixteenth;
    if (body != "r") {
        for (size_t start = 0; start <= body.size();) {
            size_t plus = std::min(body.find('+', start), body.size());
            MidiNote note;
            std::string name = body.substr(start, plus - start);
            if (!ParsePitch(name, note.pitch)) return RefuseLine(error, token.line, "bad note '" + text + "'");
            if (name[0] != 'n') note.pitch += cursor.transpose;
            if (note.pitch < 0 || note.pitch > 127)
                return RefuseLine(error, token.line, "'" + text + "' is transposed out of range");
            note.start = cursor.tick;
            note.length = length;
            note.velocity = std::clamp(cursor.velocity * cursor.loudness / 100, 1, 127);
            track.notes.push_back(note);
            start = plus + 1;
        }
    }
    cursor.tick += length;
    return true;
}

bool ReadNotes(const std::vector<Token>& tokens, const Phrases& phrases, MidiTrack& track, std::string& error) {
    std::vector<Token> withPhrases, expanded;
    if (!ExpandPhrases(tokens, phrases, 0, withPhrases, error)) return false;
    if (!withPhrases.empty() && !ExpandRepeats(withPhrases, expanded, error)) return false;
    NoteCursor cursor;
    for (const Token& token : expanded)
        if (!ReadNoteToken(token, track, cursor, error)) return false;
    track.length = cursor.tick;
    return true;
}

bool ReadTrackSetting(const RecipeLine& line, MidiTrack& track, std::string& error) {
    const std::vector<std::string>& words = line.words;
    static const std::map<std::string, std::pair<int MidiTrack::*, int>> settings = {
        {"channel", {&MidiTrack::channel, 15}},
        {"program", {&MidiTrack::program, 127}},
        {"volume", {&MidiTrack::volume, 127}},
        {"pan", {&MidiTrack::pan, 127}},
        {"reverb", {&MidiTrack::reverb, 127}}};
    auto setting = settings.find(words[0]);
    if (words.size() != 2 || !ParseInt(words[1], 0, setting->second.second, track.*setting->second.first))
        return RefuseLine(error, line.number, "bad " + words[0]);
    return true;
}

bool ReadSongSetting(const RecipeLine& line, MidiSong& song, std::string& error) {
    const std::vector<std::string>& words = line.words;
    if (words[0] == "file") {
        song.gamePath = words[1];
        return !song.gamePath.empty() || RefuseLine(error, line.number, "file needs a name");
    }
    if (words[0] == "tempo") {
        if (words.size() != 2 || !ParseInt(words[1], 20, 300, song.tempo))
            return RefuseLine(error, line.number, "bad tempo");
        return true;
    }
    if (words[0] == "passes" || words[0] == "fade") {
        if (words.size() != 2 ||
            !ParseInt(words[1], words[0] == "passes" ? 1 : 0, 16, words[0] == "passes" ? song.passes : song.fadeBeats))
            return RefuseLine(error, line.number, "bad " + words[0]);
        return true;
    }
    if (words[0] == "gain") {
        if (words.size() != 2 || !ParseInt(words[1], 10, 1000, song.gain))
            return RefuseLine(error, line.number, "bad gain");
        return true;
    }
    size_t slash = words.size() == 2 ? words[1].find('/') : std::string::npos;
    if (slash == std::string::npos || !ParseInt(words[1].substr(0, slash), 1, 16, song.beatsPerBar) ||
        !ParseInt(words[1].substr(slash + 1), 1, 16, song.beatUnit) ||
        (song.beatUnit != 2 && song.beatUnit != 4 && song.beatUnit != 8))
        return RefuseLine(error, line.number, "bad meter");
    return true;
}

bool CheckSong(const MidiSong& song, int lastLine, std::string& error) {
    if (song.gamePath.empty()) return RefuseLine(error, lastLine, "no 'file' line");
    if (song.tracks.empty()) return RefuseLine(error, lastLine, "no tracks");
    for (const MidiTrack& track : song.tracks) {
        if (track.length != song.LengthTicks())
            return RefuseLine(error, lastLine,
                              "track " + track.name + " is " + std::to_string(track.length / kTicksPerSixteenth) +
                                  " sixteenths long, the first track " +
                                  std::to_string(song.LengthTicks() / kTicksPerSixteenth));
    }
    if (song.LengthTicks() == 0 || song.LengthTicks() % song.BarTicks() != 0)
        return RefuseLine(error, lastLine, "the song is not a whole number of bars");
    if (song.fadeBeats * song.BeatTicks() > song.LengthTicks())
        return RefuseLine(error, lastLine, "the fade is longer than the song");
    return true;
}
}

bool ParseMidiSong(const std::vector<RecipeLine>& lines, MidiSong& song, std::string& error) {
    Phrases phrases;
    std::vector<std::vector<Token>> trackNotes;
    std::vector<Token>* notes = nullptr;  // where note lines go: the open track's or phrase's list
    int lastLine = 0;
    for (const RecipeLine& line : lines) {
        const std::string& word = line.words[0];
        lastLine = line.number;
        if (word == "track") {
            song.tracks.emplace_back();
            song.tracks.back().name = line.words.size() > 1 ? line.words[1] : "";
            notes = &trackNotes.emplace_back();
        } else if (word == "phrase") {
            if (line.words.size() != 2 || phrases.count(line.words[1]))
                return RefuseLine(error, line.number, "phrase takes one new name");
            notes = &phrases[line.words[1]];
        } else if (word == "file" || word == "tempo" || word == "meter" || word == "passes" || word == "fade" ||
                   word == "gain") {
            if (!song.tracks.empty()) return RefuseLine(error, line.number, word + " after the first track");
            if (!ReadSongSetting(line, song, error)) return false;
        } else if (word == "channel" || word == "program" || word == "volume" || word == "pan" || word == "reverb") {
            if (song.tracks.empty()) return RefuseLine(error, line.number, word + " before any track");
            if (!ReadTrackSetting(line, song.tracks.back(), error)) return false;
        } else {
            if (!notes) return RefuseLine(error, line.number, "notes before any track or phrase");
            for (const std::string& text : line.words) notes->push_back({line.number, text});
        }
    }
    for (size_t i = 0; i < song.tracks.size(); ++i)
        if (!ReadNotes(trackNotes[i], phrases, song.tracks[i], error)) return false;
    return CheckSong(song, lastLine, error);
}

namespace {
struct Event {
    int tick;
    int order;  // note-offs before note-ons at the same tick
    std::vector<uint8_t> bytes;
};

void PutVariableLength(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = value & 0x7F;
        value >>= 7;
    } while (value);
    while (count > 1) out.push_back(groups[--count] | 0x80);
    out.push_back(groups[0]);
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

Event NameEvent(const std::string& name) {
    Event event{0, 0, {0xFF, 0x03}};
    PutVariableLength(event.bytes, uint32_t(name.size()));
    event.bytes.insert(event.bytes.end(), name.begin(), name.end());
    return event;
}

std::vector<uint8_t> TrackChunk(std::vector<Event> events, int endTick) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    events.push_back({endTick, 9, {0xFF, 0x2F, 0x00}});
    std::vector<uint8_t> body;
    int tick = 0;
    for (const Event& event : events) {
        PutVariableLength(body, uint32_t(event.tick - tick));
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
        tick = event.tick;
    }
    std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
    PutBigEndian(chunk, uint32_t(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<uint8_t> ConductorTrack(const MidiSong& song) {
    int beatUnitPower = song.beatUnit == 2 ? 1 : song.beatUnit == 4 ? 2 : 3;
    Event tempo{0, 1, {0xFF, 0x51, 0x03}};
    PutBigEndian(tempo.bytes, uint32_t(60000000 / song.tempo), 3);
    Event meter{0, 1, {0xFF, 0x58, 0x04, uint8_t(song.beatsPerBar), uint8_t(beatUnitPower), 24, 8}};
    return TrackChunk({NameEvent(song.gamePath), tempo, meter}, song.FileTicks());
}

// The expression falls from full to nothing over the fade, on a curve that
// sounds even (the square of a straight line), and reaches nothing a
// thirty-second note before the end, so the restart follows silence.
void AddFade(std::vector<Event>& events, uint8_t channel, int fadeTicks, int endTick) {
    const int step = 3, ending = endTick - kTicksPerSixteenth / 2;
    for (int tick = endTick - fadeTicks; fadeTicks > 0 && tick <= ending; tick += step) {
        double left = double(ending - tick) / double(ending - (endTick - fadeTicks));
        events.push_back({tick, 1, {uint8_t(0xB0 | channel), 11, uint8_t(std::lround(127.0 * left * left))}});
    }
}

std::vector<uint8_t> InstrumentTrack(const MidiTrack& track, const MidiSong& song) {
    int endTick = song.FileTicks(), passTicks = song.LengthTicks();
    uint8_t channel = uint8_t(track.channel);
    // The synthesiser's level grows with volume times velocity.
    double wanted = track.volume * song.gain / 100.0;
    uint8_t volume = uint8_t(std::clamp(std::lround(wanted), 1L, 127L));
    auto velocity = [&](int written) { return uint8_t(std::clamp(std::lround(written * wanted / volume), 1L, 127L)); };
    std::vector<Event> events = {NameEvent(track.name),
                                 {0, 1, {uint8_t(0xC0 | channel), uint8_t(track.program)}},
                                 {0, 1, {uint8_t(0xB0 | channel), 7, volume}},
                                 {0, 1, {uint8_t(0xB0 | channel), 11, 127}},
                                 {0, 1, {uint8_t(0xB0 | channel), 10, uint8_t(track.pan)}},
                                 {0, 1, {uint8_t(0xB0 | channel), 91, uint8_t(track.reverb)}}};
    AddFade(events, channel, song.fadeBeats * song.BeatTicks(), endTick);
    for (int pass = 0; pass < song.passes; ++pass) {
        for (const MidiNote& note : track.notes) {
            uint8_t pitch = uint8_t(note.pitch);
            int start = pass * passTicks + note.start;
            events.push_back({start, 2, {uint8_t(0x90 | channel), pitch, velocity(note.velocity)}});
            events.push_back({start + note.length, 0, {uint8_t(0x80 | channel), pitch, 64}});
        }
    }
    // An event on the last tick makes a player count trailing rests as part
    // of the song, so a loop comes round exactly one file length later.
    events.push_back({endTick, 1, {uint8_t(0xB0 | channel), 7, volume}});
    return TrackChunk(events, endTick);
}
}

std::vector<uint8_t> WriteMidiFile(const MidiSong& song) {
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
    PutBigEndian(file, 6, 4);
    PutBigEndian(file, 1, 2);
    PutBigEndian(file, uint32_t(song.tracks.size() + 1), 2);
    PutBigEndian(file, kTicksPerQuarter, 2);
    std::vector<uint8_t> conductor = ConductorTrack(song);
    file.insert(file.end(), conductor.begin(), conductor.end());
    for (const MidiTrack& track : song.tracks) {
        std::vector<uint8_t> chunk = InstrumentTrack(track, song);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

namespace {
bool BuildSong(const std::vector<RecipeLine>& lines, std::string& gamePath, std::vector<uint8_t>& bytes,
               std::string& error) {
    MidiSong song;
    if (!ParseMidiSong(lines, song, error)) return false;
    gamePath = song.gamePath;
    bytes = WriteMidiFile(song);
    return true;
}

void GenerateMusic(ContentContext& context) { BuildRecipes(context, "music", BuildSong); }
}

DUSKHOLD_GENERATOR("music", GenerateMusic);
