// What the screen shows, from the X server: the root window's pixels and its window tree.
#include "platform/screen.h"

#include <algorithm>
#include <memory>

#include "platform/x11/x11.h"

namespace platform {
namespace x11 {
namespace {

// A mask's lowest bit and width, to read one colour out of a TrueColor pixel.
struct Channel {
  int shift = 0;
  int bits = 0;
};

Channel ChannelOf(unsigned long mask) {
  Channel c;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++c.shift;
  }
  while ((mask & 1) != 0) {
    mask >>= 1;
    ++c.bits;
  }
  return c;
}

std::uint32_t Eight(unsigned long pixel, Channel c) {
  if (c.bits == 0) return 0;
  const unsigned long value = (pixel >> c.shift) & ((1ul << c.bits) - 1);
  return static_cast<std::uint32_t>(value * 255 / ((1ul << c.bits) - 1));
}

// The window a window manager marks as a program's (WM_STATE): w itself or one below it.
Window ClientOf(Display* d, Window w, int depth) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, w, State().atoms.wm_state, 0, 0, False, AnyPropertyType, &type, &format,
                         &count, &after, &data) == Success) {
    if (data) XFree(data);
    if (type != None) return w;
  }
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int n = 0;
  if (depth == 0 || !XQueryTree(d, w, &root, &parent, &children, &n)) return 0;
  Window found = 0;
  for (unsigned int i = n; i-- > 0 && found == 0;) found = ClientOf(d, children[i], depth - 1);
  if (children) XFree(children);
  return found;
}

std::string Title(Display* d, Window w) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(d, w, State().atoms.net_wm_name, 0, 1024, False, State().atoms.utf8_string,
                         &type, &format, &count, &after, &data) == Success &&
      data) {
    if (format == 8) title.assign(reinterpret_cast<const char*>(data), count);
    XFree(data);
  }
  char* name = nullptr;
  if (title.empty() && XFetchName(d, w, &name) && name) {
    title = name;
    XFree(name);
  }
  return title;
}

// A child of the root as a user knows it: the program's window it frames, or itself; false for
// this program's own.
bool Describe(Display* d, Window child, TopWindow& window) {
  Window client = ClientOf(d, child, 3);
  if (client == 0) client = child;
  if (FindWindowByXid(client) || FindWindowByXid(child)) return false;
  TopWindow found;
  XClassHint hint{};
  if (XGetClassHint(d, client, &hint)) {
    if (hint.res_name) found.program = hint.res_name;
    if (hint.res_class) found.window_class = hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  found.title = Title(d, client);
  XWindowAttributes a{};
  Window ignored = 0;
  int x = 0, y = 0;
  if (!XGetWindowAttributes(d, client, &a) ||
      !XTranslateCoordinates(d, client, DefaultRootWindow(d), 0, 0, &x, &y, &ignored))
    return false;
  found.bounds = {x, y, a.width, a.height};
  window = std::move(found);
  return true;
}

// What the program's own windows cover reads as hidden.
void HideOwnWindows(const Rect& area, std::vector<std::uint32_t>& pixels) {
  for (const auto& [handle, ws] : State().windows) {
    if (!ws || !ws->visible) continue;
    const Rect& b = ws->bounds;
    for (int y = std::max(b.top, area.top); y < std::min(b.top + b.height, area.top + area.height);
         ++y)
      for (int x = std::max(b.left, area.left);
           x < std::min(b.left + b.width, area.left + area.width); ++x)
        pixels[static_cast<size_t>(y - area.top) * static_cast<size_t>(area.width) +
               static_cast<size_t>(x - area.left)] = kHiddenPixel;
  }
}

}  // namespace
}  // namespace x11

bool CaptureScreen(const Rect& area, std::vector<std::uint32_t>& pixels) {
  using namespace x11;
  if (area.width < 0 || area.height < 0) return false;
  Display* d = Dpy();
  const int screen = DefaultScreen(d);
  const int left = std::max(area.left, 0), top = std::max(area.top, 0);
  const int right = std::min(area.left + area.width, DisplayWidth(d, screen));
  const int bottom = std::min(area.top + area.height, DisplayHeight(d, screen));
  std::vector<std::uint32_t> read(
      static_cast<size_t>(area.width) * static_cast<size_t>(area.height), 0);
  if (left < right && top < bottom) {
    const auto destroy = [](XImage* image) { XDestroyImage(image); };
    const std::unique_ptr<XImage, decltype(destroy)> image(
        XGetImage(d, RootWindow(d, screen), left, top, static_cast<unsigned>(right - left),
                  static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap),
        destroy);
    if (!image) return false;
    const Channel r = ChannelOf(image->red_mask), g = ChannelOf(image->green_mask),
                  b = ChannelOf(image->blue_mask);
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        const unsigned long p = XGetPixel(image.get(), x - left, y - top);
        read[static_cast<size_t>(y - area.top) * static_cast<size_t>(area.width) +
             static_cast<size_t>(x - area.left)] =
            Eight(p, r) << 16 | Eight(p, g) << 8 | Eight(p, b);
      }
  }
  HideOwnWindows(area, read);
  pixels = std::move(read);
  return true;
}

bool TopWindowAt(Point p, TopWindow& window) {
  using namespace x11;
  Display* d = Dpy();
  const Window root = DefaultRootWindow(d);
  Window child = 0;
  int x = 0, y = 0;
  if (!XTranslateCoordinates(d, root, root, p.x, p.y, &x, &y, &child) || child == None)
    return false;
  return Describe(d, child, window);
}

std::vector<TopWindow> TopWindows() {
  using namespace x11;
  Display* d = Dpy();
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int n = 0;
  std::vector<TopWindow> found;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n)) return found;
  for (unsigned int i = n; i-- > 0;) {
    XWindowAttributes a{};
    TopWindow w;
    if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
        Describe(d, children[i], w))
      found.push_back(std::move(w));
  }
  if (children) XFree(children);
  return found;
}

}  // namespace platform
