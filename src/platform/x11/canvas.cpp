// Drawing into a window's back buffer: core X for fills and lines, Xft for text, XRender for
// pictures with alpha.

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

#include "platform/x11/x11.h"

namespace platform::x11 {
namespace {

Rect Intersect(const Rect& a, const Rect& b) {
  int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
  int right = std::min(a.left + a.width, b.left + b.width);
  int bottom = std::min(a.top + a.height, b.top + b.height);
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

XRectangle ToX(const Rect& r) {
  auto clamp16 = [](int v) { return static_cast<short>(std::clamp(v, -32768, 32767)); };
  return {clamp16(r.left), clamp16(r.top), static_cast<unsigned short>(std::min(r.width, 65535)),
          static_cast<unsigned short>(std::min(r.height, 65535))};
}

XRenderColor RenderColor(Color c) {
  auto channel = [](Color v) { return static_cast<unsigned short>((v & 0xFF) * 257); };
  return {channel(c), channel(c >> 8), channel(c >> 16), 0xFFFF};
}

// One copy of each picture on the server, by picture id.
const CachedPicture* Upload(const Picture& pic) {
  auto found = State().pictures.find(pic.id);
  if (pic.id != 0 && found != State().pictures.end() && found->second.width == pic.width &&
      found->second.height == pic.height)
    return &found->second;
  Display* d = Dpy();
  if (found != State().pictures.end()) {
    XRenderFreePicture(d, found->second.picture);
    XFreePixmap(d, found->second.pixmap);
    State().pictures.erase(found);
  }
  CachedPicture cached{pic.width, pic.height, 0, 0};
  if (!UploadArgb(pic, cached.pixmap, cached.picture)) return nullptr;
  // Without an id there is nothing to key on: one scratch entry, replaced by the next upload.
  return &(State().pictures[pic.id] = cached);
}

class X11Canvas : public Canvas {
 public:
  explicit X11Canvas(WindowState& ws) : ws_(ws), d_(Dpy()) {}
  ~X11Canvas() override {
    clips_.clear();
    ApplyClip();
  }

  void FillRect(const Rect& r, Color c) override {
    if (r.width <= 0 || r.height <= 0) return;
    XSetForeground(d_, ws_.gc, PixelOf(c));
    XFillRectangle(d_, ws_.back, ws_.gc, r.left, r.top, r.width, r.height);
  }

  void DrawString(const Rect& r, std::string_view text, const Font& f, Color c,
                  TextAlign align) override {
    XftFont* font = GetFont(f);
    if (font == nullptr || text.empty() || r.width <= 0 || r.height <= 0) return;
    int width = TextWidth(font, text);
    int x = r.left;
    if (align == TextAlign::Right) x = r.left + r.width - width;
    if (align == TextAlign::Center) x = r.left + (r.width - width) / 2;
    PushClip(r);
    XftColor color;
    XRenderColor rc = RenderColor(c);
    int screen = DefaultScreen(d_);
    if (XftColorAllocValue(d_, DefaultVisual(d_, screen), DefaultColormap(d_, screen), &rc,
                           &color)) {
      XftDrawStringUtf8(ws_.xft, &color, font, x, r.top + font->ascent,
                        reinterpret_cast<const FcChar8*>(text.data()),
                        static_cast<int>(text.size()));
      XftColorFree(d_, DefaultVisual(d_, screen), DefaultColormap(d_, screen), &color);
    }
    PopClip();
  }

  void DrawPicture(std::int32_t x, std::int32_t y, const Picture& pic) override {
    const CachedPicture* cached = Upload(pic);
    if (cached == nullptr) return;
    XRenderComposite(d_, PictOpOver, cached->picture, None, ws_.render, 0, 0, 0, 0, x, y,
                     cached->width, cached->height);
  }

  void DrawLine(Point from, Point to, Color c, int width) override {
    XSetForeground(d_, ws_.gc, PixelOf(c));
    XSetLineAttributes(d_, ws_.gc, width <= 1 ? 0 : width, LineSolid, CapButt, JoinMiter);
    XDrawLine(d_, ws_.back, ws_.gc, from.x, from.y, to.x, to.y);
  }

  void DrawRectOutline(const Rect& r, Color c, int width) override {
    if (width <= 0 || r.width <= 0 || r.height <= 0) return;
    int w = std::min({width, r.width, r.height});
    FillRect({r.left, r.top, r.width, w}, c);
    FillRect({r.left, r.top + r.height - w, r.width, w}, c);
    FillRect({r.left, r.top + w, w, r.height - 2 * w}, c);
    FillRect({r.left + r.width - w, r.top + w, w, r.height - 2 * w}, c);
  }

  void PushClip(const Rect& r) override {
    clips_.push_back(clips_.empty() ? r : Intersect(clips_.back(), r));
    ApplyClip();
  }

  void PopClip() override {
    if (clips_.empty()) return;
    clips_.pop_back();
    ApplyClip();
  }

 private:
  static int TextWidth(XftFont* font, std::string_view text) {
    XGlyphInfo info{};
    XftTextExtentsUtf8(Dpy(), font, reinterpret_cast<const FcChar8*>(text.data()),
                       static_cast<int>(text.size()), &info);
    return info.xOff;
  }

  void ApplyClip() {
    if (clips_.empty()) {
      XSetClipMask(d_, ws_.gc, None);
      XftDrawSetClip(ws_.xft, nullptr);
      XRenderPictureAttributes attrs{};
      attrs.clip_mask = None;
      XRenderChangePicture(d_, ws_.render, CPClipMask, &attrs);
      return;
    }
    XRectangle rect = ToX(clips_.back());
    int count = rect.width > 0 && rect.height > 0 ? 1 : 0;
    if (count == 0) rect = {0, 0, 0, 0};
    XSetClipRectangles(d_, ws_.gc, 0, 0, &rect, count, Unsorted);
    XftDrawSetClipRectangles(ws_.xft, 0, 0, &rect, count);
    XRenderSetPictureClipRectangles(d_, ws_.render, 0, 0, &rect, count);
  }

  WindowState& ws_;
  Display* d_;
  std::vector<Rect> clips_;
};

}  // namespace

bool UploadArgb(const Picture& pic, Pixmap& pixmap, ::Picture& picture) {
  if (pic.width <= 0 || pic.height <= 0 ||
      pic.pixels.size() < static_cast<size_t>(pic.width) * pic.height)
    return false;
  Display* d = Dpy();
  XImage* img = XCreateImage(d, DefaultVisual(d, DefaultScreen(d)), 32, ZPixmap, 0, nullptr,
                             pic.width, pic.height, 32, 0);
  if (img == nullptr) return false;
  img->data = static_cast<char*>(
      std::malloc(static_cast<size_t>(img->bytes_per_line) * static_cast<size_t>(pic.height)));
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      std::uint32_t p = pic.pixels[y * pic.width + x];
      std::uint32_t a = p >> 24;
      auto pre = [a](std::uint32_t c) { return (c * a + 127) / 255; };
      XPutPixel(
          img, x, y,
          (a << 24) | (pre((p >> 16) & 0xFF) << 16) | (pre((p >> 8) & 0xFF) << 8) | pre(p & 0xFF));
    }
  }
  pixmap = XCreatePixmap(d, DefaultRootWindow(d), pic.width, pic.height, 32);
  GC gc = XCreateGC(d, pixmap, 0, nullptr);
  XPutImage(d, pixmap, gc, img, 0, 0, 0, 0, pic.width, pic.height);
  XFreeGC(d, gc);
  XDestroyImage(img);
  picture =
      XRenderCreatePicture(d, pixmap, XRenderFindStandardFormat(d, PictStandardARGB32), 0, nullptr);
  return true;
}

XftFont* GetFont(const Font& f) {
  auto key = std::make_tuple(f.face, f.pixel_height, f.bold);
  auto found = State().fonts.find(key);
  if (found != State().fonts.end()) return found->second;
  Display* d = Dpy();
  // fontconfig substitutes a metric-compatible face (Liberation Sans for Arial) when missing.
  XftFont* font =
      XftFontOpen(d, DefaultScreen(d), XFT_FAMILY, XftTypeString, f.face.c_str(), XFT_PIXEL_SIZE,
                  XftTypeDouble, static_cast<double>(std::max(1, f.pixel_height)), XFT_WEIGHT,
                  XftTypeInteger, f.bold ? XFT_WEIGHT_BOLD : XFT_WEIGHT_MEDIUM, nullptr);
  if (font == nullptr) DebugLog("no font for %s", f.face.c_str());
  State().fonts[key] = font;
  return font;
}

void Paint(WindowState& ws) {
  if (ws.back == 0) return;
  Display* d = Dpy();
  ws.dirty = false;
  {
    X11Canvas canvas(ws);
    canvas.FillRect({0, 0, ws.bounds.width, ws.bounds.height}, ws.background);
    if (ws.listener != nullptr) ws.listener->OnPaint(canvas);
  }
  ws.painted = true;
  if (ws.visible && ws.back != 0)
    XCopyArea(d, ws.back, ws.xid, ws.gc, 0, 0, ws.bounds.width, ws.bounds.height, 0, 0);
  XFlush(d);
}

bool AnyWindowDirty() {
  for (auto& ws : AllWindows())
    if (ws->dirty && ws->visible) return true;
  return false;
}

void PaintDirtyWindows() {
  for (auto& ws : AllWindows())
    if (ws->dirty && ws->visible) Paint(*ws);
}

}  // namespace platform::x11

namespace platform {

int MeasureText(std::string_view text, const Font& f) {
  XftFont* font = x11::GetFont(f);
  if (font == nullptr || text.empty()) return 0;
  XGlyphInfo info{};
  XftTextExtentsUtf8(x11::Dpy(), font, reinterpret_cast<const FcChar8*>(text.data()),
                     static_cast<int>(text.size()), &info);
  return info.xOff;
}

}  // namespace platform
