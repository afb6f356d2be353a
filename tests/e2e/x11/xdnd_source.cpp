// A tiny XDND drag source, as a file manager would act: offers text/uri-list to one window and
// drops there. Prints what the target answered.
//
//   xdnd_source WINDOW ROOT_X ROOT_Y ACTIONS URI...
//   ACTIONS: "all" (an action list of copy, move and link, asking with XdndActionAsk) or "copy"
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

Display* d = nullptr;
Window source = 0;
Window target = 0;

Atom A(const char* name) { return XInternAtom(d, name, False); }

void Send(Atom type, long l1, long l2, long l3, long l4) {
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = target;
  ev.xclient.message_type = type;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(source);
  ev.xclient.data.l[1] = l1;
  ev.xclient.data.l[2] = l2;
  ev.xclient.data.l[3] = l3;
  ev.xclient.data.l[4] = l4;
  XSendEvent(d, target, False, NoEventMask, &ev);
  XFlush(d);
}

// Waits up to 5 s for a client message of `type`, answering selection requests meanwhile.
bool WaitFor(Atom type, XClientMessageEvent& out, const std::string& uris) {
  auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
    if (XPending(d) == 0) {
      pollfd p{ConnectionNumber(d), POLLIN, 0};
      poll(&p, 1, 50);
      continue;
    }
    XEvent ev;
    XNextEvent(d, &ev);
    if (ev.type == SelectionRequest) {
      XSelectionRequestEvent& r = ev.xselectionrequest;
      XEvent reply{};
      reply.xselection.type = SelectionNotify;
      reply.xselection.requestor = r.requestor;
      reply.xselection.selection = r.selection;
      reply.xselection.target = r.target;
      reply.xselection.time = r.time;
      reply.xselection.property = None;
      if (r.target == A("text/uri-list") && r.property != None) {
        XChangeProperty(d, r.requestor, r.property, r.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(uris.data()),
                        static_cast<int>(uris.size()));
        reply.xselection.property = r.property;
      }
      XSendEvent(d, r.requestor, False, NoEventMask, &reply);
      XFlush(d);
    } else if (ev.type == ClientMessage && ev.xclient.message_type == type) {
      out = ev.xclient;
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: xdnd_source WINDOW ROOT_X ROOT_Y all|copy URI...\n");
    return 2;
  }
  d = XOpenDisplay(nullptr);
  if (d == nullptr) return 2;
  target = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
  long x = std::atol(argv[2]), y = std::atol(argv[3]);
  bool all = std::string(argv[4]) == "all";
  std::string uris;
  for (int i = 5; i < argc; ++i) uris += std::string(argv[i]) + "\r\n";

  source = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(d, A("XdndSelection"), source, CurrentTime);
  Atom ask = A("XdndActionAsk"), copy = A("XdndActionCopy");
  if (all) {
    Atom actions[] = {copy, A("XdndActionMove"), A("XdndActionLink")};
    XChangeProperty(d, source, A("XdndActionList"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(actions), 3);
  }
  Send(A("XdndEnter"), 5L << 24, static_cast<long>(A("text/uri-list")), 0, 0);
  Send(A("XdndPosition"), 0, (x << 16) | y, CurrentTime, static_cast<long>(all ? ask : copy));
  XClientMessageEvent status{};
  if (!WaitFor(A("XdndStatus"), status, uris)) {
    std::puts("no status");
    return 1;
  }
  std::printf("status accept=%ld\n", status.data.l[1] & 1);
  if (!(status.data.l[1] & 1)) {
    Send(A("XdndLeave"), 0, 0, 0, 0);
    return 3;
  }
  Send(A("XdndDrop"), 0, CurrentTime, 0, 0);
  XClientMessageEvent finished{};
  if (!WaitFor(A("XdndFinished"), finished, uris)) {
    std::puts("no finish");
    return 1;
  }
  std::printf("finished accepted=%ld\n", finished.data.l[1] & 1);
  return (finished.data.l[1] & 1) ? 0 : 4;
}
