// The GL call digest: one call folded into a running 64-bit value, so that two long call
// streams can be compared without keeping them. Shared by the GL call recorder and by the
// browser build's test page, which fold the same calls the same way.
#pragma once

#include <cstdint>
#include <cstring>

namespace gldigest {

constexpr uint64_t kStart = 0x6a09e667f3bcc908ULL;

inline uint64_t bitsOf(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

// `header` is (enum argument << 8) | operation number. The arguments are spread by
// independent multiplications (odd constants, so every bit of every argument counts) and
// only their combination goes through the serial chain: one multiply per call keeps long
// streams cheap to digest.
inline uint64_t fold(uint64_t digest, uint64_t header, double a0, double a1, double a2,
                     double a3, double a4, double a5) {
  const uint64_t mixed = header ^ bitsOf(a0) * 0x9e3779b97f4a7c15ULL ^
                         bitsOf(a1) * 0xc2b2ae3d27d4eb4fULL ^ bitsOf(a2) * 0x165667b19e3779f9ULL ^
                         bitsOf(a3) * 0xd6e8feb86659fd93ULL ^ bitsOf(a4) * 0xff51afd7ed558ccdULL ^
                         bitsOf(a5) * 0xc4ceb9fe1a85ec53ULL;
  digest = ((digest << 5) | (digest >> 59)) ^ mixed;
  return digest * 0x517cc1b727220a95ULL;
}

}  // namespace gldigest
