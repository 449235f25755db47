// The fuzz input read as a stream of small values. Past its end every read gives 0, so a
// target decodes any input, however short, without checking lengths itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return pos_ >= size_; }

  uint8_t u8() { return empty() ? 0 : data_[pos_++]; }
  uint16_t u16() { return static_cast<uint16_t>(u8() | (u8() << 8)); }
  int16_t i16() { return static_cast<int16_t>(u16()); }
  uint32_t u32() { return static_cast<uint32_t>(u16()) | (static_cast<uint32_t>(u16()) << 16); }
  int32_t i32() { return static_cast<int32_t>(u32()); }
  // Any bit pattern: NaNs, infinities and subnormals included.
  float f32() {
    const uint32_t bits = u32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // One of the entries of a table, chosen by the next byte.
  template <typename T, size_t N>
  T pick(const T (&table)[N]) {
    return table[u8() % N];
  }
  // Up to `most` bytes into `out`; how many were copied.
  size_t bytes(uint8_t* out, size_t most) {
    size_t n = 0;
    while (n < most && !empty()) out[n++] = u8();
    return n;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};
