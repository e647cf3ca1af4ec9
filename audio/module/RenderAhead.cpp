// RenderAhead.cpp: the ring between the renderer and the audio thread, and the renderer's
// processor time against the time its sound lasts.
#include "audio/module/RenderAhead.h"

#include <time.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int Channels = 2;

// The processor time of the calling thread: what the rendering costs, whatever else the machine
// is doing meanwhile.
int64_t ThreadNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

TRenderAhead::TRenderAhead(int rate, int blockFrames, TRender render, std::function<void()> stalled)
    : Rate(rate),
      BlockFrames(blockFrames),
      Render(std::move(render)),
      Stalled(std::move(stalled)),
      Ring(static_cast<size_t>(RingFrames) * Channels),
      Renderer([this] { Run(); }) {}

TRenderAhead::~TRenderAhead() {
    Stopping = true;
    ++Wakes;
    Wakes.notify_one();
    Renderer.join();
}

void TRenderAhead::Run() {
    const auto nanoseconds = [this](int frames) { return int64_t{frames} * 1'000'000'000 / Rate; };
    // The processor time spent beyond what the sound rendered lasts, since the renderer was last
    // ahead of it.
    int64_t behind = 0;
    while (!Stopping) {
        const uint32_t wakes = Wakes.load();
        const uint64_t written = Written.load();
        if (RingFrames - (written - Taken.load()) < static_cast<uint64_t>(BufferFrames)) {
            Wakes.wait(wakes);
            continue;
        }
        int16_t* frames = &Ring[(written % RingFrames) * Channels];
        for (int done = 0; done < BufferFrames; done += BlockFrames) {
            if (Stopping) {
                return;
            }
            const int count = std::min(BlockFrames, BufferFrames - done);
            const int64_t start = ThreadNanoseconds();
            Render(frames + done * Channels, count);
            behind =
                std::max<int64_t>(0, behind + ThreadNanoseconds() - start - nanoseconds(count));
            if (behind > nanoseconds(BehindFramesToStop)) {
                Stalled();
                return;
            }
        }
        Written.store(written + BufferFrames);
    }
}

void TRenderAhead::Read(uint8_t* stream, int bytes) {
    constexpr int FrameBytes = Channels * sizeof(int16_t);
    const uint64_t taken = Taken.load();
    const uint64_t ready = std::min<uint64_t>(Written.load() - taken, bytes / FrameBytes);
    for (uint64_t frame = 0; frame < ready;) {
        const uint64_t at = (taken + frame) % RingFrames;
        const uint64_t run = std::min(ready - frame, RingFrames - at);
        std::memcpy(stream + frame * FrameBytes, &Ring[at * Channels], run * FrameBytes);
        frame += run;
    }
    std::memset(stream + ready * FrameBytes, 0, bytes - ready * FrameBytes);
    Taken.store(taken + ready);
    const uint64_t free = RingFrames - (Written.load() - (taken + ready));
    if (free >= RefillFrames && free - ready < RefillFrames) {
        ++Wakes;
        Wakes.notify_one();
    }
}
