// What waiting for the screen costs on X11: a look taken while recording (the picture kept fresh
// around the pointer, and the look of a press with its window), a check while replaying (where
// recorded, and where a moved window went), and the size of the looks in their file, on a
// window of another client that shows plain controls on one half and noise on the other.
// Needs a display: with_xvfb.sh starts a private Xvfb.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "engine/look_taker.h"
#include "model/look.h"
#include "model/looks_file.h"
#include "model/recording.h"
#include "platform/screen.h"
// After the program's headers: Xlib's macros (KeyPress) would rename their names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLeft = 100, kTop = 100, kWidth = 600, kHeight = 400;

// Another client's window: controls on the left half, noise on the right.
void ShowWindow(Display* d) {
  const Window w =
      XCreateSimpleWindow(d, DefaultRootWindow(d), kLeft, kTop, kWidth, kHeight, 0, 0, 0xD0D0D0);
  XClassHint hint{const_cast<char*>("bench"), const_cast<char*>("Bench")};
  XSetClassHint(d, w, &hint);
  XStoreName(d, w, "Look bench");
  XMapWindow(d, w);
  XSync(d, False);
  const GC gc = DefaultGC(d, DefaultScreen(d));
  for (int y = 10; y < kHeight - 30; y += 40)
    for (int x = 10; x < kWidth / 2 - 80; x += 100) {
      XSetForeground(d, gc, 0x3050D0 + static_cast<unsigned long>(x * 64 + y));
      XFillRectangle(d, w, gc, x, y, 80, 26);
      XSetForeground(d, gc, 0xFFFFFF);
      XDrawString(d, w, gc, x + 8, y + 17, "Button", 6);
    }
  std::mt19937 random(7);
  XImage* noise = XGetImage(d, w, kWidth / 2, 0, kWidth / 2, kHeight, AllPlanes, ZPixmap);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth / 2; ++x) XPutPixel(noise, x, y, random() & 0xFFFFFF);
  XPutImage(d, w, gc, noise, 0, 0, kWidth / 2, 0, kWidth / 2, kHeight);
  XDestroyImage(noise);
  XSync(d, False);
}

struct Timing {
  double mean_us, p99_us;
};

// `run` timed `runs` times, each after `before` (not timed) when given.
Timing TimeOf(int runs, const std::function<void(int)>& run,
              const std::function<void(int)>& before = nullptr) {
  std::vector<double> us;
  for (int i = 0; i < runs; ++i) {
    if (before) before(i);
    const auto start = Clock::now();
    run(i);
    us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(us.begin(), us.end());
  double sum = 0;
  for (double u : us) sum += u;
  return {sum / runs, us[static_cast<size_t>(0.99 * (runs - 1))]};
}

void Print(const char* what, Timing t, const char* goal) {
  std::printf("%-52s mean %7.3f ms  p99 %7.3f ms   (goal: %s)\n", what, t.mean_us / 1000,
              t.p99_us / 1000, goal);
}

// The point of press i on the controls' half or the noise's.
platform::Point PressAt(int i, bool noise) {
  return {kLeft + (noise ? kWidth / 2 + 20 : 50) + (i * 37) % 200, kTop + 20 + (i * 53) % 340};
}

}  // namespace

int main() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 1;
  ShowWindow(d);
  constexpr int kRuns = 1000;

  engine::LookTaker taker;
  std::int64_t now = 0;
  // The pointer comes to rest at p: the next Watch there reads the picture around it.
  const auto rest_at = [&](platform::Point p) {
    taker.Watch(p, now += engine::LookTaker::kEveryUs);
    now += engine::LookTaker::kRestUs;
  };
  Print("recording: the picture read where the pointer rests",
        TimeOf(
            kRuns, [&](int i) { taker.Watch(PressAt(i, false), now); },
            [&](int i) { rest_at(PressAt(i, false)); }),
        "a look under 1 ms; every 50 ms at rest");
  Print("recording: the look of a press, with its window",
        TimeOf(
            kRuns, [&](int i) { taker.Take(i, PressAt(i, false), now + 1); },
            [&](int i) {
              rest_at(PressAt(i, false));
              taker.Watch(PressAt(i, false), now);
            }),
        "under 1 ms");

  std::vector<model::Look> looks;
  for (int i = 0; i < 100; ++i) {
    const platform::Point p = PressAt(i, false);
    rest_at(p);
    taker.Watch(p, now);
    looks.push_back(*taker.Take(i, p, now + 1));
  }
  std::vector<std::uint32_t> pixels;
  int alike = 0;
  Print("replaying: a check where the press was recorded",
        TimeOf(kRuns,
               [&](int i) {
                 engine::LookAround(PressAt(i % 100, false), pixels);
                 alike += model::LooksAlike(looks[static_cast<size_t>(i % 100)].pixels, pixels);
               }),
        "under 2 ms");
  int found = 0;
  Print("replaying: a moved window found (all windows listed)",
        TimeOf(kRuns / 4,
               [&](int i) {
                 for (const platform::TopWindow& w : platform::TopWindows())
                   if (w.window_class == "Bench") {
                     engine::LookAround(PressAt(i % 100, false), pixels);
                     found += model::LooksAlike(looks[static_cast<size_t>(i % 100)].pixels, pixels);
                   }
               }),
        "under 2 ms");
  std::printf("  (%d of %d checks matched, %d of %d found)\n", alike, kRuns, found, kRuns / 4);

  // An hour with a press a second: 3,600 looks.
  for (const bool noise : {false, true}) {
    model::Recording r;
    for (int i = 0; i < 3600; ++i) r.push_back({0, 0, model::kMove});
    for (int i = 0; i < 3600; ++i) {
      const platform::Point p = PressAt(i, noise);
      rest_at(p);
      taker.Watch(p, now);
      if (std::optional<model::Look> look = taker.Take(i, p, now + 1))
        r.looks().push_back(std::move(*look));
    }
    const double bytes = static_cast<double>(model::EncodeLooks(r).size());
    std::printf(
        "looks of 3,600 presses on %-18s %6.2f MB in the file, %5.0f bytes a press, "
        "%5.2f MB in memory (goal: under 20 MB)\n",
        noise ? "noise (the worst):" : "plain controls:", bytes / 1e6,
        bytes / static_cast<double>(r.looks().size()),
        static_cast<double>(r.looks().size()) *
            (sizeof(model::Look) + model::kLookPixels * sizeof(std::uint32_t)) / 1e6);
  }
  XCloseDisplay(d);
  return 0;
}
