// ChaCha20 keystream, eight blocks at a time in vector lanes; the byte order of the output is the
// standard one.
#include "cleaner/chacha20.h"

#include <cstring>

namespace {

constexpr size_t kLanes = 8;

inline uint32_t Load32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void Store32(uint8_t* p, uint32_t v) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  memcpy(p, &v, 4);
#else
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
#endif
}

// Blocks side by side: vector word i holds word i of each block, one block per lane (SSE2 with
// four lanes on x86, AVX2 with eight where the processor has it; plain code elsewhere).
#define ROTL(v, n) (((v) << (n)) | ((v) >> (32 - (n))))
#define QUARTER(a, b, c, d)                    \
  x[a] += x[b]; x[d] = ROTL(x[d] ^ x[a], 16); \
  x[c] += x[d]; x[b] = ROTL(x[b] ^ x[c], 12); \
  x[a] += x[b]; x[d] = ROTL(x[d] ^ x[a], 8);  \
  x[c] += x[d]; x[b] = ROTL(x[b] ^ x[c], 7);

template <typename V, int kWidth>
inline void ParallelBlocks(const uint32_t state[16], uint8_t* out) {
  V start[16] = {}, x[16];
  for (int i = 0; i < 16; ++i) {
    for (int lane = 0; lane < kWidth; ++lane) start[i][lane] = state[i];
  }
  for (int lane = 0; lane < kWidth; ++lane) start[12][lane] += uint32_t(lane);
  for (int i = 0; i < 16; ++i) x[i] = start[i];
  for (int round = 0; round < 10; ++round) {
    QUARTER(0, 4, 8, 12) QUARTER(1, 5, 9, 13) QUARTER(2, 6, 10, 14) QUARTER(3, 7, 11, 15)
    QUARTER(0, 5, 10, 15) QUARTER(1, 6, 11, 12) QUARTER(2, 7, 8, 13) QUARTER(3, 4, 9, 14)
  }
  for (int i = 0; i < 16; ++i) x[i] += start[i];
  for (int lane = 0; lane < kWidth; ++lane) {
    for (int i = 0; i < 16; ++i) Store32(out + 64 * lane + 4 * i, x[i][lane]);
  }
}

#undef QUARTER
#undef ROTL

typedef uint32_t Vec4 __attribute__((vector_size(16)));

void EightBlocksPlain(const uint32_t state[16], uint8_t* out) {
  ParallelBlocks<Vec4, 4>(state, out);
  uint32_t next[16];
  memcpy(next, state, sizeof next);
  next[12] += 4;
  ParallelBlocks<Vec4, 4>(next, out + 256);
}

#if defined(__x86_64__) || defined(__i386__)
typedef uint32_t Vec8 __attribute__((vector_size(32)));

__attribute__((target("avx2"), flatten)) void EightBlocksAvx2(const uint32_t state[16], uint8_t* out) {
  ParallelBlocks<Vec8, 8>(state, out);
}

bool g_portableOnly = false;

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has && !g_portableOnly;
}
#endif

void LaneBlocks(const uint32_t state[16], uint8_t* out) {
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) {
    EightBlocksAvx2(state, out);
    return;
  }
#endif
  EightBlocksPlain(state, out);
}

}  // namespace

void ChaCha20::UsePortableCodeOnly(bool only) {
#if defined(__x86_64__) || defined(__i386__)
  g_portableOnly = only;
#else
  (void)only;
#endif
}

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
