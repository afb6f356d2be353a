// A three-step task in a small application whose answers take their time, placed where asked:
// Open shows a dialog after the delay, its OK closes it and shows Done after the delay again.
// Every press it receives is logged as the live button it hit ("open", "ok", "done") or as
// "miss X Y", so that a replay that presses on the wrong thing is seen.
// Usage: slow_task LOG X Y DELAY_MS
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/select.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Button {
  int x, y, w, h;
  unsigned long colour;
  const char* label;
  bool Hit(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

constexpr Button kOpen{20, 20, 90, 30, 0x3050D0, "Open"};
constexpr Button kOk{60, 50, 80, 30, 0x30A040, "OK"};
constexpr Button kDone{20, 140, 90, 30, 0xE08020, "Done"};

Display* d = nullptr;

Window NewWindow(int x, int y, int w, int h, const char* title, unsigned long background) {
  const Window win = XCreateSimpleWindow(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(w),
                                         static_cast<unsigned>(h), 0, 0, background);
  XClassHint hint{const_cast<char*>("slow_task"), const_cast<char*>("SlowTask")};
  XSetClassHint(d, win, &hint);
  XStoreName(d, win, title);
  XSizeHints size{};
  size.flags = USPosition | PPosition;
  size.x = x;
  size.y = y;
  XSetWMNormalHints(d, win, &size);
  XSelectInput(d, win, ExposureMask | ButtonPressMask);
  return win;
}

void Draw(Window win, const Button& b) {
  const GC gc = DefaultGC(d, DefaultScreen(d));
  XSetForeground(d, gc, b.colour);
  XFillRectangle(d, win, gc, b.x, b.y, static_cast<unsigned>(b.w), static_cast<unsigned>(b.h));
  XSetForeground(d, gc, 0xFFFFFF);
  XDrawString(d, win, gc, b.x + 10, b.y + 20, b.label,
              static_cast<int>(std::string(b.label).size()));
}

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: slow_task LOG X Y DELAY_MS\n");
    return 2;
  }
  FILE* log = std::fopen(argv[1], "a");
  const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
  const std::int64_t delay = std::atoll(argv[4]);
  d = XOpenDisplay(nullptr);
  if (!log || !d) return 1;
  const Window main_window = NewWindow(x, y, 300, 200, "Slow task", 0xC8C8C8);
  const Window dialog = NewWindow(x + 60, y + 60, 200, 100, "Confirm", 0xFFFFFF);
  XMapWindow(d, main_window);
  XFlush(d);
  enum class Step { Open, DialogComing, Dialog, DoneComing, Done, Finished } step = Step::Open;
  std::int64_t due = 0;
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;) {
    if ((step == Step::DialogComing || step == Step::DoneComing) && NowMs() >= due) {
      if (step == Step::DialogComing) {
        XMapWindow(d, dialog);
        step = Step::Dialog;
      } else {
        XClearArea(d, main_window, 0, 0, 0, 0, True);
        step = Step::Done;
      }
      XFlush(d);
    }
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == Expose && e.xexpose.count == 0) {
        if (e.xexpose.window == main_window) {
          Draw(main_window, kOpen);
          if (step == Step::Done || step == Step::Finished) Draw(main_window, kDone);
        } else {
          Draw(dialog, kOk);
        }
      } else if (e.type == ButtonPress) {
        const int px = e.xbutton.x, py = e.xbutton.y;
        const bool in_main = e.xbutton.window == main_window;
        std::string what =
            "miss " + std::to_string(e.xbutton.x_root) + " " + std::to_string(e.xbutton.y_root);
        if (in_main && step == Step::Open && kOpen.Hit(px, py)) {
          what = "open";
          step = Step::DialogComing;
          due = NowMs() + delay;
        } else if (!in_main && step == Step::Dialog && kOk.Hit(px, py)) {
          what = "ok";
          XUnmapWindow(d, dialog);
          step = Step::DoneComing;
          due = NowMs() + delay;
        } else if (in_main && step == Step::Done && kDone.Hit(px, py)) {
          what = "done";
          step = Step::Finished;
        }
        std::fprintf(log, "%s\n", what.c_str());
        std::fflush(log);
      }
    }
    XFlush(d);
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(ConnectionNumber(d), &fds);
    timeval tv{0, 5000};
    select(ConnectionNumber(d) + 1, &fds, nullptr, nullptr, &tv);
  }
}
