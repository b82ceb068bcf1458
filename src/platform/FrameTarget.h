#pragma once
#include <cstddef>

// The game's frame is recorded as a list of quads, drawn at the logical size
// (320 by 240) into an off-screen texture, and scaled up to the viewport with
// nearest filtering. A software renderer fills a ninth of the pixels of a 960
// by 720 window that way, the quads go to GL in a few calls, and the picture
// is the low-resolution one it stands for. A frame with the same quads as the
// last one is neither drawn nor shown, so a still screen costs next to nothing.
// Where the GL has no framebuffer objects, frames are drawn straight into
// the window instead.

// Starts recording the frame's quads.
void BeginFrame();

// Draws the recorded quads and scales the picture up into the window's back
// buffer, returning true; or returns false without touching the window when
// the quads are the same as the last frame's, so there is nothing to swap.
// `mustShow` (a screenshot is due) and a window that was resized or
// uncovered always show the frame.
bool EndFrame(bool mustShow);

// With true, a frame is drawn only when `mustShow` asks for it: replays
// that check the game's steps, not its pictures, skip the drawing's cost.
void DrawOnlyShownFrames(bool onlyShown);

// The window's contents were lost or moved: the next frame is shown even if
// its picture has not changed.
void ShowNextFrame();

// False when frames go straight into the window.
bool FrameTargetInUse();

// The order of the channels in the off-screen picture: both give the same
// pixels; Bgra, where the GL takes it, is the quicker to scale up on a
// software renderer. The picture is made anew at the next frame.
enum class PictureLayout { Rgba, Bgra };
void UsePictureLayout(PictureLayout layout);

// What the last recorded frame gave GL: the quads kept (those that reach
// the logical screen) and the draw calls they took (0 when the frame was
// the same as the one before and was not drawn).
struct FrameCounts {
    size_t quads = 0;
    size_t drawCalls = 0;
};
FrameCounts LastFrameCounts();
