// Any text: the movie reader either refuses it with a line number and a
// reason, or accepts it, and the accepted events written back as lines read
// back as exactly the same events. Keys are named as the game names them.
#include "base/Movie.h"
#include "platform/MovieEvents.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<MovieEvent> events;
    MovieError error;
    if (!ParseMovie(text, SdlKeyNames(), events, error)) {
        if (error.line < 1 || error.message.empty()) abort();
        return 0;
    }
    std::string written = std::string(kMovieHeader) + "\n";
    for (const MovieEvent& event : events) written += MovieLine(event, SdlKeyNames()) + "\n";
    std::vector<MovieEvent> again;
    if (!ParseMovie(written, SdlKeyNames(), again, error) || again != events) abort();
    return 0;
}
