// Host tool of the Windows build: writes the program icon as a .ico with 16, 32, 48 and 256
// pixel images, drawn by the same code that draws the program's pictures. The 256 pixel image is
// a PNG, as Windows Vista and later take it: a few kilobytes where the bitmap takes 270; built
// without zlib, the tool writes it as a bitmap too.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/display.h"
#include "ui/pictures.h"
#ifdef TAPWRIGHT_ICON_PNG
#include "png.h"
#endif

using ui::pictures::ProgramIcon;

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One icon image: BITMAPINFOHEADER of double height, bottom-up BGRA rows, then the AND mask.
std::vector<std::uint8_t> IconImage(const platform::Picture& p) {
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, p.width);
  Put32(out, p.height * 2);
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = p.height - 1; y >= 0; --y)
    for (int x = 0; x < p.width; ++x) Put32(out, p.pixels[size_t(y) * p.width + x]);
  int mask_stride = (p.width + 31) / 32 * 4;
  for (int y = p.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(mask_stride, 0);
    for (int x = 0; x < p.width; ++x)
      if ((p.pixels[size_t(y) * p.width + x] >> 24) == 0) row[x / 8] |= 0x80 >> (x % 8);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUT.ico\n");
    return 2;
  }
  const int sizes[] = {16, 32, 48, 256};
  std::vector<std::vector<std::uint8_t>> images;
  for (int s : sizes) {
    platform::Picture p = ProgramIcon(s);
    if (p.width != s || p.height != s || p.pixels.size() < size_t(s) * s) {
      std::fprintf(stderr, "make_icon: no %dx%d icon picture\n", s, s);
      return 1;
    }
#ifdef TAPWRIGHT_ICON_PNG
    if (s == 256) {
      images.push_back(png::Encode(p));
      if (images.back().empty()) {
        std::fprintf(stderr, "make_icon: cannot compress the %dx%d picture\n", s, s);
        return 1;
      }
      continue;
    }
#endif
    images.push_back(IconImage(p));
  }
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(sizes[i] == 256 ? 0 : sizes[i]);  // 0 stands for 256
    out.push_back(sizes[i] == 256 ? 0 : sizes[i]);
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(images[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (auto& img : images) out.insert(out.end(), img.begin(), img.end());
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
