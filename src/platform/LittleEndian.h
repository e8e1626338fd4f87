#pragma once
// Little-endian fields out of byte buffers read from untrusted files. Every load
// checks its range first and gives 0 for bytes the buffer does not hold; no pointer
// into the buffer is ever cast to a wider type.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

template <typename T>
T LoadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return T{0};
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i)
    value |= std::uint64_t{bytes[offset + i]} << (8 * i);
  T result;
  auto narrow = static_cast<std::make_unsigned_t<T>>(value);
  std::memcpy(&result, &narrow, sizeof(T));
  return result;
}

inline std::uint16_t LoadU16(std::span<const std::uint8_t> b, std::size_t o) {
  return LoadLittleEndian<std::uint16_t>(b, o);
}
inline std::int16_t LoadS16(std::span<const std::uint8_t> b, std::size_t o) {
  return LoadLittleEndian<std::int16_t>(b, o);
}
inline std::uint32_t LoadU32(std::span<const std::uint8_t> b, std::size_t o) {
  return LoadLittleEndian<std::uint32_t>(b, o);
}
inline std::int32_t LoadS32(std::span<const std::uint8_t> b, std::size_t o) {
  return LoadLittleEndian<std::int32_t>(b, o);
}
