// Runs pieces of the Win32 backend on their own under Wine, so the tests can see what the
// program would get from them.
//
//   probe info                      folder, locale, screen, code page
//   probe look X Y                  the window of another program at (X, Y), and the screen there
//   probe instance                  whether another copy of the program runs
//   probe keys SECONDS NAME...      waits until QueryKey has reported every key
//   probe click X Y left|right|middle   MoveCursor and SendButton, as playback does
//   probe open|save TITLE           the dialog asked for as the program asks for it
//   probe burst                     a stalled 1 ms timer resumes without a burst
//   probe doevents                  RunPendingEvents returns although 1 ms timers never stop
//                                   posting
//   probe modal                     a 1 ms timer ticks while RunModal runs its loop
//   probe drops X Y W H SECONDS     a window accepting drops that prints each one:
//                                   drop EFFECTS CLIENT_X CLIENT_Y FILE|FILE...
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/display.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "platform/process.h"
#include "platform/screen.h"

// The one call the probe needs beside the platform's, declared here rather than with windows.h.
extern "C" __declspec(dllimport) unsigned int __stdcall GetACP(void);

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

void PumpFor(double ms) {
  auto start = Clock::now();
  while (MsSince(start) < ms) platform::RunPendingEvents();
}

int VirtualKey(const char* name) {
  if (!std::strcmp(name, "F5")) return platform::vk::kF5;
  if (!std::strcmp(name, "F6")) return platform::vk::kF6;
  if (!std::strcmp(name, "F8")) return platform::vk::kF8;
  if (!std::strcmp(name, "F10")) return platform::vk::kF10;
  if (!std::strcmp(name, "ESC")) return platform::vk::kEscape;
  return 0;
}

int Keys(int seconds, int count, char** names) {
  std::vector<bool> seen(count, false);
  int left = count;
  std::printf("polling\n");
  auto start = Clock::now();
  while (left > 0 && MsSince(start) < seconds * 1000.0) {
    for (int i = 0; i < count; ++i) {
      const platform::KeyState state = platform::QueryKey(VirtualKey(names[i]));
      if (!seen[i] && (state.down || state.pressed_since)) {
        seen[i] = true;
        --left;
        std::printf("seen %s\n", names[i]);
      }
    }
    PumpFor(5);
  }
  return left == 0 ? 0 : 1;
}

int Click(int x, int y, const std::string& button) {
  const platform::MouseButton b = button == "right"    ? platform::MouseButton::Right
                                  : button == "middle" ? platform::MouseButton::Middle
                                                       : platform::MouseButton::Left;
  platform::MoveCursor(x, y);
  platform::RunPendingEvents();
  platform::SendButton(b, true);
  platform::SendButton(b, false);
  platform::Point p;
  platform::CursorPosition(p);
  std::printf("cursor %d %d\n", p.x, p.y);
  return 0;
}

// The window of another program at (x, y), and whether the screen there could be read.
int Look(int x, int y) {
  platform::TopWindow w;
  const bool found = platform::TopWindowAt({x, y}, w);
  std::vector<std::uint32_t> pixels;
  const bool read = platform::CaptureScreen({x - 2, y - 2, 4, 4}, pixels) && pixels.size() == 16;
  std::printf("window %d class %s program %s title %s at %d %d %dx%d\nscreen %s\n", found,
              w.window_class.c_str(), w.program.c_str(), w.title.c_str(), w.bounds.left,
              w.bounds.top, w.bounds.width, w.bounds.height, read ? "read" : "unread");
  return read ? 0 : 1;
}

int Info() {
  std::printf("folder %s\n", platform::AppFolder().c_str());
  std::printf("language %s\n", platform::UserLanguageName().c_str());
  std::printf("screen %dx%d twips/pixel %.2f %.2f\n", platform::PrimaryMonitor().width,
              platform::PrimaryMonitor().height, platform::TwipsPerPixelX(),
              platform::TwipsPerPixelY());
  std::printf("code page %u\n", GetACP());
  return 0;
}

// Asked for like the program's open and save dialogs; a 1 ms timer runs meanwhile.
int Dialog(bool save, const char* title) {
  platform::FileRequest request;
  request.save = save;
  request.title = title;
  request.filter_name = "Archivos de Tapwright (*.tpw)";
  request.filter_pattern = "*.tpw";
  if (save)
    request.default_extension = "tpw";
  else
    request.start_folder = platform::AppFolder();
  int ticks = 0;
  platform::TimerId t = platform::StartTimer(1, [&] { ++ticks; });
  auto start = Clock::now();
  const std::optional<std::string> chosen = platform::ChooseFile(request);
  double ms = MsSince(start);
  platform::StopTimer(t);
  std::printf("dialog open %.0f ms, timer ticks meanwhile %d\n", ms, ticks);
  if (!chosen) {
    std::printf("result none\n");
    return 1;
  }
  std::printf("result %s\n", chosen->c_str());
  return 0;
}

// The handler stalls 60 ms once. A timer that caught up would fire the missed ticks back to
// back; ours fires once late and then keeps its grid. A tick also never re-enters itself,
// even when the handler pumps messages.
int Burst() {
  std::vector<double> at;
  bool inside = false, reentered = false;
  auto start = Clock::now();
  platform::TimerId t = platform::StartTimer(1, [&] {
    if (inside) reentered = true;
    inside = true;
    at.push_back(MsSince(start));
    if (at.size() == 20) {
      auto stall = Clock::now();
      while (MsSince(stall) < 60) platform::RunPendingEvents();
    }
    inside = false;
  });
  PumpFor(400);
  platform::StopTimer(t);
  int quick = 0;  // ticks that followed their predecessor within 0.2 ms, after the stall
  for (size_t i = 21; i < at.size() && i < 40; ++i)
    if (at[i] - at[i - 1] < 0.2) ++quick;
  std::printf("ticks %zu, back-to-back after the stall %d, re-entered %d\n", at.size(), quick,
              reentered ? 1 : 0);
  return at.size() > 30 && quick < 10 && !reentered ? 0 : 1;
}

int DoEventsReturns() {
  int a = 0, b = 0;
  auto busy = [](double ms) {
    auto s = Clock::now();
    while (MsSince(s) < ms) {
    }
  };
  platform::TimerId ta = platform::StartTimer(1, [&] { ++a, busy(0.8); });
  platform::TimerId tb = platform::StartTimer(1, [&] { ++b, busy(0.8); });
  auto start = Clock::now();
  double longest = 0;
  for (int i = 0; i < 200; ++i) {
    auto s = Clock::now();
    platform::RunPendingEvents();
    longest = std::max(longest, MsSince(s));
  }
  platform::StopTimer(ta);
  platform::StopTimer(tb);
  std::printf("200 RunPendingEvents in %.0f ms, longest %.1f ms, ticks %d + %d\n", MsSince(start),
              longest, a, b);
  return longest < 1000 && a > 0 && b > 0 ? 0 : 1;
}

class Blank : public platform::WindowListener {
 public:
  void OnPaint(platform::Canvas& c) override { c.FillRect({0, 0, 100, 100}, 0); }
  void OnMouse(const platform::MouseEvent&) override {}
};

int Modal() {
  Blank blank;
  platform::WindowHandle owner = platform::CreateFormWindow({"Owner", {0, 0, 50, 50}}, &blank);
  platform::WindowHandle w = platform::CreateFormWindow({"Modal", {100, 100, 100, 100}}, &blank);
  int ticks = 0;
  platform::TimerId fast = platform::StartTimer(1, [&] { ++ticks; });
  platform::TimerId close = platform::StartTimer(300, [&] { platform::DestroyWindow(w); });
  auto start = Clock::now();
  platform::RunModal(w, owner);
  double ms = MsSince(start);
  platform::StopTimer(fast);
  platform::StopTimer(close);
  std::printf("modal loop %.0f ms, 1 ms timer ticks meanwhile %d\n", ms, ticks);
  return ms >= 250 && ms < 1500 && ticks > 50 ? 0 : 1;
}

class DropPrinter : public platform::WindowListener {
 public:
  void OnPaint(platform::Canvas& c) override { c.FillRect({0, 0, 4000, 4000}, 0xC0FFC0); }
  void OnMouse(const platform::MouseEvent&) override {}
  void OnDrop(const platform::DropEvent& e) override {
    std::string files;
    for (const std::string& f : e.files) files += (files.empty() ? "" : "|") + f;
    std::printf("drop %u %d %d %s\n", e.allowed_effects, e.x, e.y, files.c_str());
    std::fflush(stdout);
  }
};

int Drops(const platform::Rect& bounds, int seconds) {
  DropPrinter printer;
  platform::WindowDesc desc{"Drop target", bounds};
  desc.accept_drops = true;
  platform::WindowHandle w = platform::CreateFormWindow(desc, &printer);
  if (!w) return 1;
  platform::ShowWindow(w, true);
  PumpFor(200);
  std::printf("drops ready\n");
  std::fflush(stdout);
  // The drop arrives as a cross-process COM call; nothing to do but pump, without spinning.
  auto start = Clock::now();
  while (MsSince(start) < seconds * 1000.0) {
    platform::RunPendingEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  platform::DestroyWindow(w);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::string cmd = argc > 1 ? argv[1] : "";
  if (cmd == "look" && argc >= 4) return Look(std::atoi(argv[2]), std::atoi(argv[3]));
  if (cmd == "info") return Info();
  if (cmd == "instance") {
    std::printf("another %d\n", platform::AnotherInstanceRunning() ? 1 : 0);
    return 0;
  }
  if (cmd == "keys" && argc >= 4) return Keys(std::atoi(argv[2]), argc - 3, argv + 3);
  if (cmd == "click" && argc >= 5) return Click(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
  if ((cmd == "open" || cmd == "save") && argc >= 3) return Dialog(cmd == "save", argv[2]);
  if (cmd == "burst") return Burst();
  if (cmd == "doevents") return DoEventsReturns();
  if (cmd == "modal") return Modal();
  if (cmd == "drops" && argc >= 7)
    return Drops({std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])},
                 std::atoi(argv[6]));
  std::fprintf(stderr, "usage: see the top of probe.cpp\n");
  return 2;
}
