// Little-endian fields, assembled from their bytes whatever the host's order.
#pragma once

#include <cstdint>

namespace d88 {

constexpr std::uint16_t ReadLe16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

constexpr std::uint32_t ReadLe32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
         std::uint32_t{bytes[3]} << 24;
}

// Sizes and offsets are held signed: a field stored as 0x80000000 or more is
// negative.
constexpr std::int32_t ReadLe32Signed(const std::uint8_t* bytes) {
  return static_cast<std::int32_t>(ReadLe32(bytes));
}

}  // namespace d88
