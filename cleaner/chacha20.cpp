// ChaCha20 keystream. Eight blocks are computed side by side in lanes, a form that the compiler
// turns into vector instructions; the byte order of the output is the standard one.
#include "cleaner/chacha20.h"

#include <cstring>

namespace {

constexpr size_t kLanes = 8;

inline uint32_t Load32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void Store32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

inline uint32_t Rotl(uint32_t v, int n) { return (v << n) | (v >> (32 - n)); }

// x[i][lane]: word i of the block of each lane.
#define QUARTER(a, b, c, d)                                          \
  for (size_t l = 0; l < kLanes; ++l) {                              \
    x[a][l] += x[b][l]; x[d][l] = Rotl(x[d][l] ^ x[a][l], 16);       \
    x[c][l] += x[d][l]; x[b][l] = Rotl(x[b][l] ^ x[c][l], 12);       \
    x[a][l] += x[b][l]; x[d][l] = Rotl(x[d][l] ^ x[a][l], 8);        \
    x[c][l] += x[d][l]; x[b][l] = Rotl(x[b][l] ^ x[c][l], 7);        \
  }

void LaneBlocks(const uint32_t state[16], uint8_t* out) {
  uint32_t x[16][kLanes];
  uint32_t start[16][kLanes];
  for (int i = 0; i < 16; ++i) {
    for (size_t l = 0; l < kLanes; ++l) start[i][l] = state[i];
  }
  for (size_t l = 0; l < kLanes; ++l) start[12][l] = state[12] + uint32_t(l);
  std::memcpy(x, start, sizeof x);
  for (int round = 0; round < 10; ++round) {
    QUARTER(0, 4, 8, 12) QUARTER(1, 5, 9, 13) QUARTER(2, 6, 10, 14) QUARTER(3, 7, 11, 15)
    QUARTER(0, 5, 10, 15) QUARTER(1, 6, 11, 12) QUARTER(2, 7, 8, 13) QUARTER(3, 4, 9, 14)
  }
  for (size_t l = 0; l < kLanes; ++l) {
    for (int i = 0; i < 16; ++i) Store32(out + 64 * l + 4 * i, x[i][l] + start[i][l]);
  }
}

#undef QUARTER

}  // namespace

ChaCha20::ChaCha20(const uint8_t key[32], const uint8_t nonce[12], uint32_t counter) {
  state_[0] = 0x61707865;
  state_[1] = 0x3320646e;
  state_[2] = 0x79622d32;
  state_[3] = 0x6b206574;
  for (int i = 0; i < 8; ++i) state_[4 + i] = Load32(key + 4 * i);
  state_[12] = counter;
  for (int i = 0; i < 3; ++i) state_[13 + i] = Load32(nonce + 4 * i);
}

void ChaCha20::Blocks(uint8_t* out, size_t count) {
  uint8_t lanes[64 * kLanes];
  while (count > 0) {
    size_t n = count < kLanes ? count : kLanes;
    if (n == kLanes) {
      LaneBlocks(state_, out);
    } else {
      LaneBlocks(state_, lanes);
      std::memcpy(out, lanes, 64 * n);
    }
    state_[12] += uint32_t(n);
    out += 64 * n;
    count -= n;
  }
}

void ChaCha20::Generate(uint8_t* out, size_t size) {
  while (size > 0 && restUsed_ < 64) {
    *out++ = rest_[restUsed_++];
    --size;
  }
  size_t whole = size / 64;
  Blocks(out, whole);
  out += 64 * whole;
  size -= 64 * whole;
  if (size > 0) {
    Blocks(rest_, 1);
    std::memcpy(out, rest_, size);
    restUsed_ = size;
  }
}
