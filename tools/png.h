// The PNG form of a picture, for the build tools that write the program's icons.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "platform/display.h"

namespace png {

using Bytes = std::vector<std::uint8_t>;

namespace detail {

inline void Put32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back((v >> shift) & 0xFF);
}

inline void Chunk(Bytes& out, const char* type, const Bytes& data) {
  Put32(out, static_cast<std::uint32_t>(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Put32(out, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

inline Bytes Zlib(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes z(size);
  if (compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) !=
      Z_OK)
    return {};
  z.resize(size);
  return z;
}

}  // namespace detail

// 8-bit RGBA from the picture's 0xAARRGGBB pixels; empty when it cannot be compressed.
inline Bytes Encode(const platform::Picture& p) {
  Bytes raw;  // each row: filter type 0, then RGBA
  for (int y = 0; y < p.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < p.width; ++x) {
      const std::uint32_t argb = p.pixels[static_cast<size_t>(y) * p.width + x];
      for (int shift : {16, 8, 0, 24}) raw.push_back((argb >> shift) & 0xFF);
    }
  }
  const Bytes data = detail::Zlib(raw);
  if (data.empty()) return {};
  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  detail::Put32(header, static_cast<std::uint32_t>(p.width));
  detail::Put32(header, static_cast<std::uint32_t>(p.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  detail::Chunk(png, "IHDR", header);
  detail::Chunk(png, "IDAT", data);
  detail::Chunk(png, "IEND", {});
  return png;
}

}  // namespace png
