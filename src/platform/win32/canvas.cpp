// The forms are drawn with GDI into a memory bitmap and copied to the screen in one go.
#include <map>
#include <tuple>
#include <vector>

#include "win32.h"

namespace platform {
namespace win32 {
namespace {

struct PictureBitmap {
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
};

// A 32-bit top-down DIB section filled from straight-alpha ARGB pixels.
HBITMAP MakeDib(const Picture& pic, bool premultiply) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = pic.width;
  bi.bmiHeader.biHeight = -pic.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return nullptr;
  auto* out = static_cast<std::uint32_t*>(bits);
  size_t n = static_cast<size_t>(pic.width) * static_cast<size_t>(pic.height);
  for (size_t i = 0; i < n && i < pic.pixels.size(); ++i) {
    std::uint32_t p = pic.pixels[i];
    if (premultiply) {
      std::uint32_t a = p >> 24;
      auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
      p = (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
    }
    out[i] = p;  // a DIB's BGRA in memory is 0xAARRGGBB as a 32-bit value
  }
  return bmp;
}

bool PictureValid(const Picture& pic) {
  return pic.width > 0 && pic.height > 0 &&
         pic.pixels.size() >= static_cast<size_t>(pic.width) * static_cast<size_t>(pic.height);
}

// Pictures are few and live as long as the program; their bitmaps are made once.
PictureBitmap CachedBitmap(const Picture& pic) {
  static std::map<std::uintptr_t, PictureBitmap> cache;
  if (pic.id != 0) {
    auto it = cache.find(pic.id);
    if (it != cache.end() && it->second.width == pic.width && it->second.height == pic.height)
      return it->second;
  }
  PictureBitmap b{MakeDib(pic, true), pic.width, pic.height};
  if (pic.id != 0 && b.bitmap) {
    auto& slot = cache[pic.id];
    if (slot.bitmap) DeleteObject(slot.bitmap);
    slot = b;
  }
  return b;
}

class GdiCanvas : public Canvas {
 public:
  explicit GdiCanvas(HDC dc) : dc_(dc) { SetBkMode(dc_, TRANSPARENT); }

  void FillRect(const Rect& r, Color c) override {
    RECT rc{r.left, r.top, r.left + r.width, r.top + r.height};
    SetDCBrushColor(dc_, c);
    ::FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }

  void DrawString(const Rect& r, std::string_view text, const Font& f, Color c,
                  TextAlign align) override {
    std::wstring w = Widen(text);
    RECT rc{r.left, r.top, r.left + r.width, r.top + r.height};
    UINT fmt = DT_SINGLELINE | DT_TOP | DT_NOPREFIX |
               (align == TextAlign::Right    ? DT_RIGHT
                : align == TextAlign::Center ? DT_CENTER
                                             : DT_LEFT);
    HGDIOBJ old = SelectObject(dc_, FontFor(f));
    SetTextColor(dc_, c);
    DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &rc, fmt);
    SelectObject(dc_, old);
  }

  void DrawPicture(std::int32_t x, std::int32_t y, const Picture& pic) override {
    if (!PictureValid(pic)) return;
    PictureBitmap b = CachedBitmap(pic);
    if (!b.bitmap) return;
    HDC src = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(src, b.bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc_, x, y, b.width, b.height, src, 0, 0, b.width, b.height, blend);
    SelectObject(src, old);
    DeleteDC(src);
    if (pic.id == 0) DeleteObject(b.bitmap);
  }

  void DrawLine(Point from, Point to, Color c, int width) override {
    HPEN pen = CreatePen(PS_SOLID, width < 1 ? 1 : width, c);
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
    if (width <= 1) SetPixelV(dc_, to.x, to.y, c);  // GDI leaves out the last point
    SelectObject(dc_, old);
    DeleteObject(pen);
  }

  void DrawRectOutline(const Rect& r, Color c, int width) override {
    int w = width < 1 ? 1 : width;
    FillRect({r.left, r.top, r.width, w}, c);
    FillRect({r.left, r.top + r.height - w, r.width, w}, c);
    FillRect({r.left, r.top, w, r.height}, c);
    FillRect({r.left + r.width - w, r.top, w, r.height}, c);
  }

  void PushClip(const Rect& r) override {
    SaveDC(dc_);
    IntersectClipRect(dc_, r.left, r.top, r.left + r.width, r.top + r.height);
  }

  void PopClip() override { RestoreDC(dc_, -1); }

 private:
  HDC dc_;
};

HCURSOR hand_cursor = nullptr;

}  // namespace

HFONT FontFor(const Font& f) {
  static std::map<std::tuple<std::string, int, bool>, HFONT> fonts;
  auto key = std::make_tuple(f.face, f.pixel_height, f.bold);
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second;
  // A negative height asks for the em height rather than the cell height.
  HFONT font = CreateFontW(-f.pixel_height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                           FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, Widen(f.face).c_str());
  fonts[key] = font;
  return font;
}

void PaintWindow(HWND hwnd, WindowListener* listener, Color background) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  int w = client.right, h = client.bottom;
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, w > 0 ? w : 1, h > 0 ? h : 1);
  HGDIOBJ old = SelectObject(mem, bmp);
  {
    GdiCanvas canvas(mem);
    canvas.FillRect({0, 0, w, h}, background);
    listener->OnPaint(canvas);
  }
  BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  EndPaint(hwnd, &ps);
}

HCURSOR HandCursor() { return hand_cursor ? hand_cursor : LoadCursorW(nullptr, IDC_HAND); }

}  // namespace win32

int MeasureText(std::string_view text, const Font& f) {
  std::wstring w = win32::Widen(text);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, win32::FontFor(f));
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return size.cx;
}

void SetHandCursor(const Picture& pic, int hot_x, int hot_y) {
  if (!win32::PictureValid(pic)) return;
  // Cursors take straight alpha; the mask only matters where alpha is not honoured.
  HBITMAP color = win32::MakeDib(pic, false);
  std::vector<std::uint8_t> mask_bits(static_cast<size_t>((pic.width + 15) / 16 * 2) * pic.height,
                                      0);
  HBITMAP mask = CreateBitmap(pic.width, pic.height, 1, 1, mask_bits.data());
  ICONINFO info{FALSE, static_cast<DWORD>(hot_x), static_cast<DWORD>(hot_y), mask, color};
  if (HCURSOR c = reinterpret_cast<HCURSOR>(CreateIconIndirect(&info))) win32::hand_cursor = c;
  DeleteObject(color);
  DeleteObject(mask);
}

}  // namespace platform
