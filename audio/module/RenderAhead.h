// RenderAhead.h: music rendered ahead of the sound card on a thread of its own.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

// The mixer calls its music hook with the lock held that the window takes for every effect, so a
// synthesizer rendering inside it would hold up the window as long as it takes. Here it renders
// into a ring a little ahead of the output instead, and the hook only copies from the ring.
// Rendering that has cost more of the processor than its sound lasts, by several buffers, cannot
// keep up: it stops then, and the stream falls silent.
class TRenderAhead {
  public:
    // Fills that many frames of 16-bit stereo.
    using TRender = std::function<void(int16_t* frames, int count)>;
    // Frames rendered together into the ring.
    static constexpr int BufferFrames = 512;
    // How far behind the sound the rendering may fall, counted since it was last ahead: eight
    // buffers, a fifth of a second at the output's 22.05 kHz. A moment's work, such as reading an
    // instrument's samples, stays well within it; a piece that is too much for the synthesizer is
    // stopped within a second or two however slightly it is too much, and at once when by far.
    static constexpr int BehindFramesToStop = 8 * BufferFrames;

    // Starts rendering at once, frames at the rate given, a block at a time. stalled is called on
    // the rendering thread when it stops for good.
    TRenderAhead(int rate, int blockFrames, TRender render, std::function<void()> stalled);
    // Waits for the block being rendered.
    ~TRenderAhead();
    TRenderAhead(const TRenderAhead&) = delete;
    TRenderAhead& operator=(const TRenderAhead&) = delete;

    // On the audio thread: the next bytes of the stream, silence where nothing is rendered yet.
    void Read(uint8_t* stream, int bytes);

  private:
    // A third of a second at 22.05 kHz, so that the renderer, woken only once half of it is
    // free, wakes some five times a second; SDL's audio thread wakes for every buffer anyway.
    static constexpr int RingFrames = 16 * BufferFrames;
    static constexpr int RefillFrames = RingFrames / 2;

    void Run();

    const int Rate;
    const int BlockFrames;
    TRender Render;
    std::function<void()> Stalled;
    std::vector<int16_t> Ring;
    // Frames rendered and read since the start; the ring holds the difference.
    std::atomic<uint64_t> Written{0};
    std::atomic<uint64_t> Taken{0};
    // Counts the reader's calls for more and the stop, which the renderer waits on.
    std::atomic<uint32_t> Wakes{0};
    std::atomic<bool> Stopping{false};
    std::thread Renderer;
};
