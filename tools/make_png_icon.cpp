// Build tool: writes the program icon at one size as a PNG, drawn by the same code that draws the
// program's pictures.
// Usage: make_png_icon SIZE OUT.png
#include <cstdio>
#include <cstdlib>

#include "png.h"
#include "ui/pictures.h"

int main(int argc, char** argv) {
  const int size = argc == 3 ? std::atoi(argv[1]) : 0;
  if (size < 1 || size > 1024) {
    std::fprintf(stderr, "usage: make_png_icon SIZE OUT.png\n");
    return 2;
  }
  const png::Bytes png = png::Encode(ui::pictures::ProgramIcon(size));
  if (png.empty()) {
    std::fprintf(stderr, "make_png_icon: cannot compress the picture\n");
    return 1;
  }
  std::FILE* f = std::fopen(argv[2], "wb");
  if (!f || std::fwrite(png.data(), 1, png.size(), f) != png.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "make_png_icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
