#include "ui/pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <string_view>

#include "platform/display.h"

namespace ui::pictures {
namespace {

// The place of pixel (x, y) in a picture `width` pixels wide.
size_t Index(int x, int y, int width) {
  return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
}

using platform::Picture;
using Inside = std::function<bool(double x, double y)>;

constexpr double kPi = 3.14159265358979323846;

// Argb with full opacity.
constexpr std::uint32_t Opaque(int r, int g, int b) {
  return 0xFF000000u | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
         static_cast<std::uint32_t>(b);
}

// Draws shapes given in a 16 x 16 unit square onto a picture of any size, 4 x 4 supersampled.
class Sketch {
 public:
  explicit Sketch(int size) {
    pic_.width = pic_.height = size;
    pic_.pixels.assign(static_cast<size_t>(size) * static_cast<size_t>(size), 0);
  }

  void Fill(std::uint32_t argb, const Inside& inside) {
    const int n = pic_.width;
    const double scale = 16.0 / n;
    for (int py = 0; py < n; ++py) {
      for (int px = 0; px < n; ++px) {
        int hits = 0;
        for (int sy = 0; sy < 4; ++sy)
          for (int sx = 0; sx < 4; ++sx)
            hits += inside((px + (sx + 0.5) / 4) * scale, (py + (sy + 0.5) / 4) * scale);
        if (hits) Blend(pic_.pixels[Index(px, py, n)], argb, hits / 16.0);
      }
    }
  }

  Picture Take() { return std::move(pic_); }

 private:
  // Straight-alpha "over".
  static void Blend(std::uint32_t& dst, std::uint32_t src, double coverage) {
    const double sa = ((src >> 24) / 255.0) * coverage;
    const double da = (dst >> 24) / 255.0;
    const double oa = sa + da * (1 - sa);
    if (oa <= 0) return;
    std::uint32_t out = static_cast<std::uint32_t>(std::lround(oa * 255)) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
      const double s = (src >> shift & 0xFF), d = (dst >> shift & 0xFF);
      out |= static_cast<std::uint32_t>(std::lround((s * sa + d * da * (1 - sa)) / oa)) << shift;
    }
    dst = out;
  }

  Picture pic_;
};

Inside Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Inside Ring(double cx, double cy, double r_out, double r_in) {
  return [=](double x, double y) {
    const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return d <= r_out * r_out && d >= r_in * r_in;
  };
}

Inside Box(double l, double t, double r, double b) {
  return [=](double x, double y) { return x >= l && x <= r && y >= t && y <= b; };
}

// A stroke of the given width between two points, with round ends.
Inside Stroke(double x1, double y1, double x2, double y2, double width) {
  return [=](double x, double y) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - x1) * dx + (y - y1) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = x - (x1 + t * dx), ey = y - (y1 + t * dy);
    return ex * ex + ey * ey <= width * width / 4;
  };
}

// Even-odd polygon.
template <size_t N>
Inside Polygon(std::array<std::array<double, 2>, N> pts) {
  return [=](double x, double y) {
    bool in = false;
    for (size_t i = 0, j = N - 1; i < N; j = i++) {
      const double xi = pts[i][0], yi = pts[i][1], xj = pts[j][0], yj = pts[j][1];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
  };
}

// The part of a ring between two angles (degrees, clockwise from three o'clock, y down).
Inside Arc(double cx, double cy, double r_out, double r_in, double from_deg, double to_deg) {
  const Inside ring = Ring(cx, cy, r_out, r_in);
  return [=](double x, double y) {
    if (!ring(x, y)) return false;
    double a = std::atan2(y - cy, x - cx) * 180 / kPi;
    if (a < 0) a += 360;
    return from_deg <= to_deg ? a >= from_deg && a <= to_deg : a >= from_deg || a <= to_deg;
  };
}

constexpr std::uint32_t kIconGrey = Opaque(170, 170, 170);
constexpr std::uint32_t kIconLight = Opaque(220, 220, 220);
constexpr std::uint32_t kRed = Opaque(235, 50, 50);
constexpr std::uint32_t kBlue = Opaque(110, 130, 255);

// The state pictures share the ball's highlight so they read as one family.
void Shine(Sketch& s) { s.Fill(0x60FFFFFF, Circle(6.2, 5.6, 1.6)); }

Picture Draw(Id id, int size) {
  Sketch s(size);
  switch (id) {
    case Id::Recording:
      s.Fill(Opaque(150, 20, 20), Circle(8, 8, 6.2));
      s.Fill(kRed, Circle(8, 8, 5.4));
      Shine(s);
      break;
    case Id::Playing:
      s.Fill(kBlue, Polygon<3>({{{3.5, 2}, {14, 8}, {3.5, 14}}}));
      break;
    case Id::Stopped:
      s.Fill(kBlue, Box(3, 3, 13, 13));
      break;
    case Id::Options:
      for (int k = 0; k < 8; ++k) {
        const double a = k * kPi / 4;
        s.Fill(kIconGrey, Stroke(8, 8, 8 + 6.6 * std::cos(a), 8 + 6.6 * std::sin(a), 2.4));
      }
      s.Fill(kIconGrey, Circle(8, 8, 5));
      s.Fill(0xFF000000, Circle(8, 8, 2));
      break;
    case Id::Information:
      s.Fill(kIconGrey, Ring(8, 8, 7, 5.6));
      s.Fill(kIconGrey, Circle(8, 4.8, 1.2));
      s.Fill(kIconGrey, Box(7, 7, 9, 12));
      break;
    case Id::Close:
      s.Fill(kIconGrey, Stroke(3.5, 3.5, 12.5, 12.5, 2.4));
      s.Fill(kIconGrey, Stroke(12.5, 3.5, 3.5, 12.5, 2.4));
      break;
    case Id::Timer:
      s.Fill(kIconGrey, Ring(8, 8.5, 6.8, 5.3));
      s.Fill(kIconGrey, Box(6.5, 0.5, 9.5, 1.8));
      s.Fill(kIconLight, Stroke(8, 8.5, 8, 4.5, 1.5));
      s.Fill(kIconLight, Stroke(8, 8.5, 10.8, 8.5, 1.5));
      break;
    case Id::Sequence:
      for (double y : {3.5, 8.0, 12.5}) {
        s.Fill(kIconLight, Circle(3, y, 1.4));
        s.Fill(kIconGrey, Stroke(6, y, 14, y, 1.8));
      }
      break;
    case Id::Repeat:
      s.Fill(kIconGrey, Arc(8, 8, 6.5, 4.8, 210, 150));
      s.Fill(kIconGrey, Polygon<3>({{{0.8, 6.2}, {7.2, 6.2}, {4, 10.5}}}));
      break;
    case Id::Click:
      s.Fill(
          kIconLight,
          Polygon<7>(
              {{{5, 4}, {5, 15}, {7.6, 12.4}, {9.4, 16}, {11, 15.2}, {9.3, 11.8}, {12.8, 11.6}}}));
      s.Fill(kRed, Stroke(5, 0.5, 5, 2.2, 1.2));
      s.Fill(kRed, Stroke(1, 2, 2.4, 3.4, 1.2));
      s.Fill(kRed, Stroke(9, 2, 7.6, 3.4, 1.2));
      break;
    case Id::Add:
      s.Fill(kIconGrey, Box(6.8, 2.5, 9.2, 13.5));
      s.Fill(kIconGrey, Box(2.5, 6.8, 13.5, 9.2));
      break;
    case Id::Delete:
      s.Fill(kIconGrey, Box(2.5, 6.8, 13.5, 9.2));
      break;
    case Id::Keyboard:
    case Id::KeyboardOn: {
      const std::uint32_t keys = id == Id::KeyboardOn ? kBlue : kIconLight;
      s.Fill(kIconGrey, Box(0.5, 3.5, 15.5, 12.5));
      s.Fill(0xFF000000, Box(1.5, 4.5, 14.5, 11.5));
      for (double y : {5.5, 7.7})
        for (double x = 2.5; x < 13; x += 2.2) s.Fill(keys, Box(x, y, x + 1.4, y + 1.3));
      s.Fill(keys, Box(4.5, 9.8, 11.5, 10.8));
      break;
    }
    case Id::Eye:
    case Id::EyeOn: {
      const std::uint32_t colour = id == Id::EyeOn ? kBlue : kIconGrey;
      s.Fill(colour, Arc(8, 13, 9, 7.6, 214, 326));
      s.Fill(colour, Arc(8, 3, 9, 7.6, 34, 146));
      s.Fill(colour, Circle(8, 8, 2.6));
      break;
    }
    case Id::Speed:
      for (double x : {2.5, 8.0}) {
        s.Fill(kIconGrey, Stroke(x, 3.5, x + 4.5, 8, 2.2));
        s.Fill(kIconGrey, Stroke(x + 4.5, 8, x, 12.5, 2.2));
      }
      break;
  }
  Picture p = s.Take();
  p.id = 1000 * (1 + static_cast<std::uintptr_t>(id)) + static_cast<std::uintptr_t>(size);
  return p;
}

// 32 x 32, '#' outline, '.' fill; the fingertip is at (12, 1).
constexpr std::string_view kHand[] = {
    "           ##                   ", "          #..#                  ",
    "          #..#                  ", "          #..#                  ",
    "          #..#                  ", "          #..###                ",
    "          #..#..###             ", "          #..#..#..##           ",
    "          #..#..#..#.#          ", "       ## #..#..#..#..#         ",
    "      #..##........#..#         ", "      #...#...........#         ",
    "       #..............#         ", "        #.............#         ",
    "        #.............#         ", "         #...........#          ",
    "         #...........#          ", "          #.........#           ",
    "          #.........#           ", "          ###########           ",
};

Picture DrawHand() {
  Picture p;
  p.width = p.height = 32;
  p.pixels.assign(size_t{32} * 32, 0);
  int y = 0;
  for (std::string_view row : kHand) {
    for (int x = 0; x < 32 && x < static_cast<int>(row.size()); ++x) {
      if (row[x] == '#') p.pixels[Index(x, y, 32)] = Opaque(0, 0, 0);
      if (row[x] == '.') p.pixels[Index(x, y, 32)] = Opaque(255, 255, 255);
    }
    ++y;
  }
  p.id = 100;
  return p;
}

}  // namespace

const Picture& Get(Id id, int size) {
  static std::map<std::pair<Id, int>, Picture> drawn;
  auto it = drawn.find({id, size});
  if (it == drawn.end()) it = drawn.emplace(std::make_pair(id, size), Draw(id, size)).first;
  return it->second;
}

Picture ProgramIcon(int size) {
  Sketch s(size);
  s.Fill(Opaque(24, 24, 24), [](double x, double y) {
    // A rounded square.
    const double r = 3, cx = std::clamp(x, r, 16 - r), cy = std::clamp(y, r, 16 - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
  });
  s.Fill(kRed, Circle(5.6, 5.6, 3.6));
  s.Fill(Opaque(255, 255, 255), Polygon<7>({{{7.5, 6.5},
                                             {7.5, 15},
                                             {9.6, 12.9},
                                             {11.1, 15.8},
                                             {12.6, 15},
                                             {11.2, 12.2},
                                             {14.2, 12}}}));
  Picture p = s.Take();
  p.id = 200 + static_cast<std::uintptr_t>(size);
  return p;
}

const Picture& AboutPicture(int width, int height) {
  static std::map<std::pair<int, int>, Picture> drawn;
  auto it = drawn.find({width, height});
  if (it != drawn.end()) return it->second;
  // Designed at 283 x 170; drawn at the window's own size so it fills the window at any DPI.
  constexpr double kW = 283, kH = 170;
  const int w = std::max(1, width), h = std::max(1, height);
  const double sx = w / kW, sy = h / kH, s = std::min(sx, sy);
  Picture p;
  p.width = w;
  p.height = h;
  p.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y) {  // a dark vertical gradient
    const int shade = static_cast<int>(y / sy);
    for (int x = 0; x < w; ++x)
      p.pixels[Index(x, y, w)] = Opaque(10 + shade / 10, 10 + shade / 10, 16 + shade / 8);
  }
  const Picture icon = ProgramIcon(static_cast<int>(std::lround(96 * s)));
  const int icon_x = static_cast<int>(std::lround(20 * sx));
  const int icon_y = static_cast<int>(std::lround(30 * sy));
  for (int y = 0; y < icon.height && y + icon_y < h; ++y)
    for (int x = 0; x < icon.width && x + icon_x < w; ++x) {
      const std::uint32_t c = icon.pixels[Index(x, y, icon.width)];
      if ((c >> 24) > 127) p.pixels[Index(x + icon_x, y + icon_y, w)] = c | 0xFF000000u;
    }
  // A dotted path, as the recorder samples one, ending in two clicks; given in design units.
  const auto dot = [&](double dx, double dy, double dr, std::uint32_t c) {
    const double cx = dx * sx, cy = dy * sy, r = dr * s;
    for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r) + 1; ++y)
      for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r) + 1; ++x)
        if (x >= 0 && y >= 0 && x < w && y < h &&
            (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
          p.pixels[Index(x, y, w)] = c;
  };
  for (int i = 0; i <= 40; ++i) {
    const double t = i / 40.0;
    dot(135 + 120 * t, 120 - 70 * std::sin(t * kPi) + 20 * t, 1.6, Opaque(110, 130, 255));
  }
  for (const auto& [cx, cy] : {std::pair{195.0, 52.0}, std::pair{255.0, 140.0}}) {
    for (double r = 7; r <= 8.5; r += 0.5) {
      for (int a = 0; a < 360; a += 4)
        dot(cx + r * std::cos(a * kPi / 180), cy + r * std::sin(a * kPi / 180), 0.6, kRed);
    }
  }
  // Clear of the ids of Get and ProgramIcon.
  p.id = 1'000'000 + static_cast<std::uintptr_t>(w) * 10'000 + static_cast<std::uintptr_t>(h);
  return drawn.emplace(std::make_pair(width, height), std::move(p)).first->second;
}

const Picture& HandCursor() {
  static const Picture kHandCursor = DrawHand();
  return kHandCursor;
}

}  // namespace ui::pictures
