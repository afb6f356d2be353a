// A window that takes the focus when clicked, as a window manager would give it, and logs the
// text of every key press it receives (what an editor would have been typed into), and other
// keys but the modifiers by name ("<F8>", "<dead_circumflex>").
//   key_target X Y LOG [BUTTONS]   a 100 x 100 window at (X, Y); prints "ready" once it is
//                                  mapped; BUTTONS: a log of each button's press and release,
//                                  the wheel's notches (4 to 7) and the side buttons (8, 9)
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  Display* d = XOpenDisplay(nullptr);
  FILE* log = std::fopen(argv[3], "a");
  FILE* buttons = argc > 4 ? std::fopen(argv[4], "a") : nullptr;
  if (d == nullptr || log == nullptr || (argc > 4 && buttons == nullptr)) return 2;
  XSetWindowAttributes a{};
  a.background_pixel = 0x4080FF;
  a.event_mask =
      ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask | KeyPressMask;
  Window w =
      XCreateWindow(d, DefaultRootWindow(d), std::atoi(argv[1]), std::atoi(argv[2]), 100, 100, 0,
                    CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &a);
  XStoreName(d, w, "key-target");
  XMapWindow(d, w);
  for (;;) {
    XEvent ev;
    XNextEvent(d, &ev);
    if (ev.type == MapNotify) {
      std::printf("ready\n");
      std::fflush(stdout);
    } else if (ev.type == ButtonPress || ev.type == ButtonRelease) {
      if (ev.type == ButtonPress) XSetInputFocus(d, w, RevertToParent, ev.xbutton.time);
      if (buttons != nullptr) {
        std::fprintf(buttons, "%s %u %d %d\n", ev.type == ButtonPress ? "press" : "release",
                     ev.xbutton.button, ev.xbutton.x, ev.xbutton.y);
        std::fflush(buttons);
      }
    } else if (ev.type == KeyPress) {
      char text[16];
      KeySym sym;
      const int n = XLookupString(&ev.xkey, text, sizeof text, &sym, nullptr);
      if ((n == 0 && sym != NoSymbol && !IsModifierKey(sym)) || sym == XK_Escape) {
        // By name: a hotkey that reached the window shows, and so does a dead key.
        std::fprintf(log, "<%s>", XKeysymToString(sym));
        std::fflush(log);
      } else if (n > 0) {
        // The text is Latin-1; the log is UTF-8.
        for (int i = 0; i < n; ++i) {
          const auto c = static_cast<unsigned char>(text[i]);
          if (c < 0x80)
            std::fputc(c, log);
          else
            std::fprintf(log, "%c%c", 0xC0 | (c >> 6), 0x80 | (c & 0x3F));
        }
        std::fflush(log);
      }
    }
  }
}
