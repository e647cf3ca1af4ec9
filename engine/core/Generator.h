// Generator.h: the linear congruential generator that shuffles the board.
#pragma once

#include <cstdint>

// Games started in the same second must come out the same, so the generator is ours and not
// the C library's: S := S * 0x15A4E35 + 1 (mod 2^64), the draw is the high word without its top
// bit.
class TRandom {
  public:
    void Seed(uint32_t seed) { S = seed; }
    uint32_t NextRaw();
    // A number in 0 ... n - 1; 0 when n is 0.
    int32_t Below(int32_t n);

  private:
    uint64_t S = 0;
};
