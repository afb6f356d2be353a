// Build tool: writes the program icon at one size as a PNG, drawn by the same code that draws the
// program's pictures.
// Usage: make_png_icon SIZE OUT.png
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/display.h"
#include "ui/pictures.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back((v >> shift) & 0xFF);
}

void Chunk(Bytes& out, const char* type, const Bytes& data) {
  Put32(out, static_cast<std::uint32_t>(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Put32(out, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

Bytes Zlib(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes z(size);
  if (compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) !=
      Z_OK)
    return {};
  z.resize(size);
  return z;
}

}  // namespace

int main(int argc, char** argv) {
  const int size = argc == 3 ? std::atoi(argv[1]) : 0;
  if (size < 1 || size > 1024) {
    std::fprintf(stderr, "usage: make_png_icon SIZE OUT.png\n");
    return 2;
  }
  const platform::Picture p = ui::pictures::ProgramIcon(size);
  Bytes raw;  // each row: filter type 0, then RGBA
  for (int y = 0; y < size; ++y) {
    raw.push_back(0);
    for (int x = 0; x < size; ++x) {
      const std::uint32_t argb = p.pixels[static_cast<size_t>(y * size + x)];
      for (int shift : {16, 8, 0, 24}) raw.push_back((argb >> shift) & 0xFF);
    }
  }
  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  Put32(header, static_cast<std::uint32_t>(size));
  Put32(header, static_cast<std::uint32_t>(size));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  Chunk(png, "IHDR", header);
  const Bytes data = Zlib(raw);
  if (data.empty()) {
    std::fprintf(stderr, "make_png_icon: cannot compress the picture\n");
    return 1;
  }
  Chunk(png, "IDAT", data);
  Chunk(png, "IEND", {});
  std::FILE* f = std::fopen(argv[2], "wb");
  if (!f || std::fwrite(png.data(), 1, png.size(), f) != png.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "make_png_icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
