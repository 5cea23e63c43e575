// The ChaCha20 stream cipher's keystream (RFC 8439), used as a fast generator of overwrite data:
// keyed from the system's random source, its output cannot be told from random bytes. No Windows
// call here.
#pragma once

#include <cstddef>
#include <cstdint>

class ChaCha20 {
 public:
  ChaCha20(const uint8_t key[32], const uint8_t nonce[12], uint32_t counter = 0);

  // Leaves the processor's wide vector instructions unused (they give the same bytes, faster),
  // so that both forms can be compared.
  static void UsePortableCodeOnly(bool only);

  // Writes the next `size` bytes of the keystream to `out`.
  void Generate(uint8_t* out, size_t size);

 private:
  void Blocks(uint8_t* out, size_t count);  // `count` whole 64-byte blocks

  uint32_t state_[16];
  uint8_t rest_[64];
  size_t restUsed_ = 64;  // bytes of rest_ already handed out
};
