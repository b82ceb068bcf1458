#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <SDL.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sanitizer/lsan_interface.h>

namespace {
// Blocks are kept only as address XOR this mask, which points nowhere, so
// LeakSanitizer sees them as lost until the test turns them back and frees them.
const uintptr_t kDisguise = 0x5a5a5a5a5a5a5a5aull;

__attribute__((noinline)) uintptr_t LoseOwnBlock() { return reinterpret_cast<uintptr_t>(malloc(64)) ^ kDisguise; }

__attribute__((noinline)) uintptr_t LoseSystemLibraryBlock() {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 32, 0xff, 0xff00, 0xff0000, 0);
    return reinterpret_cast<uintptr_t>(surface) ^ kDisguise;
}

// Overwrites the stack below the caller, where a lost address could linger
// and make its block look reachable.
__attribute__((noinline)) void ClearStack() {
    volatile char junk[16384];
    memset(const_cast<char*>(junk), 0, sizeof junk);
}

int LeaksFound() {
    ClearStack();
    return __lsan_do_recoverable_leak_check();
}
}

// The suppressions silence only system libraries: a block lost by our own
// code must still be reported, or `make test-asan` would prove nothing.
TEST(Sanitizers, OwnLeaksAreReportedAndSystemLibraryLeaksAreNot) {
    const char* options = getenv("LSAN_OPTIONS");
    ASSERT_TRUE(options && strstr(options, "lsan.supp")) << "run through make test-asan";
    ASSERT_EQ(LeaksFound(), 0) << "something leaked before the test";
    uintptr_t surface = LoseSystemLibraryBlock();
    EXPECT_EQ(LeaksFound(), 0);
    uintptr_t block = LoseOwnBlock();
    EXPECT_NE(LeaksFound(), 0);
    free(reinterpret_cast<void*>(block ^ kDisguise));
    SDL_FreeSurface(reinterpret_cast<SDL_Surface*>(surface ^ kDisguise));
    EXPECT_EQ(LeaksFound(), 0);
}
#else
TEST(Sanitizers, OwnLeaksAreReportedAndSystemLibraryLeaksAreNot) {
    GTEST_SKIP() << "only in the sanitizer build (make test-asan)";
}
#endif
